#include "ui/qt/mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QWidget>
#include <algorithm>
#include <set>
#include <vector>

namespace zelvo {
namespace {

// The letters the usual captions take, as Windows programs give them.
QChar PreferredLetter(const QString& text) {
  struct Usual {
    const char* caption;
    char letter;
  };
  static const Usual kUsual[] = {
      {"OK", 'O'},       {"キャンセル", 'C'}, {"閉じる", 'C'},   {"追加", 'A'},
      {"削除", 'D'},     {"はい", 'Y'},       {"いいえ", 'N'},   {"参照", 'R'},
      {"貼り付け", 'V'}, {"消去", 'L'},       {"ファイル", 'F'}, {"保存", 'S'},
  };
  for (const Usual& u : kUsual) {
    if (text.startsWith(QString::fromUtf8(u.caption))) return QChar(u.letter);
  }
  return {};
}

void TakeLetter(std::set<QChar>& used, const QString& text) {
  const QChar c = MnemonicLetter(text);
  if (!c.isNull()) used.insert(c);
}

}  // namespace

QChar MnemonicLetter(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text[i + 1].toUpper();
  }
  return {};
}

void GiveMnemonics(QWidget* window) {
  std::set<QChar> used;
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) TakeLetter(used, b->text());
  for (QLabel* l : window->findChildren<QLabel*>()) {
    if (l->buddy()) TakeLetter(used, l->text());
  }
  for (QGroupBox* g : window->findChildren<QGroupBox*>()) TakeLetter(used, g->title());
  for (QTabBar* t : window->findChildren<QTabBar*>()) {
    for (int i = 0; i < t->count(); ++i) TakeLetter(used, t->tabText(i));
  }
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    for (QAction* a : main->menuBar()->actions()) TakeLetter(used, a->text());
  }
  // The usual captions (OK, キャンセル, 閉じる) first, so that they keep
  // their usual letters.
  std::vector<QPushButton*> buttons;
  for (QPushButton* b : window->findChildren<QPushButton*>()) {
    const QString text = b->text();
    if (text.isEmpty() || !MnemonicLetter(text).isNull() || !b->shortcut().isEmpty()) continue;
    buttons.push_back(b);
  }
  std::stable_partition(buttons.begin(), buttons.end(),
                        [](QPushButton* b) { return !PreferredLetter(b->text()).isNull(); });
  for (QPushButton* b : buttons) {
    const QString text = b->text();
    QChar letter = PreferredLetter(text);
    if (letter.isNull() || used.count(letter)) {
      letter = {};
      // A Latin letter of the caption itself, else the first free one.
      for (QChar c : text) {
        if (c.isLetter() && c.unicode() < 128 && !used.count(c.toUpper())) {
          letter = c.toUpper();
          break;
        }
      }
      for (char c = 'A'; letter.isNull() && c <= 'Z'; ++c) {
        if (!used.count(QChar(c))) letter = QChar(c);
      }
    }
    if (letter.isNull()) continue;
    used.insert(letter);
    const qsizetype at = text.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at >= 0 && text[at].unicode() < 128) {
      b->setText(text.left(at) + '&' + text.mid(at));
    } else if (text.endsWith("...")) {
      b->setText(text.left(text.size() - 3) + "(&" + letter + ")...");
    } else {
      b->setText(text + "(&" + letter + ")");
    }
  }
}

}  // namespace zelvo
