// The comparison of the methods: the passes and the work of each method's run on a small knowledge
// base, worked out by hand from the rules (the times are measured, not tested), and the first
// run's questions asked once.
#include "engine/method_comparison.h"

#include <gtest/gtest.h>

#include "engine/run_driver.h"

namespace veksa {
namespace {

const Lines kBase = {
    u"ГИПОТЕЗЫ:",
    u"k {a, b}",
    u"ПАРАМЕТРЫ:",
    u"p {x, y}",
    u"ПЕРЕМЕННЫЕ:",
    u"NAME R1",
    u"IF p x",
    u"THEN k a [0,5]",
    u"ELSE k b [0,5]",
    u"END",
    u"NAME R2",
    u"IF p y",
    u"THEN k b [0,8], k a [0,2]",
    u"ELSE k b [0,4]",
    u"END",
};

// "все" at 0,5 with x ticked: p x 0,5 and p y -0,5. R1 takes THEN (k a 0,25); R2 takes ELSE
// (k b 0,2), which the backward methods' record filter keeps out.
std::vector<RecordedAnswer> answers() { return {{u"p", AnswerButton::All, 10, {u"x"}}}; }

TEST(MethodComparisonTest, PassesAndWorkOfEachMethod) {
  ComparisonSetup setup;
  setup.lines = kBase;
  setup.answers = answers();
  std::vector<MethodMeasure> m = compareMethods(setup);
  ASSERT_EQ(m.size(), kInferenceMethods.size());
  struct Expected {
    long long passes, rules, conditions, conclusions;
  };
  const Expected expected[] = {
      {242, 2, 2, 2}, {342, 2, 2, 2}, {202, 2, 2, 1}, {302, 2, 2, 1}, {202, 1, 1, 1}};
  for (std::size_t i = 0; i < m.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m[i].method, kInferenceMethods[i].method);
    EXPECT_EQ(m[i].error, u"");
    EXPECT_EQ(m[i].passes, expected[i].passes);
    EXPECT_EQ(m[i].counts.rulesExecuted, expected[i].rules);
    EXPECT_EQ(m[i].counts.conditionsEvaluated, expected[i].conditions);
    EXPECT_EQ(m[i].counts.conclusionsRecorded, expected[i].conclusions);
    EXPECT_GE(m[i].microsecondsPerPass, 0);
    EXPECT_EQ(m[i].cls + u" " + m[i].value + u" " + m[i].certainty, u"k a 0,25");
  }

  // A path set by the user: R2 alone; its ELSE is then the first conclusion of every method.
  setup.path = Lines{u"R2"};
  m = compareMethods(setup);
  EXPECT_EQ(m[2].counts.rulesExecuted, 1);
  EXPECT_EQ(m[2].cls + u" " + m[2].value + u" " + m[2].certainty, u"k b 0,2");
}

// Answers the questions of the first run and counts them.
class CountingAsker : public Host {
 public:
  int asked = 0;
  Answer ask(const Question&) override {
    ++asked;
    return {AnswerButton::All, 10, {true, false}};
  }
  void message(const Line&) override {}
  void traceStep(std::size_t) override {}
  void showResults() override {}
  void progress(int) override {}
  void showTiming(bool) override {}
};

TEST(MethodComparisonTest, TheFirstRunAsksAndTheOthersReuseItsAnswers) {
  CountingAsker asker;
  ComparisonSetup setup;
  setup.lines = kBase;
  setup.asker = &asker;
  std::vector<MethodMeasure> m = compareMethods(setup);
  EXPECT_EQ(asker.asked, 1);
  for (const MethodMeasure& measure : m) {
    EXPECT_EQ(measure.cls + u" " + measure.value + u" " + measure.certainty, u"k a 0,25");
  }
}

TEST(MethodComparisonTest, RunTimeErrorIsReportedPerMethod) {
  ComparisonSetup setup;
  setup.lines = {u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:", u"ПЕРЕМЕННЫЕ:", u"X 1",
                 u"NAME R",    u"IF =X>0",    u"THEN =X/0",   u"END"};
  for (const MethodMeasure& m : compareMethods(setup)) {
    EXPECT_EQ(m.error, u"Floating point division by zero");
    EXPECT_TRUE(m.cls.empty());
  }
}

}  // namespace
}  // namespace veksa
