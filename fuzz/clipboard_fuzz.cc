// The clipboard import: whatever text is pasted, only single numbers come
// out, one per line of five outcome digits at most.
#include "fuzz/fuzz_support.h"
#include "output/clipboard.h"
#include "support/text.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  const std::string text = SanitizeUtf8(fuzz::AsText(data, size));
  std::vector<int> singles = clsTClipImport::ParseSingles(text);
  size_t lines = 1;
  for (char c : text) lines += c == '\n' || c == '\r';
  fuzz::Require(singles.size() <= lines, "more singles than lines");
  for (int s : singles) fuzz::Require(s >= 0 && s < 243, "a single number out of range");
  return 0;
}
