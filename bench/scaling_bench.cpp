// How each operation grows with the size of the knowledge base: load, save, diagnostics, one pass
// and the whole run (questions and the timing loop of 242 passes), beside two text-scan baselines:
// splitting the lines into words once, and reading the file and splitting it into words and
// comparing them with the keywords 242 times, the floor of any run that reads its text on every
// pass. Every figure is the processor time of a child process of its own, so its peak memory is
// that operation's alone (with the generated knowledge base it works on). Prints a Markdown table:
// median time, peak resident memory, the growth from 1,000 to 10,000 rules and the multiple of
// the 242 text scans.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
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

struct Figure {
  double medianMs = 0;
  double bestMs = 0;  // the fastest repetition
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

// One operation: `make` prepares it (untimed) and returns what one timed repetition does.
struct Operation {
  const char* name;
  std::function<std::function<void()>(const GeneratedKb&, const std::string& file)> make;
};

std::size_t sink = 0;

// The lines of a knowledge-base file; a file that does not load ends the benchmark.
Lines loadOrAbort(const std::string& file) {
  Lines lines;
  std::string error;
  if (!loadKnowledgeBase(file, lines, error)) std::abort();
  return lines;
}

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
           const Lines lines = loadOrAbort(file);
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
         return [file] { sink += loadOrAbort(file).size(); };
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
      {"whole run of 2 passes (memory per pass)",
       [](const GeneratedKb& kb, const std::string&) {
         auto setup = std::make_shared<RunSetup>(kb);
         setup->ws.RepeatCount = 0;
         return [setup] { setup->run(); };
       }},
      {"whole run (242 passes)",
       [](const GeneratedKb& kb, const std::string&) {
         auto setup = std::make_shared<RunSetup>(kb);
         return [setup] { setup->run(); };
       }},
  };
}

// The processor time of this process so far, in milliseconds: what other work on a shared machine
// takes of the processor does not count.
double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Measures one operation at one size in a child process.
Figure measure(const Operation& op, int rules) {
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
    // At least three times and for at least 200 ms of processor time: the median.
    std::vector<double> ms;
    double total = 0;
    while (ms.size() < 3 || (total < 200 && ms.size() < 2000)) {
      const double start = cpuMs();
      timed();
      ms.push_back(cpuMs() - start);
      total += ms.back();
    }
    std::sort(ms.begin(), ms.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Figure f{ms[ms.size() / 2], ms.front(), usage.ru_maxrss};
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

// Every operation at every size once per round, the rounds one after another, so that a change in
// the machine's load over the minutes of a measurement touches all figures alike. Two estimates of
// each time: the median over the rounds (of each round's median repetition), and the best: the
// fastest repetition of all rounds. On a shared machine other work only ever adds to a time (its
// processes take the caches and the memory bus even when they do not take this processor), so the
// best time is the closest to what the operation itself costs; the medians show what it costs
// among the neighbours of the day. The growth from 1,000 to 10,000 rules is given from the best
// times and as the median of the rounds' own growths (the two sizes of one operation are measured
// one right after the other). A second argument measures only the operations whose names contain
// it (and the baseline of a run).
int main(int argc, char** argv) {
  using namespace veksa::bench;
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::string only = argc > 2 ? argv[2] : "";
  const std::string baseline = "text scan ×242 (baseline of a run)";
  const int sizes[] = {50, 100, 1000, 10000};
  std::vector<Operation> ops;
  for (Operation& op : operations()) {
    if (std::string(op.name).find(only) != std::string::npos || op.name == baseline) {
      ops.push_back(std::move(op));
    }
  }
  std::map<std::string, std::map<int, std::vector<Figure>>> samples;
  for (int round = 0; round < rounds; ++round) {
    for (const Operation& op : ops) {
      for (int rules : sizes) {
        Figure f = measure(op, rules);
        samples[op.name][rules].push_back(f);
        std::fprintf(stderr, "round %d: %s %d: %.3f ms\n", round + 1, op.name, rules, f.medianMs);
      }
    }
  }
  std::map<std::string, std::map<int, Figure>> figures;
  std::map<std::string, double> growth;
  for (auto& [name, bySize] : samples) {
    std::vector<double> growths;
    for (std::size_t r = 0; r < bySize[1000].size(); ++r) {
      growths.push_back(bySize[10000][r].medianMs / bySize[1000][r].medianMs);
    }
    std::sort(growths.begin(), growths.end());
    growth[name] = growths[growths.size() / 2];
    for (auto& [rules, list] : bySize) {
      std::sort(list.begin(), list.end(),
                [](const Figure& a, const Figure& b) { return a.medianMs < b.medianMs; });
      Figure& f = figures[name][rules];
      f.medianMs = list[list.size() / 2].medianMs;
      f.bestMs = list.front().bestMs;
      for (const Figure& x : list) {
        f.peakKb = std::max(f.peakKb, x.peakKb);
        f.bestMs = std::min(f.bestMs, x.bestMs);
      }
    }
  }
  auto table = [&](const char* title, double Figure::*ms, bool pairedGrowth) {
    std::printf("%s\n\n", title);
    std::printf(
        "| operation | 50 rules | 100 rules | 1,000 rules | 10,000 rules | growth 1,000→10,000 | "
        "peak memory at 10,000 | × text scan ×242 at 10,000 |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    const double runScan = figures[baseline][10000].*ms;
    for (const Operation& op : ops) {
      auto& f = figures[op.name];
      const double growthShown =
          pairedGrowth ? growth[op.name] : f[10000].*ms / f[1000].*ms;
      std::printf("| %s | %.3f ms | %.3f ms | %.3f ms | %.3f ms | %.1f× | %.1f MB | %.2f× |\n",
                  op.name, f[50].*ms, f[100].*ms, f[1000].*ms, f[10000].*ms, growthShown,
                  f[10000].peakKb / 1024.0, f[10000].*ms / runScan);
    }
    std::printf("\n");
  };
  table("Best times (the fastest repetition of all rounds):", &Figure::bestMs, false);
  table("Median times (the median over the rounds; growth: the median of the rounds' growths):",
        &Figure::medianMs, true);
  return veksa::bench::sink == 0;  // keeps the work observable
}
