// The program's message boxes and Qt's common dialogs, each kept above the tool windows.
#include "ui/dialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/message_box.h"

namespace veksa {

namespace {

// Message boxes carry the program's name as their title.
const QString kTitle = QStringLiteral("VEKSA");

// A file dialog with the knowledge-base filter; its overwrite question is Qt's own.
QString fileName(QWidget* parent, const QString& filter, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(topWindowFor(parent), QString(), QString(), filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  keepAbove(&dialog);
  if (dialog.exec() != QDialog::Accepted) return QString();
  return dialog.selectedFiles().value(0);
}

bool accepted(QDialog&& dialog) {
  keepAbove(&dialog);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

void QtDialogs::message(QWidget* parent, const QString& text) {
  showMessageBox(parent, QMessageBox::Information, kTitle, text, {kOkText});
}

void QtDialogs::error(QWidget* parent, const QString& text) {
  showMessageBox(parent, QMessageBox::Critical, QStringLiteral("Ошибка"), text, {kOkText});
}

bool QtDialogs::question(QWidget* parent, const QString& title, const QString& text) {
  return showMessageBox(parent, QMessageBox::Question, title, text, {kOkText, kCancelText}) == 0;
}

int QtDialogs::choose(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& buttons) {
  return showMessageBox(parent, QMessageBox::Question, title, text, buttons);
}

bool QtDialogs::offerRecovery(QWidget* parent, const QString& text) {
  const QStringList buttons = {QStringLiteral("Восстановить"), QStringLiteral("Удалить копию")};
  const std::unique_ptr<QMessageBox> box = makeMessageBox(
      parent, QMessageBox::Question, QStringLiteral("Восстановление"), text, buttons);
  box->setEscapeButton(box->buttons().value(0));
  box->exec();
  return box->clickedButton() != box->buttons().value(1);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& filter) {
  return fileName(parent, filter, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& filter) {
  return fileName(parent, filter, QFileDialog::AcceptSave);
}

bool QtDialogs::print(QWidget* parent, QPrinter& printer) {
  return accepted(QPrintDialog(&printer, topWindowFor(parent)));
}

bool QtDialogs::printerSetup(QWidget* parent, QPrinter& printer) {
  return accepted(QPageSetupDialog(&printer, topWindowFor(parent)));
}

}  // namespace veksa
