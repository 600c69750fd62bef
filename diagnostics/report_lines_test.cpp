#include "diagnostics/report_lines.h"

#include <gtest/gtest.h>

#include "diagnostics/heading_walk.h"
#include "diagnostics/test_support.h"
#include "kb/kbfile.h"

namespace veksa {
namespace {

using testing::runDiagnostics;
using testing::u8;
using testing::withHelpHead;

// The heading lines of a report, in order.
Lines headingsOf(const Lines& report) {
  Lines out;
  for (const Line& l : report) {
    if (isReportHeading(l)) out.push_back(l);
  }
  return out;
}

Lines replayed(const Lines& text) {
  Lines out;
  for (const ReportHeading& h : reportHeadings(text)) out.push_back(h.text);
  return out;
}

Lines exampleLines() {
  Lines lines;
  std::string error;
  loadKnowledgeBase(VEKSA_SOURCE_DIR "/examples/trees_and_flowers.vks", lines, error);
  return lines;
}

TEST(ReportLines, HeadingsFollowTheDiagnosticsOverRepairedTexts) {
  // The walk must write the same headings as the driver over the text it left: texts that the
  // pass repairs (joined AND lines, a split header), faulty ones, headers after other words.
  const std::vector<Lines> texts = {
      exampleLines(),
      testing::generatedKnowledgeBase(12, true),
      withHelpHead({u"РАЗДЕЛ A", u"NAME R1", u"IF оперение листья", u"AND шипы есть",
                    u"THEN дерево сосна [0,9]", u"END", u"NAME R1", u"IF шипы нет",
                    u"THEN куст роза [0,5]", u"END", u"КОНЕЦ РАЗДЕЛА A", u"NAME R2 NAME R3"}),
      {u"{начало} ГИПОТЕЗЫ:", u"дерево {ёлка}", u"ПАРАМЕТРЫ:", u"шипы {есть}", u"NAME R", u"END"},
      {u"ГИПОТЕЗЫ:", u"", u"ПАРАМЕТРЫ:", u"", u"ПЕРЕМЕННЫЕ: X 5"},
      {u"РАЗДЕЛ"},
  };
  // A pass that stops at a header with more words after it writes no headings after it.
  for (const Lines& text : texts) {
    testing::Checked c = runDiagnostics(text);
    Lines walked = replayed(c.lines);
    const Lines written = headingsOf(c.report);
    if (c.outcome == DiagnosticsOutcome::Stopped && walked.size() > written.size()) {
      walked.resize(written.size());
    }
    EXPECT_EQ(u8(walked), u8(written)) << toUtf8(text.front());
  }
}

TEST(ReportLines, HeadingsAndFaultsLeadToTheirLines) {
  // Two rules named R1; the second's conclusion names an undeclared class.
  testing::Checked c = runDiagnostics(withHelpHead(
      {u"РАЗДЕЛ A", u"NAME R1", u"IF шипы есть", u"THEN цветок роза [0,9]",
       u"ELSE цветок роза [0,1]", u"END", u"NAME R1", u"IF шипы нет", u"THEN куст роза [0,5]",
       u"ELSE цветок роза [0,1]", u"END", u"КОНЕЦ РАЗДЕЛА A"}));
  const Lines& report = c.report;
  const Lines& text = c.lines;
  auto at = [&](std::u16string_view line, std::size_t nth = 0) {
    for (std::size_t r = 0; r < report.size(); ++r) {
      if (report[r] == line && nth-- == 0) return r;
    }
    ADD_FAILURE() << "no report line " << toUtf8(line);
    return report.size();
  };
  auto source = [&](std::size_t r) -> std::u16string_view {
    std::optional<std::size_t> i = reportLineSource(report, r, text);
    return i ? std::u16string_view(text.at(*i)) : u"(none)";
  };
  EXPECT_EQ(toUtf8(source(at(u"Раздел  ГИПОТЕЗЫ:"))), "ГИПОТЕЗЫ:");
  EXPECT_EQ(toUtf8(source(at(u"Раздел  ПЕРЕМЕННЫЕ:"))), "ПЕРЕМЕННЫЕ:");
  EXPECT_EQ(toUtf8(source(at(u"Раздел  A"))), "РАЗДЕЛ A");
  // The second heading of R1 is the second rule, and so is the fault under it.
  const std::size_t second = at(u"Правило  R1", 1);
  EXPECT_EQ(reportLineSource(report, at(u"Правило  R1"), text), 10u);
  EXPECT_EQ(reportLineSource(report, second, text), 15u);
  ASSERT_LT(second + 1, report.size());
  EXPECT_EQ(toUtf8(report[second + 1]).find("Гипотеза куст"), 0u) << toUtf8(report[second + 1]);
  ASSERT_EQ(text[15], u"NAME R1");
  EXPECT_EQ(reportLineSource(report, second + 1, text), 15u);
  // The head of the report and lines past its end lead nowhere.
  for (std::size_t r : {0u, 1u, 2u}) EXPECT_EQ(reportLineSource(report, r, text), std::nullopt);
  EXPECT_EQ(reportLineSource(report, report.size(), text), std::nullopt);
  // A heading the text no longer has (the rule renamed since) leads nowhere either.
  Lines renamed = text;
  renamed[15] = u"NAME R9";
  EXPECT_EQ(reportLineSource(report, second, renamed), std::nullopt);
}

}  // namespace
}  // namespace veksa
