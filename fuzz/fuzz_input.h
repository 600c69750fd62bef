// Turning fuzz bytes into knowledge-base lines: UTF-8 text (malformed bytes become U+FFFD) split
// at line ends, so the corpus can hold readable knowledge bases.
#ifndef VEKSA_FUZZ_FUZZ_INPUT_H_
#define VEKSA_FUZZ_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kb/kbfile.h"
#include "kb/text.h"

namespace veksa::fuzz {

inline Lines linesOf(const std::uint8_t* data, std::size_t size) {
  return splitLines(fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)),
                    kFileLineBreaks);
}

}  // namespace veksa::fuzz

#endif  // VEKSA_FUZZ_FUZZ_INPUT_H_
