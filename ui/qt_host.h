// The engine's window to the user in the desktop program: questions in the question dialog,
// messages in message boxes, trace steps in the trace window and the editor, the results window,
// the timing window's gauge, and the main window's save before a run.
#ifndef VEKSA_UI_QT_HOST_H_
#define VEKSA_UI_QT_HOST_H_

#include "engine/host.h"

namespace veksa {

class MainWindow;
class QuestionDialog;
class TraceWindow;

class QtHost : public Host {
 public:
  QtHost(MainWindow& window, QuestionDialog& question, TraceWindow& trace)
      : window_(window), question_(question), trace_(trace) {}

  Answer ask(const Question& question) override;
  void message(const Line& text) override;
  void traceStep(std::size_t lineIndex) override;
  void showResults() override;
  void progress(int percent) override;
  void showTiming(bool visible) override;
  bool saveBeforeRun(Workspace& ws) override;

 private:
  MainWindow& window_;
  QuestionDialog& question_;
  TraceWindow& trace_;
};

}  // namespace veksa

#endif  // VEKSA_UI_QT_HOST_H_
