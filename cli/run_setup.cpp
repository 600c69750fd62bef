// The run options and one file's run, shared by the commands that run a knowledge base.
#include "cli/run_setup.h"

#include <ostream>

#include "diagnostics/diagnostics.h"
#include "engine/file_store.h"
#include "kb/kbfile.h"
#include "kb/number.h"

namespace veksa::cli {

bool readRunOption(const Args& args, std::size_t& i, RunOptions& o, std::string& error) {
  const std::string& a = args[i];
  auto value = [&](std::string& into, const char* missing) {
    if (i + 1 >= args.size()) {
      error = missing;
      return;
    }
    into = args[++i];
  };
  if (a == "--answers") {
    value(o.answers, "--answers needs a file");
  } else if (a == "--path") {
    value(o.path, "--path needs a file");
  } else if (a == "--expect") {
    value(o.expect, "--expect needs a file");
  } else if (a == "--coverage") {
    o.coverage = true;
  } else if (a == "--compare-methods") {
    o.compareMethods = true;
  } else if (a == "--trace") {
    value(o.trace, "--trace needs a rule name");
    o.traceGiven = true;
  } else if (a == "--section") {
    std::string name;
    value(name, "--section needs a section name");
    o.sections.push_back(fromUtf8(name));
  } else if (a == "--method") {
    std::string name;
    value(name, "--method needs a method");
    bool known = false;
    for (const MethodTraits& m : kInferenceMethods) {
      if (name == m.cliName) {
        o.method = m.method;
        known = true;
      }
    }
    if (!known && error.empty()) error = "unknown method \"" + name + "\"";
  } else if (a == "--diagnostics") {
    o.diagnostics = true;
  } else {
    return false;
  }
  o.runAsked = true;
  return true;
}

namespace {

// Reads a file that an option names; on failure prints the message naming it.
bool readOptionFile(const std::string& name, std::string& bytes, std::ostream& err) {
  std::string error;
  if (readFileBytes(name, bytes, error)) return true;
  err << "veksa-cli: " << error << "\n";
  return false;
}

}  // namespace

bool readRunInputs(const RunOptions& o, RunInputs& in, std::ostream& err, std::string& usage) {
  std::string bytes;
  if (!o.answers.empty()) {
    if (!readOptionFile(o.answers, bytes, err)) return false;
    try {
      in.answers = parseAnswers(bytes);
    } catch (const ScriptError& e) {
      usage = o.answers + ": " + e.what();
      return false;
    }
  }
  if (!o.path.empty()) {
    if (!readOptionFile(o.path, bytes, err)) return false;
    in.path = splitLines(fromUtf8(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes),
                         kFileLineBreaks);
  }
  if (!o.expect.empty()) {
    if (!readOptionFile(o.expect, bytes, err)) return false;
    try {
      in.expected = parseExpectations(bytes);
    } catch (const ScriptError& e) {
      usage = o.expect + ": " + e.what();
      return false;
    }
  }
  return true;
}

void PrintingHost::emit(const Line& line) { out_ << toUtf8(line) << "\n"; }

std::unique_ptr<Workspace> loadForRun(const std::string& file, std::ostream& err) {
  auto store = std::make_unique<MemoryFileStore>();
  MemoryFileStore& files = *store;
  auto ws = std::make_unique<Workspace>(std::move(store));
  ws->caption = fromUtf8(file);
  std::string error;
  if (!files.read(ws->caption, ws->lines, error)) {
    err << "veksa-cli: " << error << "\n";
    return nullptr;
  }
  ws->ProjectState = kProjectOpen;
  return ws;
}

RunOutcome runLoaded(Workspace& ws, AnswersHost& host, const RunOptions& o, const RunInputs& in) {
  ws.DiagnosticsOff = true;
  chooseMethod(ws, o.method);
  host.answers = in.answers;
  if (in.path) {
    userPathCommand(ws, host);  // "Установка заданного пути", then the names typed in
    ws.RulePath = *in.path;
  }
  if (o.traceGiven) {
    ws.TraceMode = true;
    ws.traceRule = fromUtf8(o.trace);
  }
  RunOutcome outcome;
  try {
    if (o.diagnostics) {
      // Diagnostics connected: a pass with faults ends here; a clean pass has shown its message
      // and the repaired text is what the run saves and runs.
      ws.DiagnosticsOff = false;
      if (!N49Click(ws, host)) {
        outcome.kind = RunOutcome::Kind::DiagnosticsFaults;
        return outcome;
      }
    }
    Run1Result prepared = Run1(ws, host);
    outcome.end = prepared.end;
    if (prepared.choice) {
      SectionChoice choice = std::move(*prepared.choice);
      Line unknown;
      if (!o.sections.empty() && !tickSections(choice, o.sections, &unknown)) {
        outcome.kind = RunOutcome::Kind::UsageError;
        outcome.usage = "the section choice does not offer \"" + toUtf8(unknown) + "\"";
        return outcome;
      }
      outcome.end = SectionChoiceDone(ws, host, std::move(choice));
    }
  } catch (const RunError& e) {
    outcome.kind = RunOutcome::Kind::RunError;
    outcome.error = e.message();
  } catch (const ScriptError& e) {
    outcome.kind = RunOutcome::Kind::UsageError;
    outcome.usage = e.what();
  }
  return outcome;
}

}  // namespace veksa::cli
