// The title-bar buttons of the program's always-on-top windows. Tool windows and the dialogs of a
// run offer a close box only: no minimise (which would hide the window, or with a modal dialog the
// whole program, where the student cannot find it again) and no maximise.
#ifndef VEKSA_UI_WINDOW_BUTTONS_H_
#define VEKSA_UI_WINDOW_BUTTONS_H_

#include <Qt>

class QWidget;

namespace veksa {

// The flags of an always-on-top window of kind `kind` (Qt::Tool or Qt::Dialog) whose title bar
// has a close box only.
inline constexpr Qt::WindowFlags closeBoxOnly(Qt::WindowType kind) {
  return kind | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
         Qt::WindowCloseButtonHint;
}

// Asks the window manager to offer nothing but moving and closing for `window`. Qt's flags only
// hint at the buttons, and window managers give dialogs and utility windows a minimise button
// whatever the hints say; under X11 the window is therefore announced as a toolbar-type window,
// which they give neither minimise nor maximise. Call before the window is first shown.
void offerCloseOnly(QWidget* window);

}  // namespace veksa

#endif  // VEKSA_UI_WINDOW_BUTTONS_H_
