// The diagnostics on bad input (tiny lines, megabyte lines, glued keywords, unbalanced brackets),
// on a generated knowledge base of 10,000 rules, the look-up caches after repairs, and a
// randomised check that repairs only insert or remove spaces, move commas over spaces and swap
// decimal points and commas.
#include <gtest/gtest.h>

#include <random>

#include "diagnostics/pass.h"
#include "diagnostics/test_support.h"

namespace veksa {
namespace {

using testing::Checked;
using testing::helpHead;
using testing::helpReport;
using testing::reportHead;
using testing::runDiagnostics;
using testing::u8;
using testing::withHelpHead;

Line repeat(std::u16string_view text, std::size_t n) {
  Line out;
  out.reserve(text.size() * n);
  for (std::size_t k = 0; k < n; ++k) out += text;
  return out;
}

// ---- Bad input ----------------------------------------------------------------------------------

TEST(BadInput, LinesOfOneCharacter) {
  Lines lines = {u"ГИПОТЕЗЫ:",   u"a", u"ПАРАМЕТРЫ:", u"b", u"=", u"]", u"[", u"{", u"}", u",",
                 u"ПЕРЕМЕННЫЕ:", u"=", u"NAME R",     u"=", u"]", u"[", u"I", u"}", u"~", u"END"};
  Checked c = runDiagnostics(lines);
  EXPECT_EQ(u8(c.lines), u8(lines));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Faults);
}

TEST(BadInput, UnbalancedBracesAndBrackets) {
  Lines lines = {u"ГИПОТЕЗЫ:",
                 u"x",
                 u"a {{{b,,}}} }",
                 u"c }{",
                 u"d {",
                 u"ПАРАМЕТРЫ:",
                 u"y",
                 u"e ]]][[[",
                 u"ПЕРЕМЕННЫЕ:",
                 u"NAME R",
                 u"IF ( ( оперение листья",
                 u"THEN дерево [[0,9]]] ,",
                 u"ELSE ] [ [0,9",
                 u"]",
                 u"[",
                 u"THEN дерево берёза ]",
                 u"ELSE дерево берёза [0,9]]",
                 u"END"};
  Checked c = runDiagnostics(lines);
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Faults);
  // A second pass over the repaired text terminates as well and changes nothing more.
  Checked again = runDiagnostics(c.lines);
  EXPECT_EQ(u8(again.lines), u8(c.lines));
}

TEST(BadInput, FormulaEqualsSignsAlone) {
  Checked c =
      runDiagnostics(withHelpHead({u"=", u"NAME R", u"IF =", u"THEN = =", u"ELSE ==", u"END",
                                   u"NAME S", u"IF a b", u"THEN =X+", u"ELSE =:", u"END"}));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Faults);
}

TEST(BadInput, KeywordsGluedTogether) {
  // 500,000 glued "IF" (a megabyte): the separation builds the line in one pass.
  const std::size_t n = 500000;
  Workspace ws;
  ws.lines = {repeat(u"IF", n)};
  {
    Pass pass(ws);
    diagn31(pass, 0);
  }
  ASSERT_EQ(ws.lines.size(), 1u);
  EXPECT_EQ(ws.lines[0].size(), 3 * n - 1);
  EXPECT_EQ(ws.lines[0], repeat(u"IF ", n - 1) + u"IF");

  // A whole pass over a rule of 20,000 glued keywords.
  Checked c = runDiagnostics(withHelpHead({u"NAME R", repeat(u"THENELSE", 10000), u"END"}));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Faults);
  EXPECT_EQ(c.lines[helpHead().size() + 1], repeat(u"THEN ELSE ", 9999) + u"THEN ELSE");
}

TEST(BadInput, MegabyteDeclarationLines) {
  const std::size_t n = 150000;
  Line glued = u"лес {", spaced = u"лес {";
  for (std::size_t k = 0; k < n; ++k) {
    Line v = u"v" + fromUtf8(std::to_string(k));
    glued += v + (k + 1 < n ? u"," : u"}");
    spaced += v + (k + 1 < n ? u", " : u"}");
  }
  Line repeated = u"луг {" + repeat(u"x,", n) + u"x}";
  Checked c = runDiagnostics({u"ГИПОТЕЗЫ:", u"a {b}", glued, repeated, u"ПАРАМЕТРЫ:"});
  ASSERT_EQ(c.lines.size(), 5u);
  EXPECT_EQ(c.lines[2], spaced);
  EXPECT_EQ(c.lines[3], u"луг {x}");
}

TEST(BadInput, MegabyteRuleLines) {
  const std::size_t n = 50000;
  Line conclusions = u"THEN " + repeat(u"дерево берёза[0.9],", n) + u"дерево берёза[0.9]";
  Line repaired = u"THEN " + repeat(u"дерево берёза [0,9], ", n) + u"дерево берёза [0,9]";
  Line conditions = u"IF =X>5" + repeat(u" AND =Z<1", 100000);
  Checked c = runDiagnostics(withHelpHead({u"NAME R", conditions, conclusions, u"ELSE", u"END"}));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Clean);
  EXPECT_EQ(c.lines[helpHead().size() + 1], conditions);
  EXPECT_EQ(c.lines[helpHead().size() + 2], repaired);

  // A megabyte of "=", of "]" and of spaces.
  Checked signs = runDiagnostics(
      withHelpHead({u"NAME S", u"IF оперение листья", u"THEN " + repeat(u"=", 1000000),
                    u"ELSE " + repeat(u"]", 1000000), repeat(u" ", 1000000), u"END"}));
  EXPECT_EQ(u8(signs.report),
            u8(helpReport({u"Правило  S", u"Отсутствует операция",
                           u"Третья лексема - это коэффициент уверенности (в скобках-[])"})));
  // Spaces go before every "=" but the first and the last, and formula joining takes them out.
  EXPECT_EQ(signs.lines[helpHead().size() + 2], u"THEN " + repeat(u"=", 1000000));
  // A "]" after the word "]" that is glued to a third gets a space after it.
  EXPECT_EQ(signs.lines[helpHead().size() + 3], u"ELSE " + repeat(u"]] ", 499999) + u"]]");
}

TEST(BadInput, ManyContinuationLines) {
  // 20,000 condition lines joined into one, and 20,000 lines ending with THEN joined into one.
  Lines lines = withHelpHead({u"NAME R", u"IF оперение листья"});
  for (int k = 0; k < 20000; ++k) lines.push_back(u"AND шипы есть");
  for (int k = 0; k < 20000; ++k) lines.push_back(u"x THEN");
  lines.push_back(u"дерево берёза [0,9]");
  lines.push_back(u"END");
  Checked c = runDiagnostics(lines);
  ASSERT_EQ(c.lines.size(), helpHead().size() + 4);
  EXPECT_EQ(c.lines[helpHead().size() + 1],
            u"IF оперение листья" + repeat(u" AND шипы есть", 20000));
  EXPECT_EQ(c.lines[helpHead().size() + 2], repeat(u"x THEN ", 20000) + u"дерево берёза [0,9]");
}

TEST(BadInput, FaultLinesAreBounded) {
  // 300 CASE rules without END: each CASE walk runs to the end of the text and reports every
  // later NAME and CASE line (two faults each), 2 x 300 x 299 fault lines in all, and every rule
  // but the last misses its end. The report keeps the first kFaultLineLimit of them and every
  // heading.
  Lines lines = helpHead();
  for (int k = 0; k < 300; ++k) {
    lines.push_back(u"NAME R" + fromUtf8(std::to_string(k)));
    lines.push_back(u"CASE шипы");
    lines.push_back(u"есть цветок роза [0,9]");
  }
  Checked c = runDiagnostics(lines);
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Faults);
  ASSERT_EQ(c.report.size(), 3u + 3u + 300u + kFaultLineLimit);
  EXPECT_EQ(u8({c.report.begin() + 6, c.report.begin() + 12}),
            u8({u"Правило  R0", u"Отсутствует конец правила", u"Ошибка в структуре гипотезы",
                u"Значение NAME параметра шипы необъявлено", u"Ошибка в структуре гипотезы",
                u"Значение CASE параметра шипы необъявлено"}));
  EXPECT_EQ(c.report.back(), u"Правило  R299");
}

// ---- Look-ups after repairs ---------------------------------------------------------------------

TEST(Caches, DeclarationLookupsFollowRepairs) {
  // "x NAME R1" is a rule for the driver but not the end of the declaration stretches, which run
  // to the end of the text; the second parameters header then lays out "лист{x}" after the first
  // rule was checked, and the second rule finds "лист" declared.
  Checked c =
      runDiagnostics({u"ГИПОТЕЗЫ:", u"q", u"дерево {a}", u"ПАРАМЕТРЫ:", u"p", u"оперение {листья}",
                      u"x NAME R1", u"IF оперение листья", u"THEN дерево a [1]",
                      u"ELSE дерево a [1]", u"END", u"ПАРАМЕТРЫ:", u"r", u"лист{x}", u"x NAME R2",
                      u"IF лист x", u"THEN дерево a [1]", u"ELSE дерево a [1]", u"END"});
  Lines expected = reportHead();
  for (auto l : {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:", u"Правило  R1", u"Раздел  ПАРАМЕТРЫ:",
                 u"Присутствует лишний класс x", u"Присутствует лишний класс IF",
                 u"Присутствует лишний класс THEN", u"Присутствует лишний класс ELSE",
                 u"Присутствует лишний класс END", u"Правило  R2"}) {
    expected.emplace_back(l);
  }
  EXPECT_EQ(u8(c.report), u8(expected));
  EXPECT_EQ(c.lines[13], u"лист {x}");

  // The refresh of the declaration lists that the second rule's check made saw the repair too.
  Workspace ws;
  ws.lines = {u"ГИПОТЕЗЫ:",         u"q",         u"дерево {a}", u"ПАРАМЕТРЫ:", u"p",
              u"оперение {листья}", u"x NAME R1", u"END",        u"ПАРАМЕТРЫ:", u"r",
              u"лист{x}",           u"x NAME R2", u"END"};
  testing::RecordingHost host;
  N49Click(ws, host);
  const Lines& params = ws.declarations.parameterList;
  EXPECT_NE(std::find(params.begin(), params.end(), u"лист"), params.end());
  EXPECT_EQ(std::find(params.begin(), params.end(), u"лист{x}"), params.end());
  // The parameter menu stayed empty (its stretch ran to the end of the text), so the refresh of
  // values stopped at the parameters header, the last line it read.
  EXPECT_TRUE(ws.declarations.parameterMenu.empty());
  EXPECT_EQ(ws.declarations.remembered, u"ПАРАМЕТРЫ:");
}

TEST(Caches, NoLineThatIsExactlyTheParametersHeader) {
  // "ПАРАМЕТРЫ: " (a trailing space) is a header for the driver, not for the look-ups.
  Checked c = runDiagnostics({u"ГИПОТЕЗЫ:", u"дерево {ёлка, сосна, берёза}", u"ПАРАМЕТРЫ: ",
                              u"оперение {листья, иголки}", u"NAME R", u"IF оперение листья",
                              u"THEN дерево берёза [0,9]", u"ELSE дерево ёлка [0,9]", u"END"});
  EXPECT_EQ(u8(c.report), u8(testing::concatLines(
                              reportHead(), {u"Раздел  ГИПОТЕЗЫ:", u"Раздел  ПАРАМЕТРЫ:",
                                             u"Правило  R", u"Параметр оперение необъявлен"})));
}

// ---- A generated knowledge base of 10,000 rules -------------------------------------------------

void expectCleanGenerated(std::size_t rules, bool variables) {
  Checked c = runDiagnostics(testing::generatedKnowledgeBase(rules, variables));
  EXPECT_EQ(c.outcome, DiagnosticsOutcome::Clean);
  Lines expected = reportHead();
  expected.push_back(u"Раздел  ГИПОТЕЗЫ:");
  expected.push_back(u"Раздел  ПАРАМЕТРЫ:");
  if (variables) expected.push_back(u"Раздел  ПЕРЕМЕННЫЕ:");
  for (std::size_t k = 0; k < rules; ++k) {
    if (k % 100 == 0) expected.push_back(u"Раздел  Р" + fromUtf8(std::to_string(k / 100)));
    expected.push_back(u"Правило  П" + fromUtf8(std::to_string(k)));
  }
  EXPECT_EQ(c.report.size(), expected.size());
  EXPECT_TRUE(c.report == expected);
  // Two lines fewer for every rule of kind 0, one for every rule of kind 3; the points are commas.
  std::size_t joined = 2 * ((rules + 3) / 4) + rules / 4;
  EXPECT_EQ(c.lines.size(), testing::generatedKnowledgeBase(rules, variables).size() - joined);
  std::size_t points = 0;
  for (const Line& l : c.lines) points += l.find(u"[0.") != Line::npos;
  EXPECT_EQ(points, 0u);
}

TEST(LargeKnowledgeBase, TenThousandRules) { expectCleanGenerated(10000, true); }

TEST(LargeKnowledgeBase, TenThousandRulesWithoutVariables) { expectCleanGenerated(10000, false); }

// ---- Repairs keep the other characters ----------------------------------------------------------

// The non-space characters of the text, in order, with "." read as ",".
Line signature(const Lines& lines) {
  Line s;
  for (const Line& l : lines) {
    for (char16_t ch : l) {
      if (ch != u' ') s.push_back(ch == u'.' ? u',' : ch);
    }
  }
  return s;
}

TEST(Randomised, RepairsOfRuleTextKeepTheOtherCharacters) {
  const std::u16string_view tokens[] = {
      u"IF",  u"THEN", u"ELSE",   u"AND",    u"OR",   u"NOT",  u"CASE",  u"END",    u"NAME",
      u"x",   u"y",    u"=",      u"=X+1",   u"=X",   u"=Z<1", u"[0.5]", u"[0,5]",  u"]",
      u"[",   u"{",    u"}",      u",",      u".",    u":=",   u"<>",    u"IFTHEN", u"ANDx",
      u"xOR", u"X",    u"дерево", u"берёза", u"шипы", u"есть", u"5,5",   u"~",      u"=X<>5,5"};
  const std::u16string_view separators[] = {u"", u" ", u" ", u"  "};
  std::mt19937 random(20240531);
  for (int round = 0; round < 300; ++round) {
    Lines lines = helpHead();
    lines.push_back(u"NAME R0");
    const int count = 1 + static_cast<int>(random() % 40);
    for (int k = 0; k < count; ++k) {
      Line line;
      const int words = static_cast<int>(random() % 8);
      for (int w = 0; w < words; ++w) {
        line += tokens[random() % std::size(tokens)];
        line += separators[random() % std::size(separators)];
      }
      lines.push_back(line);
    }
    const Line before = signature(lines);
    Checked c = runDiagnostics(lines);
    ASSERT_EQ(signature(c.lines), before) << "round " << round;
  }
}

}  // namespace
}  // namespace veksa
