// Keeps a recovery copy of unsaved work and offers it after a crash. While the editor's text has
// unsaved changes, a copy is written a few seconds after a change (at most one write per interval,
// however fast the typing); it is removed once the text is saved or discarded and at a normal
// exit. At start, whenever a file is opened and at "Новый проект", a copy left behind for that
// knowledge base is offered in the box "Восстановление".
#ifndef VEKSA_UI_RECOVERY_KEEPER_H_
#define VEKSA_UI_RECOVERY_KEEPER_H_

#include <QObject>
#include <QTimer>

#include "ui/recovery_store.h"

namespace veksa {

class MainWindow;

class RecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  // How long after a change the copy is written, at most.
  static constexpr int kDelayMs = 3000;

  // Watches `window`'s editor; the first offer follows once the event loop runs.
  RecoveryKeeper(MainWindow& window, const RecoveryStore& store);

  // Offers the copy of the current knowledge base when there is one to offer: "Восстановить"
  // puts its text into the editor (unsaved), "Удалить копию" removes it.
  void offer();
  // Writes the copy of the unsaved text now (the timer's work).
  void writeNow();
  const QTimer& timer() const { return timer_; }

 private:
  void textChanged();
  void modifiedChanged(bool modified);
  // Offers once the current command and event are over.
  void offerLater();
  void removeCopy();

  MainWindow& window_;
  RecoveryStore store_;
  QTimer timer_;
  QString written_;  // the copy on disk for the current text; empty when none
  bool offerQueued_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_RECOVERY_KEEPER_H_
