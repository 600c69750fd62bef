// Hostile files end to end through veksa-cli: each loads, checks and runs (or stops with a clear
// message) without a crash, a hang or a stack overflow.
#include "cli/cli_test_support.h"
#include "kb/text.h"

namespace veksa::cli {
namespace {

class HostileInputTest : public testing::CliTest {
 protected:
  // Runs a command; returns its exit code and keeps its output.
  int run(const Args& args) {
    const testing::Result r = cli(args);
    out = r.out;
    err = r.err;
    return r.code;
  }

  std::string out, err;
};

const std::string kHead =
    "ГИПОТЕЗЫ:\nдерево {ель}\nцветок {роза}\nПАРАМЕТРЫ:\nцвет {белый}\nшипы {есть}\n"
    "ПЕРЕМЕННЫЕ:\nX 2\n";

TEST_F(HostileInputTest, HugeFilesAndLines) {
  // 50 MB: one rule, then a long tail of text that no rule reaches.
  std::string big =
      kHead + "NAME П\nIF цвет белый\nTHEN дерево ель [0,9]\nELSE дерево ель [-0,9]\nEND\n";
  std::string filler = "{пояснение к базе знаний без ключевых слов, только текст}\n";
  big.reserve(50u << 20);
  while (big.size() < (50u << 20)) big += filler;
  std::string path = file("big.vks", big);
  std::string answers = file("a.answers", "цвет да 0,5 белый\n");
  EXPECT_EQ(run({"cat", path}), 0);
  EXPECT_EQ(run({"run", path, "--answers", answers}), 0);
  EXPECT_NE(out.find("[results]\nдерево\tель\t0,45\n"), std::string::npos);
  EXPECT_EQ(run({"check", path}), 0);  // text after a rule's END is no fault

  // A 10 MB line after the rules, and a 1 MB word inside a condition that every pass reads again
  // (the benchmark of bench/README.md times the run with a 10 MB word there).
  std::string line = kHead + "NAME П\nIF цвет белый " + std::string(1u << 20, 'x') +
                     "\nTHEN дерево ель [0,9]\nEND\n" + std::string(10u << 20, 'y') + "\n";
  path = file("line.vks", line);
  EXPECT_EQ(run({"check", path}), 1);  // the condition has a third word
  EXPECT_EQ(run({"run", path, "--answers", answers}), 0);
  EXPECT_NE(out.find("[results]\nдерево\tель\t0,45\n"), std::string::npos);
}

TEST_F(HostileInputTest, MalformedFiles) {
  std::string deep = "{\\rtf1 " + std::string(100000, '{') + "ГИПОТЕЗЫ:" + std::string(100000, '}');
  EXPECT_EQ(run({"cat", file("deep.vks", deep)}), 0);
  EXPECT_EQ(run({"check", file("deep.vks", deep)}), 1);

  std::string binary;
  for (unsigned i = 0; i < 1u << 20; ++i) binary.push_back(static_cast<char>((i * 7919u) >> 3));
  std::string path = file("binary.vks", binary);
  EXPECT_EQ(run({"cat", path}), 0);
  EXPECT_EQ(run({"check", path}), 1);
  EXPECT_EQ(run({"run", path}), 0);
}

TEST_F(HostileInputTest, DeepAndLongRules) {
  std::string answers = file("a.answers", "цвет да 0,5 белый\nшипы да 1 есть\n");
  // A conclusion list of 100,000 items, continued over lines.
  std::string list = kHead + "NAME П\nIF цвет белый\nTHEN дерево ель [0,5]";
  for (int i = 0; i < 100000; ++i)
    list += i % 10 == 9 ? ",\nдерево ель [0,1]" : ", дерево ель [0,1]";
  list += "\nEND\n";
  // One pass (a trace run) is enough to walk the list; the timing loop's cost is benchmarked.
  std::string path = file("list.vks", list);
  EXPECT_EQ(run({"run", path, "--answers", answers, "--trace", "П"}), 0);
  EXPECT_NE(out.find("[results]\nдерево\tель\t"), std::string::npos);
  EXPECT_EQ(run({"check", path}), 1);  // the rule has no ELSE

  // 100,000 nested groups.
  std::string nested = kHead + "NAME П\nIF ";
  for (int i = 0; i < 100000; ++i) nested += "( ";
  nested += "цвет белый";
  for (int i = 0; i < 100000; ++i) nested += " )";
  nested += "\nTHEN дерево ель [0,9]\nEND\n";
  path = file("nested.vks", nested);
  EXPECT_EQ(run({"run", path, "--answers", answers, "--trace", "П"}), 0);
  EXPECT_NE(out.find("[question] цвет"), std::string::npos);
  EXPECT_EQ(run({"check", path}), 1);  // "(" stands where a parameter must

  // 100,000 keywords glued together for the keyword separation.
  std::string glued = kHead + "NAME П\nIF цвет белый\nTHEN дерево ель [0,9]\nELSE ";
  for (int i = 0; i < 100000; ++i) glued += "IFTHEN";
  glued += "\nEND\n";
  path = file("glued.vks", glued);
  EXPECT_EQ(run({"check", path}), 1);
  EXPECT_EQ(run({"run", path, "--answers", answers}), 0);
}

TEST_F(HostileInputTest, HugeExponentAndPath) {
  std::string kb = kHead + "NAME П\nIF цвет белый\nTHEN =X^1E18\nEND\n";
  std::string answers = file("a.answers", "цвет да 0,5 белый\n");
  EXPECT_EQ(run({"run", file("pow.vks", kb), "--answers", answers}), 3);
  EXPECT_NE(out.find("[error] Floating point overflow\n"), std::string::npos);

  // A rule path of 1,000,000 lines, nearly all naming no rule.
  std::string path;
  path.reserve(10u << 20);
  for (int i = 0; i < 1000000; ++i) path += i % 100000 == 0 ? "П\n" : "нет_такого\n";
  kb = kHead + "NAME П\nIF цвет белый\nTHEN дерево ель [0,1]\nEND\n";
  EXPECT_EQ(run({"run", file("kb.vks", kb), "--answers", answers, "--path", file("path", path)}),
            0);
  EXPECT_NE(out.find("[results]\nдерево\tель\t0,"), std::string::npos);
}

}  // namespace
}  // namespace veksa::cli
