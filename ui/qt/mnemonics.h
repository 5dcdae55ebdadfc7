// Mnemonics for every button: a push button whose caption carries none gets
// "(&X)" with a letter no other control of its window uses, so that Alt and
// the letter press it in every window, Qt's own dialogs included.
#ifndef ZELVOMINI_UI_QT_MNEMONICS_H_
#define ZELVOMINI_UI_QT_MNEMONICS_H_

#include <QChar>
#include <QString>

class QWidget;

namespace zelvo {

// The mnemonic letter of a caption ("開く(&O)..." -> 'O', "&&" is none), upper
// case; a null QChar for none.
QChar MnemonicLetter(const QString& text);

// Gives the window's push buttons without a mnemonic or key one each.
void GiveMnemonics(QWidget* window);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_MNEMONICS_H_
