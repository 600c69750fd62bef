// Where the knowledge base's file is read and written. The desktop program uses the disk; the
// command line keeps the file in memory so that a run never writes FILE, yet the save before a run
// and the reloads after it behave as on disk.
#ifndef VEKSA_ENGINE_FILE_STORE_H_
#define VEKSA_ENGINE_FILE_STORE_H_

#include <map>
#include <string>

#include "kb/text.h"

namespace veksa {

class FileStore {
 public:
  virtual ~FileStore() = default;
  // `name` is the caption of the knowledge base (a path). On failure: false and a message naming
  // the file; `lines` is then unchanged.
  virtual bool read(const Line& name, Lines& lines, std::string& error) = 0;
  virtual bool write(const Line& name, const Lines& lines, std::string& error) = 0;
};

// Files on disk: Rich Text or plain text in, Rich Text out, atomically.
class DiskFileStore : public FileStore {
 public:
  bool read(const Line& name, Lines& lines, std::string& error) override;
  bool write(const Line& name, const Lines& lines, std::string& error) override;
};

// Files held in memory; a name not yet written reads from disk once.
class MemoryFileStore : public FileStore {
 public:
  bool read(const Line& name, Lines& lines, std::string& error) override;
  bool write(const Line& name, const Lines& lines, std::string& error) override;
  void put(const Line& name, Lines lines) { files_[name] = std::move(lines); }

 private:
  std::map<Line, Lines> files_;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_FILE_STORE_H_
