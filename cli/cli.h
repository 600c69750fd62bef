// veksa-cli: the headless checker and runner. The commands take their arguments and streams so
// that the tests run them in-process exactly as the program does.
#ifndef VEKSA_CLI_CLI_H_
#define VEKSA_CLI_CLI_H_

#include <iosfwd>
#include <string>
#include <vector>

namespace veksa::cli {

// Exit codes shared by all commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFaults = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRunError = 3;
inline constexpr int kExitExpectations = 4;  // run --expect: a hypothesis missing or off

using Args = std::vector<std::string>;

// Runs "veksa-cli ARGS..." (ARGS without the program name).
int runCli(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace veksa::cli

#endif  // VEKSA_CLI_CLI_H_
