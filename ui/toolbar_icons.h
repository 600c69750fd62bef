// The pictures of the main tool bar's buttons, drawn here so that the program needs no image files.
#ifndef VEKSA_UI_TOOLBAR_ICONS_H_
#define VEKSA_UI_TOOLBAR_ICONS_H_

#include <QIcon>

namespace veksa {

enum class ToolIcon { New, Open, AddSection, Save, Print, RulePath, Run, Undo, Cut, Copy, Paste,
                      Clear, Hierarchy };

QIcon toolbarIcon(ToolIcon which);

}  // namespace veksa

#endif  // VEKSA_UI_TOOLBAR_ICONS_H_
