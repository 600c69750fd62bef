// Dialogs answered from a script, for the window tests: every text shown is recorded, questions
// and file and print dialogs take their answers from queues (OK, cancel and cancel when empty).
#ifndef VEKSA_UI_SCRIPTED_DIALOGS_H_
#define VEKSA_UI_SCRIPTED_DIALOGS_H_

#include <QList>
#include <QPrinter>
#include <QStringList>

#include "ui/dialogs.h"

namespace veksa {

class ScriptedDialogs : public Dialogs {
 public:
  QStringList shown;      // messages, errors ("error: " in front) and questions, in order
  QList<bool> answers;    // answers to questions
  QList<int> choices;     // answers to choices: the index of the button (the first when empty)
  QStringList fileNames;  // answers to open and save dialogs ("" cancels)
  QList<bool> printOk;    // answers to print and printer set-up dialogs
  int fileDialogs = 0;    // how many open or save dialogs were shown
  int printDialogs = 0;
  QString printTo;  // a confirmed print dialog sends the pages to this PDF file

  void message(QWidget*, const QString& text) override { shown << text; }
  void error(QWidget*, const QString& text) override { shown << "error: " + text; }
  bool question(QWidget*, const QString& title, const QString& text) override {
    shown << title + ": " + text;
    return answers.isEmpty() ? true : answers.takeFirst();
  }
  int choose(QWidget*, const QString& title, const QString& text, const QStringList&) override {
    shown << title + ": " + text;
    return choices.isEmpty() ? 0 : choices.takeFirst();
  }
  bool offerRecovery(QWidget*, const QString& text) override {
    shown << "Восстановление: " + text;
    return answers.isEmpty() ? true : answers.takeFirst();
  }
  QString openFileName(QWidget*, const QString&) override { return nextFile(); }
  QString saveFileName(QWidget*, const QString&) override { return nextFile(); }
  bool print(QWidget*, QPrinter& printer) override {
    if (!nextPrint()) return false;
    if (!printTo.isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(printTo);
    }
    return true;
  }
  bool printerSetup(QWidget*, QPrinter&) override { return nextPrint(); }

 private:
  QString nextFile() {
    ++fileDialogs;
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
  }
  bool nextPrint() {
    ++printDialogs;
    return printOk.isEmpty() ? false : printOk.takeFirst();
  }
};

}  // namespace veksa

#endif  // VEKSA_UI_SCRIPTED_DIALOGS_H_
