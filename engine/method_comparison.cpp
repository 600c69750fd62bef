// The comparison of the inference methods.
#include "engine/method_comparison.h"

#include <chrono>
#include <map>
#include <memory>

#include "engine/answers_host.h"
#include "engine/file_store.h"
#include "engine/run_driver.h"
#include "engine/workspace.h"
#include "kb/number.h"

namespace veksa {

namespace {

constexpr std::u16string_view kComparedFile = u"compared.vks";

// The host of the first run when it asks: the questions go to the asker, the rest stays silent.
class AskingHost : public AnswersHost {
 public:
  AskingHost(const Workspace& ws, Host& asker) : AnswersHost(ws), asker_(asker) {}
  Answer ask(const Question& question) override { return asker_.ask(question); }

 private:
  Host& asker_;
};

// One run of the knowledge base under `method`, measured.
MethodMeasure measure(const ComparisonSetup& setup, InferenceMethod method, AnswersHost& host,
                      Workspace& ws) {
  MethodMeasure m;
  m.method = method;
  try {
    Run1Result prepared = Run1(ws, host);
    if (prepared.choice) {
      SectionChoice choice = std::move(*prepared.choice);
      Line unknown;
      if (!setup.sections.empty() && !tickSections(choice, setup.sections, &unknown)) {
        m.error = u"Нет раздела " + unknown;
        return m;
      }
      SectionChoiceDone(ws, host, std::move(choice));
    }
  } catch (const RunError& e) {
    m.error = e.message();
  } catch (const ScriptError& e) {
    m.error = fromUtf8(e.what());
  }
  m.passes = ws.lastRun.passes;
  m.counts = ws.lastRun.lastPass.counts;
  if (m.passes > 0) {
    const double us = std::chrono::duration<double, std::micro>(ws.lastRun.elapsed).count();
    m.microsecondsPerPass = us / static_cast<double>(m.passes);
  }
  if (!ws.results.empty()) {
    m.cls = ws.results.cell(0, 0);
    m.value = ws.results.cell(0, 1);
    m.certainty = ws.results.cell(0, 2);
  }
  return m;
}

// Recorded answers as a script that gives them again.
std::map<Line, ScriptedAnswer> script(const std::vector<RecordedAnswer>& recorded) {
  std::map<Line, ScriptedAnswer> answers;
  for (const RecordedAnswer& a : recorded) {
    answers[a.parameter] = ScriptedAnswer{a.button, a.position, a.ticked};
  }
  return answers;
}

}  // namespace

std::vector<MethodMeasure> compareMethods(const ComparisonSetup& setup) {
  std::vector<MethodMeasure> out;
  std::map<Line, ScriptedAnswer> answers = script(setup.answers);
  for (const MethodTraits& traits : kInferenceMethods) {
    const InferenceMethod method = traits.method;
    auto store = std::make_unique<MemoryFileStore>();
    store->put(Line(kComparedFile), setup.lines);
    Workspace ws(std::move(store));
    ws.caption = kComparedFile;
    ws.lines = setup.lines;
    ws.ProjectState = kProjectOpen;
    ws.DiagnosticsOff = true;
    chooseMethod(ws, method);
    if (setup.path) ws.RulePath = *setup.path;
    const bool asks = out.empty() && setup.asker != nullptr;
    std::unique_ptr<AnswersHost> host =
        asks ? std::make_unique<AskingHost>(ws, *setup.asker) : std::make_unique<AnswersHost>(ws);
    host->answers = answers;
    out.push_back(measure(setup, method, *host, ws));
    if (asks) answers = script(ws.lastRun.answers);
  }
  return out;
}

}  // namespace veksa
