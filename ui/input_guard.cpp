// The input guard of the timing loop.
#include "ui/input_guard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace veksa {

namespace {

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

// The top-level window that an event goes to: a window or a widget in one.
QWindow* windowOf(QObject* receiver) {
  if (auto* window = qobject_cast<QWindow*>(receiver)) return window;
  if (auto* widget = qobject_cast<QWidget*>(receiver)) return widget->window()->windowHandle();
  return nullptr;
}

}  // namespace

InputGuard::InputGuard(QWidget* own) : own_(own) { qApp->installEventFilter(this); }

InputGuard::~InputGuard() {
  letWindowsPaint();
  qApp->removeEventFilter(this);
}

void InputGuard::letWindowsPaint() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool InputGuard::eventFilter(QObject* watched, QEvent* event) {
  // The program's own events (a window that it closes) are not the user's.
  if (!event->spontaneous() || !isUserInput(event->type())) return false;
  QWindow* target = windowOf(watched);
  if (!target) return false;  // actions and shortcuts see only what a window let through
  QWidget* modal = QApplication::activeModalWidget();
  const bool allowed =
      (own_ && target == own_->windowHandle()) || (modal && target == modal->windowHandle());
  return !allowed;
}

}  // namespace veksa
