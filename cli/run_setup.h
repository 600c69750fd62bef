// What the commands that run a knowledge base share (run, graph): the run options, the files they
// name, and one file's run in a workspace whose files live in memory.
#ifndef VEKSA_CLI_RUN_SETUP_H_
#define VEKSA_CLI_RUN_SETUP_H_

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "engine/answers_host.h"
#include "engine/expectations.h"
#include "engine/inference_method.h"
#include "engine/run_driver.h"
#include "engine/workspace.h"

namespace veksa::cli {

struct RunOptions {
  std::vector<std::string> files;
  std::string answers, path, trace, expect;
  InferenceMethod method = InferenceMethod::ForwardBreadth;
  bool traceGiven = false;
  bool diagnostics = false;
  bool coverage = false;
  bool compareMethods = false;
  Lines sections;
  bool runAsked = false;  // some option that makes a run was given
};

// Reads the option at args[i] into `o`, moving i past its value. Returns false when args[i] is
// not a run option. A malformed option sets `error` (and returns true).
bool readRunOption(const Args& args, std::size_t& i, RunOptions& o, std::string& error);

// What every FILE of a command uses, read once before the first run.
struct RunInputs {
  std::map<Line, ScriptedAnswer> answers;
  std::optional<Lines> path;
  std::optional<std::vector<Expectation>> expected;
};

// Reads the answers, path and expectations files. On failure returns false: with `usage` set for
// a fault in a file's content (a usage error), or after printing why a file could not be read.
bool readRunInputs(const RunOptions& o, RunInputs& in, std::ostream& err, std::string& usage);

// The answers host of the command line: prints each transcript line as it happens.
class PrintingHost : public AnswersHost {
 public:
  PrintingHost(const Workspace& ws, std::ostream& out) : AnswersHost(ws), out_(out) {}

 protected:
  void emit(const Line& line) override;

 private:
  std::ostream& out_;
};

// A knowledge base loaded for a run: its workspace keeps the files in memory, so the run's save and
// reloads behave as on disk and FILE is never written. Null after printing why FILE could not be
// read.
std::unique_ptr<Workspace> loadForRun(const std::string& file, std::ostream& err);

// How one file's run went.
struct RunOutcome {
  enum class Kind { Ran, DiagnosticsFaults, RunError, UsageError };
  Kind kind = Kind::Ran;
  RunEnd end = RunEnd::NotRun;
  Line error;         // RunError: the message
  std::string usage;  // UsageError: what was wrong
};

// Sets the workspace up as the options say (method, rule path, trace rule, the diagnostics
// switch) and runs it as F9 does, answering from `in`, through `host`.
RunOutcome runLoaded(Workspace& ws, AnswersHost& host, const RunOptions& o, const RunInputs& in);

}  // namespace veksa::cli

#endif  // VEKSA_CLI_RUN_SETUP_H_
