// The question dialog (TForm10, "Вопрос"): during a run it shows a parameter and its declared
// values; the user ticks the values that hold, sets one certainty on the track bar and answers
// with "да", "все" or "стоп". The dialog only reports the answer: the engine writes the facts.
#ifndef VEKSA_UI_QUESTION_DIALOG_H_
#define VEKSA_UI_QUESTION_DIALOG_H_

#include <QDialog>
#include <functional>
#include <vector>

#include "engine/host.h"
#include "engine/why_asked.h"

class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QLabel;

namespace veksa {

class WhyPanel;

class QuestionDialog : public QDialog {
  Q_OBJECT

 public:
  // `separator` is the decimal separator of the certainty text.
  QuestionDialog(char16_t separator, QWidget* parent);

  // Shows the question modally and returns how it was answered. Closing the dialog in any way
  // other than the three buttons and Enter counts as Esc.
  Answer ask(const Question& question);

  QLineEdit* nameEdit() const { return name_; }            // Edit1
  QLineEdit* certaintyEdit() const { return certainty_; }  // Edit2
  QListWidget* valueList() const { return values_; }       // CheckListBox1
  QSlider* trackBar() const { return track_; }             // TrackBar1
  QLabel* scaleLabel() const { return scale_; }            // Label1
  QPushButton* stopButton() const { return stop_; }        // Button3, "стоп"
  QPushButton* allButton() const { return all_; }          // Button1, "все"
  QPushButton* yesButton() const { return yes_; }          // Button2, "да"
  // "Почему?", last in the Tab order: shows the rules that test the parameter being asked.
  QPushButton* whyButton() const { return why_; }
  WhyPanel* whyPanel() const { return whyPanel_; }
  // Where "Почему?" finds the rules of a parameter; without it the panel lists none.
  void setWhyEntries(std::function<std::vector<WhyEntry>(const Line& parameter)> entries) {
    whyEntries_ = std::move(entries);
  }

 public slots:
  // Esc, and every close that is not an answer.
  void reject() override;

 protected:
  // Keyboard preview: Enter anywhere in the dialog, the value list included, answers "да".
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Room that the window manager's frame takes on each side.
  static constexpr int kFrameRoom = 8;

  void answer(AnswerButton button);
  // Puts the parameter name into its field, widening the dialog for it within the screen.
  void showName(const QString& name);
  void showWhy();

  char16_t separator_;
  QHBoxLayout* topRow_ = nullptr;  // the name and the certainty
  QLineEdit* name_;
  QLineEdit* certainty_;
  QListWidget* values_;
  QSlider* track_;
  QLabel* scale_;
  QPushButton* stop_;
  QPushButton* all_;
  QPushButton* yes_;
  QPushButton* why_;
  WhyPanel* whyPanel_;
  std::function<std::vector<WhyEntry>(const Line&)> whyEntries_;
  AnswerButton button_ = AnswerButton::Escape;
  bool tabbed_ = false;  // Tab was pressed since the dialog opened
};

}  // namespace veksa

#endif  // VEKSA_UI_QUESTION_DIALOG_H_
