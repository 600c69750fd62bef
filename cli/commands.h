// The subcommands of veksa-cli. Each takes the arguments after its own name.
#ifndef VEKSA_CLI_COMMANDS_H_
#define VEKSA_CLI_COMMANDS_H_

#include <iosfwd>

#include "cli/cli.h"
#include "kb/text.h"

namespace veksa::cli {

// Several files: each file's output follows a line "== FILE".
void printFileHeading(const std::string& file, std::ostream& out);

int catCommand(const Args& args, std::ostream& out, std::ostream& err);
// check FILE... [-o OUT]: the diagnostics; exit 0 clean, 1 faults, 2 usage or file errors.
int checkCommand(const Args& args, std::ostream& out, std::ostream& err);
// run FILE... [options]: a run as F9 does it; exit 0, 1 diagnostics faults, 2 usage or file
// errors, 3 run-time error, 4 expected results not met.
int runCommand(const Args& args, std::ostream& out, std::ostream& err);

// graph FILE [run options] [-o OUT]: the rule graph as DOT; exit 0, 1 diagnostics faults, 2
// usage or file errors, 3 run-time error (the graph is still written).
int graphCommand(const Args& args, std::ostream& out, std::ostream& err);

// Reads a knowledge-base file for a command; on failure prints the message naming the file (and
// gives it in `message` when asked).
bool loadForCommand(const std::string& path, Lines& lines, std::ostream& err,
                    std::string* message = nullptr);
// Writes lines to OUT as the program's save does; on failure prints the message.
bool saveForCommand(const std::string& path, const Lines& lines, std::ostream& err);
// Prints lines as UTF-8, one per output line.
void printLines(const Lines& lines, std::ostream& out);

}  // namespace veksa::cli

#endif  // VEKSA_CLI_COMMANDS_H_
