// Placing tool windows: centred on the screen they belong to.
#ifndef VEKSA_UI_WINDOW_PLACEMENT_H_
#define VEKSA_UI_WINDOW_PLACEMENT_H_

#include <vector>

class QRect;
class QWidget;

namespace veksa {

// Moves a top-level window to the centre of its screen's available area.
void centreOnScreen(QWidget* window);

// Centres a tool window the first time it is shown (`placed` remembers it); afterwards it stays
// where the user moved it.
void centreOnFirstShow(QWidget* window, bool& placed);

// Moves a top-level window just below `anchor` (above it when the screen has no room below),
// within the screen, so that it leaves the anchor's contents in view.
void placeBelow(QWidget* window, const QWidget* anchor);

// Tiles `windows` two by two over `area`, left to right and top to bottom: each window's frame
// fills one tile, so that each can be read whole.
void tileOver(const std::vector<QWidget*>& windows, const QRect& area);

}  // namespace veksa

#endif  // VEKSA_UI_WINDOW_PLACEMENT_H_
