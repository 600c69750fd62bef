// The four windows of the run tables: facts (TForm12), results (TForm11), protocol (TForm14) and
// variables (TForm16). The user may edit the first column of the protocol and of the variables.
#ifndef VEKSA_UI_RESULT_WINDOWS_H_
#define VEKSA_UI_RESULT_WINDOWS_H_

#include "engine/workspace.h"
#include "ui/table_window.h"

namespace veksa {

class FactsWindow : public TableWindow {
  Q_OBJECT
 public:
  FactsWindow(Workspace& ws, QWidget* parent);
};

// Its caption is the workspace's results caption, which a run sets.
class ResultsWindow : public TableWindow {
  Q_OBJECT
 public:
  ResultsWindow(Workspace& ws, QWidget* parent);
  void refresh() override;

 private:
  Workspace& ws_;
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
