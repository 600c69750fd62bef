// The files built into the desktop program (ui/resources/veksa.qrc): the help pages and the
// tool-bar pictures.
#ifndef VEKSA_UI_RESOURCES_H_
#define VEKSA_UI_RESOURCES_H_

#include <QString>

namespace veksa {

// Makes the built-in files readable under ":/"; the windows that read them call it first. (The
// files live in a static library, whose registration the linker would otherwise leave out.)
void useResources();

// The text of a built-in file, UTF-8; empty when there is no such file.
QString resourceText(const QString& path);

}  // namespace veksa

#endif  // VEKSA_UI_RESOURCES_H_
