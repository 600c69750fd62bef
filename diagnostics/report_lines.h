// From a line of the diagnostics report back to the knowledge-base line it speaks of, so that the
// report window can show that line in the editor.
#ifndef VEKSA_DIAGNOSTICS_REPORT_LINES_H_
#define VEKSA_DIAGNOSTICS_REPORT_LINES_H_

#include <cstddef>
#include <optional>

#include "kb/text.h"

namespace veksa {

// A heading the diagnostics write for a line of the text, with that line's 0-based index.
struct ReportHeading {
  Line text;
  std::size_t line;
};

// The headings a diagnostics pass writes over `text`, in report order: it reads the words of every
// line as the driver does, "ГИПОТЕЗЫ:", "ПАРАМЕТРЫ:" and "ПЕРЕМЕННЫЕ:" giving "Раздел  " and the
// header, "РАЗДЕЛ S" giving "Раздел  S", "NAME R" giving "Правило  R", and the line directly after
// a hypotheses or parameters header read by nobody.
std::vector<ReportHeading> reportHeadings(const Lines& text);

// The text line that report line `reportLine` belongs to: a heading's own line; a fault's, the
// line of the heading above it. A heading written more than once ("Правило  R" for two rules named
// R) is the n-th line of that heading in the text when it is the n-th in the report. Nothing for
// the report's head, a line past its end, or a heading that `text` no longer has. `text` is the
// text as the diagnostics left it, after their repairs.
std::optional<std::size_t> reportLineSource(const Lines& report, std::size_t reportLine,
                                            const Lines& text);

}  // namespace veksa

#endif  // VEKSA_DIAGNOSTICS_REPORT_LINES_H_
