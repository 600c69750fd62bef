// The section choice (TForm3, "Разделы"): before a run the user ticks the sections to run, "Все
// разделы" first and ticked. Created afresh for every run and shown without blocking: "Готово" (the
// hidden main button), "Далее" and Enter go on with the marks; "Отмена", Esc and any other close
// give the run up.
#ifndef VEKSA_UI_SECTION_CHOICE_DIALOG_H_
#define VEKSA_UI_SECTION_CHOICE_DIALOG_H_

#include <QDialog>

#include "engine/run_driver.h"

class QListWidget;
class QPushButton;

namespace veksa {

class SectionChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  SectionChoiceDialog(const SectionChoice& choice, QWidget* parent);

  QListWidget* sectionList() const { return list_; }     // CheckListBox1
  QPushButton* cancelButton() const { return cancel_; }  // "Отмена"
  QPushButton* nextButton() const { return next_; }      // "Далее"
  QPushButton* doneButton() const { return done_; }      // Button2, "Готово", hidden

  // The offered items with the user's marks.
  SectionChoice marks() const;

 public slots:
  // "Готово": hides the dialog and hands the marks on, once.
  void Button2Click();
  // "Отмена", Esc and closing: hides the dialog and gives the run up, once.
  void reject() override;

 signals:
  void chosen(const veksa::SectionChoice& choice);
  void cancelled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  SectionChoice offered_;
  QListWidget* list_;
  QPushButton* cancel_;
  QPushButton* next_;
  QPushButton* done_;
  bool answered_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_SECTION_CHOICE_DIALOG_H_
