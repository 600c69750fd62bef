// Files in memory for the engine's tests: writes to names under "/ro/" fail and reads of names
// under "/missing/" fail, as on a read-only disk and for files that are not there.
#ifndef VEKSA_ENGINE_TEST_FILE_STORE_H_
#define VEKSA_ENGINE_TEST_FILE_STORE_H_

#include "engine/file_store.h"

namespace veksa {

class TestFileStore : public MemoryFileStore {
 public:
  bool read(const Line& name, Lines& lines, std::string& error) override {
    if (name.starts_with(u"/missing/")) {
      error = "Cannot read " + toUtf8(name);
      return false;
    }
    return MemoryFileStore::read(name, lines, error);
  }
  bool write(const Line& name, const Lines& lines, std::string& error) override {
    if (name.starts_with(u"/ro/")) {
      error = "Cannot write " + toUtf8(name);
      return false;
    }
    return MemoryFileStore::write(name, lines, error);
  }
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_TEST_FILE_STORE_H_
