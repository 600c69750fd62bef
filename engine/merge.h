// "Объединение файлов в проект": the merge of knowledge-base files into one project file.
#ifndef VEKSA_ENGINE_MERGE_H_
#define VEKSA_ENGINE_MERGE_H_

#include <string>

#include "engine/workspace.h"

namespace veksa {

struct MergeRequest {
  Line projectName;   // the project file, saved exactly under this name
  Line dataName;      // the file whose declaration head heads the project
  Lines projectFiles; // the files whose sections and rules follow, in order; repeats allowed
};

enum class MergeResult {
  Skipped,  // the project or the data file name is empty: nothing is done
  Merged,   // the merged text is in the lines and the merge buffer, saved, and is the project
  Failed,   // a file could not be read or written; `error` names it
};

// Reads the data file and every project file, assembles the merged text (mergeProjectTexts) and
// writes it atomically to the project file. Only then does the merged text become the lines and
// the merge buffer (the hidden memo) and the project name the caption; a failure leaves the lines,
// the caption, the buffer and every file as they were.
MergeResult mergeProject(Workspace& ws, const MergeRequest& request, std::string& error);

}  // namespace veksa

#endif  // VEKSA_ENGINE_MERGE_H_
