// Conditions and certainty factors.
#include "engine/conditions.h"

#include <random>
#include <string>

#include "engine/engine_test_support.h"
#include "kb/number.h"

namespace veksa {
namespace {

class ConditionsTest : public testing::EngineTest {
 protected:
  // Evaluates the condition that follows "IF " on the first line, from a certainty of 0.
  long double evalIf(Lines lines) {
    ws.lines = std::move(lines);
    return IdenIf(ws, host, 0, 3, 0);
  }
  Line text(long double v) { return ws.format(v); }
};

TEST_F(ConditionsTest, AndTakesTheMinimumOrTheMaximum) {
  fact(u"оперение", u"листья", u"0,8");
  fact(u"кора", u"чёрно_белая", u"0,6");
  EXPECT_EQ(text(evalIf({u"IF оперение листья AND кора чёрно_белая"})), u"0,6");
  EXPECT_EQ(text(evalIf({u"IF оперение листья OR кора чёрно_белая"})), u"0,8");
  EXPECT_EQ(text(evalIf({u"IF оперение листья", u"AND кора чёрно_белая", u"THEN"})), u"0,6");
}

TEST_F(ConditionsTest, NotNegatesTheFact) {
  fact(u"оперение", u"иголки", u"0,8");
  fact(u"хвоя", u"короткая", u"0,3");
  EXPECT_EQ(text(evalIf({u"IF оперение иголки AND NOT хвоя короткая"})), u"-0,3");
  EXPECT_EQ(text(evalIf({u"IF оперение иголки", u"AND NOT хвоя короткая"})), u"-0,3");
  EXPECT_EQ(text(evalIf({u"IF NOT хвоя короткая"})), u"-0,3");
  // OR NOT keeps the larger of 0,8 and -0,3.
  EXPECT_EQ(text(evalIf({u"IF оперение иголки", u"OR NOT хвоя короткая"})), u"0,8");
}

TEST_F(ConditionsTest, ThirdTermOnOneLineAfterAMatchedSecondIsPassedOver) {
  fact(u"буква", u"A", u"0,2");
  fact(u"буква", u"C", u"0,7");
  fact(u"буква", u"E", u"0,9");
  EXPECT_EQ(text(evalIf({u"IF буква A OR буква C OR буква E", u"THEN x y [1]"})), u"0,7");
  EXPECT_EQ(text(evalIf({u"IF буква A", u"OR буква C", u"OR буква E", u"THEN x y [1]"})), u"0,9");
}

TEST_F(ConditionsTest, ATermTestsTheWordsTheTermBeforeItRead) {
  fact(u"a", u"x", u"-0,8");
  fact(u"b", u"x", u"-0,6");
  fact(u"c", u"x", u"0,9");
  // AND then OR on one line: min(-0,8; -0,6) = -0,8, then max(-0,8; 0,9) = 0,9; on lines of
  // their own the same.
  EXPECT_EQ(text(evalIf({u"IF a x AND b x OR c x", u"THEN y z [1]"})), u"0,9");
  EXPECT_EQ(text(evalIf({u"IF a x", u"AND b x", u"OR c x", u"THEN y z [1]"})), u"0,9");
  // Inside a group, and in a group that follows "AND (" on the line.
  EXPECT_EQ(text(evalIf({u"IF ( a x AND b x OR c x )"})), u"0,9");
  EXPECT_EQ(text(evalIf({u"IF c x AND ( a x AND b x OR c x )"})), u"0,9");
  // An OR term lies behind an AND term: after a matched OR term, the AND term is passed over
  // (min would give -0,6).
  EXPECT_EQ(text(evalIf({u"IF a x OR c x AND b x"})), u"0,9");
  // A missing AND term: the OR term is not tested in that step; it begins the next step and is
  // assigned as a first term would be.
  fact(u"d", u"x", u"-0,3");
  EXPECT_EQ(text(evalIf({u"IF c x AND m x OR d x"})), u"-0,3");
}

TEST_F(ConditionsTest, OrNotFollowsAndNotInOneStep) {
  fact(u"a", u"x", u"0,7");
  fact(u"b", u"x", u"0,9");
  fact(u"c", u"x", u"-0,6");
  // 0,7, then AND NOT: min(0,7; -0,9) = -0,9, then OR NOT: max(-0,9; 0,6) = 0,6.
  EXPECT_EQ(text(evalIf({u"IF a x AND NOT b x OR NOT c x"})), u"0,6");
  EXPECT_EQ(text(evalIf({u"IF a x", u"AND NOT b x", u"OR NOT c x"})), u"0,6");
  EXPECT_EQ(text(evalIf({u"IF ( a x AND NOT b x OR NOT c x )"})), u"0,6");
  // AND NOT with a missing fact: nothing is read in its place, so the OR NOT term waits for the
  // next step, which begins at it: max(0,7; 0,6) = 0,7.
  EXPECT_EQ(text(evalIf({u"IF a x AND NOT m x OR NOT c x"})), u"0,7");
  // "AND (" then "OR (" where a step begins: min(-0,6; 0,9), then max(-0,6; 0,7), in a condition
  // and inside a group.
  fact(u"d", u"x", u"-0,6");
  EXPECT_EQ(text(evalIf({u"IF d x", u"AND ( b x ) OR ( a x )"})), u"0,7");
  EXPECT_EQ(text(evalIf({u"IF ( d x ) AND ( b x ) OR ( a x )"})), u"0,7");
  EXPECT_EQ(text(evalIf({u"IF ( ( d x ) AND ( b x ) OR ( a x ) )"})), u"0,7");
  // After a first term on the line, "AND (" is read as the term's following words, not as a group
  // (the step's group parts lie before its terms): d stays.
  EXPECT_EQ(text(evalIf({u"IF d x AND ( b x ) OR ( a x )"})), u"-0,6");
}

TEST_F(ConditionsTest, AfterAnUnmatchedSecondTermTheThirdIsAssigned) {
  fact(u"a", u"1", u"0,8");
  fact(u"e", u"1", u"0,9");
  // "AND c 1" has no fact: the next step starts at "e 1", read as a first term and assigned
  // (0,9, not the minimum 0,8).
  EXPECT_EQ(text(evalIf({u"IF a 1 AND c 1 AND e 1"})), u"0,9");
  // On lines of their own, a missing AND term is ignored and the next one combines.
  EXPECT_EQ(text(evalIf({u"IF a 1", u"AND c 1", u"AND e 1"})), u"0,8");
}

TEST_F(ConditionsTest, AMissingFirstTermLeavesZeroAndStops) {
  fact(u"кора", u"чёрно_белая", u"0,6");
  EXPECT_EQ(evalIf({u"IF оперение листья AND кора чёрно_белая"}), 0);
  EXPECT_EQ(evalIf({u"IF оперение листья", u"OR кора чёрно_белая"}), 0);
  // A first term answered with certainty 0 stops the evaluation as well.
  fact(u"оперение", u"листья", u"0");
  EXPECT_EQ(evalIf({u"IF оперение листья", u"OR кора чёрно_белая"}), 0);
}

TEST_F(ConditionsTest, AComparisonEndsTheCondition) {
  ws.variables.append({u"X", u"6"});
  fact(u"a", u"1", u"0,4");
  fact(u"c", u"1", u"-0,5");
  EXPECT_EQ(evalIf({u"IF =X>5.5 AND c 1"}), 1);
  EXPECT_EQ(evalIf({u"IF =X<5.5", u"OR a 1"}), -1);
  // A comparison first on a later line overwrites what came before and ends the condition.
  EXPECT_EQ(evalIf({u"IF a 1", u"=X>5", u"AND c 1"}), 1);
  // A comparison that is not the first word of a step is looked up like a parameter.
  EXPECT_EQ(text(evalIf({u"IF a 1", u"AND =X<5"})), u"0,4");
}

TEST_F(ConditionsTest, WordsPastTheEndOfTheLineLeaveTheirSlots) {
  // Two rows for one pair: each match reads w1 and w2 again; the second reading runs past the end
  // of the line, so the AND term is never evaluated: the last row's 0,7 stays.
  fact(u"a", u"1", u"0,5");
  fact(u"a", u"1", u"0,7");
  fact(u"c", u"1", u"0,1");
  EXPECT_EQ(text(evalIf({u"IF a 1 AND c 1"})), u"0,7");
}

TEST_F(ConditionsTest, AGroupThenTheTermsAfterIt) {
  fact(u"a", u"1", u"0,8");
  fact(u"c", u"1", u"0,6");
  fact(u"e", u"1", u"0,7");
  // The group gives min(0,8; 0,6) = 0,6; the caller goes on after its ")" with OR e 1.
  EXPECT_EQ(text(evalIf({u"IF ( a 1 AND c 1 ) OR e 1"})), u"0,7");
  EXPECT_EQ(text(evalIf({u"IF ( a 1 AND c 1 ) AND e 1"})), u"0,6");
  EXPECT_EQ(text(evalIf({u"IF ( a 1 OR c 1 )"})), u"0,8");
  // "AND (" and "OR (" at the start of a step combine the group with what came before.
  EXPECT_EQ(text(evalIf({u"IF a 1", u"AND ( c 1 OR e 1 )"})), u"0,7");
  EXPECT_EQ(text(evalIf({u"IF c 1", u"OR ( a 1 AND e 1 )"})), u"0,7");
  EXPECT_EQ(text(evalIf({u"IF a 1", u"AND ( c 1 )", u"OR ( e 1 )"})), u"0,7");
  // The group does not simply replace what came before.
  EXPECT_EQ(text(evalIf({u"IF c 1", u"AND ( a 1 )"})), u"0,6");
  EXPECT_EQ(text(evalIf({u"IF a 1", u"OR ( c 1 )"})), u"0,8");
}

TEST_F(ConditionsTest, NestedGroupsEachHaveTheirOwnCertainty) {
  fact(u"a", u"1", u"0,3");
  fact(u"c", u"1", u"0,6");
  fact(u"e", u"1", u"0,4");
  // ( ( a OR c ) AND e ): the inner group 0,6 is assigned to the outer group's partial result,
  // then AND e keeps 0,4.
  EXPECT_EQ(text(evalIf({u"IF ( ( a 1 OR c 1 ) AND e 1 )"})), u"0,4");
  // "AND (" inside a group keeps the smaller of the partial result (0,6) and the inner group (0,4).
  EXPECT_EQ(text(evalIf({u"IF ( ( c 1 ) AND ( e 1 ) )"})), u"0,4");
  EXPECT_EQ(text(evalIf({u"IF ( ( c 1 ) OR ( e 1 ) )"})), u"0,6");
  EXPECT_EQ(text(evalIf({u"IF ( ( a 1 ) OR ( e 1 ) )"})), u"0,4");
  EXPECT_EQ(text(evalIf({u"IF ( ( e 1 ) AND ( c 1 ) )"})), u"0,4");
  EXPECT_EQ(text(evalIf({u"IF ( ( c 1 ) OR ( a 1 ) )"})), u"0,6");
}

TEST_F(ConditionsTest, IdenCReturnsTheCountPastItsClosingParenthesis) {
  fact(u"a", u"1", u"0,8");
  fact(u"c", u"1", u"0,9");
  ws.lines = {u"( a 1 ) OR e 1", u"( a 1", u"OR c 1 )"};
  // "( a 1 ) OR e 1": the ")" is at position 7, so from position 2 the count is 6.
  auto group = IdenC(ws, host, 0, 2);
  EXPECT_EQ(group.count, 6u);
  EXPECT_EQ(text(group.certainty), u"0,8");
  // No ")" on the line: to the end of the line; a group never reads the next line.
  group = IdenC(ws, host, 1, 2);
  EXPECT_EQ(group.count, 4u);
  EXPECT_EQ(text(group.certainty), u"0,8");
  // A ")" or THEN or a comparison inside a group: ")" ends it, THEN is looked up and matches
  // nothing, so the group stays 0.
  ws.lines = {u"( THEN 1 )"};
  group = IdenC(ws, host, 0, 2);
  EXPECT_EQ(group.count, 9u);
  EXPECT_EQ(group.certainty, 0);
}

TEST_F(ConditionsTest, HundredThousandNestedGroupsUseNoDeepRecursion) {
  fact(u"a", u"1", u"0,8");
  const int depth = 100000;
  Line balanced = u"IF ", open, close;
  for (int i = 0; i < depth; ++i) open += u"( ";
  for (int i = 0; i < depth; ++i) close += u" )";
  EXPECT_EQ(text(evalIf({balanced + open + u"a 1" + close})), u"0,8");
  EXPECT_EQ(text(evalIf({u"IF " + open + u"a 1"})), u"0,8");  // never closed
  EXPECT_EQ(evalIf({u"IF " + open}), 0);
  EXPECT_EQ(evalIf({u"IF " + close}), 0);
}

TEST_F(ConditionsTest, AFactThatDoesNotConvertIsARunTimeError) {
  fact(u"a", u"1", u"0.5");
  try {
    evalIf({u"IF a 1"});
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(), u"'0.5' is not a valid floating point value");
  }
}

TEST_F(ConditionsTest, SumCtCombinesTwoCertainties) {
  auto sum = [&](long double a, long double b) { return text(SumCt(host, a, b)); };
  EXPECT_EQ(sum(0.5L, 0.5L), u"0,75");
  EXPECT_EQ(sum(-0.5L, -0.5L), u"-0,75");
  EXPECT_EQ(sum(0.6L, -0.4L), u"0,333333333333333");
  EXPECT_EQ(sum(-0.6L, 0.4L), u"-0,333333333333333");
  EXPECT_EQ(sum(0.54L, 0.5L), u"0,77");
  EXPECT_EQ(sum(0, 0.7L), u"0,7");
  EXPECT_EQ(sum(0.7L, 0), u"0,7");
  EXPECT_EQ(sum(0, 0), u"0");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(sum(1, -0.5L), u"0");
  EXPECT_EQ(sum(0.5L, -1), u"0");
  EXPECT_EQ(sum(-1, 1), u"0");
  EXPECT_EQ(messages(), Lines(3, u"Некорректные данные в базе знаний"));
  EXPECT_EQ(sum(1, 0.5L), u"1");  // same signs: no message
  EXPECT_EQ(messages().size(), 3u);
  try {
    SumCt(host, 1e4000L, 1e4000L);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(), u"Floating point overflow");
  }
}

}  // namespace
}  // namespace veksa

namespace veksa {
namespace {

// The rest of a condition is followed as a function once per line start; word by word evaluation
// is the reference. Random texts over a small vocabulary, random facts (zeros and repeated rows
// included) and random starting certainties.
TEST(ConditionMemo, AgreesWithWordByWordEvaluation) {
  std::mt19937 rng(7);
  const Lines vocabulary = {u"a", u"b", u"1",    u"2",    u"AND",  u"OR",  u"NOT",
                            u"(", u")", u"THEN", u"=X>1", u"=Q<1", u"a 1", u"b 2"};
  const Line certainties[] = {u"-1", u"-0,5", u"0", u"0,3", u"0,7", u"1"};
  const long double starts[] = {-0.4L, 0, 0.2L, 0.9L};
  for (int trial = 0; trial < 1500; ++trial) {
    Lines text;
    int lines = 1 + static_cast<int>(rng() % 12);
    for (int i = 0; i < lines; ++i) {
      Line line;
      int words = static_cast<int>(rng() % 7);
      for (int k = 0; k < words; ++k) {
        if (!line.empty()) line += u" ";
        line += vocabulary[rng() % vocabulary.size()];
      }
      text.push_back(line);
    }
    Workspace literal, memo;
    for (Workspace* ws : {&literal, &memo}) {
      ws->lines = text;
      ws->variables.append({u"X", u"2"});
    }
    for (const char16_t* p : {u"a", u"b"}) {
      for (const char16_t* v : {u"1", u"2"}) {
        int rows = static_cast<int>(rng() % 3);
        for (int r = 0; r < rows; ++r) {
          Line c = certainties[rng() % 6];
          literal.facts.append({p, v, c});
          memo.facts.append({p, v, c});
        }
      }
    }
    AnswersHost literalHost(literal), memoHost(memo);
    RunText literalText(literal.lines, literal.symbols(), literal.decimalSeparator);
    RunText memoText(memo.lines, memo.symbols(), memo.decimalSeparator);
    Expressions literalExpressions(literal.symbols()), memoExpressions(memo.symbols());
    ConditionEvaluator reference(literal, literalHost, literalText, literalExpressions, false);
    ConditionEvaluator memoized(memo, memoHost, memoText, memoExpressions, true);
    for (std::size_t line = 0; line < text.size(); ++line) {
      for (long double start : starts) {
        ASSERT_EQ(reference.IdenIf(line, 1, start), memoized.IdenIf(line, 1, start))
            << "trial " << trial << " line " << line << " start " << static_cast<double>(start);
      }
    }
    ASSERT_EQ(literalHost.transcript, memoHost.transcript) << "trial " << trial;
  }
}

TEST(ConditionMemo, OneLineRulesReadOnToTheEndOfTheText) {
  // Rules in the one-line form never reach a THEN where a step begins: each condition reads on
  // over every rule after it to the last line, whose "OR a 2" raises every certainty from 0.5 to
  // 0.9. The rests of the conditions are shared, so 20,000 rules take about one walk over the text.
  Workspace ws;
  ws.lines = {u"ГИПОТЕЗЫ:"};
  for (int i = 0; i < 20000; ++i) {
    ws.lines.push_back(u"NAME П");
    ws.lines.push_back(u"IF a 1 THEN x y [1]");
    ws.lines.push_back(u"END");
  }
  ws.lines.push_back(u"OR a 2");
  ws.facts.append({u"a", u"1", u"0,5"});
  ws.facts.append({u"a", u"2", u"0,9"});
  AnswersHost host(ws);
  RunText text(ws.lines, ws.symbols(), ws.decimalSeparator);
  Expressions expressions(ws.symbols());
  ConditionEvaluator evaluator(ws, host, text, expressions);
  for (std::size_t line = 2; line < ws.lines.size(); line += 3) {
    ASSERT_EQ(evaluator.IdenIf(line, 3, 0), ws.number(u"0,9")) << line;
  }
}

}  // namespace
}  // namespace veksa
