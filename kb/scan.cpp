// Word reading under the shared position conventions.
#include "kb/scan.h"

namespace veksa {

bool GetLeks(std::u16string_view line, std::size_t start, std::size_t bound, Line& out) {
  if (bound > line.size()) bound = line.size();  // past the end there is only the terminating zero
  if (start < 1) start = 1;
  std::size_t wordStart = 0;
  for (std::size_t p = start; p <= bound; ++p) {
    char16_t c = line[p - 1];
    if (c == u' ' && wordStart == 0) continue;
    if (wordStart == 0) wordStart = p;
    char16_t next = charAt(line, p + 1);
    if (next == u' ' || p == bound || next == u']') {
      out.assign(line.substr(wordStart - 1, p - wordStart + 1));
      return true;
    }
  }
  return false;
}

std::size_t skipSpaces(std::u16string_view line, std::size_t pos) {
  if (pos < 1) pos = 1;
  while (pos <= line.size() && line[pos - 1] == u' ') ++pos;
  return pos;
}

Line readWord(std::u16string_view line, std::size_t& pos) {
  pos = skipSpaces(line, pos);
  Line w;
  if (pos <= line.size() && GetLeks(line, pos, line.size(), w)) {
    pos += w.size();
  } else {
    pos = line.size() + 1;
  }
  return w;
}

Line firstWord(std::u16string_view line) {
  std::size_t pos = 1;
  return readWord(line, pos);
}

std::size_t firstWordPos(std::u16string_view line) { return skipSpaces(line, 1); }

Line secondWord(std::u16string_view line) {
  std::size_t pos = 1;
  readWord(line, pos);
  return readWord(line, pos);
}

Lines SpisZnach(const Lines& lines, std::u16string_view name) {
  Lines values;
  for (const Line& line : lines) {
    if (line.empty()) continue;
    std::size_t first = firstWordPos(line);
    if (firstWord(line) != name) continue;
    std::size_t pos = first + name.size() + 2;  // past the name, the single space and "{"
    while (pos <= line.size()) {
      pos = skipSpaces(line, pos);
      Line w;
      if (!GetLeks(line, pos, line.size(), w)) break;
      values.push_back(w.substr(0, w.size() - 1));
      pos += w.size() + 1;
    }
  }
  return values;
}

}  // namespace veksa
