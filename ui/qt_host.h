// The engine's window to the user in the desktop program: questions in the question dialog,
// messages in message boxes, trace steps in the trace window and the editor, the results window,
// the timing window's gauge, and the main window's save before a run.
#ifndef VEKSA_UI_QT_HOST_H_
#define VEKSA_UI_QT_HOST_H_

#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "engine/host.h"

namespace veksa {

class InputGuard;
class MainWindow;
class QuestionDialog;
class TraceWindow;

class QtHost : public Host {
 public:
  QtHost(MainWindow& window, QuestionDialog& question, TraceWindow& trace);
  ~QtHost() override;

  // A run from its preparation to its end: meanwhile each message is shown once, the first time
  // it comes (a conflict met in each of the timing loop's passes would otherwise ask for Enter
  // hundreds of times). endRun says how often the repeated ones came, or gives the empty text.
  void beginRun();
  QString endRun();

  Answer ask(const Question& question) override;
  void message(const Line& text) override;
  void traceStep(std::size_t lineIndex) override;
  void showResults() override;
  void progress(int percent) override;
  void showTiming(bool visible) override;
  bool saveBeforeRun(Workspace& ws) override;

 private:
  // Lets the windows paint while the engine works, without letting the user start anything.
  void letWindowsPaint();

  MainWindow& window_;
  QuestionDialog& question_;
  TraceWindow& trace_;
  std::unique_ptr<InputGuard> guard_;  // while the timing window is shown
  bool counting_ = false;
  std::vector<std::pair<Line, int>> shown_;  // the messages of this run, how often each came
};

}  // namespace veksa

#endif  // VEKSA_UI_QT_HOST_H_
