// How each operation grows with the size of the knowledge base: load, save, diagnostics, one pass
// and the whole run (questions and the timing loop), beside a text-scan baseline that only splits
// the lines into words. Every figure is measured in a child process of its own, so its peak memory
// is that operation's alone (with the generated knowledge base it works on). Prints a Markdown
// table: median time, peak resident memory, the growth from 1,000 to 10,000 rules and the multiple
// of the text scan.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/kb_generator.h"
#include "diagnostics/diagnostics.h"
#include "engine/answers_host.h"
#include "engine/file_store.h"
#include "engine/interpreter.h"
#include "engine/run_driver.h"
#include "kb/kbfile.h"
#include "kb/keywords.h"
#include "kb/scan.h"

namespace veksa::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Figure {
  double medianMs = 0;
  long peakKb = 0;
};

// The workspace of a run over the generated knowledge base, held as the file "bench.vks".
struct RunSetup {
  explicit RunSetup(const GeneratedKb& kb) : ws(std::make_unique<MemoryFileStore>()), host(ws) {
    static_cast<MemoryFileStore&>(ws.files()).put(u"bench.vks", kb.lines);
    ws.caption = u"bench.vks";
    ws.lines = kb.lines;
    ws.ProjectState = kProjectOpen;
    host.answers = parseAnswers(kb.answers);
  }
  void run() {
    Run1Result prepared = Run1(ws, host);
    if (prepared.choice) SectionChoiceDone(ws, host, *prepared.choice);
  }
  Workspace ws;
  AnswersHost host;
};

// One operation: `prepare` runs untimed before each repetition, `op` is timed.
struct Operation {
  const char* name;
  std::function<std::function<void()>(const GeneratedKb&, const std::string& file)> make;
};

std::size_t sink = 0;

std::vector<Operation> operations() {
  return {
      {"text scan (baseline)",
       [](const GeneratedKb& kb, const std::string&) {
         return [&kb] {
           for (const Line& line : kb.lines) {
             forEachWord(line, [](const Line& w, std::size_t) {
               sink += w.size();
               return true;
             });
           }
         };
       }},
      {"text scan ×242 (baseline of a run)",
       [](const GeneratedKb&, const std::string& file) {
         // What any reading of the text pays once per pass: the file read, then 242 times every
         // line split at spaces and each word compared with the keywords.
         return [file] {
           Lines lines;
           std::string error;
           if (!loadKnowledgeBase(file, lines, error)) std::abort();
           for (int pass = 0; pass < 242; ++pass) {
             for (const Line& line : lines) {
               std::size_t start = 0;
               while (start < line.size()) {
                 std::size_t end = std::min(line.find(u' ', start), line.size());
                 std::u16string_view word(line.data() + start, end - start);
                 for (std::u16string_view keyword : kRuleKeywords) sink += word == keyword;
                 start = end + 1;
               }
             }
           }
         };
       }},
      {"load",
       [](const GeneratedKb&, const std::string& file) {
         return [file] {
           Lines lines;
           std::string error;
           if (!loadKnowledgeBase(file, lines, error)) std::abort();
           sink += lines.size();
         };
       }},
      {"save",
       [](const GeneratedKb& kb, const std::string& file) {
         return [&kb, file] {
           std::string error;
           if (!saveKnowledgeBase(file + ".out", kb.lines, error)) std::abort();
         };
       }},
      {"diagnostics",
       [](const GeneratedKb& kb, const std::string&) {
         return [&kb] {
           Workspace ws;
           ws.lines = kb.lines;
           diagn(ws);
           sink += ws.report.size();
         };
       }},
      {"one pass",
       [](const GeneratedKb& kb, const std::string&) {
         auto setup = std::make_shared<RunSetup>(kb);
         setup->ws.RepeatCount = 0;
         setup->run();  // the facts of the question pass stay for the passes
         auto cache = std::make_shared<RunCache>(setup->ws, setup->host);
         return [setup, cache] {
           setup->ws.results.clear();
           setup->ws.protocol.clear();
           setup->ws.variables.clear();
           sink += Button15Click(setup->ws, setup->host, cache.get()).ConclusionCount;
         };
       }},
      {"whole run (242 passes)",
       [](const GeneratedKb& kb, const std::string&) {
         auto setup = std::make_shared<RunSetup>(kb);
         return [setup] { setup->run(); };
       }},
  };
}

// Measures one operation at one size in a child process.
Figure measure(const Operation& op, int rules, int repetitions) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    GeneratedKb kb = generateKnowledgeBase(rules);
    std::string file = "/tmp/veksa-scaling-" + std::to_string(getpid()) + ".vks";
    std::string error;
    if (!saveKnowledgeBase(file, kb.lines, error)) std::abort();
    std::function<void()> timed = op.make(kb, file);
    std::vector<double> ms;
    for (int i = 0; i < repetitions; ++i) {
      auto start = Clock::now();
      timed();
      ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Figure f{ms[ms.size() / 2], usage.ru_maxrss};
    unlink(file.c_str());
    unlink((file + ".out").c_str());
    if (write(fds[1], &f, sizeof f) != sizeof f) std::abort();
    _exit(0);
  }
  close(fds[1]);
  Figure f;
  if (read(fds[0], &f, sizeof f) != sizeof f) std::abort();
  close(fds[0]);
  waitpid(child, nullptr, 0);
  return f;
}

}  // namespace
}  // namespace veksa::bench

int main(int argc, char** argv) {
  using namespace veksa::bench;
  int repetitions = argc > 1 ? std::atoi(argv[1]) : 5;
  const int sizes[] = {100, 1000, 10000};
  std::map<std::string, std::map<int, Figure>> figures;
  std::vector<Operation> ops = operations();
  for (const Operation& op : ops) {
    for (int rules : sizes) {
      const std::string name = op.name;
      const bool slow = name.find("whole") == 0 || name.find("×242") != std::string::npos;
      int reps = rules == 10000 && slow ? std::min(3, repetitions) : repetitions;
      figures[op.name][rules] = measure(op, rules, reps);
      std::fprintf(stderr, "%s %d: %.3f ms\n", op.name, rules, figures[op.name][rules].medianMs);
    }
  }
  std::printf(
      "| operation | 100 rules | 1,000 rules | 10,000 rules | growth 1,000→10,000 | "
      "peak memory at 10,000 | × text scan at 10,000 | × text scan ×242 at 10,000 |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  double scan = figures["text scan (baseline)"][10000].medianMs;
  double runScan = figures["text scan ×242 (baseline of a run)"][10000].medianMs;
  for (const Operation& op : ops) {
    auto& f = figures[op.name];
    std::printf("| %s | %.3f ms | %.3f ms | %.3f ms | %.1f× | %.1f MB | %.1f× | %.2f× |\n", op.name,
                f[100].medianMs, f[1000].medianMs, f[10000].medianMs,
                f[10000].medianMs / f[1000].medianMs, f[10000].peakKb / 1024.0,
                f[10000].medianMs / scan, f[10000].medianMs / runScan);
  }
  return veksa::bench::sink == 0;  // keeps the work observable
}
