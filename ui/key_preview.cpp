// Keyboard preview.
#include "ui/key_preview.h"

#include <QKeyEvent>
#include <QWidget>

namespace veksa {

void previewKeys(QWidget* window, QObject* filter) {
  window->installEventFilter(filter);
  for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(filter);
}

bool isEnterPress(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace veksa
