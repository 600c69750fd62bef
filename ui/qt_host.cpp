// The desktop program's host.
#include "ui/qt_host.h"

#include <QApplication>

#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/question_dialog.h"
#include "ui/result_windows.h"
#include "ui/timing_window.h"
#include "ui/trace_window.h"

namespace veksa {

namespace {

// Lets the windows paint while the engine works, without letting the user start anything.
void letWindowsPaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace

Answer QtHost::ask(const Question& question) {
  // The user sees the text that is being run (the chosen sections) while answering.
  window_.editor()->pushLines();
  return question_.ask(question);
}

void QtHost::message(const Line& text) {
  window_.editor()->pushLines();  // repairs and assembled sections are on screen with the box
  window_.dialogs().message(&window_, toQString(text));
}

void QtHost::traceStep(std::size_t lineIndex) {
  const Workspace& ws = window_.workspace();
  window_.editor()->pushLines();
  window_.editor()->selectLine(lineIndex);
  window_.refreshResultWindows();  // the rows written so far
  trace_.showStep(lineIndex < ws.lines.size() ? toQString(ws.lines[lineIndex]) : QString());
}

void QtHost::showResults() { window_.resultsWindow()->showTable(); }

void QtHost::progress(int percent) {
  window_.timingWindow()->setProgress(percent);
  letWindowsPaint();
}

void QtHost::showTiming(bool visible) {
  TimingWindow* timing = window_.timingWindow();
  if (visible) {
    timing->show();
    timing->raise();
  } else {
    timing->hide();
  }
  letWindowsPaint();
}

bool QtHost::saveBeforeRun(Workspace&) { return window_.saveBeforeRun(); }

}  // namespace veksa
