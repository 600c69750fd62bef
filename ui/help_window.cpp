// The help window.
#include "ui/help_window.h"

#include <QShortcut>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/fonts.h"
#include "ui/help_pages.h"

namespace veksa {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), pages_(new QTabWidget(this)) {
  setObjectName("TForm19");
  setWindowTitle(QStringLiteral("Справка"));
  pages_->setObjectName("TabbedNotebook1");
  for (const HelpPage& page : helpPages()) {
    auto* text = new QTextBrowser;
    text->setFont(monospaceFont());
    text->document()->setDefaultFont(monospaceFont());
    text->setHtml(helpPageHtml(page));
    text->setLineWrapMode(QTextEdit::NoWrap);
    const Qt::ScrollBarPolicy bars = page.scrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    text->setVerticalScrollBarPolicy(bars);
    text->setHorizontalScrollBarPolicy(bars);
    pages_->addTab(text, QString::fromUtf8(page.title));
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pages_);
  // Window shortcuts come before the keys of the focused page, so the keys work everywhere.
  for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                           QKeySequence(Qt::Key_Escape)}) {
    connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::hide);
  }
  resize(900, 700);
}

void HelpWindow::showHelp() {
  showMaximized();
  raise();
  activateWindow();
}

}  // namespace veksa
