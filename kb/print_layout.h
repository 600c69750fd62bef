// The printed form of the knowledge base: every line on a printed line of its own, a line wider
// than the page broken after the last character that fits.
#ifndef VEKSA_KB_PRINT_LAYOUT_H_
#define VEKSA_KB_PRINT_LAYOUT_H_

#include <functional>

#include "kb/text.h"

namespace veksa {

// Tells whether a piece of a line fits the page width; a longer piece must not fit when a shorter
// one does not.
using FitsWidth = std::function<bool(std::u16string_view)>;

// The printed lines, in order. A piece holds at least one character even when that one does not
// fit, and a surrogate pair is never split; an empty line stays one empty printed line.
Lines printedLines(const Lines& lines, const FitsWidth& fits);

}  // namespace veksa

#endif  // VEKSA_KB_PRINT_LAYOUT_H_
