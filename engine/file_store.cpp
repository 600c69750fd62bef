// Disk and memory file stores.
#include "engine/file_store.h"

#include "kb/kbfile.h"

namespace veksa {

bool DiskFileStore::read(const Line& name, Lines& lines, std::string& error) {
  return loadKnowledgeBase(toUtf8(name), lines, error);
}

bool DiskFileStore::write(const Line& name, const Lines& lines, std::string& error) {
  return saveKnowledgeBase(toUtf8(name), lines, error);
}

bool MemoryFileStore::read(const Line& name, Lines& lines, std::string& error) {
  auto it = files_.find(name);
  if (it != files_.end()) {
    lines = it->second;
    return true;
  }
  Lines loaded;
  if (!loadKnowledgeBase(toUtf8(name), loaded, error)) return false;
  files_[name] = loaded;
  lines = std::move(loaded);
  return true;
}

bool MemoryFileStore::write(const Line& name, const Lines& lines, std::string&) {
  files_[name] = lines;
  return true;
}

}  // namespace veksa
