// The "Почему?" panel.
#include "ui/why_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/key_preview.h"
#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

WhyPanel::WhyPanel(QWidget* parent)
    : QWidget(parent, closeBoxOnly(Qt::Tool)),
      heading_(new QLabel(this)),
      list_(new QListWidget(this)) {
  setObjectName("WhyPanel");
  offerCloseOnly(this);
  hideOnEscape(this);
  setWindowTitle(QStringLiteral("Почему?"));
  heading_->setObjectName("whyHeading");
  heading_->setWordWrap(true);
  list_->setObjectName("whyList");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(list_, 1);
  resize(420, 150);
}

void WhyPanel::showEntries(const QString& parameter, const std::vector<WhyEntry>& entries,
                           const QWidget* anchor) {
  heading_->setText(
      entries.empty()
          ? QStringLiteral("Ни одно правило пути не проверяет параметр %1.").arg(parameter)
          : QStringLiteral("Параметр %1 проверяют условия правил:").arg(parameter));
  list_->clear();
  for (const WhyEntry& e : entries) {
    list_->addItem(toQString(e.rule) + QStringLiteral(": ") + toQString(e.conditionText));
  }
  placeBelow(this, anchor);
  show();
  raise();
}

}  // namespace veksa
