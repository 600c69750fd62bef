// veksa-cli run FILE... [options]: the automatic run with the diagnostics switched off, answered
// from an answers file; prints what the run shows and the four tables, then the expected results
// that were not met and the coverage when asked. Several files run one after the other with the
// same options, each after a line "== FILE".
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/run_setup.h"
#include "engine/coverage.h"
#include "engine/expectations.h"
#include "engine/method_comparison.h"

namespace veksa::cli {

namespace {

// The usage, with the methods' names as --method takes them (the first is the default).
std::string runUsage() {
  std::string usage =
      "usage: veksa-cli run FILE... [--answers FILE] [--method M] [--path FILE] [--section "
      "NAME]... "
      "[--trace RULE] [--diagnostics] [--expect FILE] [--coverage] [--compare-methods]\n"
      "  M:";
  const char* separator = " ";
  for (const MethodTraits& m : kInferenceMethods) {
    usage += separator + std::string(m.cliName);
    if (m.method == RunOptions().method) usage += " (default)";
    separator = " | ";
  }
  return usage + "\n";
}

void printTable(const char* header, const Table& table, std::ostream& out) {
  out << header << "\n";
  for (const auto& row : table.rows()) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) out << '\t';
      out << toUtf8(row[c]);
    }
    out << "\n";
  }
}

void printTables(const Workspace& ws, bool withCaption, std::ostream& out) {
  if (withCaption) out << "[caption] " << toUtf8(ws.resultsCaption) << "\n";
  printTable("[results]", ws.results, out);
  printTable("[facts]", ws.facts, out);
  printTable("[protocol]", ws.protocol, out);
  printTable("[variables]", ws.variables, out);
}

int usageError(std::ostream& err, const std::string& why) {
  err << "veksa-cli run: " << why << "\n" << runUsage();
  return kExitUsage;
}

// The lines after the tables: the expectations not met and the coverage. Returns the exit code
// of a run that completed or stopped.
int printChecks(const Workspace& ws, const RunOptions& o, const RunInputs& in, std::ostream& out) {
  int code = kExitOk;
  if (in.expected) {
    for (const Line& miss : unmetExpectations(ws, *in.expected)) {
      out << "[expect] " << toUtf8(miss) << "\n";
      code = kExitExpectations;
    }
  }
  if (o.coverage) {
    Coverage c = runCoverage(ws);
    for (const Line& rule : c.rulesNotFired) out << "[coverage] rule " << toUtf8(rule) << "\n";
    for (const Line& p : c.parametersNotAsked) out << "[coverage] parameter " << toUtf8(p) << "\n";
  }
  return code;
}

// After a run: the same text run under each method with the same answers, one line each.
void printComparison(const Workspace& ws, const RunOptions& o, const RunInputs& in,
                     std::ostream& out) {
  ComparisonSetup setup;
  setup.lines = ws.lines;  // the whole text as the run left it (repaired by --diagnostics)
  setup.path = in.path;
  setup.sections = o.sections;
  for (const auto& [parameter, a] : in.answers) {
    setup.answers.push_back({parameter, a.button, a.position, a.values});
  }
  for (const MethodMeasure& m : compareMethods(setup)) {
    char time[32];
    std::snprintf(time, sizeof time, "%.3f", m.microsecondsPerPass);
    out << "[comparison] " << traitsOf(m.method).cliName << '\t' << m.passes << '\t'
        << (m.error.empty() ? time : "") << '\t' << m.counts.rulesExecuted << '\t'
        << m.counts.conditionsEvaluated << '\t' << m.counts.conclusionsRecorded << '\t';
    if (!m.error.empty()) {
      out << "[error] " << toUtf8(m.error);
    } else if (!m.cls.empty() || !m.value.empty()) {
      out << toUtf8(m.cls + u" " + m.value + u" " + m.certainty);
    }
    out << "\n";
  }
}

// Runs one FILE and prints what the run shows; returns its exit code.
int runFile(const RunOptions& o, const RunInputs& in, const std::string& file, std::ostream& out,
            std::ostream& err) {
  std::unique_ptr<Workspace> ws = loadForRun(file, err);
  if (!ws) return kExitUsage;
  PrintingHost host(*ws, out);
  RunOutcome run = runLoaded(*ws, host, o, in);
  switch (run.kind) {
    case RunOutcome::Kind::DiagnosticsFaults:
      printLines(ws->report, out);
      return kExitFaults;
    case RunOutcome::Kind::RunError:
      // The run did not finish: its tables are printed as they stood, without the checks.
      out << "[error] " << toUtf8(run.error) << "\n";
      printTables(*ws, false, out);
      return kExitRunError;
    case RunOutcome::Kind::UsageError:
      return usageError(err, run.usage);
    case RunOutcome::Kind::Ran:
      break;
  }
  printTables(*ws, run.end == RunEnd::Completed, out);
  const int code = printChecks(*ws, o, in, out);
  if (o.compareMethods) printComparison(*ws, o, in, out);
  return code;
}

// The exit code of several runs: the gravest outcome of any, in the order usage or file error,
// run-time error, diagnostics faults (no run), expectations not met, success.
int graver(int a, int b) {
  auto rank = [](int code) {
    switch (code) {
      case kExitUsage:
        return 4;
      case kExitRunError:
        return 3;
      case kExitFaults:
        return 2;
      case kExitExpectations:
        return 1;
      default:
        return 0;
    }
  };
  return rank(a) >= rank(b) ? a : b;
}

}  // namespace

int runCommand(const Args& args, std::ostream& out, std::ostream& err) {
  RunOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string error;
    if (readRunOption(args, i, o, error)) {
      if (!error.empty()) return usageError(err, error);
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      return usageError(err, "unknown option " + args[i]);
    } else {
      o.files.push_back(args[i]);
    }
  }
  if (o.files.empty()) return usageError(err, "no FILE");
  if (o.traceGiven && !o.sections.empty()) {
    return usageError(
        err, "--section cannot be used with --trace (a trace run offers no section choice)");
  }
  if (o.traceGiven && o.compareMethods) {
    return usageError(err,
                      "--compare-methods cannot be used with --trace (a trace run is not timed)");
  }

  RunInputs in;
  std::string usage;
  if (!readRunInputs(o, in, err, usage)) return usage.empty() ? kExitUsage : usageError(err, usage);

  if (o.files.size() == 1) return runFile(o, in, o.files[0], out, err);
  // Every file runs with the same answers, whatever the others gave.
  int code = kExitOk;
  for (const std::string& file : o.files) {
    printFileHeading(file, out);
    code = graver(code, runFile(o, in, file, out, err));
  }
  return code;
}

}  // namespace veksa::cli
