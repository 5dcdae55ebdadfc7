// The text layer of the PDF files Qt writes: what a reader copies or finds
// when it searches the sheet.
#ifndef ZELVOMINI_UI_PRINT_PDF_TEXT_LAYER_H_
#define ZELVOMINI_UI_PRINT_PDF_TEXT_LAYER_H_

#include <QByteArray>
#include <QString>
#include <map>

namespace zelvo {

// Qt writes each embedded font's ToUnicode map from the font's character
// map, taking for every glyph the lowest code point that maps to it.  CJK
// fonts share one glyph between an ideograph and its radical (鹿 U+9E7F and
// ⿅ U+2FC5 in Noto Sans CJK), so the sheet's team names were copied and
// searched as radicals.  `drawn` holds the text drawn per font family; each
// code point of the maps that was never drawn but shares its glyph with one
// that was is replaced by the drawn one.  The entries keep their length, so
// the file's offsets stay valid.
QByteArray RestoreDrawnCodePoints(const QByteArray& pdf, const std::map<QString, QString>& drawn);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_PRINT_PDF_TEXT_LAYER_H_
