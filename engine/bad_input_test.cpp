// Bad input: no knowledge base and no answer may crash, hang or overflow the stack; every run-time
// error gives its exact message and ends the run with the rows already written. Each case runs
// the whole road of a run (Run1, "Готово", Run); the timing loop is shortened (RepeatCount 0: two
// passes) where the input is large.
#include <string>

#include "engine/engine_test_support.h"
#include "engine/run_driver.h"
#include "kb/number.h"

namespace veksa {
namespace {

using testing::Rows;

class BadInputTest : public testing::EngineTest {
 protected:
  void open(Lines lines) {
    static_cast<MemoryFileStore&>(ws.files()).put(u"bad.vks", lines);
    ws.caption = u"bad.vks";
    ws.lines = std::move(lines);
  }
  // The whole road of a run with every section; the RunError message, or "" when none.
  Line run() {
    try {
      Run1Result prepared = Run1(ws, host);
      if (prepared.choice) SectionChoiceDone(ws, host, *prepared.choice);
    } catch (const RunError& e) {
      return e.message();
    }
    return u"";
  }
};

TEST_F(BadInputTest, ARuleWithoutEnd) {
  open({u"ГИПОТЕЗЫ:", u"NAME П1", u"IF a 1", u"THEN x y [0,5]", u"NAME П2", u"CASE a", u"1 x z [1]",
        u"NAME П3", u"IF a 1"});
  answer(u"a", AnswerButton::Yes, 20, {u"1"});
  ws.lines.insert(ws.lines.begin() + 1, u"a {1}");  // an edit: the save before the run keeps it
  EXPECT_EQ(run(), u"");
  EXPECT_EQ(asked(), (Lines{u"a"}));
  // П1 fires at once; П2's CASE fires x z; П3 has nothing to fire.
  EXPECT_EQ(rows(ws.results), (Rows{{u"x", u"z", u"1"}, {u"x", u"y", u"0,5"}}));
}

TEST_F(BadInputTest, HundredThousandItemConclusionLists) {
  const int items = 100000;
  Line oneLine = u"THEN д v [0,1]";
  Lines list = {u"NAME П2", u"IF a 1", u"THEN д w0 [0,5],"};
  for (int i = 1; i < items; ++i) {
    oneLine += u", д v [0,1]";
    Line item = u"д w" + fromUtf8(std::to_string(i)) + u" [0,5]";
    list.push_back(i + 1 < items ? item + u"," : item);
  }
  Lines kb = {u"ГИПОТЕЗЫ:", u"a {1}", u"NAME П1", u"IF a 1", oneLine, u"END"};
  kb.insert(kb.end(), list.begin(), list.end());
  kb.push_back(u"END");
  open(kb);
  ws.RepeatCount = 0;
  answer(u"a", AnswerButton::Yes, 20, {u"1"});
  EXPECT_EQ(run(), u"");
  // П1: 100,000 conclusions of one hypothesis, combined through the row's text each time: once
  // A reads 0,999999999999996, A + 0,1 - 0,1·A adds 4E-16, which the 15-digit text rounds away,
  // so the row stays there. П2: 100,000 hypotheses over 100,000 lines, all of certainty 0,5,
  // which Up leaves in their order.
  ASSERT_EQ(ws.results.size(), 1u + items);
  EXPECT_EQ(ws.results.row(0), (Table::Row{u"д", u"v", u"0,999999999999996"}));
  EXPECT_EQ(ws.results.row(1), (Table::Row{u"д", u"w0", u"0,5"}));
  EXPECT_EQ(ws.results.row(items), (Table::Row{u"д", u"w99999", u"0,5"}));
  EXPECT_EQ(ws.protocol.size(), 2u + 2u * items);
}

TEST_F(BadInputTest, HundredThousandNestedParentheses) {
  Line condition = u"IF ";
  for (int i = 0; i < 100000; ++i) condition += u"( ";
  condition += u"a 1";
  for (int i = 0; i < 100000; ++i) condition += u" )";
  open({u"ГИПОТЕЗЫ:", u"a {1}", u"NAME П", condition, u"THEN x y [1]", u"END"});
  ws.RepeatCount = 0;
  answer(u"a", AnswerButton::Yes, 19, {u"1"});
  EXPECT_EQ(run(), u"");
  EXPECT_EQ(asked(), (Lines{u"a"}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"x", u"y", u"0,95"}}));
}

TEST_F(BadInputTest, AHugeExponentOverflowsQuickly) {
  open({u"ГИПОТЕЗЫ:", u"ПЕРЕМЕННЫЕ:", u"X 50", u"Y 1", u"NAME П", u"IF =X>1",
        u"THEN =Y^1E18, =X^1E18", u"END"});
  EXPECT_EQ(run(), u"Floating point overflow");
  // Y^1E18 stays 1; the row of X is never written.
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П", u"", u""}, {u"Переменная", u"Y", u"1"}}));
  EXPECT_FALSE(ws.TraceMode);
  EXPECT_EQ(ws.lines.size(), 8u);
}

TEST_F(BadInputTest, AnEmptyKnowledgeBaseRunsNothing) {
  open({});
  EXPECT_EQ(run(), u"");
  EXPECT_TRUE(ws.RulePath.empty());
  EXPECT_EQ(ws.resultsCaption, u"Окно результатов");
  // Rules without names and a "NAME" without a name.
  open({u"NAME", u"IF a 1", u"THEN x y [1]", u"END"});
  answer(u"a", AnswerButton::Yes, 20, {});
  EXPECT_EQ(run(), u"");
  EXPECT_EQ(ws.RulePath, (Lines{u""}));
  EXPECT_EQ(asked(), (Lines{u"a"}));
}

TEST_F(BadInputTest, APathNamingNoRule) {
  open({u"ГИПОТЕЗЫ:", u"NAME П", u"IF a 1", u"THEN x y [1]", u"END"});
  ws.RulePath = {u"Нет", u"", u"п"};
  EXPECT_EQ(run(), u"");
  EXPECT_TRUE(asked().empty());
  EXPECT_TRUE(ws.protocol.empty());
  EXPECT_NE(ws.resultsCaption.find(u"Найдено решение методом: "), Line::npos);
}

TEST_F(BadInputTest, ASectionThatIsNeverClosed) {
  open({u"ГИПОТЕЗЫ:", u"a {1}", u"РАЗДЕЛ А", u"NAME П", u"IF a 1", u"THEN x y [1]", u"END",
        u"РАЗДЕЛ Б", u"NAME Q", u"IF a 1", u"THEN x z [1]", u"END", u"КОНЕЦ РАЗДЕЛА Б"});
  Run1Result prepared = Run1(ws, host);
  ASSERT_TRUE(prepared.choice);
  EXPECT_EQ(prepared.choice->items, (Lines{u"Все разделы", u"А", u"Б"}));
  SectionChoice choice = *prepared.choice;
  ASSERT_TRUE(tickSections(choice, {u"А"}));
  EXPECT_EQ(SectionChoiceDone(ws, host, choice), RunEnd::Completed);
  EXPECT_TRUE(asked().empty());  // only the head was run
  EXPECT_TRUE(ws.protocol.empty());
  EXPECT_EQ(ws.lines.size(), 13u);
}

TEST_F(BadInputTest, BrokenRulesAndAnswers) {
  // Keywords in odd places, unbalanced groups, lone brackets, empty lines and tabs.
  open({u"ГИПОТЕЗЫ:",
        u"a {1, 2}",
        u"NAME П",
        u"IF ) ( AND OR NOT",
        u"THEN ELSE IF",
        u"ELSE",
        u"THEN [ ] ], , [",
        u"CASE",
        u"",
        u"CASE a",
        u"1",
        u"2 =",
        u"\tEND",
        u"END",
        u"NAME Q",
        u"IF a 1 ) ) )",
        u"THEN x ] [0,5]",
        u"ELSE x y [-]",
        u"END",
        u"NAME R",
        u"IF a 2",
        u"THEN x y [0,5],",
        u"",
        u"END"});
  answer(u"a", AnswerButton::All, -20, {u"1", u"1"});
  Line error = run();
  EXPECT_EQ(error, u"'' is not a valid floating point value");
  EXPECT_EQ(ws.lines.size(), 24u);
  EXPECT_FALSE(ws.TraceMode);
}

}  // namespace
}  // namespace veksa
