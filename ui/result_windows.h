// The four windows of the run tables: facts (TForm12), results (TForm11), protocol (TForm14) and
// variables (TForm16). The user may edit the first column of the protocol and of the variables.
#ifndef VEKSA_UI_RESULT_WINDOWS_H_
#define VEKSA_UI_RESULT_WINDOWS_H_

#include "engine/workspace.h"
#include "ui/table_window.h"

class QAction;
class QMenu;

namespace veksa {

class ExplanationWindow;

class FactsWindow : public TableWindow {
  Q_OBJECT
 public:
  FactsWindow(Workspace& ws, QWidget* parent);
};

// Its caption is the workspace's results caption, which a run sets. A double-click on a row, or
// its context menu's "Как получено", explains how the last run reached that hypothesis.
class ResultsWindow : public TableWindow {
  Q_OBJECT
 public:
  ResultsWindow(Workspace& ws, QWidget* parent);
  // Also keeps an explanation on screen in step with the last run.
  void refresh() override;

  QAction* explainAction() const { return explainAction_; }  // "Как получено"
  ExplanationWindow* explanationWindow() const { return explanation_; }
  // Shows the explanation of the hypothesis of row `row`.
  void explainRow(int row);

 private:
  void showExplanation();

  Workspace& ws_;
  QMenu* rowMenu_;
  QAction* explainAction_;
  ExplanationWindow* explanation_;
  QString explainedClass_, explainedValue_;
};

class ProtocolWindow : public TableWindow {
  Q_OBJECT
 public:
  ProtocolWindow(Workspace& ws, QWidget* parent);
};

class VariablesWindow : public TableWindow {
  Q_OBJECT
 public:
  VariablesWindow(Workspace& ws, QWidget* parent);
};

}  // namespace veksa

#endif  // VEKSA_UI_RESULT_WINDOWS_H_
