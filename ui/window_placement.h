// Placing tool windows: centred on the screen they belong to.
#ifndef VEKSA_UI_WINDOW_PLACEMENT_H_
#define VEKSA_UI_WINDOW_PLACEMENT_H_

class QWidget;

namespace veksa {

// Moves a top-level window to the centre of its screen's available area.
void centreOnScreen(QWidget* window);

}  // namespace veksa

#endif  // VEKSA_UI_WINDOW_PLACEMENT_H_
