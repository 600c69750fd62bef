// The diagnostics report window (TForm18, "Результат диагностики"): the faults that the
// diagnostics could not repair, in a read-only memo. Esc, Enter and the close box hide it; a
// double-click on a line asks for the knowledge-base line it speaks of.
#ifndef VEKSA_UI_REPORT_WINDOW_H_
#define VEKSA_UI_REPORT_WINDOW_H_

#include <QWidget>

#include "engine/workspace.h"

class QPlainTextEdit;

namespace veksa {

class ReportWindow : public QWidget {
  Q_OBJECT

 public:
  ReportWindow(const Workspace& ws, QWidget* parent);

  QPlainTextEdit* memo() const { return memo_; }  // Memo1

  // Shows the workspace's report when it has changed (a pass, a reset).
  void refresh();
  void showReport();

 signals:
  // A line of the report was double-clicked (0-based).
  void lineActivated(std::size_t reportLine);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  const Workspace& ws_;
  QPlainTextEdit* memo_;
  Lines shown_;
  bool placed_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_REPORT_WINDOW_H_
