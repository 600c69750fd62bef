// The rule checks: keyword separation and counts, formulas, certainty factors and
// continuation lines, premises, conclusions and CASE bodies. Expected lines
// and reports are worked out by hand from the rules of the checks; the rules stand below the
// declarations of the help pages (дерево {ёлка, сосна, берёза}, цветок {ромашка, роза},
// оперение {листья, иголки}, шипы {есть, нет}, variables X and Z).
#include <gtest/gtest.h>

#include "diagnostics/pass.h"
#include "diagnostics/test_support.h"

namespace veksa {
namespace {

using testing::Checked;
using testing::helpHead;
using testing::helpReport;
using testing::runDiagnostics;
using testing::u8;
using testing::withHelpHead;

// A pass over the help head and one rule "R" with the given body and END.
Checked rule(std::initializer_list<std::u16string_view> body) {
  Lines lines = helpHead();
  lines.push_back(u"NAME R");
  for (auto l : body) lines.emplace_back(l);
  lines.push_back(u"END");
  return runDiagnostics(lines);
}

// The report of such a pass: the headings, "Правило  R", then the messages.
Lines ruleReport(std::initializer_list<std::u16string_view> messages) {
  Lines r = helpReport({u"Правило  R"});
  for (auto m : messages) r.emplace_back(m);
  return r;
}

// The body lines of the rule after a pass (between its NAME line and its END line).
Lines body(const Checked& c) {
  Lines out;
  for (std::size_t i = helpHead().size() + 1; i + 1 < c.lines.size(); ++i)
    out.push_back(c.lines[i]);
  return out;
}

// Runs one check directly on the lines; returns the lines and the messages.
template <typename Check>
std::pair<Lines, Lines> direct(Lines lines, Check check) {
  Workspace ws;
  ws.lines = std::move(lines);
  {
    Pass pass(ws);
    check(pass);
  }
  return {ws.lines, ws.report};
}

// ---- Keyword separation (diagn31) ---------------------------------------------------------------

TEST(KeywordSeparation, Table) {
  auto [lines, report] = direct(
      {u"THENIF цвет белый", u"IFx", u"xANDy", u"ELSEIF", u"IF", u"COLOR", u"ANDOR", u"NOTE",
       u"NAMEND", u"BLEND", u"IFIFIF", u"xIFy]IFz", u"[0,9]THEN", u"a", u"I", u"", u"  IF  x  "},
      [](Pass& p) { diagn31(p, 0); });
  EXPECT_EQ(u8(lines), u8({u"THEN IF цвет белый", u"IF x", u"x AND y", u"ELSE IF", u"IF", u"COL OR",
                           u"AND OR", u"NOT E", u"NAME ND", u"BL END", u"IF IF IF", u"x IF y]IF z",
                           u"[0,9]THEN", u"a", u"I", u"", u"  IF  x  "}));
  EXPECT_TRUE(report.empty());
}

TEST(KeywordSeparation, StartLine) {
  auto [lines, report] = direct({u"IFx", u"IFx"}, [](Pass& p) { diagn31(p, 1); });
  EXPECT_EQ(u8(lines), u8({u"IFx", u"IF x"}));
}

// ---- Keyword counts (diagn32) -------------------------------------------------------------------

Lines counts(Lines lines) {
  return direct(std::move(lines), [](Pass& p) { diagn32(p, 0); }).second;
}

TEST(KeywordCounts, BodyAndStart) {
  EXPECT_EQ(u8(counts({u"NAME R", u"END"})), u8({u"Отсутствует тело правила"}));
  EXPECT_EQ(u8(counts({u"NAME R", u"оперение листья", u"THEN a b [1]", u"END"})),
            u8({u"Отсутствует ключевое слово IF или CASE в начале правила"}));
  EXPECT_EQ(u8(counts({u"NAME R", u"   ", u"IF a b", u"END"})),
            u8({u"Отсутствует ключевое слово IF или CASE в начале правила"}));
  EXPECT_EQ(u8(counts({u"NAME R", u"THEN IF a b", u"END"})),
            u8({u"Отсутствует ключевое слово IF или CASE в начале правила"}));
  // An empty line after NAME: neither test; the counts are made.
  EXPECT_TRUE(
      counts({u"NAME R", u"", u"IF a b", u"THEN c d [1]", u"ELSE c e [1]", u"END"}).empty());
}

TEST(KeywordCounts, EndTests) {
  EXPECT_TRUE(counts({u"NAME R", u"IF a b", u"THEN c d [1]", u"ELSE c e [1]", u"END"}).empty());
  EXPECT_EQ(u8(counts({u"NAME R", u"IF a b", u"THEN c d [1]", u"END"})),
            u8({u"Не хватает ключевого слова ELSE"}));
  EXPECT_EQ(
      u8(counts({u"NAME R", u"IF a b", u"THEN IF c d", u"THEN e f [1]", u"ELSE e g [1]", u"END"})),
      u8({u"Не хватает ключевого слова ELSE"}));
  EXPECT_EQ(u8(counts({u"NAME R", u"IF a b", u"ELSE c e [1]", u"ELSE c e [1]", u"END"})),
            u8({u"Не хватает ключевого слова IF", u"Не хватает ключевого слова THEN"}));
  // CASE with one IF: the combination and the count tests that apply.
  EXPECT_EQ(u8(counts({u"NAME R", u"CASE p", u"a IF", u"END"})),
            u8({u"Недопустимое сочетания CASE и IF-THEN-ELSE", u"Не хватает ключевого слова THEN",
                u"Не хватает ключевого слова ELSE"}));
  EXPECT_EQ(u8(counts({u"NAME R", u"CASE p", u"IF IF", u"END"})),
            u8({u"Не хватает ключевого слова THEN", u"Не хватает ключевого слова ELSE"}));
  EXPECT_TRUE(counts({u"NAME R", u"CASE p", u"a b c [1]", u"END"}).empty());
  // END anywhere on a line ends the rule.
  EXPECT_TRUE(counts({u"NAME R", u"IF a b", u"THEN c d [1]", u"ELSE END", u"IF"}).empty());
}

TEST(KeywordCounts, NextRuleBeforeEnd) {
  EXPECT_EQ(u8(counts({u"NAME R", u"IF a b", u"THEN c d [1]", u"NAME S", u"END"})),
            u8({u"Не хватает ключевого слова ELSE", u"Отсутствует конец правила"}));
  // With a CASE the count tests are not made.
  EXPECT_EQ(u8(counts({u"NAME R", u"CASE p", u"IF a b", u"NAME S"})),
            u8({u"Недопустимое сочетания CASE и IF-THEN-ELSE", u"Отсутствует конец правила"}));
  // The last rule of the text without END: nothing.
  EXPECT_TRUE(counts({u"NAME R", u"IF a b", u"THEN c d [1]"}).empty());
}

// ---- Formulas (diagn34, diagn35) ----------------------------------------------------------------

TEST(FormulaChecks, LayoutAndDecimalCommas) {
  Checked glued = rule({u"IF оперение листья", u"THEN=X+5", u"ELSE =X - 5"});
  EXPECT_EQ(u8(body(glued)), u8({u"IF оперение листья", u"THEN =X+5", u"ELSE =X-5"}));
  EXPECT_EQ(u8(glued.report), u8(ruleReport({})));

  Checked spaced = rule({u"IF оперение листья", u"THEN =X + 5", u"ELSE =Z:= 1"});
  EXPECT_EQ(u8(body(spaced)), u8({u"IF оперение листья", u"THEN =X+5", u"ELSE =Z:=1"}));

  Checked comparisons =
      rule({u"IF =X>5.5 AND =Z<20", u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]"});
  EXPECT_EQ(u8(body(comparisons)),
            u8({u"IF =X>5.5 AND =Z<20", u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]"}));
  EXPECT_EQ(comparisons.outcome, DiagnosticsOutcome::Clean);

  Checked commas = rule({u"IF оперение листья", u"THEN =X+5,5", u"ELSE =X:=5,5"});
  EXPECT_EQ(u8(body(commas)), u8({u"IF оперение листья", u"THEN =X+5.5", u"ELSE =X:=5.5"}));
  EXPECT_EQ(commas.outcome, DiagnosticsOutcome::Clean);

  // A formula list: the formula after the comma is not joined to the one before, and "=Z" then
  // has no operator.
  Checked list = rule({u"IF оперение листья", u"THEN =X^3, =Z - 5", u"ELSE =~X+~Z"});
  EXPECT_EQ(u8(body(list)), u8({u"IF оперение листья", u"THEN =X^3, =Z - 5", u"ELSE =~X+~Z"}));
  EXPECT_EQ(u8(list.report), u8(ruleReport({u"Отсутствует операция"})));
  EXPECT_EQ(rule({u"IF оперение листья", u"THEN =X^3, =Z-5", u"ELSE =~X+~Z"}).outcome,
            DiagnosticsOutcome::Clean);
}

TEST(FormulaChecks, Messages) {
  // The formula check of the rule ends at the first formula without an operator.
  EXPECT_EQ(u8(rule({u"IF оперение листья", u"THEN =X", u"ELSE =Q+1"}).report),
            u8(ruleReport({u"Отсутствует операция"})));
  EXPECT_EQ(u8(rule({u"IF оперение листья", u"THEN =5+X", u"ELSE дерево ёлка [0,9]"}).report),
            u8(ruleReport({u"Первой в формуле должна стоять переменная, а не число"})));
  EXPECT_EQ(u8(rule({u"IF оперение листья", u"THEN =Q+1", u"ELSE дерево ёлка [0,9]"}).report),
            u8(ruleReport({u"Переменная Q не объявлена!"})));
  EXPECT_EQ(u8(rule({u"IF оперение листья", u"THEN =X+", u"ELSE дерево ёлка [0,9]"}).report),
            u8(ruleReport({u"Переменная  не объявлена!"})));
  EXPECT_EQ(
      u8(rule({u"IF оперение листья", u"THEN =X+1, дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]"})
             .report),
      u8(ruleReport({u"В списке формул отсутствуют знаки \"=\""})));
  EXPECT_EQ(u8(rule({u"IF оперение листья", u"THEN =X:5", u"ELSE дерево ёлка [0,9]"}).report),
            u8(ruleReport({u"Отсутствует операция"})));
  // "=" alone: as the last character it is never examined; before a space it has no operator.
  EXPECT_EQ(rule({u"IF оперение листья", u"THEN =", u"ELSE дерево ёлка [0,9]"}).outcome,
            DiagnosticsOutcome::Clean);
  EXPECT_EQ(u8(rule({u"IF оперение листья", u"THEN = ", u"ELSE дерево ёлка [0,9]"}).report),
            u8(ruleReport({u"Отсутствует операция"})));
}

TEST(FormulaChecks, EveryComparisonOperatorOfTheEngine) {
  for (std::u16string_view comparison :
       {u"=X<>5", u"=X<=5", u"=X>=5", u"=X<5", u"=X>5", u"=X:=5", u"=X<>Z"}) {
    Checked c = rule(
        {Line(u"IF ") + Line(comparison), u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]"});
    EXPECT_EQ(u8(c.report), u8(ruleReport({}))) << toUtf8(comparison);
  }
  // The right operand after "<>" is the operand, not ">5".
  EXPECT_EQ(u8(rule({u"IF =X<>Q", u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]"}).report),
            u8(ruleReport({u"Переменная Q не объявлена!"})));
}

// ---- Certainty factors ------------------------------------------------------------------------

TEST(CertaintyFactors, Repairs) {
  Checked glued =
      rule({u"IF оперение листья", u"THEN дерево берёза[0,9]дерево", u"ELSE дерево ёлка [0,9]"});
  EXPECT_EQ(body(glued)[1], u"THEN дерево берёза [0,9] дерево");
  EXPECT_EQ(u8(glued.report), u8(ruleReport({u"Перед лексемой дерево не хватает запятой,",
                                             u"либо лексема дерево лишняя"})));

  Checked comma = rule({u"IF оперение листья", u"THEN дерево берёза [0,9] ,дерево сосна [0,5]",
                        u"ELSE дерево ёлка [0,9]   ,   дерево сосна [0,5]"});
  EXPECT_EQ(u8(body(comma)),
            u8({u"IF оперение листья", u"THEN дерево берёза [0,9], дерево сосна [0,5]",
                u"ELSE дерево ёлка [0,9],   дерево сосна [0,5]"}));
  EXPECT_EQ(comma.outcome, DiagnosticsOutcome::Clean);

  Checked glued_comma = rule({u"IF оперение листья", u"THEN дерево берёза [0,9],дерево сосна [0,5]",
                              u"ELSE дерево ёлка [0,9]"});
  EXPECT_EQ(body(glued_comma)[1], u"THEN дерево берёза [0,9], дерево сосна [0,5]");

  Checked point =
      rule({u"IF оперение листья", u"THEN дерево берёза [0.9]", u"ELSE дерево ёлка [-0.5]"});
  EXPECT_EQ(u8(body(point)),
            u8({u"IF оперение листья", u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [-0,5]"}));
  EXPECT_EQ(point.outcome, DiagnosticsOutcome::Clean);
}

TEST(CertaintyFactors, NumbersOnly) {
  EXPECT_EQ(u8(rule({u"IF оперение листья", u"THEN дерево берёза [x]", u"ELSE дерево ёлка [0,9]"})
                   .report),
            u8(ruleReport({u"Значение коэффициента уверенности должено быть числовым"})));
  // No range test.
  EXPECT_EQ(
      rule({u"IF оперение листья", u"THEN дерево берёза [5]", u"ELSE дерево ёлка [0,9]"}).outcome,
      DiagnosticsOutcome::Clean);
}

TEST(CertaintyFactors, PointsBecomeCommasOnlyInsideFactors) {
  Checked c =
      rule({u"IF =X>0.5", u"THEN дерево берёза [0.9], =X+0.5", u"ELSE дерево ёлка [0,9], =Z:=1,5"});
  EXPECT_EQ(u8(body(c)), u8({u"IF =X>0.5", u"THEN дерево берёза [0,9], =X+0.5",
                             u"ELSE дерево ёлка [0,9], =Z:=1.5"}));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Clean);
}

TEST(CertaintyFactors, PassEndsWithTheRule) {
  // A faulty factor in a later rule is reported once, under its own rule.
  Checked c = runDiagnostics(
      withHelpHead({u"NAME R1", u"IF оперение листья", u"THEN дерево берёза [0,9]",
                    u"ELSE дерево ёлка [0,9]", u"END", u"NAME R2", u"IF оперение иголки",
                    u"THEN дерево сосна [x]", u"ELSE дерево ёлка [0,9]", u"END"}));
  EXPECT_EQ(u8(c.report),
            u8(helpReport({u"Правило  R1", u"Правило  R2",
                           u"Значение коэффициента уверенности должено быть числовым"})));
}

// ---- Continuation lines (diagn331) --------------------------------------------------------------

TEST(ContinuationLines, Joins) {
  Checked nested =
      rule({u"IF оперение листья", u"THEN", u"IF шипы есть", u"THEN дерево берёза [0,9]",
            u"ELSE дерево сосна [0,5]", u"ELSE дерево ёлка [0,9]"});
  EXPECT_EQ(u8(body(nested)),
            u8({u"IF оперение листья", u"THEN IF шипы есть", u"THEN дерево берёза [0,9]",
                u"ELSE дерево сосна [0,5]", u"ELSE дерево ёлка [0,9]"}));
  EXPECT_EQ(nested.outcome, DiagnosticsOutcome::Clean);

  Checked conditions = rule({u"IF оперение листья", u"AND шипы есть", u"OR NOT шипы нет",
                             u"THEN дерево берёза [0,9]", u"ELSE"});
  EXPECT_EQ(u8(body(conditions)), u8({u"IF оперение листья AND шипы есть OR NOT шипы нет",
                                      u"THEN дерево берёза [0,9]", u"ELSE"}));
  EXPECT_EQ(conditions.outcome, DiagnosticsOutcome::Clean);

  // THEN at the end of a line and its conclusion on the next line; ELSE before END stays.
  Checked conclusion =
      rule({u"IF оперение листья", u"THEN", u"дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]"});
  EXPECT_EQ(body(conclusion)[1], u"THEN дерево берёза [0,9]");
  Checked elseEnd = rule({u"IF оперение листья", u"THEN дерево берёза [0,9]", u"ELSE"});
  EXPECT_EQ(u8(body(elseEnd)), u8({u"IF оперение листья", u"THEN дерево берёза [0,9]", u"ELSE"}));
  EXPECT_EQ(elseEnd.outcome, DiagnosticsOutcome::Clean);

  // An empty line after THEN: nothing is joined.
  Checked empty = rule({u"IF оперение листья", u"THEN", u"", u"ELSE дерево ёлка [0,9]"});
  EXPECT_EQ(u8(body(empty)), u8({u"IF оперение листья", u"THEN", u"", u"ELSE дерево ёлка [0,9]"}));

  // CASE at the end of its line takes the next line unless that is END.
  Checked caseLine = rule({u"CASE", u"шипы", u"есть цветок роза [0,9]"});
  EXPECT_EQ(u8(body(caseLine)), u8({u"CASE шипы", u"есть цветок роза [0,9]"}));
  EXPECT_EQ(caseLine.outcome, DiagnosticsOutcome::Clean);
}

// A rule without END whose last line ends with THEN, ELSE or CASE: the next rule's NAME line is
// not joined to it; both rules keep their headers and are checked each on its own.
TEST(ContinuationLines, NextRuleHeaderIsNeverJoined) {
  const Lines r2 = {u"NAME R2", u"IF шипы есть", u"THEN дерево берёза [0,9]",
                    u"ELSE дерево ёлка [0,9]", u"END"};
  struct Case {
    Lines r1;
    Lines messages;  // under "Правило  R1"
  };
  const Case cases[] = {
      {{u"NAME R1", u"IF оперение листья", u"THEN"},
       {u"Не хватает ключевого слова ELSE", u"Отсутствует конец правила"}},
      {{u"NAME R1", u"IF оперение листья", u"THEN дерево берёза [0,9]", u"ELSE"},
       {u"Отсутствует конец правила"}},
      {{u"NAME R1", u"CASE"}, {u"Отсутствует конец правила"}},
  };
  for (const Case& k : cases) {
    Lines text = helpHead();
    text.insert(text.end(), k.r1.begin(), k.r1.end());
    text.insert(text.end(), r2.begin(), r2.end());
    Checked c = runDiagnostics(text);
    EXPECT_EQ(u8(c.lines), u8(text)) << toUtf8(k.r1.back());
    Lines report = helpReport({u"Правило  R1"});
    report.insert(report.end(), k.messages.begin(), k.messages.end());
    report.push_back(u"Правило  R2");
    EXPECT_EQ(u8(c.report), u8(report)) << toUtf8(k.r1.back());
  }

  // Nor is a first body line that begins with AND joined to the rule's own NAME line.
  Checked andFirst = rule({u"AND шипы есть", u"THEN дерево берёза [0,9]", u"ELSE"});
  EXPECT_EQ(u8(body(andFirst)), u8({u"AND шипы есть", u"THEN дерево берёза [0,9]", u"ELSE"}));
  EXPECT_EQ(u8(andFirst.report),
            u8(ruleReport({u"Отсутствует ключевое слово IF или CASE в начале правила"})));
}

// ---- Premises (diagn333) ------------------------------------------------------------------------

TEST(PremiseChecks, Table) {
  auto premise = [](std::u16string_view ifLine) {
    return u8(rule({ifLine, u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]"}).report);
  };
  EXPECT_EQ(premise(u"IF оперение листья"), u8(ruleReport({})));
  EXPECT_EQ(premise(u"IF NOT шипы есть"), u8(ruleReport({})));
  EXPECT_EQ(premise(u"IF оперение"), u8(ruleReport({u"Значение  параметра оперение необъявлено"})));
  EXPECT_EQ(premise(u"IF оперение зелёные"),
            u8(ruleReport({u"Значение зелёные параметра оперение необъявлено"})));
  EXPECT_EQ(premise(u"IF окрас белый"), u8(ruleReport({u"Параметр окрас необъявлен"})));
  EXPECT_EQ(premise(u"IF ( оперение листья )"),
            u8(ruleReport({u"Проверьте структуру параметра - должно быть 2 лексемы",
                           u"Параметр ( необъявлен"})));
  EXPECT_EQ(premise(u"IF оперение листья AND AND шипы есть"),
            u8(ruleReport({u"Проверьте структуру параметра - должно быть 2 лексемы",
                           u"Проверьте структуру параметра - должно быть 2 лексемы",
                           u"Параметр AND необъявлен"})));
  // THEN stands where AND or OR must; then the conclusion is examined.
  EXPECT_EQ(
      u8(rule({u"IF оперение листья THEN дерево дуб [0,9]", u"ELSE дерево ёлка [0,9]"}).report),
      u8(ruleReport({u"Проверьте структуру параметра - должно быть 2 лексемы",
                     u"Значение дуб гипотезы дерево необъявлено"})));
}

// ---- Conclusions (diagn334) ---------------------------------------------------------------------

TEST(ConclusionChecks, Table) {
  auto conclusion = [](std::u16string_view thenLine) {
    return u8(rule({u"IF оперение листья", thenLine, u"ELSE дерево ёлка [0,9]"}).report);
  };
  EXPECT_EQ(conclusion(u"THEN дерево берёза [0,9]"), u8(ruleReport({})));
  EXPECT_EQ(conclusion(u"THEN дерево берёза"), u8(ruleReport({u"Ошибка в структуре гипотезы"})));
  EXPECT_EQ(conclusion(u"THEN дерево"), u8(ruleReport({u"Ошибка в структуре гипотезы"})));
  EXPECT_EQ(conclusion(u"THEN дерево [0,9]"),
            u8(ruleReport({u"Проверьте структуру гипотезы - должно быть 3 лексемы"})));
  EXPECT_EQ(conclusion(u"THEN дерево берёза 0,9"),
            u8(ruleReport({u"Третья лексема - это коэффициент уверенности (в скобках-[])"})));
  EXPECT_EQ(conclusion(u"THEN дерево берёза [0,9"),
            u8(ruleReport({u"Третья лексема - это коэффициент уверенности (в скобках-[])"})));
  EXPECT_EQ(conclusion(u"THEN дерево дуб [0,9]"),
            u8(ruleReport({u"Значение дуб гипотезы дерево необъявлено"})));
  EXPECT_EQ(conclusion(u"THEN окрас белый [0,9]"), u8(ruleReport({u"Гипотеза окрас необъявлена"})));
  EXPECT_EQ(conclusion(u"THEN дерево берёза [0,5], дерево сосна [0,5]"), u8(ruleReport({})));
  EXPECT_EQ(conclusion(u"THEN дерево берёза [0,5], дерево дуб [0,5]"),
            u8(ruleReport({u"Значение дуб гипотезы дерево необъявлено"})));
  EXPECT_EQ(conclusion(u"THEN дерево берёза [0,5] дерево сосна [0,5]"),
            u8(ruleReport(
                {u"Перед лексемой дерево не хватает запятой,", u"либо лексема дерево лишняя"})));
  EXPECT_EQ(conclusion(u"THEN =X+5"), u8(ruleReport({})));
  EXPECT_EQ(conclusion(u"THEN дерево берёза [0,9], =X+5"), u8(ruleReport({})));
}

TEST(ConclusionChecks, ListContinuesOnTheNextLine) {
  Checked c = rule({u"IF оперение листья", u"THEN дерево берёза [0,5],", u"дерево дуб [0,5]",
                    u"ELSE дерево ёлка [0,9]"});
  EXPECT_EQ(u8(c.report), u8(ruleReport({u"Значение дуб гипотезы дерево необъявлено"})));
}

// ---- CASE rules (diagn335) ----------------------------------------------------------------------

TEST(CaseChecks, Table) {
  auto caseRule = [](std::initializer_list<std::u16string_view> lines) {
    return u8(rule(lines).report);
  };
  EXPECT_EQ(caseRule({u"CASE шипы", u"есть цветок роза [0,9]", u"нет цветок ромашка [0,7]"}),
            u8(ruleReport({})));
  EXPECT_EQ(caseRule({u"CASE шипы цвет", u"есть цветок роза [0,9]", u"нет цветок ромашка [0,7]"}),
            u8(ruleReport({u"После оператора CASE должна быть одна лексема"})));
  // A case value alone: the CASE check stops.
  EXPECT_EQ(caseRule({u"CASE шипы", u"есть", u"нет цветок дуб [0,7]"}),
            u8(ruleReport({u"Ошибка в структуре гипотезы"})));
  EXPECT_EQ(caseRule({u"CASE шипы", u"мало цветок роза [0,9]"}),
            u8(ruleReport({u"Значение мало параметра шипы необъявлено"})));
  // A formula: the CASE check stops there.
  EXPECT_EQ(caseRule({u"CASE шипы", u"есть =X^2", u"мало цветок дуб [0,7]"}), u8(ruleReport({})));
  // The conclusion's messages come before the case value's.
  EXPECT_EQ(caseRule({u"CASE шипы", u"мало цветок дуб [0,9]"}),
            u8(ruleReport({u"Значение дуб гипотезы цветок необъявлено",
                           u"Значение мало параметра шипы необъявлено"})));
  EXPECT_EQ(caseRule({u"CASE окрас", u"белый цветок роза [0,9]"}),
            u8(ruleReport({u"Параметр окрас необъявлен"})));
  // A conclusion list over two lines: the walk goes on after the list's last line.
  EXPECT_EQ(caseRule({u"CASE шипы", u"есть цветок роза [0,9],", u"цветок ромашка [0,5]", u"",
                      u"нет цветок ромашка [0,7]"}),
            u8(ruleReport({})));
}

TEST(CaseChecks, CaseValueComparedWithTheParameterOnly) {
  // "роза" is a value of the class цветок that the conclusion check looked at just before, but
  // not of шипы.
  EXPECT_EQ(u8(rule({u"CASE шипы", u"роза цветок роза [0,9]"}).report),
            u8(ruleReport({u"Значение роза параметра шипы необъявлено"})));
}

TEST(CaseChecks, ParameterDeclaredOnTwoLines) {
  Lines lines = {u"ГИПОТЕЗЫ:",
                 u"дерево {ёлка, сосна, берёза}",
                 u"цветок {ромашка, роза}",
                 u"ПАРАМЕТРЫ:",
                 u"оперение {листья, иголки}",
                 u"шипы {есть}",
                 u"шипы {нет}",
                 u"ПЕРЕМЕННЫЕ:",
                 u"NAME R",
                 u"CASE шипы",
                 u"нет цветок роза [0,9]",
                 u"мало цветок роза [0,9]",
                 u"есть цветок роза [0,9]",
                 u"END"};
  Checked c = runDiagnostics(lines);
  Lines expected = testing::reportHead();
  for (auto l :
       {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:", u"Присутствует лишний класс шипы",
        u"Раздел  ПЕРЕМЕННЫЕ:", u"Правило  R", u"Значение нет параметра шипы необъявлено",
        u"Значение мало параметра шипы необъявлено", u"Значение мало параметра шипы необъявлено"}) {
    expected.emplace_back(l);
  }
  EXPECT_EQ(u8(c.report), u8(expected));
}

TEST(CaseChecks, CaseWithoutEndWalksIntoTheNextRule) {
  Checked c = runDiagnostics(withHelpHead(
      {u"NAME R1", u"CASE шипы", u"есть цветок роза [0,9]", u"NAME R2", u"IF оперение листья",
       u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]", u"END"}));
  EXPECT_EQ(
      u8(c.report),
      u8(helpReport({u"Правило  R1", u"Отсутствует конец правила", u"Ошибка в структуре гипотезы",
                     u"Значение NAME параметра шипы необъявлено", u"Ошибка в структуре гипотезы",
                     u"Значение IF параметра шипы необъявлено",
                     u"Значение THEN параметра шипы необъявлено",
                     u"Значение ELSE параметра шипы необъявлено", u"Правило  R2"})));
}

}  // namespace
}  // namespace veksa
