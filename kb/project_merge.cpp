// Assembly of a merged project.
#include "kb/project_merge.h"

#include "kb/locate.h"

namespace veksa {

void appendProjectFile(Lines& merged, const Lines& file) {
  merged.emplace_back();
  // The start is looked for among all lines but the last.
  for (std::size_t start = 0; start + 1 < file.size(); ++start) {
    if (startsSectionOrRule(file[start])) {
      merged.insert(merged.end(), file.begin() + static_cast<std::ptrdiff_t>(start), file.end());
      return;
    }
  }
}

Lines mergeProjectTexts(const Lines& data, const std::vector<Lines>& projectFiles) {
  Lines merged(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(PechGip(data)));
  for (const Lines& file : projectFiles) appendProjectFile(merged, file);
  return merged;
}

}  // namespace veksa
