// The main window's project commands on the workspace: new, close, open, save and save as. The
// windows add the dialogs and messages around them.
#ifndef VEKSA_ENGINE_PROJECT_H_
#define VEKSA_ENGINE_PROJECT_H_

#include <string>

#include "engine/workspace.h"

namespace veksa {

// "Новый проект": the six lines of a new knowledge base under "new.vks", forward inference and an
// open project. The repetition count and the method field keep their values.
void newProject(Workspace& ws);

// "Закрыть": empties the lines and the hidden memo; the caption keeps the file name. A narrowed
// text stays narrowed: what the user types next still stands for the same part of the file.
void closeProject(Workspace& ws);

// The first steps of "Окрыть": the reset (N22Click) and the emptied declaration lists: the six
// lists of the declaration dialogs and the class and parameter menus (the variable menu stays).
// Returns false with a message naming the file when the reset could not reload it.
bool resetForOpen(Workspace& ws, std::string& error);

// Loads the file as the project: its lines, and its name as the caption. On failure returns false
// with a message naming the file, and the lines and caption stay as they were.
bool openProject(Workspace& ws, const Line& path, std::string& error);

enum class SaveResult {
  Written,    // the lines were written to the caption's file
  NeedsName,  // the knowledge base has no file yet: "Сохранить как" takes over
  Kept,       // the text was emptied by "Закрыть": the file is left as it is
  Failed,     // the file could not be written; `error` names it
};

// SpeedButton13Click without its dialog: writes the lines to the caption's file (within the rest
// of the file when the text is narrowed). The desktop save and the save before a run both go
// through here.
SaveResult saveProject(Workspace& ws, std::string& error);

// "Сохранить как" to a chosen name: writes the text as a save does, to the name with the ".vks"
// rule applied, and on success makes it the caption. On failure the caption stays and `error`
// names the file.
bool saveProjectAs(Workspace& ws, const Line& chosen, std::string& error);

}  // namespace veksa

#endif  // VEKSA_ENGINE_PROJECT_H_
