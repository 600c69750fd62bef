// Message boxes and dialogs above the tool windows.
#include "ui/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>

#include "ui/window_buttons.h"

namespace veksa {

QWidget* topWindowFor(QWidget* fallback) {
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) return modal;
  if (QWidget* active = QApplication::activeWindow(); active && active->isVisible()) return active;
  return fallback ? fallback->window() : nullptr;
}

void keepAbove(QWidget* dialog) { dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true); }

namespace {

// Room that the window manager's title bar takes besides the title: its icon and its buttons.
int titleBarWidth(const QWidget& box, const QString& title) {
  QFont bold = box.font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  return metrics.horizontalAdvance(title) + 8 * metrics.height();
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            const QStringList& buttons) {
  auto box =
      std::make_unique<QMessageBox>(icon, title, text, QMessageBox::NoButton, topWindowFor(parent));
  keepAbove(box.get());
  offerCloseOnly(box.get());
  for (const QString& caption : buttons) {
    QPushButton* button = box->addButton(caption, QMessageBox::ActionRole);
    if (box->buttons().size() == 1) box->setDefaultButton(button);
    box->setEscapeButton(button);
  }
  // The box sizes itself to its text and buttons; a spacer as wide as the title bar needs keeps
  // the whole title readable.
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
    grid->addItem(new QSpacerItem(titleBarWidth(*box, title), 0, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  return box;
}

int showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                   const QString& text, const QStringList& buttons) {
  const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, icon, title, text, buttons);
  box->exec();
  const QAbstractButton* clicked = box->clickedButton();
  const int chosen = clicked ? static_cast<int>(buttons.indexOf(clicked->text())) : -1;
  return chosen >= 0 ? chosen : static_cast<int>(buttons.size()) - 1;
}

}  // namespace veksa
