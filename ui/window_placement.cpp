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

void placeBelow(QWidget* window, const QWidget* anchor) {
  QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QRect below = anchor->frameGeometry();
  QRect frame = window->frameGeometry();
  frame.moveTopLeft(QPoint(below.left(), below.bottom() + 1));
  if (frame.bottom() > area.bottom()) frame.moveBottom(below.top() - 1);
  if (frame.right() > area.right()) frame.moveRight(area.right());
  if (frame.left() < area.left()) frame.moveLeft(area.left());
  if (frame.top() < area.top()) frame.moveTop(area.top());
  window->move(frame.topLeft());
}

}  // namespace veksa
