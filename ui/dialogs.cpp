// Qt's message boxes and common dialogs.
#include "ui/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace veksa {

namespace {
// Message boxes carry the program's name as their title.
const QString kTitle = QStringLiteral("VEKSA");
}  // namespace

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
