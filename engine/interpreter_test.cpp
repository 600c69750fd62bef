// The rule interpreter: passes, IF rules, conclusion and formula lists, the record
// filter of the methods, CASE blocks, tracing and the ordering of the results.
#include "engine/interpreter.h"

#include <random>

#include "engine/engine_test_support.h"
#include "kb/number.h"

namespace veksa {
namespace {

using testing::Rows;

const Lines kHead = {u"ГИПОТЕЗЫ:",
                     u"дерево {ёлка, сосна, берёза}",
                     u"цветок {ромашка, роза}",
                     u"ПАРАМЕТРЫ:",
                     u"оперение {листья, иголки}",
                     u"ПЕРЕМЕННЫЕ:",
                     u"X 50",
                     u"Z 0"};

class InterpreterTest : public testing::EngineTest {
 protected:
  // The head, then the rules; the path is the given names (or every rule in text order).
  void load(const Lines& rules, Lines path = {}) {
    ws.lines = kHead;
    ws.lines.insert(ws.lines.end(), rules.begin(), rules.end());
    if (path.empty()) {
      for (const Line& l : rules) {
        if (l.rfind(u"NAME ", 0) == 0) path.push_back(l.substr(5));
      }
    }
    ws.RulePath = path;
  }
  PassResult pass() { return Button15Click(ws, host); }
  // Index of a line in the workspace.
  std::size_t lineOf(const Line& text) {
    for (std::size_t i = 0; i < ws.lines.size(); ++i) {
      if (ws.lines[i] == text) return i;
    }
    return ws.lines.size();
  }
};

const Lines kBirch = {u"NAME Правило1", u"IF оперение листья AND кора чёрно_белая",
                      u"THEN дерево берёза [0,9]", u"ELSE дерево берёза [-0,9]", u"END"};

TEST_F(InterpreterTest, ThenBranchRecordsTheConclusion) {
  load(kBirch);
  fact(u"оперение", u"листья", u"0,8");
  fact(u"кора", u"чёрно_белая", u"0,6");
  PassResult r = pass();
  EXPECT_EQ(rows(ws.protocol),
            (Rows{{u"Правило1", u"", u""}, {u"Гипотеза", u"дерево берёза", u"0,54"}}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0,54"}}));
  EXPECT_EQ(r.ConclusionCount, 1);
  EXPECT_EQ(r.firstClass, u"дерево");
  EXPECT_EQ(r.firstValue, u"берёза");
  // The variables are loaded by the pass.
  EXPECT_EQ(rows(ws.variables), (Rows{{u"X", u"50"}, {u"Z", u"0"}}));
}

TEST_F(InterpreterTest, ElseBranchWorksWithTheNegatedCertainty) {
  load(kBirch);
  fact(u"оперение", u"листья", u"0,8");
  fact(u"кора", u"чёрно_белая", u"-0,6");
  pass();
  EXPECT_EQ(rows(ws.protocol),
            (Rows{{u"Правило1", u"", u""}, {u"Гипотеза", u"дерево берёза", u"-0,54"}}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"-0,54"}}));
}

TEST_F(InterpreterTest, ZeroCertaintyFiresNothing) {
  load(kBirch);
  fact(u"кора", u"чёрно_белая", u"0,6");  // no answer for оперение
  PassResult r = pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"Правило1", u"", u""}}));
  EXPECT_TRUE(ws.results.empty());
  EXPECT_EQ(r.ConclusionCount, 0);
}

TEST_F(InterpreterTest, TwoConclusionsOfOneHypothesisCombine) {
  load({u"NAME П1", u"IF a 1", u"THEN дерево берёза [0,9]", u"END", u"NAME П2", u"IF b 1",
        u"THEN дерево берёза [0,5]", u"END"});
  fact(u"a", u"1", u"0,6");
  fact(u"b", u"1", u"1");
  pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П1", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,54"},
                                     {u"П2", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,5"}}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0,77"}}));
}

TEST_F(InterpreterTest, ConclusionListOnOneLineAndContinued) {
  load({u"NAME П", u"IF a 1", u"THEN дерево берёза [0,5], дерево сосна [0,5], дерево ёлка [-0,5]",
        u"END"});
  fact(u"a", u"1", u"0,8");
  pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,4"},
                                     {u"Гипотеза", u"дерево сосна", u"0,4"},
                                     {u"Гипотеза", u"дерево ёлка", u"-0,4"}}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0,4"},
                                    {u"дерево", u"сосна", u"0,4"},
                                    {u"дерево", u"ёлка", u"-0,4"}}));

  // A comma last on the line continues the list on the next line; formulas may stand in it.
  load({u"NAME П", u"IF a 1", u"THEN дерево берёза [0,5],", u"=X+5, дерево сосна [1], =X*2",
        u"END"});
  ws.protocol.clear();
  ws.results.clear();
  ws.variables.clear();
  pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,4"},
                                     {u"Переменная", u"X", u"55"},
                                     {u"Гипотеза", u"дерево сосна", u"0,8"},
                                     {u"Переменная", u"X", u"110"}}));

  // A space between "]" and the comma ends the list after the first conclusion.
  load({u"NAME П", u"IF a 1", u"THEN дерево берёза [0,5] , дерево сосна [0,5]", u"END"});
  ws.protocol.clear();
  ws.results.clear();
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0,4"}}));
}

TEST_F(InterpreterTest, FormulaBranches) {
  load({u"NAME П", u"IF a 1", u"THEN =X+5, =X*2", u"ELSE =Z:=1", u"END"});
  fact(u"a", u"1", u"0,8");
  PassResult r = pass();
  EXPECT_EQ(rows(ws.protocol),
            (Rows{{u"П", u"", u""}, {u"Переменная", u"X", u"55"}, {u"Переменная", u"X", u"110"}}));
  EXPECT_EQ(rows(ws.variables), (Rows{{u"X", u"110"}, {u"Z", u"0"}}));
  EXPECT_EQ(r.ConclusionCount, 1);  // a formula branch counts as fired
  EXPECT_TRUE(r.firstClass.empty());
  // Words after a formula list are formulas too.
  load({u"NAME П", u"IF a 1", u"THEN =X+5 дерево", u"END"});
  pass();
  EXPECT_EQ(messages(), (Lines{u"Переменная дерево не объявлена!"}));
}

TEST_F(InterpreterTest, BackwardMethodRecordsOnlyTheFirstConclusion) {
  ws.method = InferenceMethod::BackwardBreadth;
  load({u"NAME П1", u"IF a 1", u"THEN дерево берёза [0,5], дерево ёлка [0,5]", u"END", u"NAME П2",
        u"IF a 1", u"THEN дерево сосна [0,5]", u"END", u"NAME П3", u"IF a 1",
        u"THEN дерево ёлка [0,5]", u"END", u"NAME П4", u"IF a 1", u"THEN дерево берёза [0,5]",
        u"END"});
  fact(u"a", u"1", u"1");
  PassResult r = pass();
  // П1: берёза is the first conclusion; ёлка, a list item, is always recorded. П2: сосна is
  // neither recorded nor combined. П3: ёлка has a row already: no protocol row, but the row is
  // combined (0,75). П4: берёза equals the first conclusion: recorded and combined.
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П1", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,5"},
                                     {u"Гипотеза", u"дерево ёлка", u"0,5"},
                                     {u"П2", u"", u""},
                                     {u"П3", u"", u""},
                                     {u"П4", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,5"}}));
  EXPECT_EQ(rows(ws.results),
            (Rows{{u"дерево", u"берёза", u"0,75"}, {u"дерево", u"ёлка", u"0,75"}}));
  EXPECT_EQ(r.ConclusionCount, 4);
}

TEST_F(InterpreterTest, BackwardMethodAfterAFormulaBranchRecordsNothing) {
  ws.method = InferenceMethod::BackwardBreadth;
  load({u"NAME П1", u"IF a 1", u"THEN =X+1", u"END", u"NAME П2", u"IF a 1",
        u"THEN дерево сосна [0,5]", u"END"});
  fact(u"a", u"1", u"1");
  pass();
  EXPECT_TRUE(ws.results.empty());
  EXPECT_EQ(ws.protocol.size(), 3u);  // П1, its formula, П2
}

TEST_F(InterpreterTest, FirstConclusionMethodEndsThePassAfterTheFirstFiredRule) {
  ws.method = InferenceMethod::FirstConclusion;
  load({u"NAME П1", u"IF b 1", u"THEN дерево ёлка [0,5]", u"END", u"NAME П2", u"IF a 1",
        u"THEN дерево берёза [0,5]", u"END", u"NAME П3", u"IF a 1", u"THEN дерево сосна [0,5]",
        u"END"});
  fact(u"a", u"1", u"1");
  PassResult r = pass();
  EXPECT_EQ(rows(ws.protocol),
            (Rows{{u"П1", u"", u""}, {u"П2", u"", u""}, {u"Гипотеза", u"дерево берёза", u"0,5"}}));
  EXPECT_EQ(host.resultsShown, 1);
  EXPECT_EQ(r.ConclusionCount, 1);
  // No rule fires: every rule runs and the pass shows nothing itself.
  ws.facts.clear();
  ws.protocol.clear();
  ws.results.clear();
  r = pass();
  EXPECT_EQ(ws.protocol.size(), 3u);
  EXPECT_EQ(host.resultsShown, 1);
  EXPECT_EQ(r.ConclusionCount, 0);
}

TEST_F(InterpreterTest, NestedThenIfTakesTheSmallerCertainty) {
  const Lines rule = {u"NAME Правило3",
                      u"IF оперение иголки",
                      u"THEN IF хвоя короткая",
                      u"THEN дерево ёлка [0,6]",
                      u"ELSE дерево сосна [0,4]",
                      u"ELSE дерево берёза [0,3]",
                      u"END"};
  load(rule);
  fact(u"оперение", u"иголки", u"0,8");
  fact(u"хвоя", u"короткая", u"0,5");
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"ёлка", u"0,3"}}));  // min(0,8; 0,5) x 0,6

  // Inner -0,3: the first ELSE does not fire (one ELSE met, two IF parts entered); the second does,
  // with 0,3.
  ws.facts.clear();
  ws.results.clear();
  fact(u"оперение", u"иголки", u"0,8");
  fact(u"хвоя", u"короткая", u"-0,3");
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0,09"}}));

  // Outer -0,8: the nested IF is not entered, so the first ELSE fires with 0,8.
  ws.facts.clear();
  ws.results.clear();
  fact(u"оперение", u"иголки", u"-0,8");
  fact(u"хвоя", u"короткая", u"0,5");
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"сосна", u"0,32"}}));
}

TEST_F(InterpreterTest, ElseIfChainsPairElsesWithIfParts) {
  load({u"NAME П", u"IF a 1", u"THEN дерево ёлка [1]", u"ELSE IF b 1", u"THEN дерево сосна [1]",
        u"ELSE IF c 1", u"THEN дерево берёза [1]", u"ELSE цветок роза [1]", u"END"});
  fact(u"a", u"1", u"-0,9");
  fact(u"b", u"1", u"-0,7");
  fact(u"c", u"1", u"0,6");
  pass();
  // ELSE IF b: -(-0,9) = 0,9 with b -0,7 → -0,7; ELSE IF c: 0,7 with 0,6 → 0,6: берёза 0,6.
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0,6"}}));
  ws.facts.clear();
  ws.results.clear();
  fact(u"a", u"1", u"-0,9");
  fact(u"b", u"1", u"-0,7");
  fact(u"c", u"1", u"-0,2");
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"цветок", u"роза", u"0,2"}}));
}

TEST_F(InterpreterTest, ElseAloneWithNegativeCertaintyEndsTheRule) {
  load({u"NAME П", u"IF a 1", u"THEN дерево берёза [0,9]", u"ELSE", u"IF c 1",
        u"THEN дерево сосна [0,9]", u"END"});
  fact(u"a", u"1", u"-0,5");
  fact(u"c", u"1", u"0,8");
  PassResult r = pass();
  EXPECT_TRUE(ws.results.empty());
  EXPECT_EQ(r.ConclusionCount, 0);
  // A THEN with nothing after it ends the rule without a conclusion.
  load({u"NAME П", u"IF c 1", u"THEN", u"THEN дерево сосна [0,9]", u"END"});
  r = pass();
  EXPECT_TRUE(ws.results.empty());
  EXPECT_EQ(r.ConclusionCount, 0);
}

TEST_F(InterpreterTest, OneLineIfThenIsNotRecognised) {
  // "IF a 1 THEN ..." puts THEN second in its pair: the rule never fires.
  load({u"NAME П", u"IF a 1 THEN дерево берёза [0,9]", u"END"});
  fact(u"a", u"1", u"1");
  pass();
  EXPECT_TRUE(ws.results.empty());
  // With a two-word condition THEN is first in its pair and fires.
  load({u"NAME П", u"IF a 1 THEN дерево берёза [0,9]", u"END"});
  ws.lines[lineOf(u"IF a 1 THEN дерево берёза [0,9]")] = u"IF a 1 AND a 1 THEN дерево берёза [0,9]";
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0,9"}}));
}

TEST_F(InterpreterTest, EveryRuleOfAPathNameRunsOncePerEntry) {
  load({u"NAME П", u"IF a 1", u"THEN дерево берёза [0,5]", u"END", u"NAME П", u"IF a 1",
        u"THEN дерево сосна [0,5]", u"END"});
  EXPECT_EQ(ws.RulePath, (Lines{u"П", u"П"}));
  fact(u"a", u"1", u"1");
  pass();
  // Each path entry runs both rules: берёза and сосна twice each.
  EXPECT_EQ(ws.protocol.size(), 8u);
  EXPECT_EQ(rows(ws.results),
            (Rows{{u"дерево", u"берёза", u"0,75"}, {u"дерево", u"сосна", u"0,75"}}));
  // Names in the path that no rule carries are passed over.
  ws.RulePath = {u"Нет", u"П"};
  ws.protocol.clear();
  pass();
  EXPECT_EQ(ws.protocol.size(), 4u);
}

TEST_F(InterpreterTest, ARuleWithoutEndRunsIntoTheFollowingLines) {
  load({u"NAME A", u"IF a 1", u"THEN дерево берёза [0,5]", u"NAME B", u"IF c 1",
        u"THEN дерево сосна [0,5]", u"END"});
  fact(u"a", u"1", u"-0,5");
  fact(u"c", u"1", u"0,8");
  pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"A", u"", u""},
                                     {u"Гипотеза", u"дерево сосна", u"0,4"},
                                     {u"B", u"", u""},
                                     {u"Гипотеза", u"дерево сосна", u"0,4"}}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"сосна", u"0,64"}}));
  // The last rule without END runs to the end of the text.
  load({u"NAME A", u"IF c 1", u"AND c 1"});
  ws.results.clear();
  pass();
  EXPECT_TRUE(ws.results.empty());
}

TEST_F(InterpreterTest, AFactorThatDoesNotConvertEndsThePass) {
  load({u"NAME П1", u"IF a 1", u"THEN дерево берёза [0.9]", u"END", u"NAME П2", u"IF a 1",
        u"THEN дерево сосна [0,5]", u"END"});
  fact(u"a", u"1", u"1");
  try {
    pass();
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(), u"'0.9' is not a valid floating point value");
  }
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П1", u"", u""}}));  // rows already written stay
  // A conclusion without a factor.
  load({u"NAME П1", u"IF a 1", u"THEN дерево берёза", u"END"});
  try {
    pass();
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(), u"'' is not a valid floating point value");
  }
}

TEST_F(InterpreterTest, CaseFiresTheAlternativeOfEachFact) {
  const Lines rule = {u"NAME Правило4", u"CASE шипы", u"есть цветок роза [0,9]",
                      u"нет цветок ромашка [0,7]", u"END"};
  load(rule);
  fact(u"шипы", u"есть", u"0,7");
  PassResult r = pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"цветок", u"роза", u"0,63"}}));
  EXPECT_EQ(r.ConclusionCount, 1);
  // "все" with есть ticked: the second fact (k = 1) scans from the line after CASE + 1.
  ws.facts.clear();
  ws.results.clear();
  ws.protocol.clear();
  fact(u"шипы", u"есть", u"0,7");
  fact(u"шипы", u"нет", u"-0,7");
  pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"Правило4", u"", u""},
                                     {u"Гипотеза", u"цветок роза", u"0,63"},
                                     {u"Гипотеза", u"цветок ромашка", u"-0,49"}}));
}

TEST_F(InterpreterTest, CaseScansFromTheCaseLinePlusTheFactsRank) {
  // The second fact of шипы starts at the line after CASE + 1: the first alternative is never
  // compared with it.
  load({u"NAME П", u"CASE шипы", u"есть цветок роза [0,9]", u"нет цветок ромашка [0,7]", u"END"});
  fact(u"шипы", u"нет", u"0,5");
  fact(u"шипы", u"есть", u"0,7");
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"цветок", u"ромашка", u"0,35"}}));
}

TEST_F(InterpreterTest, CaseEmptyLinesFormulasAndLists) {
  load({u"NAME П", u"CASE шипы", u"есть цветок роза [0,9]", u"", u"нет =X+5, =X*2",
        u"нет цветок ромашка [0,5], дерево ёлка [1]", u"END"});
  fact(u"шипы", u"нет", u"0,6");
  PassResult r = pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П", u"", u""},
                                     {u"Переменная", u"X", u"55"},
                                     {u"Переменная", u"X", u"110"},
                                     {u"Гипотеза", u"цветок ромашка", u"0,3"},
                                     {u"Гипотеза", u"дерево ёлка", u"0,6"}}));
  EXPECT_EQ(r.ConclusionCount, 2);
  // Two empty lines end the rule.
  load({u"NAME П", u"CASE шипы", u"", u"", u"нет цветок роза [0,9]", u"END"});
  ws.protocol.clear();
  ws.results.clear();
  pass();
  EXPECT_TRUE(ws.results.empty());
  // No END: the scan stops at the end of the text.
  load({u"NAME П", u"CASE шипы", u"нет цветок роза [0,9]"});
  ws.results.clear();
  pass();
  EXPECT_EQ(rows(ws.results), (Rows{{u"цветок", u"роза", u"0,54"}}));
}

TEST_F(InterpreterTest, ACaseAlternativeLeavesItsConclusionCertaintyAsTheCurrentOne) {
  // A CASE rule without END runs on into the next rule's IF and THEN lines: the certainty the
  // alternative left (0,7 x 0,1 = 0,07) is the one that IF (no fact) leaves and THEN multiplies.
  load({u"NAME R1", u"CASE хвоя", u"green вид green [0,1]", u"NAME R2", u"IF высота b",
        u"THEN вид green [0,35]", u"END"});
  fact(u"хвоя", u"green", u"0,7");
  pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"R1", u"", u""},
                                     {u"Гипотеза", u"вид green", u"0,07"},
                                     {u"Гипотеза", u"вид green", u"0,0245"},
                                     {u"R2", u"", u""}}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"вид", u"green", u"0,092785"}}));
  // When the alternative's conclusion combines with an existing row, SumCt's result is the
  // current certainty: SumCt(0,35; 0,07) = 0,3955, then 0,3955 x 0,35 = 0,138425.
  load({u"NAME R0", u"IF хвоя green", u"THEN вид green [0,5]", u"END", u"NAME R1", u"CASE хвоя",
        u"green вид green [0,1]", u"NAME R2", u"IF высота b", u"THEN вид green [0,35]", u"END"},
       {u"R0", u"R1"});
  ws.protocol.clear();
  ws.results.clear();
  pass();
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"R0", u"", u""},
                                     {u"Гипотеза", u"вид green", u"0,35"},
                                     {u"R1", u"", u""},
                                     {u"Гипотеза", u"вид green", u"0,07"},
                                     {u"Гипотеза", u"вид green", u"0,138425"}}));
}

TEST_F(InterpreterTest, CaseUnderTheBackwardMethod) {
  ws.method = InferenceMethod::BackwardBreadth;
  load({u"NAME П", u"CASE шипы", u"есть цветок роза [0,9]", u"нет цветок ромашка [0,7]", u"END"});
  fact(u"шипы", u"есть", u"0,7");
  fact(u"шипы", u"нет", u"-0,7");
  pass();
  // роза is the first conclusion; ромашка differs from it and is not recorded.
  EXPECT_EQ(rows(ws.results), (Rows{{u"цветок", u"роза", u"0,63"}}));
  EXPECT_EQ(ws.protocol.size(), 2u);
}

TEST_F(InterpreterTest, TraceStepsOnlyInATraceRun) {
  load({u"NAME П", u"IF a 1", u"AND a 1", u"THEN IF a 1", u"THEN дерево берёза [0,5]", u"CASE шипы",
        u"есть цветок роза [1]", u"END", u"NAME Q", u"IF a 1", u"THEN дерево сосна [1]", u"END"});
  fact(u"a", u"1", u"1");
  pass();
  EXPECT_TRUE(host.transcript.empty());
  ws.TraceMode = true;
  ws.traceRule = u"П";
  ws.protocol.clear();
  pass();
  std::size_t ifLine = lineOf(u"IF a 1");
  EXPECT_EQ(
      host.transcript,
      (Lines{u"[trace] " + fromUtf8(std::to_string(ifLine)) + u" IF a 1",
             u"[trace] " + fromUtf8(std::to_string(ifLine + 2)) + u" THEN IF a 1",
             u"[trace] " + fromUtf8(std::to_string(ifLine + 3)) + u" THEN дерево берёза [0,5]"}));
  // Only the chosen rule runs.
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П", u"", u""}, {u"Гипотеза", u"дерево берёза", u"0,5"}}));
  // CASE: the CASE line and each alternative that fires.
  load({u"NAME П", u"CASE шипы", u"есть цветок роза [1]", u"END"});
  fact(u"шипы", u"есть", u"1");
  host.transcript.clear();
  pass();
  std::size_t caseLine = lineOf(u"CASE шипы");
  EXPECT_EQ(
      host.transcript,
      (Lines{u"[trace] " + fromUtf8(std::to_string(caseLine)) + u" CASE шипы",
             u"[trace] " + fromUtf8(std::to_string(caseLine + 1)) + u" есть цветок роза [1]"}));
}

TEST_F(InterpreterTest, UpOrdersByCertaintyWithTheExactExchanges) {
  ws.results.append({u"a", u"1", u"0,4"});
  ws.results.append({u"b", u"1", u"0,9"});
  ws.results.append({u"c", u"1", u"0,6"});
  Up(ws);
  EXPECT_EQ(rows(ws.results),
            (Rows{{u"b", u"1", u"0,9"}, {u"c", u"1", u"0,6"}, {u"a", u"1", u"0,4"}}));
  // Equal certainties are not exchanged, but an exchange moves a row behind its equal: (a 0,5),
  // (b 0,5), (c 0,7) become (c), (b), (a), not the stable order (c), (a), (b).
  ws.results.clear();
  ws.results.append({u"a", u"1", u"0,5"});
  ws.results.append({u"b", u"1", u"0,5"});
  ws.results.append({u"c", u"1", u"0,7"});
  Up(ws);
  EXPECT_EQ(rows(ws.results),
            (Rows{{u"c", u"1", u"0,7"}, {u"b", u"1", u"0,5"}, {u"a", u"1", u"0,5"}}));
  // The index still finds the rows after the exchanges.
  RowRange found = ws.results.find(u"a", u"1");
  EXPECT_EQ(std::vector<std::size_t>(found.begin(), found.end()), std::vector<std::size_t>{2});
  // One row (even a bad one) is left alone.
  ws.results.clear();
  ws.results.append({u"a", u"1", u"x"});
  Up(ws);
  EXPECT_EQ(ws.results.size(), 1u);
}

TEST_F(InterpreterTest, SumCtMessageDuringAPass) {
  load({u"NAME П1", u"IF a 1", u"THEN дерево берёза [1]", u"END", u"NAME П2", u"IF a 1",
        u"THEN дерево берёза [-0,5]", u"END"});
  fact(u"a", u"1", u"1");
  pass();
  EXPECT_EQ(messages(), (Lines{u"Некорректные данные в базе знаний"}));
  EXPECT_EQ(rows(ws.results), (Rows{{u"дерево", u"берёза", u"0"}}));
}

}  // namespace
}  // namespace veksa

namespace veksa {
namespace {

// The walk of Up exactly as the ordering is defined (quadratic).
std::vector<std::size_t> literalUp(std::vector<long double> c) {
  std::vector<std::size_t> id(c.size());
  for (std::size_t i = 0; i < id.size(); ++i) id[i] = i;
  for (std::size_t i = 0; i + 1 < c.size(); ++i) {
    long double max = c[i];
    for (std::size_t j = i + 1; j < c.size(); ++j) {
      if (c[j] > max) {
        std::swap(c[i], c[j]);
        std::swap(id[i], id[j]);
        max = c[i];
      }
    }
  }
  return id;
}

TEST(UpOrder, EqualsTheLiteralWalkOnManyTies) {
  std::mt19937 rng(20240607);
  for (int trial = 0; trial < 3000; ++trial) {
    std::size_t n = 1 + rng() % (trial < 2500 ? 12 : 300);
    int levels = 1 + static_cast<int>(rng() % 6);
    std::vector<long double> c(n);
    for (auto& v : c) v = (static_cast<int>(rng() % levels) - 2) / 10.0L;
    ASSERT_EQ(UpOrder(c), literalUp(c)) << "trial " << trial;
  }
}

}  // namespace
}  // namespace veksa
