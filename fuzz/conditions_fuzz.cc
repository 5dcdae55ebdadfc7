// Conditions files (.tpj): what loads saves and loads again to the same
// conditions; a failed load changes nothing of the open document.
#include "files/document_record.h"
#include "files/tpd_file.h"
#include "fuzz/fuzz_support.h"
#include "support/text.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  std::string path = fuzz::WriteInput("in.tpj", fuzz::AsText(data, size));
  clsTFileTPD tpd;
  DocumentRecord before;
  before.Kaisaikai = 1490;
  before.Multi[0][0] = 1;
  before.SingleData = {1, 2};
  before.SingleCount = 2;
  before.Conditions.MachigaiType = 1;
  DocumentRecord doc = before;
  if (!LoadDocumentFile(tpd, path, false, false, doc)) {
    fuzz::Require(doc == before, "a failed conditions load changed the document");
    return 0;
  }
  // Only the conditions and the multi come from a conditions file.
  DocumentRecord rest = doc;
  rest.Conditions = before.Conditions;
  rest.Multi = before.Multi;
  fuzz::Require(rest == before, "a conditions file changed more than the conditions");
  std::string saved = fuzz::WriteInput("out.tpj", "");
  if (!tpd.SaveFile(saved, false, doc, false)) return 0;
  DocumentRecord again = doc;
  again.Conditions = DefaultReductionConditions();
  fuzz::Require(LoadDocumentFile(tpd, saved, false, false, again), "a saved conditions file did not load");
  if (FromCp932(fuzz::AsText(data, size)).find("\xEF\xBF\xBD") != std::string::npos) return 0;
  fuzz::Require(again.Conditions == doc.Conditions, "conditions changed when saved and loaded again");
  return 0;
}
