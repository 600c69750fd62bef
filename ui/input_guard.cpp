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

// The top-level window that an event goes to: a window, a widget in one, or a shortcut or an
// action that belongs to one (a menu command's shortcut belongs to the main window).
QWindow* windowOf(QObject* receiver) {
  for (QObject* object = receiver; object; object = object->parent()) {
    if (auto* window = qobject_cast<QWindow*>(object)) return window;
    if (auto* widget = qobject_cast<QWidget*>(object)) return widget->window()->windowHandle();
  }
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
  if (!isUserInput(event->type())) return false;
  // The program's own events (a window that it closes) are not the user's; a shortcut is sent by
  // the program, but on the user's keys.
  if (!event->spontaneous() && event->type() != QEvent::Shortcut) return false;
  QWindow* target = windowOf(watched);
  QWidget* modal = QApplication::activeModalWidget();
  const bool allowed =
      (own_ && target == own_->windowHandle()) || (modal && target == modal->windowHandle());
  return !allowed;
}

}  // namespace veksa
