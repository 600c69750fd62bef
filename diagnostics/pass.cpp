// The pass state, the refresh of the declaration lists and the shared helpers.
#include "diagnostics/pass.h"

#include <algorithm>

#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

Pass::Pass(Workspace& workspace) : ws(workspace), text(std::move(workspace.lines)) {
  workspace.lines.clear();
}

Pass::~Pass() { ws.lines = text.release(); }

bool hasWords(std::u16string_view line) {
  return line.find_first_not_of(u' ') != std::u16string_view::npos;
}

std::u16string_view wordView(std::u16string_view line, std::size_t& pos) {
  pos = skipSpaces(line, pos);
  if (pos > line.size()) {
    pos = line.size() + 1;
    return {};
  }
  // A word ends before a space, before a "]" or at the end of the line (its first character
  // may be a "]").
  std::size_t end = pos;
  while (end < line.size() && line[end] != u' ' && line[end] != u']') ++end;
  std::u16string_view word = line.substr(pos - 1, end - pos + 1);
  pos = end + 1;
  return word;
}

std::u16string_view firstWordView(std::u16string_view line) {
  std::size_t pos = 1;
  return wordView(line, pos);
}

bool isDiagnosticsNumber(std::u16string_view text) {
  if (text.empty() || text.back() == u' ') return false;
  return parseDecimal(text, u'.').has_value();
}

// ---- DeclarationRefresh -------------------------------------------------------------------------

void DeclarationRefresh::refresh(DeclarationLists& d) {
  if (done_ && watch_.minTouched >= trace_.contentEnd &&
      (watch_.keywordsWritten & trace_.absentFirstWords) == 0) {
    // The refresh would read the same lines and build the same lists.
    if (trace_.rememberedIsLastLine && text_.size() > 0) d.remembered = text_[text_.size() - 1];
    return;
  }
  done_ = true;
  watch_.reset();
  trace_ = RefreshTrace();
  N55Click(text_, d, &trace_);
  N56Click(text_, d, &trace_);
}

}  // namespace veksa
