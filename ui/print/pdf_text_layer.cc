#include "ui/print/pdf_text_layer.h"

#include <QFont>
#include <QList>
#include <QRawFont>
#include <set>
#include <vector>

namespace zelvo {
namespace {

// The maps name basic-plane code points as four hex digits.
using Replacements = std::map<char16_t, char16_t>;

QString BasicPlaneOnly(const QString& text) {
  QString out;
  for (QChar c : text) {
    if (!c.isSurrogate()) out.append(c);
  }
  return out;
}

Replacements SharedGlyphReplacements(const std::map<QString, QString>& drawn) {
  std::set<char16_t> drawn_points;
  for (const auto& [family, text] : drawn) {
    for (QChar c : BasicPlaneOnly(text)) drawn_points.insert(c.unicode());
  }
  QString all;
  all.reserve(0x10000);
  for (char32_t u = 1; u < 0x10000; ++u) {
    if (!QChar::isSurrogate(u)) all.append(QChar(static_cast<char16_t>(u)));
  }
  Replacements out;
  for (const auto& [family, text] : drawn) {
    const QRawFont raw = QRawFont::fromFont(QFont(family));
    if (!raw.isValid()) continue;
    // The code point Qt names for each glyph: the lowest that maps to it.
    const QList<quint32> glyphs = raw.glyphIndexesForString(all);
    if (glyphs.size() != all.size()) continue;
    std::map<quint32, char16_t> named;
    for (qsizetype i = 0; i < all.size(); ++i) {
      if (glyphs[i] != 0) named.emplace(glyphs[i], all[i].unicode());
    }
    const QString used = BasicPlaneOnly(text);
    const QList<quint32> used_glyphs = raw.glyphIndexesForString(used);
    if (used_glyphs.size() != used.size()) continue;
    for (qsizetype i = 0; i < used.size(); ++i) {
      auto it = named.find(used_glyphs[i]);
      if (it == named.end() || it->second == used[i].unicode()) continue;
      // A code point that was drawn itself is right where it stands.
      if (drawn_points.count(it->second)) continue;
      out.emplace(it->second, used[i].unicode());
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The four-digit "<XXXX>" tokens of one map line, by the offset of their
// first digit.
std::vector<qsizetype> HexTokens(const QByteArray& pdf, qsizetype begin, qsizetype end,
                                 bool& has_array) {
  std::vector<qsizetype> tokens;
  has_array = false;
  for (qsizetype i = begin; i < end; ++i) {
    if (pdf[i] == '[') has_array = true;
    if (pdf[i] != '<' || i + 5 >= end || pdf[i + 5] != '>') continue;
    bool hex = true;
    for (int k = 1; k <= 4; ++k) hex = hex && HexValue(pdf[i + k]) >= 0;
    if (hex) tokens.push_back(i + 1);
  }
  return tokens;
}

void Replace(QByteArray& pdf, qsizetype at, const Replacements& map) {
  char16_t value = 0;
  for (int k = 0; k < 4; ++k) value = static_cast<char16_t>(value * 16 + HexValue(pdf[at + k]));
  auto it = map.find(value);
  if (it == map.end()) return;
  static const char kDigits[] = "0123456789ABCDEF";
  for (int k = 0; k < 4; ++k) pdf[at + k] = kDigits[(it->second >> (12 - 4 * k)) & 0xF];
}

}  // namespace

QByteArray RestoreDrawnCodePoints(const QByteArray& pdf, const std::map<QString, QString>& drawn) {
  if (drawn.empty() || !pdf.contains("beginbfrange")) return pdf;
  const Replacements map = SharedGlyphReplacements(drawn);
  if (map.empty()) return pdf;
  QByteArray out = pdf;
  qsizetype from = 0;
  while ((from = out.indexOf("beginbfrange", from)) >= 0) {
    const qsizetype end = out.indexOf("endbfrange", from);
    if (end < 0) break;
    qsizetype line = out.indexOf('\n', from) + 1;
    while (line > 0 && line < end) {
      qsizetype eol = out.indexOf('\n', line);
      if (eol < 0 || eol > end) eol = end;
      // "<first> <last> [<code> ...]" names each glyph's code point;
      // "<first> <last> <code>" counts up from one, which only a range of
      // one glyph can change in place.
      bool has_array = false;
      const std::vector<qsizetype> tokens = HexTokens(out, line, eol, has_array);
      if (tokens.size() >= 3) {
        if (has_array) {
          for (size_t k = 2; k < tokens.size(); ++k) Replace(out, tokens[k], map);
        } else if (out.mid(tokens[0], 4) == out.mid(tokens[1], 4)) {
          Replace(out, tokens[2], map);
        }
      }
      line = eol + 1;
    }
    from = end;
  }
  return out;
}

}  // namespace zelvo
