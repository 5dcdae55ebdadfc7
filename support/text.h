// Text helpers.  Text in memory is UTF-8; files and fixed-width columns use
// the Windows Japanese code page CP932, as the files written on Windows do.
#ifndef ZELVOMINI_SUPPORT_TEXT_H_
#define ZELVOMINI_SUPPORT_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// UTF-8 -> CP932 bytes.  Characters CP932 cannot hold become "?", after the
// look-alikes that Windows folds (WAVE DASH to FULLWIDTH TILDE, MINUS SIGN to
// FULLWIDTH HYPHEN-MINUS, ...) have been folded the same way.
std::string ToCp932(std::string_view utf8);

// The first character of the text that CP932 cannot hold, so that a file
// written in it would not read back the same (U+FFFD stands for a broken
// UTF-8 sequence); "" when every character fits.  The look-alikes folded by
// ToCp932 fit, in their folded form.
std::string FirstCharOutsideCp932(std::string_view utf8);
// The text with those look-alikes folded as ToCp932 folds them: what a CP932
// file holds of it.
std::string FoldCp932LookAlikes(std::string_view utf8);

// CP932 bytes -> UTF-8.  Invalid or unassigned byte sequences become U+FFFD
// instead of failing the whole text.
std::string FromCp932(std::string_view bytes);

// Strict UTF-8 decoding for downloaded pages: invalid sequences become U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);

// Number of CP932 columns (bytes) the text takes: a full-width character two,
// a half-width one one.
int Cp932Width(std::string_view utf8);

// The text followed by blanks and cut to exactly `columns` CP932 columns.  A
// double-byte character that would straddle the last column is replaced by a
// blank, so the field never grows past its width.
std::string PadCutColumns(std::string_view utf8, int columns);

// Right-aligns the text in `columns` CP932 columns (longer text is kept whole).
std::string PadLeftColumns(std::string_view utf8, int columns);

// Full-width letters, digits, symbols, blanks and katakana to their narrow
// forms (and the reverse).  Hiragana and kanji are unchanged.
std::string ToHalfWidth(std::string_view utf8);
std::string ToFullWidth(std::string_view utf8);

// Removes leading and trailing ASCII blanks only (not tabs, not U+3000).
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Case-insensitive comparison as the settings files and look-ups use it:
// ASCII and full-width Latin letters fold to one case.
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string FoldCase(std::string_view text);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Character-based access (code points), as the texts of the pages and files
// are measured in characters, not bytes.
std::u32string ToU32(std::string_view utf8);
std::string FromU32(std::u32string_view text);
std::string FromCodePoint(char32_t c);
size_t CharCount(std::string_view utf8);
// Characters [start, start+count) counted from 0; clipped to the text.
std::string SubChars(std::string_view utf8, size_t start, size_t count = std::string::npos);
std::string LeftChars(std::string_view utf8, size_t count);

// Splits at every occurrence of `sep` (an empty text gives one empty part).
std::vector<std::string> Split(std::string_view text, std::string_view sep);
std::string Join(const std::vector<std::string>& parts, std::string_view sep);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
bool Contains(std::string_view text, std::string_view part);
std::string Repeat(std::string_view text, int count);

// True when the whole text is a decimal number as the files write them:
// optional blanks, an optional sign, digits with at most one point.
bool IsNumeric(std::string_view text);
// Integer value of a decimal text; false on anything else or overflow.
bool ParseInt32(std::string_view text, int& value);
bool ParseInt64(std::string_view text, long long& value);

}  // namespace zelvo

namespace zelvo {

// The value conversions of the settings files: a decimal text to a 32-bit
// integer (a fraction rounds half to even; "abc" or an overflow fails), and
// a text to a boolean ("True"/"False" in any case, or a number: 0 is false,
// any other true).
bool ConvertToLong(std::string_view text, int& value);
bool ConvertToBool(std::string_view text, bool& value);
// Shortest decimal text of a double ("2.5", "0", "-1.25").
std::string DoubleToText(double value);
// The shortest plain decimal that reads back as exactly `value` ("0.00002",
// "1234.5", "0"): how a figure the user gave is stored.  Finite values only.
std::string ExactDecimalText(double value);
// A plain decimal ("12", "-0.5", "0.00002"; no exponent, blank, inf or nan)
// read to the nearest double; false for anything else, and for a figure a
// double cannot hold (it would be stored as something else).
bool ParseExactDecimal(std::string_view text, double& value);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_TEXT_H_
