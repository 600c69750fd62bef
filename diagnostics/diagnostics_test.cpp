// The diagnostics command and driver and the header and section checks.
// Every expected report is worked out by hand from the rules of the checks.
#include "diagnostics/diagnostics.h"

#include <gtest/gtest.h>

#include "diagnostics/test_support.h"
#include "kb/kbfile.h"

namespace veksa {
namespace {

using testing::Checked;
using testing::helpHead;
using testing::helpReport;
using testing::reportHead;
using testing::runDiagnostics;
using testing::u8;
using testing::withHelpHead;

Lines concat(Lines a, std::initializer_list<std::u16string_view> b) {
  return testing::concatLines(std::move(a), b);
}

// ---- Driver -------------------------------------------------------------------------------------

TEST(Diagnostics, CleanPassShowsTheSuccessMessageAndStartsTheRun) {
  Checked c = runDiagnostics(
      withHelpHead({u"NAME R1", u"IF оперение листья", u"AND шипы есть",
                    u"THEN дерево берёза [0,9], =X+5", u"ELSE дерево ёлка [-0,9]", u"END"}));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Clean);
  EXPECT_TRUE(c.startsRun);
  EXPECT_EQ(u8(c.report), u8(helpReport({u"Правило  R1"})));
  EXPECT_EQ(u8(c.messages), u8({u"Тест на наличие ошибок пройден успешно"}));
  // The AND line was joined to the condition line: a clean pass may repair the text.
  EXPECT_EQ(u8(c.lines), u8(withHelpHead({u"NAME R1", u"IF оперение листья AND шипы есть",
                                          u"THEN дерево берёза [0,9], =X+5",
                                          u"ELSE дерево ёлка [-0,9]", u"END"})));
}

TEST(Diagnostics, CommandReloadsVariablesAndDeclarationLists) {
  Workspace ws;
  ws.lines = withHelpHead({u"NAME R", u"IF =X>5", u"THEN =Z+1", u"ELSE =Z-1", u"END"});
  ws.variables.append({u"старая", u"1"});
  testing::RecordingHost host;
  EXPECT_TRUE(N49Click(ws, host));
  ASSERT_EQ(ws.variables.size(), 2u);
  EXPECT_EQ(ws.variables.row(0), (Table::Row{u"X", u"50"}));
  EXPECT_EQ(u8(ws.declarations.classList), u8({u"дерево", u"цветок"}));
  EXPECT_EQ(u8(ws.declarations.parameterList), u8({u"оперение", u"шипы"}));
  ASSERT_EQ(ws.declarations.variableMenu.size(), 2u);
  EXPECT_EQ(ws.declarations.variableMenu[1].caption, u"Z");
}

TEST(Diagnostics, ExampleKnowledgeBaseIsClean) {
  Lines lines;
  std::string error;
  ASSERT_TRUE(loadKnowledgeBase(std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks",
                                lines, error))
      << error;
  Checked c = runDiagnostics(lines);
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Clean);
  Lines expected = reportHead();
  for (auto h :
       {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:", u"Раздел  ПЕРЕМЕННЫЕ:", u"Раздел  ДЕРЕВЬЯ",
        u"Правило  Правило1", u"Правило  Правило2", u"Правило  Правило3", u"Раздел  ЦВЕТЫ",
        u"Правило  Правило4", u"Правило  Правило5", u"Правило  Правило6"}) {
    expected.emplace_back(h);
  }
  EXPECT_EQ(u8(c.report), u8(expected));
  // The pass is clean a second time over its own repairs, and repairs nothing more.
  Checked again = runDiagnostics(c.lines);
  EXPECT_EQ(again.outcome, DiagnosticsOutcome::Clean);
  EXPECT_EQ(u8(again.lines), u8(c.lines));
}

TEST(Diagnostics, HeaderFollowedByADeclarationOnItsLineStopsThePass) {
  Checked c = runDiagnostics({u"ГИПОТЕЗЫ: дерево {ёлка, сосна, берёза}", u"ПАРАМЕТРЫ:",
                              u"оперение {листья, иголки}", u"NAME R", u"END"});
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Stopped);
  EXPECT_FALSE(c.startsRun);
  EXPECT_TRUE(c.messages.empty());
  EXPECT_EQ(
      u8(c.report),
      u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Выделите заголовок в отдельную строку"})));
}

TEST(Diagnostics, RuleBeforeTheParametersHeaderStopsThePass) {
  Checked c =
      runDiagnostics({u"ГИПОТЕЗЫ:", u"дерево {ёлка, сосна, берёза}", u"NAME R",
                      u"IF оперение листья", u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]",
                      u"END", u"ПАРАМЕТРЫ:", u"оперение {листья, иголки}"});
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Stopped);
  EXPECT_EQ(u8(c.report),
            u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Отсутствует начало раздела параметров",
                                     u"Выделите заголовок \"ПАРАМЕТРЫ:\" в отдельную строку"})));
}

TEST(Diagnostics, RuleBeforeTheHypothesesHeaderStopsThePass) {
  Checked c = runDiagnostics({u"ПАРАМЕТРЫ:", u"x", u"NAME R", u"END", u"ГИПОТЕЗЫ:"});
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Stopped);
  EXPECT_EQ(u8(c.report),
            u8(concat(reportHead(), {u"Раздел  ПАРАМЕТРЫ:", u"Отсутствует начало раздела гипотез",
                                     u"Выделите заголовок \"ГИПОТЕЗЫ:\" в отдельную строку"})));
}

TEST(Diagnostics, KnowledgeBaseWithoutRulesIsNotClean) {
  Checked c = runDiagnostics(newKnowledgeBase());
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Faults);
  EXPECT_FALSE(c.startsRun);
  EXPECT_EQ(u8(c.report), u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:",
                                                   u"Раздел  ПЕРЕМЕННЫЕ:",
                                                   u"Отсутствует начало раздела правил"})));
  EXPECT_EQ(u8(c.lines), u8(newKnowledgeBase()));
}

TEST(Diagnostics, LineDirectlyAfterTheHypothesesHeaderIsNotWalked) {
  // The parameters header directly below the hypotheses header is never seen.
  Checked c = runDiagnostics({u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:", u"оперение {листья, иголки}", u"NAME R",
                              u"IF оперение листья", u"END"});
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Stopped);
  EXPECT_EQ(u8(c.report),
            u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Отсутствует начало раздела параметров",
                                     u"Выделите заголовок \"ПАРАМЕТРЫ:\" в отдельную строку"})));
}

TEST(Diagnostics, EveryWordOfALineTakesPart) {
  // A header after another word is a header; the declaration searches of the rule checks look
  // for a line that is exactly "ГИПОТЕЗЫ:" and find none.
  Checked c = runDiagnostics(
      {u"{начало} ГИПОТЕЗЫ:", u"дерево {ёлка, сосна, берёза}", u"цветок {ромашка, роза}",
       u"ПАРАМЕТРЫ:", u"оперение {листья, иголки}", u"шипы {есть, нет}", u"NAME R",
       u"IF оперение листья", u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]", u"END"});
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Faults);
  EXPECT_EQ(u8(c.report), u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:",
                                                   u"Правило  R", u"Гипотеза дерево необъявлена",
                                                   u"Гипотеза дерево необъявлена"})));
}

TEST(Diagnostics, FurtherWordsOnSectionAndRuleLinesStopThePass) {
  Checked section = runDiagnostics(withHelpHead({u"РАЗДЕЛ A B", u"NAME R", u"END"}));
  EXPECT_EQ(section.outcome, DiagnosticsOutcome::Stopped);
  EXPECT_EQ(u8(section.report),
            u8(helpReport({u"Раздел  A", u"Выделите заголовок в отдельную строку"})));

  Checked rule = runDiagnostics(withHelpHead({u"NAME R1 лишнее", u"END"}));
  EXPECT_EQ(rule.outcome, DiagnosticsOutcome::Stopped);
  EXPECT_EQ(u8(rule.report),
            u8(helpReport({u"Правило  R1", u"Выделите заголовок в отдельную строку"})));

  Checked variables = runDiagnostics({u"ГИПОТЕЗЫ:", u"", u"ПАРАМЕТРЫ:", u"", u"ПЕРЕМЕННЫЕ: X 5"});
  EXPECT_EQ(variables.outcome, DiagnosticsOutcome::Stopped);
  EXPECT_EQ(
      u8(variables.report),
      u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:", u"Раздел  ПЕРЕМЕННЫЕ:",
                               u"Выделите заголовок в отдельную строку"})));
}

TEST(Diagnostics, HeadersAndRulesOnTheLastLine) {
  EXPECT_EQ(u8(runDiagnostics({u"ГИПОТЕЗЫ:"}).report),
            u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Отсутствует начало раздела правил"})));
  // A section line without a name: the heading ends with its two spaces.
  EXPECT_EQ(u8(runDiagnostics({u"РАЗДЕЛ"}).report),
            u8(concat(reportHead(), {u"Раздел  ", u"Отсутствует строка - КОНЕЦ РАЗДЕЛА "})));
  // The last rule of the text without a body or END: no message.
  Checked rule = runDiagnostics(withHelpHead({u"NAME R"}));
  EXPECT_EQ(rule.outcome, DiagnosticsOutcome::Clean);
  EXPECT_EQ(u8(rule.report), u8(helpReport({u"Правило  R"})));
  EXPECT_EQ(runDiagnostics({}).outcome, DiagnosticsOutcome::Faults);
}

// ---- Declarations (diagn1, diagn11) -------------------------------------------------------------

TEST(DeclarationChecks, LayoutRepairsAndMessages) {
  Checked c = runDiagnostics({
      u"ГИПОТЕЗЫ:",
      u"первая{a,b}",  // the first line after the header: not laid out
      u"дерево{ёлка,сосна,берёза}",
      u"куст {ёлка, сосна,}",
      u"{раздел гипотез-обязательный элемент структуры}",
      u"лес {ёлка, сосна, ёлка, берёза}",
      u"сад {ёлка, сосна, ёлка}",
      u"роща {ёлка сосна ёлка}",
      u"луг {a, a, a}",
      u"цвет {белый}}",
      u"поле {a{b}, c}",
      u"ПАРАМЕТРЫ:",
  });
  EXPECT_EQ(u8(c.lines), u8({
                             u"ГИПОТЕЗЫ:",
                             u"первая{a,b}",
                             u"дерево {ёлка, сосна, берёза}",
                             u"куст {ёлка, сосна}",
                             u"{раздел гипотез-обязательный элемент структуры}",
                             u"лес {ёлка, сосна, берёза}",
                             u"сад {ёлка, сосна}",
                             u"роща {ёлка сосна}",
                             u"луг {a}",
                             u"цвет {белый}",
                             u"поле {ab, c}",
                             u"ПАРАМЕТРЫ:",
                         }));
  EXPECT_EQ(u8(c.report), u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Отсутствует класс",
                                                   u"Раздел  ПАРАМЕТРЫ:",
                                                   u"Отсутствует начало раздела правил"})));
}

TEST(DeclarationChecks, RepeatedClassesAcrossBothSections) {
  Checked c =
      runDiagnostics({u"ГИПОТЕЗЫ:", u"x {a}", u"дерево {ёлка}", u"цветок {роза}", u"дерево {сосна}",
                      u"ПАРАМЕТРЫ:", u"y {b}", u"x {q}", u"цветок {c}", u"ПЕРЕМЕННЫЕ:"});
  // "x" stands on the first line after a header both times: never entered, never reported.
  EXPECT_EQ(
      u8(c.report),
      u8(concat(reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Присутствует лишний класс дерево",
                               u"Раздел  ПАРАМЕТРЫ:", u"Присутствует лишний класс цветок",
                               u"Раздел  ПЕРЕМЕННЫЕ:", u"Отсутствует начало раздела правил"})));
}

// ---- Variables (diagn2)
// ---------------------------------------------------------------------------

TEST(VariableChecks, Table) {
  Checked c = runDiagnostics({u"ГИПОТЕЗЫ:", u"", u"ПАРАМЕТРЫ:", u"", u"ПЕРЕМЕННЫЕ:", u"X 3",
                              u"Y 5.5", u"W 5,5", u"V", u"U abc", u"T 50 60", u"S      50",
                              u"R 1.2.3", u"Q -1e3", u"", u"P 7.", u"   "});
  EXPECT_EQ(u8(c.lines), u8({u"ГИПОТЕЗЫ:", u"", u"ПАРАМЕТРЫ:", u"", u"ПЕРЕМЕННЫЕ:", u"X 3",
                             u"Y 5,5", u"W 5,5", u"V", u"U abc", u"T 50 60", u"S      50",
                             u"R 1,2,3", u"Q -1e3", u"", u"P 7,", u"   "}));
  EXPECT_EQ(u8(c.report),
            u8(concat(reportHead(),
                      {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:", u"Раздел  ПЕРЕМЕННЫЕ:",
                       u"Отсутствует значение переменной V", u"Неправильное значение переменной U",
                       u"Переполнение строки", u"Неправильное значение переменной R",
                       u"Отсутствует начало раздела правил"})));
}

// ---- Sections (diagn12)
// ---------------------------------------------------------------------------

TEST(SectionChecks, ClosingLineWithATrailingSpaceIsNotTheClosingLine) {
  Checked c = runDiagnostics(
      withHelpHead({u"РАЗДЕЛ S", u"NAME R", u"IF оперение листья", u"THEN дерево берёза [0,9]",
                    u"ELSE дерево ёлка [0,9]", u"END", u"КОНЕЦ РАЗДЕЛА S "}));
  EXPECT_EQ(u8(c.report),
            u8(helpReport({u"Раздел  S", u"Отсутствует строка - КОНЕЦ РАЗДЕЛА S", u"Правило  R"})));
}

TEST(SectionChecks, RuleWithoutEnd) {
  Checked c = runDiagnostics(withHelpHead(
      {u"РАЗДЕЛ S", u"NAME R1", u"IF оперение листья", u"THEN дерево берёза [0,9]",
       u"ELSE дерево ёлка [0,9]", u"NAME R2", u"IF оперение иголки", u"THEN дерево сосна [0,9]",
       u"ELSE дерево ёлка [0,9]", u"END", u"КОНЕЦ РАЗДЕЛА S"}));
  EXPECT_EQ(u8(c.report),
            u8(helpReport({u"Раздел  S", u"Отсутствует ключевое слово - END", u"Правило  R1",
                           u"Отсутствует конец правила", u"Правило  R2"})));
}

TEST(SectionChecks, UnclosedSectionCountsTheLaterSections) {
  Checked c = runDiagnostics(withHelpHead(
      {u"РАЗДЕЛ A", u"NAME R1", u"IF оперение листья", u"THEN дерево берёза [0,9]",
       u"ELSE дерево ёлка [0,9]", u"END", u"РАЗДЕЛ B", u"NAME R2", u"IF оперение иголки",
       u"THEN дерево сосна [0,9]", u"ELSE дерево ёлка [0,9]", u"END", u"END", u"КОНЕЦ РАЗДЕЛА B"}));
  EXPECT_EQ(u8(c.report),
            u8(helpReport({u"Раздел  A", u"Отсутствует ключевое слово - NAME",
                           u"Отсутствует строка - КОНЕЦ РАЗДЕЛА A", u"Правило  R1", u"Раздел  B",
                           u"Отсутствует ключевое слово - NAME", u"Правило  R2"})));
}

TEST(SectionChecks, CleanSectionsCountTowardsTheExpectedLines) {
  Checked c =
      runDiagnostics(withHelpHead({u"РАЗДЕЛ A", u"NAME R1", u"IF оперение листья",
                                   u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]", u"END",
                                   u"КОНЕЦ РАЗДЕЛА A", u"", u"РАЗДЕЛ B", u"КОНЕЦ РАЗДЕЛА B"}));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Clean);
  EXPECT_EQ(u8(c.report), u8(helpReport({u"Раздел  A", u"Правило  R1", u"Раздел  B"})));
}

}  // namespace
}  // namespace veksa
