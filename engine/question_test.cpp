// The question pass and the answer logic of the question dialog.
#include "engine/question.h"

#include "engine/engine_test_support.h"

namespace veksa {
namespace {

using testing::Rows;

const Lines kHead = {u"ГИПОТЕЗЫ:",
                     u"дерево {ёлка, сосна, берёза}",
                     u"ПАРАМЕТРЫ:",
                     u"оперение {листья, иголки}",
                     u"кора {чёрно_белая, коричневая}",
                     u"хвоя {короткая, длинная}",
                     u"шипы {есть, нет}",
                     u"ПЕРЕМЕННЫЕ:",
                     u"X 6"};

class QuestionTest : public testing::EngineTest {
 protected:
  // Runs Rule over each rule of `rules` (placed after the head), in order.
  Lines ask(const Lines& rules) {
    ws.lines = kHead;
    ws.lines.insert(ws.lines.end(), rules.begin(), rules.end());
    QuestionPass questions(ws, host);
    for (std::size_t i = 0; i < ws.lines.size() && questions.asking(); ++i) {
      if (ws.lines[i].rfind(u"NAME ", 0) == 0) questions.Rule(i + 1);
    }
    asking = questions.asking();
    return asked();
  }
  bool asking = true;  // the continue flag the last `ask` left
};

TEST(CertaintyText, ExactDecimalOfTheTrackPosition) {
  EXPECT_EQ(certaintyText(17, u','), u"0,85");
  EXPECT_EQ(certaintyText(-10, u','), u"-0,5");
  EXPECT_EQ(certaintyText(0, u','), u"0");
  EXPECT_EQ(certaintyText(20, u','), u"1");
  EXPECT_EQ(certaintyText(-20, u','), u"-1");
  EXPECT_EQ(certaintyText(1, u','), u"0,05");
  EXPECT_EQ(certaintyText(-1, u','), u"-0,05");
  EXPECT_EQ(certaintyText(14, u','), u"0,7");
  EXPECT_EQ(certaintyText(3, u','), u"0,15");
  EXPECT_EQ(certaintyText(17, u'.'), u"0.85");
  EXPECT_EQ(certaintyText(25, u','), u"1");  // the bar ends at 1
}

TEST_F(QuestionTest, AnswersWriteTheFactTable) {
  Question q{u"оперение", {u"листья", u"иголки"}};
  // "да" with both ticked at -0,5.
  bool asking = false;
  applyAnswer(ws, q, Answer{AnswerButton::Yes, -10, {true, true}}, asking);
  EXPECT_EQ(rows(ws.facts),
            (Rows{{u"оперение", u"листья", u"-0,5"}, {u"оперение", u"иголки", u"-0,5"}}));
  EXPECT_TRUE(asking);
  // "все" with листья ticked at 0,7.
  ws.facts.clear();
  applyAnswer(ws, q, Answer{AnswerButton::All, 14, {true}}, asking);
  EXPECT_EQ(rows(ws.facts),
            (Rows{{u"оперение", u"листья", u"0,7"}, {u"оперение", u"иголки", u"-0,7"}}));
  // "все" with nothing ticked: every value with the negated certainty; at 0 the negation is "0".
  ws.facts.clear();
  applyAnswer(ws, q, Answer{AnswerButton::All, 17, {}}, asking);
  EXPECT_EQ(rows(ws.facts),
            (Rows{{u"оперение", u"листья", u"-0,85"}, {u"оперение", u"иголки", u"-0,85"}}));
  ws.facts.clear();
  applyAnswer(ws, q, Answer{AnswerButton::All, 0, {}}, asking);
  EXPECT_EQ(rows(ws.facts), (Rows{{u"оперение", u"листья", u"0"}, {u"оперение", u"иголки", u"0"}}));
  // "да" with nothing ticked writes nothing.
  ws.facts.clear();
  applyAnswer(ws, q, Answer{AnswerButton::Yes, 20, {false, false}}, asking);
  EXPECT_TRUE(ws.facts.empty());
  // "стоп" writes nothing and clears the flag; Esc leaves it as it is.
  applyAnswer(ws, q, Answer{AnswerButton::Stop, 20, {true, true}}, asking);
  EXPECT_TRUE(ws.facts.empty());
  EXPECT_FALSE(asking);
  applyAnswer(ws, q, Answer{AnswerButton::Escape, 20, {true, true}}, asking);
  EXPECT_FALSE(asking);
  asking = true;
  applyAnswer(ws, q, Answer{AnswerButton::Escape, 20, {true, true}}, asking);
  EXPECT_TRUE(asking);
  EXPECT_TRUE(ws.facts.empty());
  // A parameter without values: "да" and "все" write nothing.
  applyAnswer(ws, Question{u"пусто", {}}, Answer{AnswerButton::All, 5, {}}, asking);
  EXPECT_TRUE(ws.facts.empty());
}

TEST_F(QuestionTest, EachParameterOnceInTheOrderOfTheRules) {
  EXPECT_EQ(ask({u"NAME П1", u"IF оперение листья AND кора чёрно_белая",
                 u"THEN дерево берёза [0,9]", u"END", u"NAME П2", u"IF оперение иголки",
                 u"AND NOT хвоя короткая", u"THEN дерево сосна [0,8]", u"END"}),
            (Lines{u"оперение", u"кора", u"хвоя"}));
  // The dialog offers the declared values.
  EXPECT_EQ(host.questions[0].values, (Lines{u"листья", u"иголки"}));
  EXPECT_EQ(ws.memo.lines(), (Lines{u"оперение", u"кора", u"хвоя"}));
}

TEST_F(QuestionTest, KeywordsWhoseParametersAreAsked) {
  EXPECT_EQ(ask({u"NAME П", u"CASE шипы", u"есть цветок роза [0,9]", u"нет цветок ромашка [0,7]",
                 u"END"}),
            (Lines{u"шипы"}));
  EXPECT_EQ(ask({u"NAME Q", u"IF оперение иголки", u"THEN IF шипы есть", u"THEN a b [1]",
                 u"ELSE IF хвоя длинная", u"OR NOT кора x", u"END"}),
            (Lines{u"шипы", u"оперение", u"хвоя", u"кора"}));
  // A parameter without a declaration is asked with an empty list.
  ask({u"NAME R", u"IF неизвестный x", u"END"});
  EXPECT_EQ(host.questions.back().parameter, u"неизвестный");
  EXPECT_TRUE(host.questions.back().values.empty());
}

TEST_F(QuestionTest, AComparisonEndsTheScanOfTheRule) {
  EXPECT_TRUE(ask({u"NAME П", u"IF =X>5.5 AND =Z<20", u"END"}).empty());
  EXPECT_EQ(ask({u"NAME Q", u"IF оперение листья", u"AND =X>5", u"AND кора x", u"END"}),
            (Lines{u"оперение"}));
  // A formula branch of a CASE alternative ends it too.
  EXPECT_EQ(ask({u"NAME R", u"CASE шипы", u"есть =X+1", u"IF хвоя x", u"END"}),
            (Lines{u"оперение", u"шипы"}));
}

TEST_F(QuestionTest, GroupsAskTheirParametersNeverTheParenthesis) {
  // Mended: "IF (" asked "(" as a parameter.
  EXPECT_EQ(ask({u"NAME П", u"IF ( оперение листья AND кора чёрно_белая )", u"END"}),
            (Lines{u"оперение", u"кора"}));
  // Mended: a ")" first in a window is a window of its own, so the term after a group is asked.
  EXPECT_EQ(ask({u"NAME Q", u"IF ( хвоя короткая ) OR шипы есть", u"END"}),
            (Lines{u"оперение", u"кора", u"хвоя", u"шипы"}));
  ws.memo.clear();
  host.questions.clear();
  EXPECT_EQ(
      ask({u"NAME R", u"IF ( a b AND c d ) OR e f", u"AND ( NOT g h )", u"OR ( ( i j ) )", u"END"}),
      (Lines{u"a", u"c", u"e", u"g", u"i"}));
}

TEST_F(QuestionTest, ParametersAlreadyAskedAreNotAskedAgain) {
  ws.memo.append(u"кора");
  EXPECT_EQ(ask({u"NAME П", u"IF оперение листья", u"AND кора x", u"OR оперение иголки", u"END"}),
            (Lines{u"оперение"}));
}

TEST_F(QuestionTest, StopRunsOnePassWithTheAnswersSoFar) {
  answer(u"оперение", AnswerButton::Yes, 16, {u"листья"});
  answer(u"кора", AnswerButton::Stop, 0);
  ws.RulePath = {u"П"};
  EXPECT_EQ(ask({u"NAME П", u"IF оперение листья", u"AND кора чёрно_белая",
                 u"THEN дерево берёза [0,9]", u"END", u"NAME Q", u"IF хвоя x", u"END"}),
            (Lines{u"оперение", u"кора"}));  // Q was not scanned: "стоп" ended the question pass
  EXPECT_FALSE(asking);
  EXPECT_EQ(rows(ws.facts), (Rows{{u"оперение", u"листья", u"0,8"}}));
  // The pass ran: кора has no fact, so the condition is 0,8 and берёза gets 0,72.
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"П", u"", u""}, {u"Гипотеза", u"дерево берёза", u"0,72"}}));
  EXPECT_EQ(rows(ws.variables), (Rows{{u"X", u"6"}}));
}

TEST_F(QuestionTest, EscapeGoesOnToTheNextParameter) {
  answer(u"оперение", AnswerButton::Escape, 20, {u"листья"});
  EXPECT_EQ(ask({u"NAME П", u"IF оперение листья AND кора чёрно_белая", u"END"}),
            (Lines{u"оперение", u"кора"}));
  EXPECT_TRUE(ws.facts.empty());
  EXPECT_TRUE(asking);
}

}  // namespace
}  // namespace veksa
