// The rule-path window (TForm5, "Путь"): its memo is the RulePath, one rule name per line, which
// the user may edit freely while the window is shown. Esc and closing only hide it.
#ifndef VEKSA_UI_RULE_PATH_WINDOW_H_
#define VEKSA_UI_RULE_PATH_WINDOW_H_

#include <QWidget>

#include "engine/workspace.h"

class QPlainTextEdit;

namespace veksa {

class RulePathWindow : public QWidget {
  Q_OBJECT

 public:
  RulePathWindow(Workspace& ws, QWidget* parent);

  QPlainTextEdit* memo() const { return memo_; }  // Memo1

  // Shows the RulePath when the workspace changed it.
  void refresh();
  void showPath();
  // While a run is under way the path must stay as the run reads it.
  void setReadOnly(bool readOnly);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Workspace& ws_;
  QPlainTextEdit* memo_;
  bool filling_ = false;
  bool placed_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_RULE_PATH_WINDOW_H_
