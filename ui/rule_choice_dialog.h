// The trace rule choice (TForm17, "Трассировка"): the user picks or types the name of the rule to
// trace. Enter starts the trace run, Esc hides the dialog. Double-clicking the combo box widens it
// to the dialog.
#ifndef VEKSA_UI_RULE_CHOICE_DIALOG_H_
#define VEKSA_UI_RULE_CHOICE_DIALOG_H_

#include <QDialog>

#include "kb/text.h"

class QComboBox;
class QLabel;

namespace veksa {

class RuleChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RuleChoiceDialog(QWidget* parent);

  QComboBox* ruleBox() const { return combo_; }  // ComboBox1
  QLabel* label() const { return label_; }       // Label1

  // Offers the names afresh; the text of the last choice stays in the edit field, and the first
  // rule is chosen when there was none.
  void offer(const Lines& names);

 public slots:
  // Esc and closing hide the dialog, nothing else.
  void reject() override;

 signals:
  // Enter: the rule named in the edit field is to be traced.
  void traceChosen(const QString& rule);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* label_;
  QComboBox* combo_;
};

}  // namespace veksa

#endif  // VEKSA_UI_RULE_CHOICE_DIALOG_H_
