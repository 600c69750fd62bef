// The text control with line numbers.
#include "ui/code_editor.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <algorithm>

namespace veksa {

namespace {
constexpr int kPadding = 4;  // space on either side of the numbers
}  // namespace

// The margin: it paints what the editor tells it.
class LineNumberArea : public QWidget {
 public:
  explicit LineNumberArea(CodeEditor* editor) : QWidget(editor), editor_(editor) {
    setObjectName("lineNumberArea");
  }
  QSize sizeHint() const override { return {editor_->lineNumberAreaWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->paintLineNumbers(event); }

 private:
  CodeEditor* editor_;
};

CodeEditor::CodeEditor(QWidget* parent)
    : QPlainTextEdit(parent), lineNumbers_(new LineNumberArea(this)) {
  connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateLineNumberAreaWidth);
  connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateLineNumberArea);
  updateLineNumberAreaWidth();
}

int CodeEditor::lineNumberAreaWidth() const {
  int digits = 1;
  for (int count = std::max(1, blockCount()); count >= 10; count /= 10) ++digits;
  return 2 * kPadding + 1 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CodeEditor::updateLineNumberAreaWidth() {
  setViewportMargins(lineNumberAreaWidth(), 0, 0, 0);
  const QRect cr = contentsRect();
  lineNumbers_->setGeometry(cr.left(), cr.top(), lineNumberAreaWidth(), cr.height());
  lineNumbers_->update();
}

void CodeEditor::updateLineNumberArea(const QRect& rect, int dy) {
  if (dy != 0) {
    lineNumbers_->scroll(0, dy);
  } else {
    lineNumbers_->update(0, rect.y(), lineNumbers_->width(), rect.height());
  }
  if (rect.contains(viewport()->rect())) updateLineNumberAreaWidth();
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect cr = contentsRect();
  lineNumbers_->setGeometry(cr.left(), cr.top(), lineNumberAreaWidth(), cr.height());
}

QList<CodeEditor::ShownNumber> CodeEditor::shownNumbers() const {
  QList<ShownNumber> shown;
  QTextBlock block = firstVisibleBlock();
  const int height = viewport()->height();
  while (block.isValid()) {
    const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
    if (box.top() > height) break;
    if (block.isVisible()) shown.push_back({block.blockNumber() + 1, qRound(box.top())});
    block = block.next();
  }
  return shown;
}

void CodeEditor::paintLineNumbers(QPaintEvent* event) {
  QPainter painter(lineNumbers_);
  // A grey strip with a rule on its right, so that the numbers never read as part of the text.
  painter.fillRect(event->rect(), palette().color(QPalette::Window).darker(106));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(lineNumbers_->width() - 1, event->rect().top(), lineNumbers_->width() - 1,
                   event->rect().bottom());
  painter.setPen(palette().color(QPalette::Dark));
  painter.setFont(font());
  const int rowHeight = fontMetrics().height();
  const int width = lineNumbers_->width() - kPadding - 1;
  for (const ShownNumber& n : shownNumbers()) {
    if (n.top + rowHeight < event->rect().top() || n.top > event->rect().bottom()) continue;
    painter.drawText(0, n.top, width, rowHeight, Qt::AlignRight, QString::number(n.number));
  }
}

}  // namespace veksa
