// Knowledge-base files: loading (Rich Text first, then plain text) and atomic saving as Rich Text.
#ifndef VEKSA_KB_KBFILE_H_
#define VEKSA_KB_KBFILE_H_

#include <string>
#include <string_view>

#include "kb/text.h"

namespace veksa {

// The lines of a file's bytes: Rich Text when they begin with "{\rtf"; otherwise plain text in
// UTF-8 (with a byte-order mark, or valid UTF-8 holding non-ASCII characters) or Windows-1251,
// lines ended by CR LF, LF or CR.
Lines decodeKnowledgeBase(std::string_view bytes);

// Reads a file into lines. On failure returns false with a message naming the file; `lines` is
// then unchanged.
bool loadKnowledgeBase(const std::string& path, Lines& lines, std::string& error);

// Writes the lines as Rich Text: to a temporary file beside the target, flushed to disk, then
// renamed over it and the folder flushed, so a failed save or a power cut leaves the previous file
// or the new one whole. On failure (a failing flush included) returns false with a message naming
// the file.
bool saveKnowledgeBase(const std::string& path, const Lines& lines, std::string& error);

// Reads or writes a whole file of bytes (the writer is atomic and durable as above).
bool readFileBytes(const std::string& path, std::string& bytes, std::string& error);
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Replaces the writer's fsync (nullptr restores it), so tests can make a flush fail.
void setFileSyncForTesting(int (*sync)(int fd));

}  // namespace veksa

#endif  // VEKSA_KB_KBFILE_H_
