// The how-explanation of one hypothesis ("Объяснение: CLASS VALUE"): every conclusion of the last
// pass that produced it, with the rule, the certainties and the combination arithmetic, in a
// read-only text. Always on top; Esc and the close box hide it.
#ifndef VEKSA_UI_EXPLANATION_WINDOW_H_
#define VEKSA_UI_EXPLANATION_WINDOW_H_

#include <QWidget>

#include "kb/text.h"

class QPlainTextEdit;

namespace veksa {

class ExplanationWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ExplanationWindow(QWidget* parent);

  QPlainTextEdit* text() const { return text_; }

  // Puts in the explanation lines of the hypothesis (cls, value) and widens the window to the
  // longest line; show() shows it.
  void setExplanation(const QString& cls, const QString& value, const Lines& lines);
  // Shows the window; the first time just below `anchor` (the results window), afterwards
  // where the user left it.
  void showBelow(const QWidget* anchor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPlainTextEdit* text_;
  bool placed_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_EXPLANATION_WINDOW_H_
