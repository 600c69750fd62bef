// Every message box and file, print and printer dialog of the windows goes through this interface,
// so that the program shows its dialogs and the tests answer them from a script. On screen each
// opens over the window the user is working in, above the always-on-top tool windows; `parent`
// is where it belongs when no other window of the program is active (ui/message_box.h).
#ifndef VEKSA_UI_DIALOGS_H_
#define VEKSA_UI_DIALOGS_H_

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace veksa {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A plain modal message box with OK.
  virtual void message(QWidget* parent, const QString& text) = 0;
  // An error box with OK: a file that cannot be read or written, a find text that is missing.
  virtual void error(QWidget* parent, const QString& text) = 0;
  // A question with OK and Cancel; true for OK.
  virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
  // A question with the given buttons, left to right: the index of the one chosen. The first is
  // the default (Enter); Esc and the close box choose the last.
  virtual int choose(QWidget* parent, const QString& title, const QString& text,
                     const QStringList& buttons) = 0;
  // The box "Восстановление" offering a recovery copy of unsaved work: true for "Восстановить",
  // which Esc and the close box also choose (nothing is lost by it), false for "Удалить копию".
  virtual bool offerRecovery(QWidget* parent, const QString& text) = 0;
  // The open and save dialogs: the chosen file's full name, or the empty text when cancelled.
  // The save dialog asks before replacing an existing file.
  virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
  virtual QString saveFileName(QWidget* parent, const QString& filter) = 0;
  // The print and printer set-up dialogs; false when cancelled.
  virtual bool print(QWidget* parent, QPrinter& printer) = 0;
  virtual bool printerSetup(QWidget* parent, QPrinter& printer) = 0;
};

// The real dialogs.
class QtDialogs : public Dialogs {
 public:
  void message(QWidget* parent, const QString& text) override;
  void error(QWidget* parent, const QString& text) override;
  bool question(QWidget* parent, const QString& title, const QString& text) override;
  int choose(QWidget* parent, const QString& title, const QString& text,
             const QStringList& buttons) override;
  bool offerRecovery(QWidget* parent, const QString& text) override;
  QString openFileName(QWidget* parent, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& filter) override;
  bool print(QWidget* parent, QPrinter& printer) override;
  bool printerSetup(QWidget* parent, QPrinter& printer) override;
};

}  // namespace veksa

#endif  // VEKSA_UI_DIALOGS_H_
