// The program's message boxes and common dialogs on screen: each opens over the window the user
// is working in and stays above the always-on-top tool windows, and our boxes carry Russian button
// texts of their own, so they read the same whether or not Qt's translations are installed.
#ifndef VEKSA_UI_MESSAGE_BOX_H_
#define VEKSA_UI_MESSAGE_BOX_H_

#include <QMessageBox>
#include <QStringList>
#include <memory>

class QWidget;

namespace veksa {

// Button texts of our boxes.
inline const QString kOkText = QStringLiteral("ОК");
inline const QString kCancelText = QStringLiteral("Отмена");
inline const QString kYesText = QStringLiteral("Да");
inline const QString kNoText = QStringLiteral("Нет");

// The window that a box or dialog opened now belongs to: the open modal dialog, else the
// program's active window, else `fallback`'s window. The window manager keeps a dialog above the
// window it belongs to and gives it the focus.
QWidget* topWindowFor(QWidget* fallback);

// Keeps a dialog that is not yet shown above the program's always-on-top tool windows.
void keepAbove(QWidget* dialog);

// A modal box over topWindowFor(`parent`) with `buttons` left to right: the first is the default
// (Enter), the last answers Esc and the close box. The box is at least as wide as its title.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            const QStringList& buttons);

// Shows such a box and returns the index of the button chosen.
int showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                   const QString& text, const QStringList& buttons);

}  // namespace veksa

#endif  // VEKSA_UI_MESSAGE_BOX_H_
