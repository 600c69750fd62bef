// The fixture of the veksa-cli tests: a fresh directory of the test's own for the files it writes,
// the paths of the example knowledge base, a command run in-process exactly as the program runs
// it, and the program itself run by the shell.
#ifndef VEKSA_CLI_CLI_TEST_SUPPORT_H_
#define VEKSA_CLI_CLI_TEST_SUPPORT_H_

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli.h"

namespace veksa::cli::testing {

// What a command printed and its exit code.
struct Result {
  int code;
  std::string out, err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // mkdtemp keeps apart the runs of the same test in other build trees and in parallel.
    std::string name = (std::filesystem::temp_directory_path() / "veksa-cli-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    dir_ = name;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // A file of the given bytes in the test's directory; returns its path.
  std::string file(const std::string& name, const std::string& bytes) const {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // The path of a file in the test's directory that is not written.
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // "veksa-cli ARGS..." run in-process.
  static Result cli(const Args& args) {
    std::ostringstream out, err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
  }
  // "veksa-cli COMMAND ARGS..." run in-process.
  static Result cli(const std::string& command, Args args) {
    args.insert(args.begin(), command);
    return cli(args);
  }
  // The program itself, run by the shell with ARGS, its standard output sent to `stdoutTo` (a file
  // of the test's directory when empty); returns its exit code (-1 when it did not exit) and what
  // it wrote.
  Result program(const Args& args, const std::string& stdoutTo = "") const {
    const std::string out = stdoutTo.empty() ? path("program.out") : stdoutTo;
    const std::string err = path("program.err");
    std::string command = quoted(VEKSA_CLI_PATH);
    for (const std::string& a : args) command += " " + quoted(a);
    const int status = std::system((command + " > " + quoted(out) + " 2> " + quoted(err)).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            stdoutTo.empty() ? readBytes(out) : std::string(), readBytes(err)};
  }
  // A word for the shell: in single quotes, each single quote closed, escaped and reopened.
  static std::string quoted(const std::string& word) {
    std::string q = "'";
    for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }

  static std::string example() {
    return std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks";
  }
  static std::string exampleAnswers() {
    return std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.answers";
  }

  std::filesystem::path dir_;
};

}  // namespace veksa::cli::testing

#endif  // VEKSA_CLI_CLI_TEST_SUPPORT_H_
