// Word reading under the shared position conventions.
#include "kb/scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veksa {

namespace {

// The first index from `from` (0-based) below `bound` whose character is a space or "]", or
// `bound`. Words can be megabytes long and every pass reads them again, so eight characters are
// compared at a time where the processor allows it.
std::size_t wordEnd(std::u16string_view line, std::size_t from, std::size_t bound) {
  std::size_t i = from;
#if defined(__SSE2__)
  const __m128i space = _mm_set1_epi16(static_cast<short>(u' '));
  const __m128i bracket = _mm_set1_epi16(static_cast<short>(u']'));
  while (i + 8 <= bound) {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + i));
    __m128i hit = _mm_or_si128(_mm_cmpeq_epi16(chunk, space), _mm_cmpeq_epi16(chunk, bracket));
    int mask = _mm_movemask_epi8(hit);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    i += 8;
  }
#endif
  while (i < bound && line[i] != u' ' && line[i] != u']') ++i;
  return i;
}

}  // namespace

bool GetLeks(std::u16string_view line, std::size_t start, std::size_t bound, Line& out) {
  if (bound > line.size()) bound = line.size();  // past the end there is only the terminating zero
  if (start < 1) start = 1;
  // The word begins at the first character that is not a space; it ends at `bound` or before the
  // next space or "]". Its first character is taken whatever it is, so "]," reads as a word.
  std::size_t first = start - 1;  // 0-based
  while (first < bound && line[first] == u' ') ++first;
  if (first >= bound) return false;
  std::size_t end = wordEnd(line, first + 1, bound);
  out.assign(line.substr(first, end - first));
  return true;
}

std::size_t wordLengthAt(std::u16string_view line, std::size_t pos) {
  return wordEnd(line, pos, line.size()) - (pos - 1);
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
