// The diagnostics command (F6, and F9 while the diagnostics are connected): it reloads the
// variables, refreshes the declaration lists, repairs layout faults in the knowledge-base lines in
// place and lists the faults it cannot repair in the diagnostics report.
#ifndef VEKSA_DIAGNOSTICS_DIAGNOSTICS_H_
#define VEKSA_DIAGNOSTICS_DIAGNOSTICS_H_

#include <string_view>

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

// How a pass ended.
enum class DiagnosticsOutcome {
  Stopped,  // at a misplaced header or a rule before the declaration headers: report shown, no run
  Faults,   // finished with faults: report shown, no run
  Clean     // no fault: the success message, then the run
};

inline constexpr std::u16string_view kDiagnosticsSuccess =
    u"Тест на наличие ошибок пройден успешно";

// diagn: the driver. Rebuilds ws.report (three head lines, one heading line per header, section
// and rule, the faults), repairs ws.lines and returns how the pass ended. Shows nothing.
DiagnosticsOutcome diagn(Workspace& ws);

// The number of fault lines of a report: the lines other than the three head lines and the
// heading lines ("Раздел  ...", "Правило  ...").
std::size_t reportFaultCount(const Lines& report);

// N49Click: empties the VariableTable and reloads it (VVar), rebuilds the declaration lists
// (N55Click, N56Click), runs diagn; on a clean pass shows kDiagnosticsSuccess through the host.
// Returns true when the pass was clean, that is when the caller starts the run (Run1); otherwise
// the caller shows the report window. `outcome`, when given, receives how the pass ended.
bool N49Click(Workspace& ws, Host& host, DiagnosticsOutcome* outcome = nullptr);

}  // namespace veksa

#endif  // VEKSA_DIAGNOSTICS_DIAGNOSTICS_H_
