// Report lines to knowledge-base lines.
#include "diagnostics/report_lines.h"

#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

namespace {

// The report's heading lines begin with these, followed by the header or the name.
constexpr std::u16string_view kSectionHeading = u"Раздел  ", kRuleHeading = u"Правило  ";

bool isHeading(std::u16string_view line) {
  return line.starts_with(kSectionHeading) || line.starts_with(kRuleHeading);
}

}  // namespace

std::vector<ReportHeading> reportHeadings(const Lines& text) {
  // The same walk as the driver's (diagn): every word in turn, each header or name word read
  // where the driver reads it. The checks the driver runs in between change only the lines they
  // repair, and this walk reads the repaired text.
  std::vector<ReportHeading> headings;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i].size() <= 1) continue;
    std::size_t pos = 1;
    while (pos <= text[i].size()) {
      Line word = readWord(text[i], pos);
      if (word.empty()) break;
      ++pos;
      if (word == kHypothesesHeader || word == kParametersHeader) {
        headings.push_back({Line(kSectionHeading) + word, i});
        ++i;
        break;
      }
      if (word == kVariablesHeader) {
        headings.push_back({Line(kSectionHeading) + word, i});
      } else if (word == kSectionWord || word == u"NAME") {
        Line name = readWord(text[i], pos);
        ++pos;
        headings.push_back(
            {Line(word == kSectionWord ? kSectionHeading : kRuleHeading) + name, i});
      }
    }
  }
  return headings;
}

std::optional<std::size_t> reportLineSource(const Lines& report, std::size_t reportLine,
                                            const Lines& text) {
  if (reportLine >= report.size()) return std::nullopt;
  std::size_t heading = reportLine;
  while (!isHeading(report[heading])) {
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
