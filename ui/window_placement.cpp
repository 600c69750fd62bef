// Window placement.
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStyle>
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

namespace {

// The room that the window manager's frame takes around a window: what it is on screen when the
// window has been framed, else what a title bar and a thin border usually take.
QMargins frameMargins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  if (frame != inner) {
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                    frame.right() - inner.right(), frame.bottom() - inner.bottom());
  }
  const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  return QMargins(1, title + 1, 1, 1);
}

}  // namespace

void tileOver(const std::vector<QWidget*>& windows, const QRect& area) {
  const int count = static_cast<int>(windows.size());
  const int columns = count > 1 ? 2 : 1;
  const int rows = (count + columns - 1) / columns;
  if (rows == 0) return;
  const int width = area.width() / columns;
  const int height = area.height() / rows;
  for (int i = 0; i < count; ++i) {
    QWidget* window = windows[static_cast<std::size_t>(i)];
    const QRect tile(area.left() + (i % columns) * width, area.top() + (i / columns) * height,
                     width, height);
    const QMargins frame = frameMargins(window);
    window->resize(tile.size().shrunkBy(frame));
    window->move(tile.topLeft());
  }
}

}  // namespace veksa
