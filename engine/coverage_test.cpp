// Coverage of real runs of a small knowledge base: the rules of the path that fired no branch in
// the last of the run's passes, and the declared parameters that no question asked.
#include "engine/coverage.h"

#include "engine/engine_test_support.h"
#include "engine/run_driver.h"

namespace veksa {
namespace {

const Lines kKnowledgeBase = splitLines(
    u"ГИПОТЕЗЫ:\nдерево {ель, берёза}\n"
    u"ПАРАМЕТРЫ:\nхвоя {есть}\nкора {белая}\nшипы {есть}\n"
    u"ПЕРЕМЕННЫЕ:\nX 1\n"
    u"NAME Хвоя\nIF хвоя есть\nTHEN дерево ель [0,9]\nEND\n"
    u"NAME Кора\nIF кора белая\nTHEN дерево берёза [0,8]\nELSE дерево ель [0,1]\nEND\n"
    u"NAME Формула\nIF хвоя есть\nTHEN =X+1\nEND\n"
    u"NAME Никогда\nIF кора белая\nTHEN дерево берёза [0,5]\nEND\n"
    u"NAME Шипы\nIF шипы есть\nTHEN дерево ель [0,2]\nEND\n",
    kFileLineBreaks);

class CoverageTest : public testing::EngineTest {
 protected:
  CoverageTest() {
    static_cast<MemoryFileStore&>(ws.files()).put(u"kb.vks", kKnowledgeBase);
    ws.caption = u"kb.vks";
    ws.lines = kKnowledgeBase;
    // хвоя holds, кора is denied (its rule's ELSE fires), шипы is denied (its rule has no ELSE).
    host.answers = parseAnswers("хвоя да 0,5 есть\nкора да -0,5 белая\nшипы да -0,5 есть\n");
  }
  // A run of every section, as F9 and "Готово" make it; returns its coverage.
  Coverage run() {
    Run1Result prepared = Run1(ws, host);
    EXPECT_TRUE(prepared.choice.has_value());
    if (prepared.choice) SectionChoiceDone(ws, host, *prepared.choice);
    return runCoverage(ws);
  }
};

TEST_F(CoverageTest, RulesThatFiredNoBranch) {
  // An ELSE and a formula branch count as fired; a false condition without ELSE does not. The
  // record is the last of many passes, and the rules it names fired in every one of them.
  Coverage c = run();
  EXPECT_GT(ws.lastRun.passes, 2);
  EXPECT_EQ(c.rulesNotFired, (Lines{u"Никогда", u"Шипы"}));

  // A name on the path twice is listed once, in path order; a name with no rule never fires.
  ws.RulePath = {u"Никогда", u"Хвоя", u"Опечатка", u"Никогда"};
  EXPECT_EQ(run().rulesNotFired, (Lines{u"Никогда", u"Опечатка"}));

  // To the first conclusion: the rules after the first that fired are not run.
  ws.RulePath.clear();
  chooseMethod(ws, InferenceMethod::FirstConclusion);
  EXPECT_EQ(run().rulesNotFired, (Lines{u"Кора", u"Формула", u"Никогда", u"Шипы"}));
}

TEST_F(CoverageTest, DeclaredParametersNeverAsked) {
  // Every parameter tested by a rule of the path is asked, an answer of Esc included.
  host.answers.erase(u"шипы");
  EXPECT_TRUE(run().parametersNotAsked.empty());

  // A parameter tested only by rules off the path is never asked.
  ws.RulePath = {u"Хвоя", u"Кора"};
  EXPECT_EQ(run().parametersNotAsked, (Lines{u"шипы"}));

  // "стоп" ends the questions: the parameters after it are not asked, and the one pass it starts
  // (with no facts) fires nothing.
  ws.RulePath.clear();
  host.answers = parseAnswers("хвоя стоп\n");
  const Coverage stopped = run();
  EXPECT_EQ(stopped.parametersNotAsked, (Lines{u"кора", u"шипы"}));
  EXPECT_EQ(stopped.rulesNotFired, (Lines{u"Хвоя", u"Кора", u"Формула", u"Никогда", u"Шипы"}));
}

}  // namespace
}  // namespace veksa
