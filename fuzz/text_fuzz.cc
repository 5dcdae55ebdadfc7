// The code-page conversions and the narrow/wide conversions: decoding gives
// valid UTF-8 that encodes back to the same text (undecodable bytes become
// "?"), the column measure is the encoded length, and narrowing or widening
// twice changes nothing more.
#include "fuzz/fuzz_support.h"
#include "support/text.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  const std::string_view bytes = fuzz::AsText(data, size);
  const std::string decoded = FromCp932(bytes);
  fuzz::Require(SanitizeUtf8(decoded) == decoded, "CP932 decoding gave invalid UTF-8");
  const std::string encoded = ToCp932(decoded);
  fuzz::Require(FromCp932(encoded) == ReplaceAll(decoded, "\xEF\xBF\xBD", "?"),
                "CP932 text changed when encoded and decoded");
  fuzz::Require(Cp932Width(decoded) == static_cast<int>(encoded.size()), "column measure");
  // Any UTF-8 text, as typed or pasted.
  const std::string utf8 = SanitizeUtf8(bytes);
  fuzz::Require(SanitizeUtf8(utf8) == utf8, "UTF-8 cleaning is not stable");
  const std::string narrow = ToHalfWidth(utf8);
  const std::string wide = ToFullWidth(utf8);
  fuzz::Require(SanitizeUtf8(narrow) == narrow && SanitizeUtf8(wide) == wide, "invalid UTF-8");
  fuzz::Require(ToHalfWidth(narrow) == narrow, "narrowing twice changed the text");
  fuzz::Require(ToFullWidth(wide) == wide, "widening twice changed the text");
  const std::string padded = PadCutColumns(utf8, 12);
  fuzz::Require(Cp932Width(padded) <= 12, "a padded field wider than its columns");
  return 0;
}
