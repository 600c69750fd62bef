// Saving and loading again: any text (the bytes as UTF-16 units, so every character, unpaired
// surrogates and NUL included) split at line ends, saved through the file layer as Rich Text and
// loaded again, gives the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "kb/kbfile.h"

namespace {

// A folder of its own for the saved file, made once per fuzzing process.
const std::string& savedFile() {
  static const std::string path = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "veksa-fuzz-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) std::abort();
    static const std::string made = folder;
    std::atexit([] { std::filesystem::remove_all(made); });
    return folder + "/kb.vks";
  }();
  return path;
}

// Flushing to disk is the one part of a save that costs milliseconds; what is saved and read back
// does not depend on it.
int noSync(int) { return 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  veksa::Lines lines = veksa::splitLines(text, veksa::kFileLineBreaks);
  veksa::setFileSyncForTesting(noSync);
  std::string error;
  if (!veksa::saveKnowledgeBase(savedFile(), lines, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::abort();
  }
  veksa::Lines loaded;
  if (!veksa::loadKnowledgeBase(savedFile(), loaded, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::abort();
  }
  if (loaded != lines) std::abort();
  return 0;
}
