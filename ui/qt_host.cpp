// The desktop program's host.
#include "ui/qt_host.h"

#include <QApplication>
#include <algorithm>

#include "engine/why_asked.h"
#include "kb/locate.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/input_guard.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/question_dialog.h"
#include "ui/result_windows.h"
#include "ui/timing_window.h"
#include "ui/trace_window.h"

namespace veksa {

namespace {

// "раз" or "раза" after the number n.
QString times(int n) {
  const int last = n % 10, lastTwo = n % 100;
  const bool few = last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14);
  return QString::number(n) + (few ? QStringLiteral(" раза") : QStringLiteral(" раз"));
}

}  // namespace

QtHost::QtHost(MainWindow& window, QuestionDialog& question, TraceWindow& trace)
    : window_(window), question_(question), trace_(trace) {}

QtHost::~QtHost() = default;

void QtHost::beginRun() {
  counting_ = true;
  shown_.clear();
}

QString QtHost::endRun() {
  counting_ = false;
  QStringList repeated;
  for (const auto& [text, count] : shown_) {
    if (count > 1) {
      repeated << QStringLiteral("Сообщение «%1» выдано %2 за прогон")
                      .arg(toQString(text), times(count));
    }
  }
  shown_.clear();
  return repeated.join(QStringLiteral("; "));
}

void QtHost::letWindowsPaint() {
  if (guard_) {
    InputGuard::letWindowsPaint();
  } else {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

Answer QtHost::ask(const Question& question) {
  // The user sees the text that is being run (the chosen sections) while answering.
  window_.editor()->pushLines();
  // "Почему?" reads the text being run and the rules it runs: the traced rule, or the path (the
  // sequential one while none is set, as for the comparison of the methods).
  const Workspace& ws = window_.workspace();
  question_.setWhyEntries([&ws](const Line& parameter) {
    Lines path = ws.TraceMode ? Lines{ws.traceRule} : ws.RulePath;
    if (path.empty()) {
      for (const RuleLine& r : ruleLines(ws.lines)) path.push_back(r.name);
    }
    return whyAsked(ws.lines, path, parameter);
  });
  return question_.ask(question);
}

void QtHost::message(const Line& text) {
  if (counting_) {
    // Within a run a message is shown once; endRun tells how often it came.
    auto seen = std::find_if(shown_.begin(), shown_.end(),
                             [&](const auto& entry) { return entry.first == text; });
    if (seen != shown_.end()) {
      ++seen->second;
      return;
    }
    shown_.emplace_back(text, 1);
  }
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

void QtHost::showResults() {
  // The results window takes the keys, so that Enter pressed on after the last answer does not
  // type into the knowledge base.
  ResultsWindow* results = window_.resultsWindow();
  results->showTable();
  results->activateWindow();
}

void QtHost::progress(int percent) {
  window_.timingWindow()->setProgress(percent);
  letWindowsPaint();
}

void QtHost::showTiming(bool visible) {
  TimingWindow* timing = window_.timingWindow();
  if (visible) {
    timing->show();
    timing->raise();
    if (!guard_) guard_ = std::make_unique<InputGuard>(timing);
  } else {
    timing->hide();
    guard_.reset();  // what the user gave meanwhile is dropped, not replayed now
  }
  letWindowsPaint();
}

bool QtHost::saveBeforeRun(Workspace&) { return window_.saveBeforeRun(); }

}  // namespace veksa
