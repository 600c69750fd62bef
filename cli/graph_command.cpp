// veksa-cli graph FILE [run options] [-o OUT]: the rule graph of FILE as Graphviz DOT text; with
// a run option, after running FILE as `run` does, with the run's state on the graph.
#include <fstream>
#include <ostream>

#include "cli/commands.h"
#include "cli/run_setup.h"
#include "engine/rule_graph.h"
#include "engine/rule_graph_dot.h"

namespace veksa::cli {

namespace {

constexpr const char* kGraphUsage =
    "usage: veksa-cli graph FILE [--answers FILE] [--method M] [--path FILE] [--section NAME]... "
    "[--trace RULE] [--diagnostics] [-o OUT]\n";

int usageError(std::ostream& err, const std::string& why) {
  err << "veksa-cli graph: " << why << "\n" << kGraphUsage;
  return kExitUsage;
}

// Writes the DOT text to OUT, or prints it when no OUT is given.
int emit(const std::string& dot, const std::string& output, int code, std::ostream& out,
         std::ostream& err) {
  if (output.empty()) {
    out << dot;
    return code;
  }
  std::ofstream file(output, std::ios::binary);
  file << dot;
  file.close();
  if (!file) {
    err << "veksa-cli: не удалось записать файл " << output << "\n";
    return kExitUsage;
  }
  return code;
}

}  // namespace

int graphCommand(const Args& args, std::ostream& out, std::ostream& err) {
  RunOptions o;
  std::string output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string error;
    if (args[i] == "-o") {
      if (i + 1 >= args.size() || !output.empty()) return usageError(err, "-o needs one file");
      output = args[++i];
    } else if (readRunOption(args, i, o, error)) {
      if (!error.empty()) return usageError(err, error);
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      return usageError(err, "unknown option " + args[i]);
    } else {
      o.files.push_back(args[i]);
    }
  }
  if (o.files.size() != 1) return usageError(err, "one FILE is needed");
  if (o.coverage || o.compareMethods || !o.expect.empty()) {
    return usageError(err, "--expect, --coverage and --compare-methods are options of run");
  }
  if (o.traceGiven && !o.sections.empty()) {
    return usageError(err, "--section cannot be used with --trace");
  }
  std::unique_ptr<Workspace> ws = loadForRun(o.files[0], err);
  if (!ws) return kExitUsage;
  if (!o.runAsked) return emit(ruleGraphDot(buildRuleGraph(ws->lines)), output, kExitOk, out, err);

  RunInputs in;
  std::string usage;
  if (!readRunInputs(o, in, err, usage)) return usage.empty() ? kExitUsage : usageError(err, usage);
  AnswersHost host(*ws);  // the run shows nothing: the output is the graph alone
  RunOutcome run = runLoaded(*ws, host, o, in);
  int code = kExitOk;
  switch (run.kind) {
    case RunOutcome::Kind::DiagnosticsFaults:
      printLines(ws->report, err);
      return kExitFaults;
    case RunOutcome::Kind::UsageError:
      return usageError(err, run.usage);
    case RunOutcome::Kind::RunError:
      // The graph shows the state the run reached.
      err << "[error] " << toUtf8(run.error) << "\n";
      code = kExitRunError;
      break;
    case RunOutcome::Kind::Ran:
      break;
  }
  RuleGraph graph = buildRuleGraph(ws->lines);
  addRunState(graph, *ws);
  return emit(ruleGraphDot(graph), output, code, out, err);
}

}  // namespace veksa::cli
