// The answers of the last run written as an answers file, which veksa-cli run --answers (and the
// answers host) replays to the same facts; the desktop command "Сохранить ответы" saves it.
#ifndef VEKSA_ENGINE_ANSWERS_WRITER_H_
#define VEKSA_ENGINE_ANSWERS_WRITER_H_

#include <string>

#include "engine/workspace.h"

namespace veksa {

// The answers of ws.lastRun in the order they were given, as UTF-8 text: a comment line, then one
// line per question, "PARAM да CERTAINTY VALUE...", "PARAM все CERTAINTY VALUE...", "PARAM стоп" or
// "PARAM esc", the certainty with the workspace's separator and every ticked value once. A value
// that the dialog offered twice is ticked twice by the replay when either copy was ticked: the
// file names values, not places in the list.
std::string answersFileText(const Workspace& ws);

// Writes answersFileText to `path` atomically. On failure returns false with a message naming
// the file.
bool saveAnswers(const Workspace& ws, const std::string& path, std::string& error);

}  // namespace veksa

#endif  // VEKSA_ENGINE_ANSWERS_WRITER_H_
