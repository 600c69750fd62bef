// Window placement.
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace veksa {

void centreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

void centreOnFirstShow(QWidget* window, bool& placed) {
  if (placed) return;
  placed = true;
  centreOnScreen(window);
}

}  // namespace veksa
