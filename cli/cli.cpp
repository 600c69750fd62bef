// The subcommand table of veksa-cli.
#include "cli/cli.h"

#include <ostream>

#include "cli/commands.h"
#include "veksa_version.h"

namespace veksa::cli {

namespace {

struct Command {
  const char* name;
  int (*run)(const Args&, std::ostream&, std::ostream&);
  const char* usage;
};

constexpr Command kCommands[] = {
    {"cat", catCommand, "cat FILE [-o OUT]"},
    {"check", checkCommand, "check FILE... [-o OUT]"},
    {"run", runCommand,
     "run FILE... [--answers FILE] [--method M] [--path FILE] [--section NAME]... [--trace RULE] "
     "[--diagnostics] [--expect FILE] [--coverage]"},
    {"graph", graphCommand,
     "graph FILE [--answers FILE] [--method M] [--path FILE] [--section NAME]... [--trace RULE] "
     "[--diagnostics] [-o OUT]"},
};

void usage(std::ostream& err) {
  err << "usage: veksa-cli COMMAND ...\n";
  for (const Command& c : kCommands) err << "  veksa-cli " << c.usage << "\n";
}

// "veksa-cli --help": the usage on standard output and where the full description lives.
void help(std::ostream& out) {
  usage(out);
  out << "  veksa-cli --help | --version\n"
         "Checks and runs VEKSA knowledge bases (*.vks) as the desktop program does; see "
         "veksa-cli(1).\n";
}

}  // namespace

int runCli(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    usage(err);
    return kExitUsage;
  }
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    help(out);
    return kExitOk;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << "veksa-cli " << VEKSA_VERSION << "\n";
    return kExitOk;
  }
  for (const Command& c : kCommands) {
    if (args[0] != c.name) continue;
    const int code = c.run(Args(args.begin() + 1, args.end()), out, err);
    // Output that could not be written (a full disk) is a failure, whatever the command found.
    if (!out.flush()) {
      err << "veksa-cli: the output could not be written\n";
      return kExitUsage;
    }
    return code;
  }
  err << "veksa-cli: unknown command \"" << args[0] << "\"\n";
  usage(err);
  return kExitUsage;
}

}  // namespace veksa::cli
