// The diagnostics command and its driver.
#include "diagnostics/diagnostics.h"

#include "diagnostics/heading_walk.h"
#include "diagnostics/pass.h"
#include "engine/variables.h"
#include "kb/declarations.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

namespace {

constexpr std::u16string_view kOwnLine = u"Выделите заголовок в отдельную строку";

// The next word of the line from `pos`, without moving on.
bool anotherWord(const Line& line, std::size_t pos) { return !readWord(line, pos).empty(); }

}  // namespace

DiagnosticsOutcome diagn(Workspace& ws) {
  ws.report.clear();
  ws.report.push_back(u"Для корректного запуска вашей базы знаний");
  ws.report.push_back(u"необходимо исправить следующие ошибки:");
  ws.report.push_back(u"");

  Pass pass(ws);
  TextBuffer& text = pass.text;
  // The keyword separation (diagn31) and then the formula layout (diagn34) of the whole text: each
  // repairs a line by looking at that line only, so one walk does both, line by line, and a long
  // text is read once rather than three times.
  for (std::size_t i = 0; i < text.size(); ++i) {
    separateKeywords(text, i);
    formulaLayout(text, i);
  }

  bool stopped = false;
  walkHeadings(text, [&](const HeadingAt& h) {
    const std::size_t i = h.line;
    if (h.kind == HeadingWord::Rule) {
      if (!pass.hypothesesSeen) {
        pass.say(u"Отсутствует начало раздела гипотез");
        pass.say(u"Выделите заголовок \"ГИПОТЕЗЫ:\" в отдельную строку");
        stopped = true;
        return AfterHeading::Stop;
      }
      if (!pass.parametersSeen) {
        pass.say(u"Отсутствует начало раздела параметров");
        pass.say(u"Выделите заголовок \"ПАРАМЕТРЫ:\" в отдельную строку");
        stopped = true;
        return AfterHeading::Stop;
      }
    }
    if (h.kind == HeadingWord::Declarations) {
      (h.word == kHypothesesHeader ? pass.hypothesesSeen : pass.parametersSeen) = true;
    }
    if (h.kind == HeadingWord::Section || h.kind == HeadingWord::Rule) pass.rulesSeen = true;
    pass.heading(h.reportLine());
    if (anotherWord(text[i], h.pos)) {
      pass.say(Line(kOwnLine));
      stopped = true;
      return AfterHeading::Stop;
    }
    ++pass.expected;
    switch (h.kind) {
      case HeadingWord::Declarations:
        // The line directly after the header is walked by nobody.
        diagn1(pass, i + 1);
        diagn11(pass, i + 1);
        return AfterHeading::SkipNextLine;
      case HeadingWord::Variables:
        diagn2(pass, i);
        break;
      case HeadingWord::Section:
        diagn12(pass, i, h.word);
        break;
      case HeadingWord::Rule:
        diagn32(pass, i);
        diagn33(pass, i);
        break;
    }
    return AfterHeading::Continue;
  });
  if (stopped) return DiagnosticsOutcome::Stopped;
  if (!pass.rulesSeen) pass.say(u"Отсутствует начало раздела правил");
  return ws.report.size() == pass.expected ? DiagnosticsOutcome::Clean : DiagnosticsOutcome::Faults;
}

std::size_t reportFaultCount(const Lines& report) {
  constexpr std::size_t kHeadLines = 3;
  std::size_t faults = 0;
  for (std::size_t i = kHeadLines; i < report.size(); ++i) {
    if (!isReportHeading(report[i])) ++faults;
  }
  return faults;
}

bool N49Click(Workspace& ws, Host& host, DiagnosticsOutcome* outcome) {
  ws.variables.clear();
  VVar(ws);
  refreshDeclarations(ws.lines, ws.declarations);
  DiagnosticsOutcome result = diagn(ws);
  if (outcome != nullptr) *outcome = result;
  if (result != DiagnosticsOutcome::Clean) return false;
  host.message(Line(kDiagnosticsSuccess));
  return true;
}

}  // namespace veksa
