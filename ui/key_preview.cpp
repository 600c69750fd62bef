// Keyboard preview.
#include "ui/key_preview.h"

#include <QKeyEvent>
#include <QWidget>

namespace veksa {

namespace {

class EscapeHides : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      static_cast<QWidget*>(watched)->hide();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void previewKeys(QWidget* window, QObject* filter) {
  window->installEventFilter(filter);
  for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(filter);
}

void hideOnEscape(QWidget* window) { window->installEventFilter(new EscapeHides(window)); }

bool isEnterPress(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace veksa
