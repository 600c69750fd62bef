// veksa-cli graph on the example knowledge base: the DOT text alone on standard output, the run's
// state with a run option, -o, usage errors, and a drawing by Graphviz's dot naming every rule.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"

namespace veksa::cli {
namespace {

namespace fs = std::filesystem;

struct Result {
  int code;
  std::string out, err;
};

Result graph(Args args) {
  args.insert(args.begin(), "graph");
  std::ostringstream out, err;
  int code = runCli(args, out, err);
  return {code, out.str(), err.str()};
}

const std::string kExample = std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks";
const std::string kAnswers = std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.answers";

TEST(GraphCommandTest, DotTextWithAndWithoutTheRunState) {
  Result plain = graph({kExample});
  EXPECT_EQ(plain.code, kExitOk) << plain.err;
  EXPECT_EQ(plain.out.rfind("digraph \"Граф правил\" {\n", 0), 0u);
  EXPECT_EQ(plain.out.find("→"), std::string::npos) << "no run, no fired rule";
  EXPECT_NE(plain.out.find("label=\"X = 50\""), std::string::npos);

  Result ran = graph({kExample, "--answers", kAnswers});
  EXPECT_EQ(ran.code, kExitOk) << ran.err;
  EXPECT_EQ(ran.out.rfind("digraph", 0), 0u) << "the run prints nothing of its own";
  EXPECT_EQ(ran.err, "");
  EXPECT_NE(ran.out.find("label=\"Правило1\\n→ THEN\""), std::string::npos);
  EXPECT_NE(ran.out.find("label=\"Правило2\"]"), std::string::npos);
  EXPECT_NE(ran.out.find("роза  0,815"), std::string::npos);
  EXPECT_NE(ran.out.find("label=\"X = 55\""), std::string::npos);

  // Backward: only the first conclusion of a pass is recorded; Правило1 still fires.
  Result backward = graph({kExample, "--answers", kAnswers, "--method", "backward-breadth"});
  EXPECT_EQ(backward.code, kExitOk);
  EXPECT_NE(backward.out.find("→ THEN"), std::string::npos);
}

TEST(GraphCommandTest, OutputFileAndUsageErrors) {
  fs::path out =
      fs::temp_directory_path() / ("veksa-graph-test-" + std::to_string(::getpid()) + ".dot");
  Result written = graph({kExample, "-o", out.string()});
  EXPECT_EQ(written.code, kExitOk) << written.err;
  EXPECT_EQ(written.out, "");
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), graph({kExample}).out);
  fs::remove(out);

  EXPECT_EQ(graph({}).code, kExitUsage);
  EXPECT_EQ(graph({kExample, kExample}).code, kExitUsage);
  EXPECT_EQ(graph({kExample, "--coverage"}).code, kExitUsage);
  EXPECT_EQ(graph({kExample, "--method", "sideways"}).code, kExitUsage);
  EXPECT_EQ(graph({kExample, "--bogus"}).code, kExitUsage);
  Result missing = graph({"no-such-file.vks"});
  EXPECT_EQ(missing.code, kExitUsage);
  EXPECT_NE(missing.err.find("no-such-file.vks"), std::string::npos);
}

TEST(GraphCommandTest, DotDrawsEveryRule) {
  if (std::system("command -v dot > /dev/null 2>&1") != 0) GTEST_SKIP() << "Graphviz's dot";
  fs::path svg =
      fs::temp_directory_path() / ("veksa-graph-test-" + std::to_string(::getpid()) + ".svg");
  std::string command = std::string(VEKSA_CLI_PATH) + " graph '" + kExample + "' --answers '" +
                        kAnswers + "' | dot -Tsvg > '" + svg.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(svg);
  std::stringstream text;
  text << in.rdbuf();
  fs::remove(svg);
  for (const char* rule : {">Правило1<", ">Правило2<", ">Правило3<", ">Правило4<", ">Правило5<",
                           ">Правило6<", ">РАЗДЕЛ ДЕРЕВЬЯ<"}) {
    EXPECT_NE(text.str().find(rule), std::string::npos) << rule;
  }
}

}  // namespace
}  // namespace veksa::cli
