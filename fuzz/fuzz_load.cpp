// Loading a file: any bytes, as Rich Text or plain text, become lines; saving and loading again
// gives the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "kb/kbfile.h"
#include "kb/rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  veksa::Lines lines = veksa::decodeKnowledgeBase(bytes);
  // A line holding CR or LF cannot survive as one paragraph of a plain-text reader, but Rich Text
  // keeps every other character.
  for (const auto& line : lines) {
    for (char16_t c : line) {
      if (c == u'\r' || c == u'\n') return 0;
    }
  }
  if (veksa::readRtf(veksa::writeRtf(lines)) != lines) std::abort();
  return 0;
}
