// Line breaking for printing.
#include "kb/print_layout.h"

#include <algorithm>

namespace veksa {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The length of the longest piece of `rest` that fits, at least 1 (found by halving, since the
// measure of a piece only grows with its length).
std::size_t fittingLength(std::u16string_view rest, const FitsWidth& fits) {
  if (fits(rest)) return rest.size();
  std::size_t good = 0, bad = rest.size();
  while (bad - good > 1) {
    std::size_t mid = good + (bad - good) / 2;
    if (fits(rest.substr(0, mid))) {
      good = mid;
    } else {
      bad = mid;
    }
  }
  std::size_t n = good == 0 ? 1 : good;
  if (isHighSurrogate(rest[n - 1])) n = n > 1 ? n - 1 : std::min<std::size_t>(2, rest.size());
  return n;
}

}  // namespace

Lines printedLines(const Lines& lines, const FitsWidth& fits) {
  Lines out;
  out.reserve(lines.size());
  for (const Line& line : lines) {
    std::u16string_view rest = line;
    if (rest.empty()) out.emplace_back();
    while (!rest.empty()) {
      std::size_t n = fittingLength(rest, fits);
      out.emplace_back(rest.substr(0, n));
      rest.remove_prefix(n);
    }
  }
  return out;
}

}  // namespace veksa
