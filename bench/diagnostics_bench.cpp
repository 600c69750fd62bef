// The diagnostics command over generated knowledge bases of growing size: the time must grow in
// proportion to the number of rules. Prints one line per size.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "diagnostics/test_support.h"

namespace {

// The best of three runs, in milliseconds.
double measure(const veksa::Lines& lines, veksa::DiagnosticsOutcome& outcome) {
  double best = 1e300;
  for (int run = 0; run < 3; ++run) {
    veksa::Workspace ws;
    ws.lines = lines;
    veksa::testing::RecordingHost host;
    auto start = std::chrono::steady_clock::now();
    veksa::N49Click(ws, host, &outcome);
    auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
  }
  return best;
}

}  // namespace

int main() {
  std::printf("%8s %10s %9s %12s %10s\n", "rules", "variables", "lines", "time (ms)", "us/rule");
  for (bool variables : {true, false}) {
    for (std::size_t rules : {2500, 5000, 10000, 20000, 40000}) {
      veksa::Lines lines = veksa::testing::generatedKnowledgeBase(rules, variables);
      veksa::DiagnosticsOutcome outcome;
      double ms = measure(lines, outcome);
      if (outcome != veksa::DiagnosticsOutcome::Clean) {
        std::fprintf(stderr, "the generated knowledge base is not clean\n");
        return EXIT_FAILURE;
      }
      std::printf("%8zu %10s %9zu %12.1f %10.2f\n", rules, variables ? "yes" : "no", lines.size(),
                  ms, 1000.0 * ms / static_cast<double>(rules));
    }
  }
  // Faulty texts whose check walks run across rule boundaries (rules without END).
  std::printf("\n%-44s %8s %12s %14s\n", "faulty text", "rules", "time (ms)", "report lines");
  auto faulty = [](const char* what, std::size_t rules, auto make) {
    veksa::Lines lines = veksa::testing::helpHead();
    for (std::size_t k = 0; k < rules; ++k) make(lines, k);
    veksa::Workspace ws;
    ws.lines = lines;
    veksa::testing::RecordingHost host;
    auto start = std::chrono::steady_clock::now();
    veksa::N49Click(ws, host);
    auto end = std::chrono::steady_clock::now();
    std::printf("%-44s %8zu %12.1f %14zu\n", what, rules,
                std::chrono::duration<double, std::milli>(end - start).count(), ws.report.size());
    std::fflush(stdout);
  };
  for (std::size_t rules : {2500, 5000, 10000}) {
    faulty("CASE rules without END", rules, [](veksa::Lines& l, std::size_t k) {
      l.push_back(u"NAME R" + veksa::fromUtf8(std::to_string(k)));
      l.push_back(u"CASE шипы");
      l.push_back(u"есть цветок роза [0,9]");
    });
  }
  for (std::size_t rules : {2500, 5000, 10000}) {
    faulty("rules \"x NAME R\" without END", rules, [](veksa::Lines& l, std::size_t k) {
      l.push_back(u"x NAME R" + veksa::fromUtf8(std::to_string(k)));
      l.push_back(u"IF окрас белый");
    });
  }
  for (std::size_t rules : {2500, 5000, 10000}) {
    faulty("sections never closed", rules, [](veksa::Lines& l, std::size_t k) {
      l.push_back(u"РАЗДЕЛ S" + veksa::fromUtf8(std::to_string(k)));
      l.push_back(u"NAME R" + veksa::fromUtf8(std::to_string(k)));
      l.push_back(u"IF оперение листья");
      l.push_back(u"THEN дерево берёза [0,9]");
      l.push_back(u"ELSE дерево ёлка [0,9]");
      l.push_back(u"END");
    });
  }
  return EXIT_SUCCESS;
}
