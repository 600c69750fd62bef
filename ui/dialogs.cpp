// Qt's message boxes and common dialogs.
#include "ui/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace veksa {

namespace {
// Message boxes carry the program's name as their title.
const QString kTitle = QStringLiteral("VEKSA");

// The question names the file without its folder.
QString unsavedChangesText(const QString& name) {
  return QStringLiteral("База знаний %1 изменена и не сохранена.\nСохранить изменения?")
      .arg(QFileInfo(name).fileName());
}
}  // namespace

QString unsavedChangesTitle() { return QStringLiteral("Несохранённые изменения"); }

void QtDialogs::message(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, kTitle, text, QMessageBox::Ok);
}

void QtDialogs::error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QStringLiteral("Ошибка"), text, QMessageBox::Ok);
}

bool QtDialogs::question(QWidget* parent, const QString& title, const QString& text) {
  return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

Dialogs::UnsavedChoice QtDialogs::unsavedChanges(QWidget* parent, const QString& name) {
  QMessageBox box(QMessageBox::Warning, unsavedChangesTitle(), unsavedChangesText(name),
                  QMessageBox::NoButton, parent);
  QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return UnsavedChoice::Save;
  if (box.clickedButton() == discard) return UnsavedChoice::Discard;
  return UnsavedChoice::Cancel;
}

QString QtDialogs::openFileName(QWidget* parent, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& filter) {
  return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

bool QtDialogs::print(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::printerSetup(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace veksa
