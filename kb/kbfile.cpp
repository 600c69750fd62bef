// File reading and atomic writing of knowledge bases.
#include "kb/kbfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "kb/codepage.h"
#include "kb/rtf.h"

namespace veksa {

Lines decodeKnowledgeBase(std::string_view bytes) {
  if (looksLikeRtf(bytes)) return readRtf(bytes);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
    return splitLines(fromUtf8(bytes.substr(3)), kFileLineBreaks);
  bool ascii = true;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (!ascii && isValidUtf8(bytes)) return splitLines(fromUtf8(bytes), kFileLineBreaks);
  return splitLines(decodeCp1251(bytes), kFileLineBreaks);
}

namespace {
std::string describe(const char* what, const std::string& path, int err) {
  return std::string(what) + " \"" + path + "\": " + std::strerror(err);
}

int (*syncToDisk)(int fd) = ::fsync;

// Flushes the folder holding `path`, so that the rename which put the file in place survives a
// power cut. Returns 0 or the error. A folder that cannot be opened for reading, or whose file
// system cannot flush folders (EINVAL), is left as it is: the file's own bytes are on disk.
int syncFolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int err = syncToDisk(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err == EINVAL ? 0 : err;
}
}  // namespace

void setFileSyncForTesting(int (*sync)(int fd)) { syncToDisk = sync ? sync : ::fsync; }

bool readFileBytes(const std::string& path, std::string& bytes, std::string& error) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    error = describe("Не удалось открыть файл", path, errno);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    error = describe("Не удалось открыть файл", path, EISDIR);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = describe("Не удалось открыть файл", path, errno);
    return false;
  }
  std::ostringstream buf;
  buf << in.rdbuf();
  if (in.bad()) {
    error = describe("Не удалось прочитать файл", path, errno ? errno : EIO);
    return false;
  }
  bytes = std::move(buf).str();
  return true;
}

bool loadKnowledgeBase(const std::string& path, Lines& lines, std::string& error) {
  std::string bytes;
  if (!readFileBytes(path, bytes, error)) return false;
  lines = decodeKnowledgeBase(bytes);
  return true;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  std::string temp = path + ".XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) {
    error = describe("Не удалось сохранить файл", path, errno);
    return false;
  }
  std::string tempName(name.data());
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(tempName.c_str());
    error = describe("Не удалось сохранить файл", path, err);
    return false;
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  // Keep the permissions of the file being replaced; a new file gets the usual rw-r--r--.
  struct stat st;
  mode_t mode = (::stat(path.c_str(), &st) == 0) ? (st.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);
  if (syncToDisk(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(tempName.c_str());
    error = describe("Не удалось сохранить файл", path, err);
    return false;
  }
  if (::rename(tempName.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tempName.c_str());
    error = describe("Не удалось сохранить файл", path, err);
    return false;
  }
  if (int err = syncFolderOf(path)) {
    error = describe("Не удалось сохранить файл", path, err);
    return false;
  }
  return true;
}

bool saveKnowledgeBase(const std::string& path, const Lines& lines, std::string& error) {
  return writeFileAtomically(path, writeRtf(lines), error);
}

}  // namespace veksa
