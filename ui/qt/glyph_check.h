// How much of a window's text its fonts can draw: the glyphs that the texts
// of its labels, buttons, tabs, menus and title lay out to, and how many of
// them are the missing-glyph box.  The package check asks this of the
// running window on a machine set up as a user's, where a missing Japanese
// font would show every label as a row of boxes.
#ifndef ZELVOMINI_UI_QT_GLYPH_CHECK_H_
#define ZELVOMINI_UI_QT_GLYPH_CHECK_H_

#include <QString>

class QWidget;

namespace zelvo {

struct GlyphCount {
  int glyphs = 0;
  int missing = 0;
  QString missing_text;  // the characters drawn as boxes, once each
};

GlyphCount CountGlyphs(const QWidget& window);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_GLYPH_CHECK_H_
