// veksa-cli cat FILE [-o OUT] (docs/CLI.md).
#include <fstream>
#include <sstream>

#include "cli/cli_test_support.h"
#include "kb/codepage.h"
#include "kb/kbfile.h"

namespace veksa::cli {
namespace {

class CatCommand : public testing::CliTest {};
using testing::Result;

TEST_F(CatCommand, SavedAndPlainFilesPrintAlike) {
  const std::string saved = path("saved.vks");
  Result first = cli({"cat", example(), "-o", saved});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_EQ(first.out.substr(0, first.out.find('\n')), "ГИПОТЕЗЫ:");
  Lines lines;
  std::string error;
  ASSERT_TRUE(loadKnowledgeBase(example(), lines, error));
  std::u16string text;
  for (const auto& l : lines) text += l + u"\r\n";
  const std::string plain = file("plain.vks", encodeCp1251(text));

  EXPECT_EQ(cli({"cat", saved}).out, first.out);
  EXPECT_EQ(cli({"cat", plain}).out, first.out);
}

TEST_F(CatCommand, NothingAfterTheRichTextDocumentIsALine) {
  Result r =
      cli({"cat", file("nul.vks", "{\\rtf1\\ansi a\\par b\\par}" + std::string("\r\n\0", 3))});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "a\nb\n");
}

TEST_F(CatCommand, OutputThatCannotBeWrittenIsAnError) {
  std::ostream broken(nullptr);
  std::ostringstream err;
  EXPECT_EQ(runCli({"cat", example()}, broken, err), 2);
  EXPECT_EQ(err.str(), "veksa-cli: the output could not be written\n");
  // The program itself on a full disk.
  EXPECT_EQ(program({"cat", example()}, "/dev/full").code, 2);
}

TEST_F(CatCommand, UsageAndFileErrors) {
  EXPECT_EQ(cli({}).code, 2);
  EXPECT_EQ(cli({"bogus"}).code, 2);
  EXPECT_EQ(cli({"cat"}).code, 2);
  Result missing = cli({"cat", "/nonexistent/kb.vks"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("/nonexistent/kb.vks"), std::string::npos);
  Result unwritable = cli({"cat", example(), "-o", "/nonexistent/out.vks"});
  EXPECT_EQ(unwritable.code, 2);
  EXPECT_NE(unwritable.err.find("/nonexistent/out.vks"), std::string::npos);
}

}  // namespace
}  // namespace veksa::cli
