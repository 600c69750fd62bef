// Helpers shared by the diagnostics tests: a host that records messages, the declarations of the
// help pages, and a run of the diagnostics command.
#ifndef VEKSA_DIAGNOSTICS_TEST_SUPPORT_H_
#define VEKSA_DIAGNOSTICS_TEST_SUPPORT_H_

#include <initializer_list>
#include <string>
#include <vector>

#include "diagnostics/diagnostics.h"
#include "engine/host.h"
#include "engine/message_host.h"
#include "engine/workspace.h"

namespace veksa::testing {

using RecordingHost = MessageHost;

// The declaration head of the help pages, with two variables (X 50, Z 3): nine lines, clean.
inline Lines helpHead() {
  return {u"ГИПОТЕЗЫ:",
          u"дерево {ёлка, сосна, берёза}",
          u"цветок {ромашка, роза}",
          u"ПАРАМЕТРЫ:",
          u"оперение {листья, иголки}",
          u"шипы {есть, нет}",
          u"ПЕРЕМЕННЫЕ:",
          u"X 50",
          u"Z 3"};
}

// The three head lines of every report.
inline Lines reportHead() {
  return {u"Для корректного запуска вашей базы знаний", u"необходимо исправить следующие ошибки:",
          u""};
}

// The report of a pass over helpHead() plus rules: head lines, the three declaration headings,
// then `tail`.
inline Lines helpReport(std::initializer_list<std::u16string_view> tail) {
  Lines r = reportHead();
  r.push_back(u"Раздел  ГИПОТЕЗЫ:");
  r.push_back(u"Раздел  ПАРАМЕТРЫ:");
  r.push_back(u"Раздел  ПЕРЕМЕННЫЕ:");
  for (auto t : tail) r.emplace_back(t);
  return r;
}

// The lines followed by more lines.
inline Lines concatLines(Lines a, std::initializer_list<std::u16string_view> b) {
  for (auto l : b) a.emplace_back(l);
  return a;
}

// helpHead() followed by the given lines.
inline Lines withHelpHead(std::initializer_list<std::u16string_view> rest) {
  Lines lines = helpHead();
  for (auto l : rest) lines.emplace_back(l);
  return lines;
}

struct Checked {
  bool startsRun = false;
  DiagnosticsOutcome outcome = DiagnosticsOutcome::Faults;
  Lines report;
  Lines lines;
  Lines messages;
};

// The diagnostics command (N49Click) on the lines.
inline Checked runDiagnostics(Lines lines) {
  Workspace ws;
  ws.lines = std::move(lines);
  RecordingHost host;
  Checked c;
  c.startsRun = N49Click(ws, host, &c.outcome);
  c.report = ws.report;
  c.lines = ws.lines;
  c.messages = host.messages;
  return c;
}

// A rule: "NAME " + name, the body, "END".
inline Lines generatedRule(const Line& name, std::initializer_list<std::u16string_view> body) {
  Lines lines = {u"NAME " + name};
  for (auto l : body) lines.emplace_back(l);
  lines.push_back(u"END");
  return lines;
}

// Rules of four kinds, all clean (the third kind is repaired: its point becomes a comma and its
// OR line is joined), in sections of 100 rules; with or without variables.
inline Lines generatedKnowledgeBase(std::size_t rules, bool variables) {
  Lines lines = {u"ГИПОТЕЗЫ:",  u"дерево {ёлка, сосна, берёза}", u"цветок {ромашка, роза}",
                 u"ПАРАМЕТРЫ:", u"оперение {листья, иголки}",    u"шипы {есть, нет}"};
  if (variables) {
    lines.push_back(u"ПЕРЕМЕННЫЕ:");
    lines.push_back(u"X 50");
    lines.push_back(u"Z 3");
  }
  for (std::size_t k = 0; k < rules; ++k) {
    if (k % 100 == 0) lines.push_back(u"РАЗДЕЛ S" + fromUtf8(std::to_string(k / 100)));
    Line name = u"R" + fromUtf8(std::to_string(k));
    Lines r;
    switch (k % 4) {
      case 0:
        r = generatedRule(
            name, {u"IF оперение листья", u"AND шипы есть",
                   variables ? u"THEN дерево берёза [0,9], =X+1" : u"THEN дерево берёза [0,9]",
                   u"ELSE дерево ёлка [-0,9]"});
        break;
      case 1:
        r = generatedRule(name,
                          {u"CASE шипы", u"есть цветок роза [0,9]", u"нет цветок ромашка [0,7]"});
        break;
      case 2:
        r = generatedRule(name, {u"IF NOT шипы нет", u"OR оперение листья",
                                 u"THEN цветок роза [0.5]", u"ELSE цветок ромашка [0,5]"});
        break;
      default:
        r = generatedRule(name, {variables ? u"IF =X>5" : u"IF шипы нет",
                                 u"THEN IF оперение иголки", u"THEN дерево сосна [0,8]",
                                 u"ELSE дерево ёлка [0,5]", variables ? u"ELSE =Z:=1" : u"ELSE"});
    }
    lines.insert(lines.end(), r.begin(), r.end());
    if (k % 100 == 99) lines.push_back(u"КОНЕЦ РАЗДЕЛА S" + fromUtf8(std::to_string(k / 100)));
  }
  return lines;
}

// Lines as UTF-8, so that a failing comparison prints readable text.
inline std::vector<std::string> u8(const Lines& lines) {
  std::vector<std::string> out;
  for (const Line& l : lines) out.push_back(toUtf8(l));
  return out;
}

}  // namespace veksa::testing

#endif  // VEKSA_DIAGNOSTICS_TEST_SUPPORT_H_
