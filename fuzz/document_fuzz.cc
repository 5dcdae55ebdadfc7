// Documents (.tpd): a file that opens saves and opens again to the same
// record; a file that does not open leaves the open document as it was.
#include "files/document_record.h"
#include "files/tpd_file.h"
#include "fuzz/fuzz_support.h"
#include "support/text.h"

using namespace zelvo;

namespace {

// A document already open, different from a new one in every part a load
// may touch.
DocumentRecord OpenDocumentBefore() {
  DocumentRecord doc;
  doc.Kaisaikai = 1487;
  doc.Kumi = "B";
  doc.Multi[1][2] = 3;
  doc.Engine.MsEngine = 2;
  doc.SingleData = {5, 17, 242};
  doc.SingleCount = 3;
  doc.SakugenMessage = "前の文書\r\n";
  doc.Vote.Kaisaikai = 1487;
  doc.Vote.Kumi = "B";
  return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  std::string path = fuzz::WriteInput("in.tpd", fuzz::AsText(data, size));
  clsTFileTPD tpd;
  const DocumentRecord before = OpenDocumentBefore();
  DocumentRecord doc = before;
  if (!LoadDocumentFile(tpd, path, true, false, doc)) {
    fuzz::Require(doc == before, "a failed load changed the open document");
    return 0;
  }
  std::string saved = fuzz::WriteInput("out.tpd", "");
  // A record the writer refuses (it would not read back) is no finding.
  if (!tpd.SaveFile(saved, true, doc, false)) return 0;
  DocumentRecord again = before;
  fuzz::Require(LoadDocumentFile(tpd, saved, true, false, again), "a saved document did not open");
  // The date of an old document's vote status is read, never written: the
  // saved document carries the vote status itself.
  DocumentRecord expected = doc;
  expected.VoteTime = again.VoteTime;
  // Bytes that are no CP932 text come back as "?" after one save; from then
  // on the document must stay as it is.
  if (FromCp932(fuzz::AsText(data, size)).find("\xEF\xBF\xBD") != std::string::npos) {
    std::string saved2 = fuzz::WriteInput("out2.tpd", "");
    fuzz::Require(tpd.SaveFile(saved2, true, again, false), "a reopened document did not save");
    DocumentRecord third = before;
    fuzz::Require(LoadDocumentFile(tpd, saved2, true, false, third), "a resaved document did not open");
    fuzz::Require(third == again, "a document changed on its second save");
    return 0;
  }
  fuzz::Require(again == expected, "a document changed when saved and opened again");
  return 0;
}
