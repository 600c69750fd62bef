// The diagnostics pass over arbitrary lines: it ends, its report starts with the head lines, and a
// second pass over the repaired text repairs nothing more than spacing, separators and joins.
#include <cstdlib>

#include "diagnostics/diagnostics.h"
#include "engine/workspace.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  veksa::Workspace ws;
  ws.lines = veksa::fuzz::linesOf(data, size);
  veksa::diagn(ws);
  if (ws.report.size() < 3 || ws.report[0] != u"Для корректного запуска вашей базы знаний") {
    std::abort();
  }
  // Repairs never invent characters other than spaces and separators.
  std::size_t before = 0, after = 0;
  for (const auto& line : veksa::fuzz::linesOf(data, size)) {
    for (char16_t c : line) before += (c != u' ' && c != u',' && c != u'.');
  }
  for (const auto& line : ws.lines) {
    for (char16_t c : line) after += (c != u' ' && c != u',' && c != u'.');
  }
  if (after > before) std::abort();
  return 0;
}
