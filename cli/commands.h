// The subcommands of veksa-cli. Each takes the arguments after its own name.
#ifndef VEKSA_CLI_COMMANDS_H_
#define VEKSA_CLI_COMMANDS_H_

#include <iosfwd>

#include "cli/cli.h"
#include "kb/text.h"

namespace veksa::cli {

int catCommand(const Args& args, std::ostream& out, std::ostream& err);
// check FILE [-o OUT]: the diagnostics; exit 0 clean, 1 faults, 2 usage or file errors.
int checkCommand(const Args& args, std::ostream& out, std::ostream& err);
// run FILE [options]: a run as F9 does it; exit 0, 2 usage or file errors, 3 run-time error.
int runCommand(const Args& args, std::ostream& out, std::ostream& err);

// Reads a knowledge-base file for a command; on failure prints the message naming the file.
bool loadForCommand(const std::string& path, Lines& lines, std::ostream& err);
// Writes lines to OUT as the program's save does; on failure prints the message.
bool saveForCommand(const std::string& path, const Lines& lines, std::ostream& err);
// Prints lines as UTF-8, one per output line.
void printLines(const Lines& lines, std::ostream& out);

}  // namespace veksa::cli

#endif  // VEKSA_CLI_COMMANDS_H_
