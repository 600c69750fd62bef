// veksa-cli run FILE... [options]: the automatic run with the diagnostics switched off, answered
// from an answers file; prints what the run shows and the four tables, then the expected results
// that were not met and the coverage when asked. Several files run one after the other with the
// same options, each after a line "== FILE".
#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"
#include "engine/coverage.h"
#include "engine/expectations.h"
#include "engine/file_store.h"
#include "engine/run_driver.h"
#include "engine/scripted_host.h"
#include "engine/workspace.h"
#include "kb/kbfile.h"
#include "kb/number.h"

namespace veksa::cli {

namespace {

constexpr const char* kRunUsage =
    "usage: veksa-cli run FILE... [--answers FILE] [--method M] [--path FILE] [--section NAME]... "
    "[--trace RULE] [--diagnostics] [--expect FILE] [--coverage]\n"
    "  M: forward-breadth (default) | forward-depth | backward-breadth | backward-depth | "
    "first-conclusion\n";

struct MethodName {
  const char* name;
  std::size_t command;  // index into kMethodCommands
};
constexpr MethodName kMethods[] = {
    {"forward-breadth", 0}, {"forward-depth", 1},    {"backward-breadth", 2},
    {"backward-depth", 3},  {"first-conclusion", 4},
};

// The scripted host of the command line: prints each output line as it happens.
class PrintingHost : public ScriptedHost {
 public:
  PrintingHost(const Workspace& ws, std::ostream& out) : ScriptedHost(ws), out_(out) {}

 protected:
  void emit(const Line& line) override { out_ << toUtf8(line) << "\n"; }

 private:
  std::ostream& out_;
};

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
  err << "veksa-cli run: " << why << "\n" << kRunUsage;
  return kExitUsage;
}

struct Options {
  std::vector<std::string> files;
  std::string answers, path, trace, expect;
  std::size_t method = 0;
  bool traceGiven = false;
  bool diagnostics = false;
  bool coverage = false;
  Lines sections;
};

// What every FILE of the command uses, read once before the first run.
struct Inputs {
  std::map<Line, ScriptedAnswer> answers;
  std::optional<Lines> path;
  std::optional<std::vector<Expectation>> expected;
};

// Reads a file that an option names; on failure prints the message naming it.
bool readOptionFile(const std::string& name, std::string& bytes, std::ostream& err) {
  std::string error;
  if (readFileBytes(name, bytes, error)) return true;
  err << "veksa-cli: " << error << "\n";
  return false;
}

// The lines after the tables: the expectations not met and the coverage. Returns the exit code
// of a run that completed or stopped.
int printChecks(const Workspace& ws, const Options& o, const Inputs& in, std::ostream& out) {
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

// Runs one FILE and prints what the run shows; returns its exit code.
int runFile(const Options& o, const Inputs& in, const std::string& file, std::ostream& out,
            std::ostream& err) {
  // The knowledge base lives in memory: the run's save and reloads behave as on disk, and FILE is
  // never written.
  auto store = std::make_unique<MemoryFileStore>();
  MemoryFileStore& files = *store;
  Workspace ws(std::move(store));
  ws.caption = fromUtf8(file);
  std::string error;
  if (!files.read(ws.caption, ws.lines, error)) {
    err << "veksa-cli: " << error << "\n";
    return kExitUsage;
  }
  ws.ProjectState = kProjectOpen;
  ws.DiagnosticsOff = 1;
  chooseMethod(ws, o.method);

  PrintingHost host(ws, out);
  host.answers = in.answers;
  if (in.path) {
    userPathCommand(ws, host);  // "Установка заданного пути", then the names typed in
    ws.RulePath = *in.path;
  }
  if (o.traceGiven) {
    ws.TraceMode = 1;
    ws.traceRule = fromUtf8(o.trace);
  }

  RunEnd end = RunEnd::NotRun;
  try {
    if (o.diagnostics) {
      // Diagnostics connected: a pass with faults prints its report and nothing runs; a clean
      // pass has shown its message and the repaired text is what the run saves and runs.
      ws.DiagnosticsOff = 0;
      if (!N49Click(ws, host)) {
        printLines(ws.report, out);
        return kExitFaults;
      }
    }
    Run1Result prepared = Run1(ws, host);
    end = prepared.end;
    if (prepared.choice) {
      SectionChoice choice = std::move(*prepared.choice);
      Line unknown;
      if (!o.sections.empty() && !tickSections(choice, o.sections, &unknown)) {
        return usageError(err, "the section choice does not offer \"" + toUtf8(unknown) + "\"");
      }
      end = SectionChoiceDone(ws, host, std::move(choice));
    }
  } catch (const RunError& e) {
    // The run did not finish: its tables are printed as they stood, without the checks.
    out << "[error] " << toUtf8(e.message()) << "\n";
    printTables(ws, false, out);
    return kExitRunError;
  } catch (const ScriptError& e) {
    return usageError(err, e.what());
  }
  printTables(ws, end == RunEnd::Completed, out);
  return printChecks(ws, o, in, out);
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

// Reads the options and the FILEs; on a usage error prints it and gives the exit code.
std::optional<int> parseOptions(const Args& args, Options& o, std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (a == "--answers") {
      if (!value(o.answers)) return usageError(err, "--answers needs a file");
    } else if (a == "--path") {
      if (!value(o.path)) return usageError(err, "--path needs a file");
    } else if (a == "--expect") {
      if (!value(o.expect)) return usageError(err, "--expect needs a file");
    } else if (a == "--coverage") {
      o.coverage = true;
    } else if (a == "--trace") {
      if (!value(o.trace)) return usageError(err, "--trace needs a rule name");
      o.traceGiven = true;
    } else if (a == "--section") {
      std::string name;
      if (!value(name)) return usageError(err, "--section needs a section name");
      o.sections.push_back(fromUtf8(name));
    } else if (a == "--method") {
      std::string name;
      if (!value(name)) return usageError(err, "--method needs a method");
      const auto m = std::find_if(std::begin(kMethods), std::end(kMethods),
                                  [&](const MethodName& k) { return name == k.name; });
      if (m == std::end(kMethods)) return usageError(err, "unknown method \"" + name + "\"");
      o.method = m->command;
    } else if (a == "--diagnostics") {
      o.diagnostics = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return usageError(err, "unknown option " + a);
    } else {
      o.files.push_back(a);
    }
  }
  if (o.files.empty()) return usageError(err, "no FILE");
  if (o.traceGiven && !o.sections.empty()) {
    return usageError(
        err, "--section cannot be used with --trace (a trace run offers no section choice)");
  }
  return std::nullopt;
}

// Reads the files that the options name: the answers, the rule path and the expected results;
// on failure prints why and gives the exit code.
std::optional<int> readInputs(const Options& o, Inputs& in, std::ostream& err) {
  std::string bytes;
  if (!o.answers.empty()) {
    if (!readOptionFile(o.answers, bytes, err)) return kExitUsage;
    try {
      in.answers = parseAnswers(bytes);
    } catch (const ScriptError& e) {
      return usageError(err, o.answers + ": " + e.what());
    }
  }
  if (!o.path.empty()) {
    if (!readOptionFile(o.path, bytes, err)) return kExitUsage;
    in.path = splitLines(fromUtf8(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes),
                         kFileLineBreaks);
  }
  if (!o.expect.empty()) {
    if (!readOptionFile(o.expect, bytes, err)) return kExitUsage;
    try {
      in.expected = parseExpectations(bytes);
    } catch (const ScriptError& e) {
      return usageError(err, o.expect + ": " + e.what());
    }
  }
  return std::nullopt;
}

}  // namespace

int runCommand(const Args& args, std::ostream& out, std::ostream& err) {
  Options o;
  if (auto code = parseOptions(args, o, err)) return *code;
  Inputs in;
  if (auto code = readInputs(o, in, err)) return *code;

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
