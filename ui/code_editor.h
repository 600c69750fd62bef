// The knowledge-base text control: a plain-text editor with the line numbers in a margin on its
// left, kept in step with the text as it scrolls and grows.
#ifndef VEKSA_UI_CODE_EDITOR_H_
#define VEKSA_UI_CODE_EDITOR_H_

#include <QList>
#include <QPlainTextEdit>

namespace veksa {

class CodeEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CodeEditor(QWidget* parent = nullptr);

  // The margin with the line numbers.
  QWidget* lineNumberArea() const { return lineNumbers_; }
  // Its width: the widest line number of the text and a little space.
  int lineNumberAreaWidth() const;

  // A line number as the margin shows it: the 1-based number and the top of its row in the
  // margin's coordinates.
  struct ShownNumber {
    int number;
    int top;
    bool operator==(const ShownNumber&) const = default;
  };
  // The numbers of the lines in view, top to bottom.
  QList<ShownNumber> shownNumbers() const;

  // Fits the margin to the text again; needed after another document is set.
  void updateLineNumberAreaWidth();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class LineNumberArea;
  void paintLineNumbers(QPaintEvent* event);
  void updateLineNumberArea(const QRect& rect, int dy);

  QWidget* lineNumbers_;
};

}  // namespace veksa

#endif  // VEKSA_UI_CODE_EDITOR_H_
