#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "cli/cli.h"
#include "kb/codepage.h"
#include "kb/kbfile.h"

namespace veksa::cli {
namespace {

namespace fs = std::filesystem;

struct Result {
  int code;
  std::string out, err;
};

Result run(const Args& args) {
  std::ostringstream out, err;
  int code = runCli(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(CatCommand, SavedAndPlainFilesPrintAlike) {
  fs::path dir = fs::temp_directory_path() / ("veksa-cat-test-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string example = std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks";
  std::string saved = (dir / "saved.vks").string(), plain = (dir / "plain.vks").string();

  Result first = run({"cat", example, "-o", saved});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_EQ(first.out.substr(0, first.out.find('\n')), "ГИПОТЕЗЫ:");
  Lines lines;
  std::string error;
  ASSERT_TRUE(loadKnowledgeBase(example, lines, error));
  std::u16string text;
  for (const auto& l : lines) text += l + u"\r\n";
  std::ofstream(plain, std::ios::binary) << encodeCp1251(text);

  EXPECT_EQ(run({"cat", saved}).out, first.out);
  EXPECT_EQ(run({"cat", plain}).out, first.out);
  fs::remove_all(dir);
}

TEST(CatCommand, NothingAfterTheRichTextDocumentIsALine) {
  fs::path file =
      fs::temp_directory_path() / ("veksa-cat-nul-" + std::to_string(::getpid()) + ".vks");
  std::ofstream(file, std::ios::binary)
      << "{\\rtf1\\ansi a\\par b\\par}" << std::string("\r\n\0", 3);
  Result r = run({"cat", file.string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "a\nb\n");
  fs::remove(file);
}

TEST(CatCommand, OutputThatCannotBeWrittenIsAnError) {
  const std::string example = std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks";
  std::ostream broken(nullptr);
  std::ostringstream err;
  EXPECT_EQ(runCli({"cat", example}, broken, err), 2);
  EXPECT_EQ(err.str(), "veksa-cli: the output could not be written\n");
  // The program itself on a full disk.
  const std::string command =
      std::string(VEKSA_CLI_PATH) + " cat '" + example + "' > /dev/full 2> /dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
}

TEST(CatCommand, UsageAndFileErrors) {
  EXPECT_EQ(run({}).code, 2);
  EXPECT_EQ(run({"bogus"}).code, 2);
  EXPECT_EQ(run({"cat"}).code, 2);
  Result missing = run({"cat", "/nonexistent/kb.vks"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("/nonexistent/kb.vks"), std::string::npos);
  Result unwritable = run({"cat", std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks",
                           "-o", "/nonexistent/out.vks"});
  EXPECT_EQ(unwritable.code, 2);
  EXPECT_NE(unwritable.err.find("/nonexistent/out.vks"), std::string::npos);
}

}  // namespace
}  // namespace veksa::cli
