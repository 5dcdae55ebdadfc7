#include "ui/qt/glyph_check.h"

#include <QAbstractButton>
#include <QAction>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTextLayout>
#include <QWidget>
#include <utility>

namespace zelvo {
namespace {

// Lays the text out as the widget would, font fallback included: its glyphs
// and how many are glyph 0, a font's box for a character it lacks.
std::pair<int, int> Glyphs(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  int glyphs = 0, missing = 0;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    for (quint32 glyph : run.glyphIndexes()) {
      ++glyphs;
      if (glyph == 0) ++missing;
    }
  }
  return {glyphs, missing};
}

void Count(const QString& text, const QFont& font, GlyphCount& count) {
  QString plain = text;
  plain.remove('&');
  if (plain.trimmed().isEmpty()) return;
  const auto [glyphs, missing] = Glyphs(plain, font);
  count.glyphs += glyphs;
  count.missing += missing;
  if (missing == 0) return;
  for (QChar c : plain) {
    if (!c.isSpace() && !count.missing_text.contains(c) && Glyphs(c, font).second > 0) {
      count.missing_text += c;
    }
  }
}

void CountMenu(const QList<QAction*>& actions, const QFont& font, GlyphCount& count) {
  for (const QAction* action : actions) {
    Count(action->text(), font, count);
    if (action->menu()) CountMenu(action->menu()->actions(), action->menu()->font(), count);
  }
}

}  // namespace

GlyphCount CountGlyphs(const QWidget& window) {
  GlyphCount count;
  Count(window.windowTitle(), window.font(), count);
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
      Count(label->text(), label->font(), count);
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
      Count(button->text(), button->font(), count);
    } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
      Count(group->title(), group->font(), count);
    } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
      for (int i = 0; i < tabs->count(); ++i) Count(tabs->tabText(i), tabs->font(), count);
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(w)) {
      CountMenu(bar->actions(), bar->font(), count);
    }
  }
  return count;
}

}  // namespace zelvo
