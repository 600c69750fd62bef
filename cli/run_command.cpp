// veksa-cli run FILE [options]: the automatic run with the diagnostics switched off, answered from
// an answers file; prints what the run shows and the four tables.
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "engine/file_store.h"
#include "engine/run_driver.h"
#include "engine/scripted_host.h"
#include "engine/workspace.h"
#include "kb/kbfile.h"
#include "kb/number.h"

namespace veksa::cli {

namespace {

constexpr const char* kRunUsage =
    "usage: veksa-cli run FILE [--answers FILE] [--method M] [--path FILE] [--section NAME]... "
    "[--trace RULE]\n"
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
  std::string file, answers, path, trace;
  std::size_t method = 0;
  bool traceGiven = false;
  Lines sections;
};

}  // namespace

int runCommand(const Args& args, std::ostream& out, std::ostream& err) {
  Options o;
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
      bool known = false;
      for (const MethodName& m : kMethods) {
        if (name == m.name) {
          o.method = m.command;
          known = true;
        }
      }
      if (!known) return usageError(err, "unknown method \"" + name + "\"");
    } else if (a.size() > 1 && a[0] == '-') {
      return usageError(err, "unknown option " + a);
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      return usageError(err, "more than one FILE");
    }
  }
  if (o.file.empty()) return usageError(err, "no FILE");
  if (o.traceGiven && !o.sections.empty()) {
    return usageError(
        err, "--section cannot be used with --trace (a trace run offers no section choice)");
  }

  // The knowledge base lives in memory: the run's save and reloads behave as on disk, and FILE is
  // never written.
  auto store = std::make_unique<MemoryFileStore>();
  MemoryFileStore& files = *store;
  Workspace ws(std::move(store));
  ws.caption = fromUtf8(o.file);
  std::string error;
  if (!files.read(ws.caption, ws.lines, error)) {
    err << "veksa-cli: " << error << "\n";
    return kExitUsage;
  }
  ws.ProjectState = kProjectOpen;
  ws.DiagnosticsOff = 1;
  chooseMethod(ws, o.method);

  PrintingHost host(ws, out);
  if (!o.answers.empty()) {
    std::string bytes;
    if (!readFileBytes(o.answers, bytes, error)) {
      err << "veksa-cli: " << error << "\n";
      return kExitUsage;
    }
    try {
      host.answers = parseAnswers(bytes);
    } catch (const ScriptError& e) {
      return usageError(err, std::string(o.answers) + ": " + e.what());
    }
  }
  if (!o.path.empty()) {
    std::string bytes;
    if (!readFileBytes(o.path, bytes, error)) {
      err << "veksa-cli: " << error << "\n";
      return kExitUsage;
    }
    userPathCommand(ws, host);  // "Установка заданного пути", then the names typed in
    ws.RulePath =
        splitPlainText(fromUtf8(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes));
  }
  if (o.traceGiven) {
    ws.TraceMode = 1;
    ws.traceRule = fromUtf8(o.trace);
  }

  RunEnd end = RunEnd::NotRun;
  try {
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
    out << "[error] " << toUtf8(e.message()) << "\n";
    printTables(ws, false, out);
    return kExitRunError;
  } catch (const ScriptError& e) {
    return usageError(err, e.what());
  }
  printTables(ws, end == RunEnd::Completed, out);
  return kExitOk;
}

}  // namespace veksa::cli
