// The recovery copy of unsaved work: written after changes, removed after a save, a discard or a
// normal exit, offered at start and when a file is opened.
#include "ui/recovery_keeper.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>

#include "kb/kbfile.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace veksa {

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const RecoveryStore& store)
    : QObject(&window), window_(window), store_(store) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMs);
  connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
  EditorWindow* editor = window.editor();
  connect(editor, &EditorWindow::textChanged, this, &RecoveryKeeper::textChanged);
  connect(editor, &EditorWindow::modifiedChanged, this, &RecoveryKeeper::modifiedChanged);
  connect(&window, &MainWindow::projectLoaded, this, &RecoveryKeeper::offerLater);
  connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
          &RecoveryKeeper::removeCopy);
  offerLater();
}

void RecoveryKeeper::textChanged() {
  // The timer is not restarted by later changes: steady typing is copied every few seconds.
  if (window_.editor()->isModified() && !timer_.isActive()) timer_.start();
}

void RecoveryKeeper::modifiedChanged(bool modified) {
  if (modified) return;
  timer_.stop();
  removeCopy();
}

void RecoveryKeeper::writeNow() {
  EditorWindow* editor = window_.editor();
  if (!editor->isModified()) return;
  if (editor->inRunView()) {  // the run's own text is on screen; the user's comes back after it
    timer_.start();
    return;
  }
  const Workspace& ws = window_.workspace();
  const QString caption = toQString(ws.caption);
  const QString path = store_.copyPath(caption);
  if (written_ != path) removeCopy();
  // A text narrowed by the tree is a part of its file: the copy holds the whole file's text.
  Lines text = splitLines(editor->plainText());
  if (ws.narrowing) {
    text.insert(text.begin(), ws.narrowing->before.begin(), ws.narrowing->before.end());
    text.insert(text.end(), ws.narrowing->after.begin(), ws.narrowing->after.end());
  }
  std::string error;
  if (store_.write(caption, text, error)) {
    written_ = path;
  } else {
    window_.statusBar()->showMessage(QString::fromStdString(error), 10000);
  }
}

void RecoveryKeeper::offerLater() {
  if (offerQueued_) return;
  offerQueued_ = true;
  QMetaObject::invokeMethod(this, &RecoveryKeeper::offer, Qt::QueuedConnection);
}

void RecoveryKeeper::offer() {
  offerQueued_ = false;
  EditorWindow* editor = window_.editor();
  if (editor->isClosed() || editor->inRunView()) return;
  const QString caption = toQString(window_.workspace().caption);
  const std::optional<RecoveryStore::Copy> copy = store_.pending(caption);
  if (!copy) {
    QFile::remove(store_.copyPath(caption));  // older than its file: the file was saved since
    return;
  }
  const QString text = QStringLiteral("Найдена копия несохранённых изменений базы знаний %1 от %2.")
                           .arg(QFileInfo(caption).fileName(),
                                copy->time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
  if (!window_.dialogs().offerRecovery(&window_, text)) {
    QFile::remove(copy->path);
    return;
  }
  Lines lines;
  std::string error;
  if (!loadKnowledgeBase(copy->path.toStdString(), lines, error)) {
    window_.dialogs().error(&window_, QString::fromStdString(error));
    return;
  }
  written_ = copy->path;
  {
    CommandScope scope(window_);
    window_.workspace().replaceText(std::move(lines));
  }
  if (!editor->isModified()) removeCopy();  // the copy held the file's own text
}

void RecoveryKeeper::removeCopy() {
  if (written_.isEmpty()) return;
  QFile::remove(written_);
  written_.clear();
}

}  // namespace veksa
