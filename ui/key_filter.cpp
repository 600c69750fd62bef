// Keys heard by one control.
#include "ui/key_filter.h"

#include <QKeyEvent>
#include <QWidget>

namespace veksa {

KeyFilter::KeyFilter(QWidget* control) : QObject(control) { control->installEventFilter(this); }

KeyFilter& KeyFilter::on(std::initializer_list<int> keys, std::function<void()> handler) {
  for (int key : keys) handlers_[key] = handler;
  return *this;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  // A key that a shortcut would take is offered first as an override: claim it for the control.
  const bool press = event->type() == QEvent::KeyPress;
  if (press || event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    auto it = handlers_.find(key->key());
    if (it != handlers_.end() && modifiers == Qt::NoModifier) {
      event->accept();
      if (press) {
        // The handler may hide or delete the dialog: copy it first.
        auto handler = it->second;
        handler();
      }
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace veksa
