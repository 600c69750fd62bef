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

// The room that the window manager's frame takes around a window, when the window has been framed
// on screen; none when it has not been yet.
QMargins knownFrame(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                  frame.right() - inner.right(), frame.bottom() - inner.bottom());
}

}  // namespace

void tileOver(const std::vector<QWidget*>& windows, const QRect& area) {
  const int count = static_cast<int>(windows.size());
  const int columns = count > 1 ? 2 : 1;
  const int rows = (count + columns - 1) / columns;
  if (rows == 0) return;
  const int width = area.width() / columns;
  const int height = area.height() / rows;
  // A window not framed yet is placed by its inside, allowing for the frame that the window
  // manager will add: as a framed one of them has it, else a title bar and a thin border.
  QMargins expected;
  for (const QWidget* window : windows) {
    if (!knownFrame(window).isNull()) {
      expected = knownFrame(window);
      break;
    }
  }
  if (expected.isNull() && count > 0) {
    const QWidget* first = windows.front();
    expected =
        QMargins(1, first->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, first), 1, 4);
  }
  for (int i = 0; i < count; ++i) {
    QWidget* window = windows[static_cast<std::size_t>(i)];
    const QRect tile(area.left() + (i % columns) * width, area.top() + (i / columns) * height,
                     width, height);
    const QMargins known = knownFrame(window);
    const bool framed = !known.isNull();
    const QMargins frame = framed ? known : expected;
    window->resize(tile.size().shrunkBy(frame));
    window->move(framed ? tile.topLeft() : tile.topLeft() + QPoint(frame.left(), frame.top()));
  }
}

}  // namespace veksa
