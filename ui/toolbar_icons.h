// The pictures of the main tool bar's buttons: SVG files built into the program
// (ui/resources/icons/).
#ifndef VEKSA_UI_TOOLBAR_ICONS_H_
#define VEKSA_UI_TOOLBAR_ICONS_H_

#include <QIcon>
#include <QString>

namespace veksa {

// The picture ":/icons/NAME.svg" drawn at the tool bar's 24 x 24 size and at twice that for
// screens with more pixels; a null icon when there is no such picture.
QIcon toolbarIcon(const QString& name);

}  // namespace veksa

#endif  // VEKSA_UI_TOOLBAR_ICONS_H_
