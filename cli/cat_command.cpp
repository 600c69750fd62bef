// veksa-cli cat FILE [-o OUT]: prints the knowledge-base lines, optionally saving them as the
// program saves.
#include <ostream>

#include "cli/commands.h"
#include "kb/kbfile.h"

namespace veksa::cli {

bool loadForCommand(const std::string& path, Lines& lines, std::ostream& err,
                    std::string* message) {
  std::string error;
  if (!loadKnowledgeBase(path, lines, error)) {
    err << "veksa-cli: " << error << "\n";
    if (message != nullptr) *message = error;
    return false;
  }
  return true;
}

bool saveForCommand(const std::string& path, const Lines& lines, std::ostream& err) {
  std::string error;
  if (!saveKnowledgeBase(path, lines, error)) {
    err << "veksa-cli: " << error << "\n";
    return false;
  }
  return true;
}

void printLines(const Lines& lines, std::ostream& out) {
  for (const Line& line : lines) out << toUtf8(line) << "\n";
}

void printFileHeading(const std::string& file, std::ostream& out) { out << "== " << file << "\n"; }

int catCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::string file, output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (file.empty() && args[i] != "-o") {
      file = args[i];
    } else {
      err << "usage: veksa-cli cat FILE [-o OUT]\n";
      return kExitUsage;
    }
  }
  if (file.empty()) {
    err << "usage: veksa-cli cat FILE [-o OUT]\n";
    return kExitUsage;
  }
  Lines lines;
  if (!loadForCommand(file, lines, err)) return kExitUsage;
  printLines(lines, out);
  if (!output.empty() && !saveForCommand(output, lines, err)) return kExitUsage;
  return kExitOk;
}

}  // namespace veksa::cli
