#include "support/text.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <system_error>

namespace zelvo {
namespace {

// ICU's "windows-31j" is the Windows code page 932 table: 0x8160 <-> U+FF5E
// and 0x817C <-> U+FF0D, as Windows writes them.
constexpr const char* kCp932Name = "windows-31j";

// Writes U+FFFD for every byte sequence the table does not decode.  ICU's own
// substitute for this code page is U+001A, which is indistinguishable from a
// real SUB byte.
void ToUnicodeReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                          UConverterCallbackReason reason, UErrorCode* err) {
  if (reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR || reason == UCNV_UNASSIGNED) {
    static const UChar kReplacement = 0xFFFD;
    *err = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, err);
  }
}

struct ConverterDeleter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterDeleter>;

ConverterPtr OpenCp932() {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr conv(ucnv_open(kCp932Name, &status));
  if (U_FAILURE(status)) return nullptr;
  status = U_ZERO_ERROR;
  ucnv_setToUCallBack(conv.get(), ToUnicodeReplacement, nullptr, nullptr, nullptr, &status);
  status = U_ZERO_ERROR;
  ucnv_setSubstChars(conv.get(), "?", 1, &status);
  return conv;
}

// Opening a converter costs far more than converting a short text, and the
// fixed-width fields measure their text character by character.  The whole-
// string conversions reset the converter first, so one per thread serves all.
UConverter* SharedCp932() {
  thread_local ConverterPtr conv = OpenCp932();
  return conv.get();
}

// Windows folds these look-alikes into CP932 instead of dropping them; text
// pasted from other programs often carries the Unicode forms.
char32_t FoldForCp932(char32_t c) {
  switch (c) {
    case 0x301C: return 0xFF5E;  // WAVE DASH
    case 0x2212: return 0xFF0D;  // MINUS SIGN
    case 0x2016: return 0x2225;  // DOUBLE VERTICAL LINE
    case 0x00A2: return 0xFFE0;  // CENT SIGN
    case 0x00A3: return 0xFFE1;  // POUND SIGN
    case 0x00AC: return 0xFFE2;  // NOT SIGN
    case 0x2014: return 0x2015;  // EM DASH
    default: return c;
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one code point at `i`, advancing it; invalid input gives U+FFFD and
// consumes one byte.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  unsigned char b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int len = 0;
  char32_t c = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, c = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, c = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, c = b0 & 0x07, min = 0x10000;
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + len > s.size()) {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k < len; ++k) {
    unsigned char b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return 0xFFFD;
  }
  i += len;
  return c;
}

std::string TransliterateWith(const char* id, std::string_view utf8) {
  static std::mutex mutex;
  static std::unique_ptr<icu::Transliterator> narrow, wide;
  std::lock_guard<std::mutex> lock(mutex);
  std::unique_ptr<icu::Transliterator>& slot = (id[0] == 'F') ? narrow : wide;
  if (!slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot.reset(icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8(id), UTRANS_FORWARD,
                                                   status));
    if (U_FAILURE(status)) slot.reset();
  }
  if (!slot) return std::string(utf8);
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  slot->transliterate(text);
  std::string out;
  text.toUTF8String(out);
  return out;
}

}  // namespace

std::string ToCp932(std::string_view utf8) {
  std::u16string units;
  units.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = FoldForCp932(DecodeUtf8(utf8, i));
    if (c >= 0x10000) {
      c -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(c));
    }
  }
  if (units.empty()) return {};
  UConverter* conv = SharedCp932();
  if (!conv) return {};
  std::string out(units.size() * 2 + 8, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                              reinterpret_cast<const UChar*>(units.data()),
                              static_cast<int32_t>(units.size()), &status);
  if (U_FAILURE(status)) return {};
  out.resize(n);
  return out;
}

std::string FirstCharOutsideCp932(std::string_view utf8) {
  for (size_t i = 0; i < utf8.size();) {
    const size_t start = i;
    const char32_t c = FoldForCp932(DecodeUtf8(utf8, i));
    if (c < 0x80) continue;
    std::string one;
    AppendUtf8(one, c);
    if (c == 0xFFFD) return one;
    if (FromCp932(ToCp932(one)) != one) return std::string(utf8.substr(start, i - start));
  }
  return "";
}

std::string FoldCp932LookAlikes(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) AppendUtf8(out, FoldForCp932(DecodeUtf8(utf8, i)));
  return out;
}

std::string FromCp932(std::string_view bytes) {
  if (bytes.empty()) return {};
  UConverter* conv = SharedCp932();
  if (!conv) return {};
  std::u16string units(bytes.size() + 8, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = ucnv_toUChars(conv, reinterpret_cast<UChar*>(units.data()),
                            static_cast<int32_t>(units.size()), bytes.data(),
                            static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) return {};
  std::string out;
  out.reserve(n * 3 / 2 + 1);
  for (int32_t i = 0; i < n; ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string SanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) AppendUtf8(out, DecodeUtf8(bytes, i));
  return out;
}

namespace {

// CP932 bytes of one code point (an unmappable one becomes "?", one byte).
// Memoised for the basic plane: the fixed-width fields of the run log measure
// the same few characters over and over.
int CodePointWidth(char32_t c) {
  if (c < 0x80) return 1;
  if (c >= 0x10000) return static_cast<int>(ToCp932(FromCodePoint(c)).size());
  thread_local std::array<uint8_t, 0x10000> widths{};
  uint8_t& w = widths[c];
  if (w == 0) w = static_cast<uint8_t>(ToCp932(FromCodePoint(c)).size());
  return w;
}

}  // namespace

int Cp932Width(std::string_view utf8) {
  int width = 0;
  for (size_t i = 0; i < utf8.size();) width += CodePointWidth(DecodeUtf8(utf8, i));
  return width;
}

std::string PadCutColumns(std::string_view utf8, int columns) {
  // Find where the field ends, then copy the kept characters at once.
  int used = 0;
  size_t cut = 0;
  for (size_t i = 0; i < utf8.size();) {
    int w = CodePointWidth(DecodeUtf8(utf8, i));
    if (used + w > columns) break;
    used += w;
    cut = i;
  }
  std::string out;
  out.reserve(cut + (columns > used ? columns - used : 0));
  out.append(utf8.substr(0, cut));
  if (used < columns) out.append(columns - used, ' ');
  return out;
}

std::string PadLeftColumns(std::string_view utf8, int columns) {
  int w = Cp932Width(utf8);
  std::string out;
  if (w < columns) out.assign(columns - w, ' ');
  out.append(utf8);
  return out;
}

std::string ToHalfWidth(std::string_view utf8) { return TransliterateWith("Fullwidth-Halfwidth", utf8); }
std::string ToFullWidth(std::string_view utf8) { return TransliterateWith("Halfwidth-Fullwidth", utf8); }

std::string TrimLeft(std::string_view text) {
  size_t b = 0;
  while (b < text.size() && text[b] == ' ') ++b;
  return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
  size_t e = text.size();
  while (e > 0 && text[e - 1] == ' ') --e;
  return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string FoldCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t start = i;
    char32_t c = DecodeUtf8(text, i);
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if (c >= 0xFF21 && c <= 0xFF3A) {  // full-width A-Z
      AppendUtf8(out, c + 0x20);
    } else if (c == 0xFFFD) {
      out.append(text.substr(start, i - start));
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  return FoldCase(a) == FoldCase(b);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  return FoldCase(text.substr(0, prefix.size())) == FoldCase(prefix);
}

std::u32string ToU32(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) out.push_back(DecodeUtf8(utf8, i));
  return out;
}

std::string FromU32(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

std::string FromCodePoint(char32_t c) {
  std::string out;
  AppendUtf8(out, c);
  return out;
}

size_t CharCount(std::string_view utf8) {
  size_t n = 0;
  for (size_t i = 0; i < utf8.size();) {
    DecodeUtf8(utf8, i);
    ++n;
  }
  return n;
}

std::string SubChars(std::string_view utf8, size_t start, size_t count) {
  size_t i = 0, index = 0;
  while (i < utf8.size() && index < start) {
    DecodeUtf8(utf8, i);
    ++index;
  }
  size_t begin = i, taken = 0;
  while (i < utf8.size() && taken < count) {
    DecodeUtf8(utf8, i);
    ++taken;
  }
  return std::string(utf8.substr(begin, i - begin));
}

std::string LeftChars(std::string_view utf8, size_t count) { return SubChars(utf8, 0, count); }

std::vector<std::string> Split(std::string_view text, std::string_view sep) {
  std::vector<std::string> parts;
  if (sep.empty()) {
    parts.emplace_back(text);
    return parts;
  }
  size_t start = 0;
  while (true) {
    size_t pos = text.find(sep, start);
    if (pos == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      break;
    }
    parts.emplace_back(text.substr(start, pos - start));
    start = pos + sep.size();
  }
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view sep) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out.append(sep);
    out.append(parts[i]);
  }
  return out;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  size_t start = 0;
  while (true) {
    size_t pos = text.find(from, start);
    if (pos == std::string_view::npos) break;
    out.append(text.substr(start, pos - start));
    out.append(to);
    start = pos + from.size();
  }
  out.append(text.substr(start));
  return out;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string Repeat(std::string_view text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out.append(text);
  return out;
}

bool IsNumeric(std::string_view text) {
  std::string t = Trim(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      digits = true;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

bool ParseInt64(std::string_view text, long long& value) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  size_t i = 0;
  if (t[0] == '+' || t[0] == '-') i = 1;
  if (i >= t.size()) return false;
  for (size_t k = i; k < t.size(); ++k) {
    if (t[k] < '0' || t[k] > '9') return false;
  }
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(t.c_str(), &end, 10);
  if (errno == ERANGE || end != t.c_str() + t.size()) return false;
  value = v;
  return true;
}

bool ParseInt32(std::string_view text, int& value) {
  long long v = 0;
  if (!ParseInt64(text, v) || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace zelvo

namespace zelvo {

bool ConvertToLong(std::string_view text, int& value) {
  std::string t = Trim(text);
  if (!IsNumeric(t)) return false;
  double d = std::strtod(t.c_str(), nullptr);
  double r = std::nearbyint(d);  // half to even
  if (r < -2147483648.0 || r > 2147483647.0) return false;
  value = static_cast<int>(r);
  return true;
}

bool ConvertToBool(std::string_view text, bool& value) {
  std::string t = Trim(text);
  if (EqualsNoCase(t, "true")) {
    value = true;
    return true;
  }
  if (EqualsNoCase(t, "false")) {
    value = false;
    return true;
  }
  if (!IsNumeric(t)) return false;
  value = std::strtod(t.c_str(), nullptr) != 0.0;
  return true;
}

std::string ExactDecimalText(double value) {
  char buf[400];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (ec != std::errc()) return DoubleToText(value);
  std::string s(buf, end);
  return s == "-0" ? "0" : s;
}

bool ParseExactDecimal(std::string_view text, double& value) {
  const size_t digits_from = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::string_view digits = text.substr(digits_from);
  if (digits.empty() || digits.find_first_not_of("0123456789.") != std::string_view::npos ||
      digits.find('.') != digits.rfind('.') || digits == ".") {
    return false;
  }
  double v = 0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return false;
  // Too small or too large for a double is a range error above: such a
  // figure is refused, since it would be stored as another one.
  value = v;
  return true;
}

std::string DoubleToText(double value) {
  char buf[64];
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, value);
    if (std::strtod(buf, nullptr) == value) break;
  }
  std::string s = buf;
  if (s.find('e') != std::string::npos) {
    std::snprintf(buf, sizeof buf, "%.4f", value);
    s = buf;
    while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.')) {
      bool dot = s.back() == '.';
      s.pop_back();
      if (dot) break;
    }
  }
  return s;
}

}  // namespace zelvo
