// The run driver: method commands, the rule path, Run1, the section choice and Run, with
// the mended faults (a run always leaves the full knowledge base behind, TraceMode off, the timing
// window hidden).
#include "engine/run_driver.h"

#include <regex>

#include "engine/engine_test_support.h"
#include "kb/kbfile.h"
#include "kb/number.h"

namespace veksa {
namespace {

using testing::Rows;

// Keeps the knowledge-base lines as they were when the first question was asked.
class CapturingHost : public AnswersHost {
 public:
  using AnswersHost::AnswersHost;
  Answer ask(const Question& q) override {
    if (!captured) {
      linesAtFirstQuestion = workspace().lines;
      captured = true;
    }
    return AnswersHost::ask(q);
  }
  bool captured = false;
  Lines linesAtFirstQuestion;
};

class RunDriverTest : public testing::EngineTest {
 protected:
  MemoryFileStore& store() { return static_cast<MemoryFileStore&>(ws.files()); }
  // The example knowledge base, as the file "kb.vks".
  Lines example() {
    Lines lines;
    std::string error;
    EXPECT_TRUE(loadKnowledgeBase(std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks",
                                  lines, error));
    return lines;
  }
  void openFile(const Lines& lines) {
    store().put(u"kb.vks", lines);
    ws.caption = u"kb.vks";
    ws.lines = lines;
  }
  void exampleAnswers() {
    answer(u"оперение", AnswerButton::Yes, 16, {u"листья"});
    answer(u"кора", AnswerButton::Yes, 12, {u"чёрно_белая"});
    answer(u"хвоя", AnswerButton::Yes, 6, {u"короткая"});
    answer(u"шипы", AnswerButton::All, 14, {u"есть"});
    answer(u"цвет", AnswerButton::Yes, 10, {u"белый"});
  }
  // Run1 and "Готово" with the given sections ticked (none: as offered).
  RunEnd run(const Lines& sections = {}) {
    Run1Result prepared = Run1(ws, host);
    if (!prepared.choice) return prepared.end;
    SectionChoice choice = *prepared.choice;
    if (!sections.empty()) {
      EXPECT_TRUE(tickSections(choice, sections));
    }
    return SectionChoiceDone(ws, host, choice);
  }
  std::size_t count(const Line& message) {
    std::size_t n = 0;
    for (const Line& m : messages()) n += m == message;
    return n;
  }
};

TEST_F(RunDriverTest, MethodCommands) {
  Workspace fresh;
  EXPECT_EQ(fresh.method, InferenceMethod::ForwardBreadth);
  EXPECT_EQ(fresh.RepeatCount, 120);
  EXPECT_EQ(fresh.methodText, u"Прямой в ширину");
  const int repeats[] = {120, 170, 100, 150, 100};
  const Line texts[] = {u"Прямой в ширину", u"Прямой в глубину", u"Обратный в ширину",
                        u"Обратный в глубину", u"До первого заключения"};
  for (std::size_t i = 0; i < kInferenceMethods.size(); ++i) {
    chooseMethod(ws, kInferenceMethods[i].method);
    EXPECT_EQ(ws.method, kInferenceMethods[i].method);
    EXPECT_EQ(ws.RepeatCount, repeats[i]);
    EXPECT_EQ(ws.methodText, texts[i]);
  }
  EXPECT_EQ(traitsOf(InferenceMethod::BackwardDepth).command, u"Обратный и в глубину");
}

TEST_F(RunDriverTest, PathCommands) {
  ws.lines = {u"NAME Б", u"END", u" NAME А лишнее", u"NAME Б"};
  EXPECT_TRUE(sequentialPathCommand(ws, host));
  EXPECT_EQ(ws.RulePath, (Lines{u"Б", u"А", u"Б"}));
  EXPECT_TRUE(sequentialPathCommand(ws, host));  // emptied first, not appended to
  EXPECT_EQ(ws.RulePath.size(), 3u);
  EXPECT_TRUE(userPathCommand(ws, host));
  EXPECT_TRUE(ws.RulePath.empty());
  EXPECT_FALSE(deletePathCommand(ws, host));  // an empty path: the message
  ws.RulePath = {u"А"};
  EXPECT_TRUE(deletePathCommand(ws, host));
  EXPECT_TRUE(ws.RulePath.empty());
  EXPECT_EQ(messages(), (Lines{u"Не был создан проект"}));

  ws.ProjectState = kProjectNone;
  ws.RulePath = {u"А"};
  EXPECT_FALSE(sequentialPathCommand(ws, host));
  EXPECT_FALSE(userPathCommand(ws, host));
  EXPECT_FALSE(deletePathCommand(ws, host));
  EXPECT_EQ(ws.RulePath, (Lines{u"А"}));
  EXPECT_EQ(messages(), Lines(4, u"Не был создан проект"));
  ppath(ws);  // no project: nothing
  EXPECT_EQ(ws.RulePath, (Lines{u"А"}));
}

TEST_F(RunDriverTest, NoRunWithoutAProjectOrWithoutRules) {
  openFile(example());
  ws.ProjectState = kProjectNone;
  Run1Result r = Run1(ws, host);
  EXPECT_FALSE(r.choice);
  EXPECT_EQ(r.end, RunEnd::NotRun);
  ws.ProjectState = kProjectOpen;
  openFile({});  // an empty knowledge base
  r = Run1(ws, host);
  EXPECT_FALSE(r.choice);
  EXPECT_TRUE(ws.RulePath.empty());
  EXPECT_EQ(ws.resultsCaption, u"Окно результатов");
}

TEST_F(RunDriverTest, Run1SavesResetsAndOffersTheSections) {
  openFile(example());
  ws.lines.push_back(u"NAME Новое");  // an edit: saved before the run
  ws.facts.append({u"a", u"b", u"1"});
  ws.memo.append(u"x");
  Run1Result r = Run1(ws, host);
  ASSERT_TRUE(r.choice);
  EXPECT_EQ(r.choice->items, (Lines{u"Все разделы", u"ДЕРЕВЬЯ", u"ЦВЕТЫ"}));
  EXPECT_EQ(r.choice->checked, (std::vector<bool>{true, false, false}));
  Lines saved;
  std::string error;
  ASSERT_TRUE(store().read(u"kb.vks", saved, error));
  EXPECT_EQ(saved.back(), u"NAME Новое");
  EXPECT_TRUE(ws.facts.empty());
  EXPECT_TRUE(ws.memo.empty());
  EXPECT_EQ(ws.RulePath, (Lines{u"Правило1", u"Правило2", u"Правило3", u"Правило4", u"Правило5",
                                u"Правило6", u"Новое"}));
  // A path that exists is kept; "Отмена" resets, emptying the path and the tables.
  ws.RulePath = {u"Правило4"};
  r = Run1(ws, host);
  EXPECT_EQ(ws.RulePath, (Lines{u"Правило4"}));
  ws.facts.append({u"a", u"b", u"1"});
  SectionChoiceCancel(ws, host);
  EXPECT_TRUE(ws.RulePath.empty());
  EXPECT_TRUE(ws.facts.empty());
}

TEST_F(RunDriverTest, ChosenSectionsRunWithACopyOfTheHeadEach) {
  Lines file = example();
  openFile(file);
  exampleAnswers();
  CapturingHost capture(ws);
  capture.answers = host.answers;
  Run1Result prepared = Run1(ws, capture);
  ASSERT_TRUE(prepared.choice);
  SectionChoice choice = *prepared.choice;
  ASSERT_TRUE(tickSections(choice, {u"ДЕРЕВЬЯ", u"ЦВЕТЫ"}));
  EXPECT_EQ(choice.checked, (std::vector<bool>{false, true, true}));
  EXPECT_EQ(SectionChoiceDone(ws, capture, choice), RunEnd::Completed);
  // Head (lines 0-11), ДЕРЕВЬЯ (12-32), "", head, ЦВЕТЫ (34-51), "".
  Lines expected(file.begin(), file.begin() + 12);
  expected.insert(expected.end(), file.begin() + 12, file.begin() + 33);
  expected.push_back(u"");
  expected.insert(expected.end(), file.begin(), file.begin() + 12);
  expected.insert(expected.end(), file.begin() + 34, file.begin() + 52);
  expected.push_back(u"");
  EXPECT_EQ(capture.linesAtFirstQuestion, expected);
  EXPECT_EQ(ws.lines, file);                  // the full text is back
  EXPECT_TRUE(ws.memo.lines().size() == 5u);  // the asked parameters only
}

TEST_F(RunDriverTest, AllSectionsWhenNothingOrAllIsTicked) {
  Lines file = example();
  openFile(file);
  exampleAnswers();
  CapturingHost capture(ws);
  capture.answers = host.answers;
  Run1Result prepared = Run1(ws, capture);
  SectionChoice choice = *prepared.choice;
  choice.checked.assign(3, false);
  EXPECT_EQ(SectionChoiceDone(ws, capture, choice), RunEnd::Completed);
  EXPECT_EQ(capture.linesAtFirstQuestion, file);
  // The hidden memo held the head when the questions began, then the asked parameters.
  EXPECT_EQ(ws.memo.size(), 12u + 5u);
  EXPECT_EQ(rows(ws.results), (Rows{{u"цветок", u"роза", u"0,815"},
                                    {u"дерево", u"берёза", u"0,54"},
                                    {u"цветок", u"ромашка", u"-0,271428571428571"}}));
}

TEST_F(RunDriverTest, ASectionThatIsNeverClosedOrOnTheFirstLineRunsNoRules) {
  openFile({u"РАЗДЕЛ А", u"NAME П", u"IF a 1", u"THEN x y [1]", u"END", u"КОНЕЦ РАЗДЕЛА А",
            u"РАЗДЕЛ Б", u"NAME Q", u"IF b 1", u"THEN x z [1]", u"END"});
  answer(u"a", AnswerButton::Yes, 20, {});
  EXPECT_EQ(run({u"А"}), RunEnd::Completed);  // the first line is never found
  EXPECT_TRUE(asked().empty());
  EXPECT_EQ(ws.protocol.size(), 0u);
  EXPECT_EQ(run({u"Б"}), RunEnd::Completed);  // never closed
  EXPECT_TRUE(asked().empty());
  EXPECT_EQ(ws.lines.size(), 11u);
}

TEST_F(RunDriverTest, SectionsAreFoundByTheirLastPairOfExactLines) {
  // "А" opens twice, closes once: the pair is the last opening line before the last closing one.
  // "Б" has two spaces after РАЗДЕЛ: it is offered, but its lines are never found.
  openFile({u"ГИПОТЕЗЫ:", u"РАЗДЕЛ А", u"NAME П", u"IF a 1", u"END", u"РАЗДЕЛ А", u"NAME Q",
            u"IF b 1", u"END", u"КОНЕЦ РАЗДЕЛА А", u"РАЗДЕЛ А", u"NAME R", u"IF c 1", u"END",
            u"РАЗДЕЛ  Б", u"NAME S", u"IF d 1", u"END", u"КОНЕЦ РАЗДЕЛА Б"});
  CapturingHost capture(ws);
  Run1Result prepared = Run1(ws, capture);
  ASSERT_TRUE(prepared.choice);
  EXPECT_EQ(prepared.choice->items, (Lines{u"Все разделы", u"А", u"А", u"А", u"Б"}));
  SectionChoice choice = *prepared.choice;
  ASSERT_TRUE(tickSections(choice, {u"А", u"Б"}));  // every item named А is ticked
  EXPECT_EQ(SectionChoiceDone(ws, capture, choice), RunEnd::Completed);
  // Each ticked А appends the head and lines 5 to 9; Б appends the head only.
  const Lines section = {u"РАЗДЕЛ А", u"NAME Q", u"IF b 1", u"END", u"КОНЕЦ РАЗДЕЛА А", u""};
  Lines expected;
  for (int i = 0; i < 3; ++i) {
    expected.push_back(u"ГИПОТЕЗЫ:");
    expected.insert(expected.end(), section.begin(), section.end());
  }
  expected.push_back(u"ГИПОТЕЗЫ:");
  EXPECT_EQ(capture.linesAtFirstQuestion, expected);
  EXPECT_EQ(asked(), Lines{});  // the capturing host asked, not the fixture's
  EXPECT_EQ(capture.questions.size(), 1u);
  EXPECT_EQ(capture.questions[0].parameter, u"b");
}

TEST_F(RunDriverTest, TheTimingLoopMakesTwiceRepeatCountPlusOnePasses) {
  // Without variables every pass reports the comparison once.
  const Line noVariables = u"Переменные не объявлены!";
  openFile({u"ГИПОТЕЗЫ:", u"NAME R", u"IF =X>1", u"END"});
  EXPECT_EQ(run(), RunEnd::Completed);
  EXPECT_EQ(count(noVariables), 242u);
  host.transcript.clear();
  chooseMethod(ws, InferenceMethod::ForwardDepth);
  run();
  EXPECT_EQ(count(noVariables), 342u);
  host.transcript.clear();
  chooseMethod(ws, InferenceMethod::BackwardDepth);
  ws.method = InferenceMethod::ForwardBreadth;  // "Новый проект" after "Обратный и в глубину"
  run();
  EXPECT_EQ(count(noVariables), 302u);
  EXPECT_NE(ws.resultsCaption.find(u"Обратный в глубину"), Line::npos);
}

TEST_F(RunDriverTest, TheRecordCountsTheLastPassesWorkAndThePasses) {
  // The example: six rules, five IF conditions entered (Правило3's THEN IF is not: its condition
  // is 0); berёза 0,54, роза 0,63 and ромашка -0,49 as new rows, ромашка (Правило5) and роза
  // (Правило6) combined into theirs. The formula =X+5 is no conclusion.
  openFile(example());
  exampleAnswers();
  ASSERT_EQ(run(), RunEnd::Completed);
  EXPECT_EQ(ws.lastRun.passes, 242);
  EXPECT_EQ(ws.lastRun.lastPass.counts, (PassCounts{6, 5, 5}));
  // Backward: only the first conclusion, berёза, is recorded.
  chooseMethod(ws, InferenceMethod::BackwardBreadth);
  ASSERT_EQ(run(), RunEnd::Completed);
  EXPECT_EQ(ws.lastRun.passes, 202);
  EXPECT_EQ(ws.lastRun.lastPass.counts, (PassCounts{6, 5, 1}));
  // Until the first conclusion: the pass ends after Правило1.
  chooseMethod(ws, InferenceMethod::FirstConclusion);
  ASSERT_EQ(run(), RunEnd::Completed);
  EXPECT_EQ(ws.lastRun.passes, 202);
  EXPECT_EQ(ws.lastRun.lastPass.counts, (PassCounts{1, 1, 1}));
  // A trace run makes one pass; "стоп" makes the one pass it starts.
  ws.TraceMode = true;
  ws.traceRule = u"Правило3";
  ASSERT_EQ(run(), RunEnd::Completed);
  EXPECT_EQ(ws.lastRun.passes, 1);
  EXPECT_EQ(ws.lastRun.lastPass.counts, (PassCounts{1, 1, 0}));
  answer(u"кора", AnswerButton::Stop, 0);
  ASSERT_EQ(run(), RunEnd::Stopped);
  EXPECT_EQ(ws.lastRun.passes, 1);
  EXPECT_EQ(ws.lastRun.lastPass.counts.rulesExecuted, 1);
}

TEST_F(RunDriverTest, GaugeCaptionAndFlags) {
  openFile({u"ГИПОТЕЗЫ:", u"NAME R", u"END"});
  chooseMethod(ws, InferenceMethod::ForwardDepth);
  ws.ProjectState = kProjectMergeOrTree;
  EXPECT_EQ(run(), RunEnd::Completed);
  std::vector<int> gauge = {0};
  for (int i = 1; i <= 98; ++i) gauge.push_back(i);
  gauge.push_back(100);
  EXPECT_EQ(host.gauge, gauge);
  EXPECT_EQ(host.timingVisibility, (std::vector<bool>{true, false}));
  EXPECT_EQ(host.resultsShown, 1);
  std::string caption = toUtf8(ws.resultsCaption);
  EXPECT_TRUE(std::regex_match(
      caption, std::regex("Найдено решение методом: Прямой в глубину время выполнения: "
                          "[0-9]+:[0-5][0-9]:[0-5][0-9] /100")))
      << caption;
  EXPECT_EQ(ws.ProjectState, kProjectOpen);
  EXPECT_FALSE(ws.TraceMode);
  EXPECT_EQ(formatElapsed(std::chrono::seconds(3723)), u"1:02:03");
  EXPECT_EQ(formatElapsed(std::chrono::milliseconds(999)), u"0:00:00");
}

TEST_F(RunDriverTest, UntilTheFirstConclusionShowsTheResultsItself) {
  openFile({u"ГИПОТЕЗЫ:", u"NAME R", u"IF a 1", u"THEN x y [1]", u"END"});
  chooseMethod(ws, InferenceMethod::FirstConclusion);
  answer(u"a", AnswerButton::All, 20, {u"1"});
  ws.lines.insert(ws.lines.begin() + 1, u"a {1}");
  run();
  EXPECT_EQ(host.resultsShown, 202);  // by each pass, not by the run
  EXPECT_EQ(rows(ws.results), (Rows{{u"x", u"y", u"1"}}));
  host.resultsShown = 0;
  answer(u"a", AnswerButton::Escape, 0);
  run();
  EXPECT_EQ(host.resultsShown, 1);  // no branch fired: shown by the run, empty
  EXPECT_TRUE(ws.results.empty());
}

TEST_F(RunDriverTest, AUserSetPathIsTheOrderAndNamesWithoutRulesArePassedOver) {
  openFile(example());
  exampleAnswers();
  ws.RulePath = {u"Правило6", u"Нет", u"Правило1"};
  EXPECT_EQ(run(), RunEnd::Completed);
  EXPECT_EQ(asked(), (Lines{u"оперение", u"кора"}));
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"Правило6", u"", u""},
                                     {u"Гипотеза", u"цветок ромашка", u"0,5"},
                                     {u"Правило1", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,54"},
                                     {u"Переменная", u"X", u"55"}}));
  EXPECT_EQ(rows(ws.results),
            (Rows{{u"дерево", u"берёза", u"0,54"}, {u"цветок", u"ромашка", u"0,5"}}));
  // The path stays for the next run.
  EXPECT_EQ(ws.RulePath, (Lines{u"Правило6", u"Нет", u"Правило1"}));
  // A path that names no rule: a run with nothing to ask or execute.
  ws.RulePath = {u"Нет"};
  EXPECT_EQ(run(), RunEnd::Completed);
  EXPECT_TRUE(ws.results.empty() && ws.protocol.empty() && ws.facts.empty());
  EXPECT_EQ(rows(ws.variables), (Rows{{u"X", u"50"}, {u"Z", u"3"}}));
}

TEST_F(RunDriverTest, StopEndsTheRunAfterOnePassAndRestoresTheText) {
  Lines file = example();
  openFile(file);
  answer(u"оперение", AnswerButton::Yes, 16, {u"листья"});
  answer(u"кора", AnswerButton::Stop, 0);
  EXPECT_EQ(run({u"ДЕРЕВЬЯ"}), RunEnd::Stopped);
  EXPECT_EQ(asked(), (Lines{u"оперение", u"кора"}));
  // One pass on the assembled text (ДЕРЕВЬЯ only): Правило1 with оперение alone gives 0,8.
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"Правило1", u"", u""},
                                     {u"Гипотеза", u"дерево берёза", u"0,72"},
                                     {u"Переменная", u"X", u"55"},
                                     {u"Правило2", u"", u""},
                                     {u"Правило3", u"", u""}}));
  EXPECT_EQ(ws.resultsCaption, u"Окно результатов");
  EXPECT_EQ(ws.lines, file);  // mended: the full text, not the assembled one
  EXPECT_FALSE(ws.TraceMode);
  EXPECT_TRUE(host.gauge.empty());
}

TEST_F(RunDriverTest, AnUnsavedKnowledgeBaseIsRestoredFromItsCopy) {
  Lines file = example();
  ws.lines = file;  // caption "new.vks"
  answer(u"шипы", AnswerButton::Stop, 0);
  EXPECT_EQ(run({u"ЦВЕТЫ"}), RunEnd::Stopped);
  EXPECT_EQ(ws.lines, file);
  ws.RulePath.clear();
  answer(u"шипы", AnswerButton::Yes, 20, {u"есть"});
  EXPECT_EQ(run({u"ЦВЕТЫ"}), RunEnd::Completed);
  EXPECT_EQ(ws.lines, file);
  EXPECT_EQ(ws.caption, u"new.vks");
}

TEST_F(RunDriverTest, ARunTimeErrorEndsTheRunAndRestoresTheText) {
  Lines file = {u"ГИПОТЕЗЫ:", u"ПЕРЕМЕННЫЕ:",    u"X 5", u"Z 0",     u"РАЗДЕЛ А", u"NAME П1",
                u"IF =X>1",   u"THEN x y [0,5]", u"END", u"NAME П2", u"IF =X>1",  u"THEN =X/Z",
                u"END",       u"КОНЕЦ РАЗДЕЛА А"};
  openFile(file);
  ws.TraceMode = false;
  try {
    run({u"А"});
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(), u"Floating point division by zero");
  }
  EXPECT_EQ(rows(ws.protocol),
            (Rows{{u"П1", u"", u""}, {u"Гипотеза", u"x y", u"0,5"}, {u"П2", u"", u""}}));
  EXPECT_EQ(ws.lines, file);
  EXPECT_FALSE(ws.TraceMode);
  EXPECT_FALSE(host.timingVisible);
  EXPECT_EQ(host.timingVisibility.back(), false);
  EXPECT_EQ(ws.resultsCaption, u"Окно результатов");
  // The same error in a trace run: TraceMode is off again.
  ws.TraceMode = true;
  ws.traceRule = u"П2";
  EXPECT_THROW(Run1(ws, host), RunError);
  EXPECT_FALSE(ws.TraceMode);
  EXPECT_EQ(ws.lines, file);
}

TEST_F(RunDriverTest, ATraceRunAsksAndRunsTheChosenRuleOnly) {
  openFile(example());
  exampleAnswers();
  ws.TraceMode = true;
  ws.traceRule = u"Правило2";
  Run1Result r = Run1(ws, host);
  EXPECT_FALSE(r.choice);  // no section choice is shown
  EXPECT_EQ(r.end, RunEnd::Completed);
  EXPECT_EQ(asked(), (Lines{u"оперение", u"хвоя"}));
  // Правило2: IF оперение иголки has no fact: 0, nothing fires; one pass, one trace step (IF).
  EXPECT_EQ(host.transcript,
            (Lines{u"[question] оперение", u"[question] хвоя", u"[trace] 20 IF оперение иголки"}));
  EXPECT_EQ(rows(ws.protocol), (Rows{{u"Правило2", u"", u""}}));
  EXPECT_EQ(ws.resultsCaption, u"Результат трассировки");
  EXPECT_FALSE(ws.TraceMode);
  EXPECT_TRUE(host.gauge.empty());
  // A trace of a name that no rule carries asks and runs nothing.
  ws.TraceMode = true;
  ws.traceRule = u"Нет";
  r = Run1(ws, host);
  EXPECT_EQ(r.end, RunEnd::Completed);
  EXPECT_TRUE(ws.protocol.empty());
}

}  // namespace
}  // namespace veksa
