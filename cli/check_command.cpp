// veksa-cli check FILE [-o OUT]: the diagnostics command (F6) on the lines of FILE; prints the
// report, and the success message after it when the pass is clean.
#include <ostream>

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"
#include "engine/workspace.h"

namespace veksa::cli {

namespace {

constexpr const char* kCheckUsage = "usage: veksa-cli check FILE [-o OUT]\n";

// The host of the check: it keeps the messages, which are printed after the report.
class RecordingHost : public Host {
 public:
  Answer ask(const Question&) override { return {}; }
  void message(const Line& text) override { messages.push_back(text); }
  void traceStep(std::size_t) override {}
  void showResults() override {}
  void progress(int) override {}
  void showTiming(bool) override {}
  Lines messages;
};

}  // namespace

int checkCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::string file, output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size() && output.empty()) {
      output = args[++i];
    } else if (file.empty() && args[i] != "-o") {
      file = args[i];
    } else {
      err << kCheckUsage;
      return kExitUsage;
    }
  }
  if (file.empty()) {
    err << kCheckUsage;
    return kExitUsage;
  }
  Workspace ws;
  if (!loadForCommand(file, ws.lines, err)) return kExitUsage;
  RecordingHost host;
  const bool clean = N49Click(ws, host);
  printLines(ws.report, out);
  for (const Line& m : host.messages) out << "[message] " << toUtf8(m) << "\n";
  if (!output.empty() && !saveForCommand(output, ws.lines, err)) return kExitUsage;
  return clean ? kExitOk : kExitFaults;
}

}  // namespace veksa::cli
