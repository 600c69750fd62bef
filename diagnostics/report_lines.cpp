// Report lines to knowledge-base lines.
#include "diagnostics/report_lines.h"

#include "diagnostics/heading_walk.h"

namespace veksa {

std::vector<ReportHeading> reportHeadings(const Lines& text) {
  // The driver's own walk: its checks change only the lines they repair, and this walk reads
  // the repaired text.
  std::vector<ReportHeading> headings;
  walkHeadings(text, [&](const HeadingAt& h) {
    headings.push_back({h.reportLine(), h.line});
    return h.kind == HeadingWord::Declarations ? AfterHeading::SkipNextLine
                                               : AfterHeading::Continue;
  });
  return headings;
}

std::optional<std::size_t> reportLineSource(const Lines& report, std::size_t reportLine,
                                            const Lines& text) {
  if (reportLine >= report.size()) return std::nullopt;
  std::size_t heading = reportLine;
  while (!isReportHeading(report[heading])) {
    if (heading == 0) return std::nullopt;
    --heading;
  }
  std::size_t occurrence = 0;  // earlier report headings of the same text
  for (std::size_t r = 0; r < heading; ++r) {
    if (report[r] == report[heading]) ++occurrence;
  }
  for (const ReportHeading& h : reportHeadings(text)) {
    if (h.text != report[heading]) continue;
    if (occurrence == 0) return h.line;
    --occurrence;
  }
  return std::nullopt;
}

}  // namespace veksa
