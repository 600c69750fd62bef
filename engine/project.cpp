// Project commands on the workspace.
#include "engine/project.h"

#include "engine/reset.h"
#include "kb/file_name.h"

namespace veksa {

void newProject(Workspace& ws) {
  ws.replaceText(newKnowledgeBase());
  ws.caption = kNewCaption;
  ws.method = InferenceMethod::ForwardBreadth;
  ws.ProjectState = kProjectOpen;
}

void closeProject(Workspace& ws) {
  ws.lines.clear();
  ws.memo.clear();
  ws.emptiedByClose = true;
}

bool resetForOpen(Workspace& ws, std::string& error) {
  bool ok = N22Click(ws, error);
  DeclarationLists& d = ws.declarations;
  for (Lines* list : {&d.classList, &d.classChoice, &d.parameterList, &d.parameterChoice,
                      &d.classValues, &d.parameterValues}) {
    list->clear();
  }
  d.classMenu.clear();
  d.parameterMenu.clear();
  return ok;
}

bool openProject(Workspace& ws, const Line& path, std::string& error) {
  Lines loaded;
  if (!ws.files().read(path, loaded, error)) return false;
  ws.replaceText(std::move(loaded));
  ws.caption = path;
  return true;
}

SaveResult saveProject(Workspace& ws, std::string& error) {
  if (!ws.hasFile()) return SaveResult::NeedsName;
  if (ws.emptiedByClose) return SaveResult::Kept;
  return ws.files().write(ws.caption, ws.fileText(), error) ? SaveResult::Written
                                                             : SaveResult::Failed;
}

bool saveProjectAs(Workspace& ws, const Line& chosen, std::string& error) {
  Line name = withKnowledgeBaseExtension(chosen);
  if (!ws.files().write(name, ws.fileText(), error)) return false;
  ws.caption = std::move(name);
  ws.emptiedByClose = false;
  return true;
}

}  // namespace veksa
