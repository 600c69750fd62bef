// The text of a merged project: the declaration head of a data file followed by the sections and
// rules of several knowledge-base files.
#ifndef VEKSA_KB_PROJECT_MERGE_H_
#define VEKSA_KB_PROJECT_MERGE_H_

#include <vector>

#include "kb/text.h"

namespace veksa {

// Appends one project file's part to the merged text: an empty line, then the file's lines from
// its first line whose first word is "РАЗДЕЛ" or "NAME" to its end. The last line is not looked at
// as a start, so a file whose only rule line is its last line gives the empty line alone.
void appendProjectFile(Lines& merged, const Lines& file);

// The merged text: the data file's declaration head, then the part of each project file in turn
// (a file listed twice is merged twice).
Lines mergeProjectTexts(const Lines& data, const std::vector<Lines>& projectFiles);

}  // namespace veksa

#endif  // VEKSA_KB_PROJECT_MERGE_H_
