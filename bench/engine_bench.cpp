// Benchmarks of the engine on generated knowledge bases: one inference pass, and a whole run (the
// question pass and the timing loop of 2 x (RepeatCount + 1) passes).
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "bench/kb_generator.h"
#include "engine/answers_host.h"
#include "engine/file_store.h"
#include "engine/interpreter.h"
#include "engine/question.h"
#include "engine/run_driver.h"

namespace veksa::bench {
namespace {

// A workspace holding a generated knowledge base as the file "bench.vks".
struct Setup {
  explicit Setup(int rules) : ws(std::make_unique<MemoryFileStore>()), host(ws) {
    GeneratedKb kb = generateKnowledgeBase(rules);
    static_cast<MemoryFileStore&>(ws.files()).put(u"bench.vks", kb.lines);
    ws.caption = u"bench.vks";
    ws.lines = kb.lines;
    ws.ProjectState = kProjectOpen;
    host.answers = parseAnswers(kb.answers);
  }
  RunEnd run() {
    Run1Result prepared = Run1(ws, host);
    return prepared.choice ? SectionChoiceDone(ws, host, *prepared.choice) : prepared.end;
  }
  Workspace ws;
  AnswersHost host;
};

void BM_OnePass(benchmark::State& state) {
  Setup s(static_cast<int>(state.range(0)));
  // A trace-free run of one repetition leaves the facts of the question pass behind.
  s.ws.RepeatCount = 0;
  s.run();
  // As the timing loop runs it: with the cache the passes of a run share (built once here). With
  // argument "cold", every pass builds its own rule index and condition memo (as the pass after
  // "стоп" does).
  std::optional<RunCache> cache;
  if (state.range(1) == 0) cache.emplace(s.ws, s.host);
  for (auto _ : state) {
    s.ws.results.clear();
    s.ws.protocol.clear();
    s.ws.variables.clear();
    PassResult r = Button15Click(s.ws, s.host, cache ? &*cache : nullptr);
    benchmark::DoNotOptimize(r);
  }
  state.counters["lines"] = static_cast<double>(s.ws.lines.size());
  state.counters["facts"] = static_cast<double>(s.ws.facts.size());
  state.counters["results"] = static_cast<double>(s.ws.results.size());
  state.counters["protocol"] = static_cast<double>(s.ws.protocol.size());
}
BENCHMARK(BM_OnePass)
    ->ArgNames({"rules", "cold"})
    ->ArgsProduct({{50, 100, 1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_QuestionPass(benchmark::State& state) {
  Setup s(static_cast<int>(state.range(0)));
  s.ws.RulePath.clear();
  ppath(s.ws);
  for (auto _ : state) {
    s.ws.memo.clear();
    s.ws.facts.clear();
    s.host.questions.clear();
    s.host.transcript.clear();
    benchmark::DoNotOptimize(questionPass(s.ws, s.host));
  }
  state.counters["questions"] = static_cast<double>(s.host.questions.size());
}
BENCHMARK(BM_QuestionPass)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WholeRun(benchmark::State& state) {
  Setup s(static_cast<int>(state.range(0)));  // "Прямой и в ширину": 242 passes
  for (auto _ : state) {
    RunEnd end = s.run();
    benchmark::DoNotOptimize(end);
  }
  state.counters["passes"] = 2.0 * (s.ws.RepeatCount + 1);
}
BENCHMARK(BM_WholeRun)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veksa::bench

BENCHMARK_MAIN();
