// Helpers shared by the diagnostics tests: a host that records messages, the declarations of the
// help pages, and a run of the diagnostics command.
#ifndef VEKSA_DIAGNOSTICS_TEST_SUPPORT_H_
#define VEKSA_DIAGNOSTICS_TEST_SUPPORT_H_

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "diagnostics/diagnostics.h"
#include "diagnostics/kb_generator.h"
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

// A generated knowledge base that passes the diagnostics (diagnostics/kb_generator.h without
// groups), in sections of 100 rules; with or without variables. The diagnostics repair it: they
// join two lines of every rule of kind 0 and one of kind 3, and write the point of kind 3's factor
// as a comma.
inline Lines generatedKnowledgeBase(std::size_t rules, bool variables) {
  const int n = static_cast<int>(rules);
  return generateKnowledgeBase({n, variables, false, std::max(1, (n + 99) / 100)}).lines;
}

// Lines as UTF-8, so that a failing comparison prints readable text.
inline std::vector<std::string> u8(const Lines& lines) {
  std::vector<std::string> out;
  for (const Line& l : lines) out.push_back(toUtf8(l));
  return out;
}

}  // namespace veksa::testing

#endif  // VEKSA_DIAGNOSTICS_TEST_SUPPORT_H_
