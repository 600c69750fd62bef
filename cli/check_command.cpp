// veksa-cli check FILE... [-o OUT]: the diagnostics command (F6) on the lines of each FILE; prints
// the report, and the success message after it when the pass is clean. Several files are checked
// one after the other, each after a line "== FILE", and a summary follows.
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "diagnostics/diagnostics.h"
#include "engine/message_host.h"
#include "engine/workspace.h"

namespace veksa::cli {

namespace {

constexpr const char* kCheckUsage = "usage: veksa-cli check FILE... [-o OUT]\n";


// How the check of one file went.
struct FileCheck {
  int code = kExitOk;
  bool read = true;
  std::size_t faults = 0;
  std::string error;  // why the file could not be read
};

// Checks one file and prints its report; `output`, when not empty, receives the repaired lines.
FileCheck checkFile(const std::string& file, const std::string& output, std::ostream& out,
                    std::ostream& err) {
  FileCheck result;
  Workspace ws;
  if (!loadForCommand(file, ws.lines, err, &result.error)) {
    result.code = kExitUsage;
    result.read = false;
    return result;
  }
  MessageHost host;  // its messages are printed after the report
  const bool clean = N49Click(ws, host);
  printLines(ws.report, out);
  for (const Line& m : host.messages) out << "[message] " << toUtf8(m) << "\n";
  result.faults = reportFaultCount(ws.report);
  result.code = clean ? kExitOk : kExitFaults;
  if (!output.empty() && !saveForCommand(output, ws.lines, err)) result.code = kExitUsage;
  return result;
}

}  // namespace

int checkCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  std::string output;
  bool outputGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size() && !outputGiven) {
      output = args[++i];
      outputGiven = true;
    } else if (args[i] != "-o") {
      files.push_back(args[i]);
    } else {
      err << kCheckUsage;
      return kExitUsage;
    }
  }
  if (files.empty()) {
    err << kCheckUsage;
    return kExitUsage;
  }
  if (files.size() == 1) return checkFile(files[0], output, out, err).code;
  if (outputGiven) {
    err << "veksa-cli check: -o OUT cannot be used with several files\n" << kCheckUsage;
    return kExitUsage;
  }

  // Every file is checked, whatever the others gave; a file that cannot be read makes the exit
  // code 2, since the batch then has no verdict on it, and otherwise any faults make it 1.
  std::vector<FileCheck> checks;
  for (const std::string& file : files) {
    printFileHeading(file, out);
    checks.push_back(checkFile(file, output, out, err));
    if (!checks.back().read) out << "[error] " << checks.back().error << "\n";
  }
  out << "[summary]\n";
  int code = kExitOk;
  for (std::size_t k = 0; k < files.size(); ++k) {
    const FileCheck& c = checks[k];
    out << files[k] << '\t';
    if (!c.read) {
      out << "\tфайл не прочитан\n";
      code = kExitUsage;
      continue;
    }
    out << c.faults << '\t' << (c.code == kExitOk ? "ok" : "ошибки") << "\n";
    if (c.code != kExitOk && code == kExitOk) code = kExitFaults;
  }
  return code;
}

}  // namespace veksa::cli
