// The merge of knowledge-base files.
#include "engine/merge.h"

#include "kb/project_merge.h"

namespace veksa {

MergeResult mergeProject(Workspace& ws, const MergeRequest& request, std::string& error) {
  if (request.projectName.empty() || request.dataName.empty()) return MergeResult::Skipped;
  Lines data;
  if (!ws.files().read(request.dataName, data, error)) return MergeResult::Failed;
  std::vector<Lines> files(request.projectFiles.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!ws.files().read(request.projectFiles[i], files[i], error)) return MergeResult::Failed;
  }
  Lines merged = mergeProjectTexts(data, files);
  if (!ws.files().write(request.projectName, merged, error)) return MergeResult::Failed;
  ws.memo.clear();
  for (const Line& line : merged) ws.memo.append(line);
  ws.replaceText(std::move(merged));
  ws.caption = request.projectName;
  return MergeResult::Merged;
}

}  // namespace veksa
