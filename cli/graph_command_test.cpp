// veksa-cli graph on the example knowledge base: the DOT text alone on standard output, the run's
// state with a run option, -o, usage errors, and a drawing by Graphviz's dot naming every rule.
#include "cli/cli_test_support.h"

namespace veksa::cli {
namespace {

using testing::Result;

class GraphCommandTest : public testing::CliTest {
 protected:
  // "veksa-cli graph ARGS...".
  static Result graph(const Args& args) { return cli("graph", args); }
};

TEST_F(GraphCommandTest, DotTextWithAndWithoutTheRunState) {
  Result plain = graph({example()});
  EXPECT_EQ(plain.code, kExitOk) << plain.err;
  EXPECT_EQ(plain.out.rfind("digraph \"Граф правил\" {\n", 0), 0u);
  EXPECT_EQ(plain.out.find("→"), std::string::npos) << "no run, no fired rule";
  EXPECT_NE(plain.out.find("label=\"X = 50\""), std::string::npos);

  Result ran = graph({example(), "--answers", exampleAnswers()});
  EXPECT_EQ(ran.code, kExitOk) << ran.err;
  EXPECT_EQ(ran.out.rfind("digraph", 0), 0u) << "the run prints nothing of its own";
  EXPECT_EQ(ran.err, "");
  EXPECT_NE(ran.out.find("label=\"Правило1\\n→ THEN\""), std::string::npos);
  EXPECT_NE(ran.out.find("label=\"Правило2\"]"), std::string::npos);
  EXPECT_NE(ran.out.find("роза  0,815"), std::string::npos);
  EXPECT_NE(ran.out.find("label=\"X = 55\""), std::string::npos);

  // Backward: only the first conclusion of a pass is recorded; Правило1 still fires.
  Result backward =
      graph({example(), "--answers", exampleAnswers(), "--method", "backward-breadth"});
  EXPECT_EQ(backward.code, kExitOk);
  EXPECT_NE(backward.out.find("→ THEN"), std::string::npos);
}

TEST_F(GraphCommandTest, OutputFileAndUsageErrors) {
  const std::string out = path("graph.dot");
  Result written = graph({example(), "-o", out});
  EXPECT_EQ(written.code, kExitOk) << written.err;
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(readBytes(out), graph({example()}).out);

  EXPECT_EQ(graph({}).code, kExitUsage);
  EXPECT_EQ(graph({example(), example()}).code, kExitUsage);
  EXPECT_EQ(graph({example(), "--coverage"}).code, kExitUsage);
  EXPECT_EQ(graph({example(), "--method", "sideways"}).code, kExitUsage);
  EXPECT_EQ(graph({example(), "--bogus"}).code, kExitUsage);
  Result missing = graph({"no-such-file.vks"});
  EXPECT_EQ(missing.code, kExitUsage);
  EXPECT_NE(missing.err.find("no-such-file.vks"), std::string::npos);
}

TEST_F(GraphCommandTest, DotDrawsEveryRule) {
  if (std::system("command -v dot > /dev/null 2>&1") != 0) GTEST_SKIP() << "Graphviz's dot";
  const std::string dot = path("graph.dot");
  ASSERT_EQ(program({"graph", example(), "--answers", exampleAnswers()}, dot).code, kExitOk);
  const std::string svg = path("graph.svg");
  const std::string command = "dot -Tsvg " + quoted(dot) + " > " + quoted(svg);
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string text = readBytes(svg);
  for (const char* rule : {">Правило1<", ">Правило2<", ">Правило3<", ">Правило4<", ">Правило5<",
                           ">Правило6<", ">РАЗДЕЛ ДЕРЕВЬЯ<"}) {
    EXPECT_NE(text.find(rule), std::string::npos) << rule;
  }
}

}  // namespace
}  // namespace veksa::cli
