// The diagnostics command and its driver.
#include "diagnostics/diagnostics.h"

#include "diagnostics/pass.h"
#include "engine/variables.h"
#include "kb/declarations.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

namespace {

constexpr std::u16string_view kOwnLine = u"Выделите заголовок в отдельную строку";
// The heading lines of the report begin with these.
constexpr std::u16string_view kSectionHeading = u"Раздел  ", kRuleHeading = u"Правило  ";

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
  diagn31(pass, 0);
  diagn34(pass, 0);

  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i].size() <= 1) continue;
    // Every word of the line in turn: past the word and one more position. The line is read
    // afresh for every word, since the checks may have changed it.
    std::size_t pos = 1;
    while (pos <= text[i].size()) {
      Line word = readWord(text[i], pos);
      if (word.empty()) break;
      ++pos;
      if (word == kHypothesesHeader || word == kParametersHeader) {
        (word == kHypothesesHeader ? pass.hypothesesSeen : pass.parametersSeen) = true;
        pass.heading(Line(kSectionHeading) + word);
        if (anotherWord(text[i], pos)) {
          pass.say(Line(kOwnLine));
          return DiagnosticsOutcome::Stopped;
        }
        ++pass.expected;
        ++i;  // the line directly after the header is walked by nobody
        diagn1(pass, i);
        diagn11(pass, i);
        break;
      }
      if (word == kVariablesHeader) {
        pass.heading(Line(kSectionHeading) + word);
        if (anotherWord(text[i], pos)) {
          pass.say(Line(kOwnLine));
          return DiagnosticsOutcome::Stopped;
        }
        ++pass.expected;
        diagn2(pass, i);
        continue;
      }
      if (word == kSectionWord) {
        pass.rulesSeen = true;
        Line name = readWord(text[i], pos);
        ++pos;
        pass.heading(Line(kSectionHeading) + name);
        if (anotherWord(text[i], pos)) {
          pass.say(Line(kOwnLine));
          return DiagnosticsOutcome::Stopped;
        }
        ++pass.expected;
        diagn12(pass, i, name);
        continue;
      }
      if (word == u"NAME") {
        if (!pass.hypothesesSeen) {
          pass.say(u"Отсутствует начало раздела гипотез");
          pass.say(u"Выделите заголовок \"ГИПОТЕЗЫ:\" в отдельную строку");
          return DiagnosticsOutcome::Stopped;
        }
        if (!pass.parametersSeen) {
          pass.say(u"Отсутствует начало раздела параметров");
          pass.say(u"Выделите заголовок \"ПАРАМЕТРЫ:\" в отдельную строку");
          return DiagnosticsOutcome::Stopped;
        }
        pass.rulesSeen = true;
        Line name = readWord(text[i], pos);
        ++pos;
        pass.heading(Line(kRuleHeading) + name);
        if (anotherWord(text[i], pos)) {
          pass.say(Line(kOwnLine));
          return DiagnosticsOutcome::Stopped;
        }
        ++pass.expected;
        diagn32(pass, i);
        diagn33(pass, i);
        continue;
      }
    }
  }
  if (!pass.rulesSeen) pass.say(u"Отсутствует начало раздела правил");
  return ws.report.size() == pass.expected ? DiagnosticsOutcome::Clean : DiagnosticsOutcome::Faults;
}

std::size_t reportFaultCount(const Lines& report) {
  constexpr std::size_t kHeadLines = 3;
  std::size_t faults = 0;
  for (std::size_t i = kHeadLines; i < report.size(); ++i) {
    const std::u16string_view line = report[i];
    if (!line.starts_with(kSectionHeading) && !line.starts_with(kRuleHeading)) ++faults;
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
