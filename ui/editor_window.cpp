// The knowledge-base editor window.
#include "ui/editor_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "kb/rule_check.h"
#include "ui/code_editor.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/kb_highlighter.h"
#include "ui/qt_text.h"
#include "ui/section_names_dialog.h"

namespace veksa {

namespace {

// The keyword toolbar, left to right: each button inserts its caption and one space.
struct Keyword {
  const char* name;
  const char* caption;
};
constexpr Keyword kKeywords[] = {
    {"Button13", "NAME"}, {"Button12", "END"}, {"Button11", "IF"},    {"Button10", "THEN"},
    {"Button9", "ELSE"},  {"Button8", "CASE"}, {"Button7", "AND"},    {"Button6", "OR"},
    {"Button5", "NOT"},   {"Button4", "("},    {"Button3", ")"},      {"Button2", "[0,0]"},
    {"Button1", "~X"},    {"Button25", "^"},   {"Button23", "*"},     {"Button24", "/"},
    {"Button14", "+"},    {"Button17", "-"},   {"Button22", "<>"},    {"Button26", ":="},
    {"Button16", "="},    {"Button21", "<="},  {"Button20", ">="},    {"Button18", "<"},
    {"Button19", ">"},
};

constexpr int kTreeWidth = 201;

}  // namespace

EditorWindow::EditorWindow(Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : QMdiSubWindow(parent),
      ws_(ws),
      dialogs_(dialogs),
      keywords_(new QToolBar),
      tree_(new QTreeWidget),
      text_(new CodeEditor),
      highlighter_(new KbHighlighter(text_->document())),
      insertionBox_(new QLineEdit),
      sectionNames_(new SectionNamesDialog(ws, this)),
      userDocument_(text_->document()) {
  setObjectName("TForm4");
  // A maximised child without title-bar buttons.
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  insertionBox_->setParent(body);
  insertionBox_->setObjectName("Edit4");
  insertionBox_->hide();

  keywords_->setObjectName("ToolBar2");
  keywords_->setStatusTip(QStringLiteral("Панель для вставки ключевых слов"));
  addKeywordButtons();
  layout->addWidget(keywords_);

  tree_->setObjectName("TreeView1");
  tree_->setStatusTip(QStringLiteral("Иерархическая структура правил"));
  tree_->setHeaderHidden(true);
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    int occurrence = 0;
    for (QTreeWidgetItemIterator it(tree_); *it != item; ++it) {
      if ((*it)->text(0) == item->text(0)) ++occurrence;
    }
    emit treeNodeClicked(item->parent() == nullptr, item->text(0), occurrence);
  });

  text_->setObjectName("RichEdit1");
  text_->setStatusTip(QStringLiteral("База знаний"));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setFont(monospaceFont());
  text_->updateLineNumberAreaWidth();
  connect(userDocument_, &QTextDocument::contentsChange, this, [this] {
    if (!pushing_) ws_.emptiedByClose = false;  // the user edits the text
  });
  connect(userDocument_, &QTextDocument::contentsChanged, this, &EditorWindow::updateModified);
  connect(userDocument_, &QTextDocument::contentsChanged, this, &EditorWindow::textChanged);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->setObjectName("Splitter1");
  splitter->addWidget(tree_);
  splitter->addWidget(text_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kTreeWidth, 1000});
  splitter->setChildrenCollapsible(false);
  layout->addWidget(splitter, 1);
  setWidget(body);

  // Without title-bar buttons the window closes with the multi-document child's usual key.
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this, this, &QWidget::close,
                Qt::WidgetWithChildrenShortcut);

  sectionNames_->hide();

  loadLines();
  setSavedText(plainText());
  showCaption();
  ws_.ProjectState = kProjectOpen;
}

void EditorWindow::addKeywordButtons() {
  for (const Keyword& k : kKeywords) {
    auto* button = new QToolButton;
    button->setObjectName(k.name);
    button->setText(QString::fromUtf8(k.caption));
    button->setFocusPolicy(Qt::NoFocus);
    button->setStatusTip(keywords_->statusTip());  // a button without a hint of its own shows the bar's
    keywords_->addWidget(button);
    QString inserted = button->text() + QLatin1Char(' ');
    if (button->objectName() == QLatin1String("Button12")) {
      connect(button, &QToolButton::clicked, this, &EditorWindow::Button12Click);
    } else {
      connect(button, &QToolButton::clicked, this, [this, inserted] { insertText(inserted); });
    }
  }
}

QPlainTextEdit* EditorWindow::text() const { return text_; }

KbHighlighter* EditorWindow::highlighter() const {
  return runHighlighter_ ? runHighlighter_ : highlighter_;
}

namespace {
QString documentText(const QTextDocument& document) {
  QString text = document.toRawText();
  for (QChar& c : text) {
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
  }
  return text;
}
}  // namespace

QString EditorWindow::plainText() const { return documentText(*text_->document()); }

void EditorWindow::pullLines() { ws_.lines = splitLines(plainText()); }

void EditorWindow::pushLines() {
  const QString now = plainText();
  const QString want = joinLines(ws_.lines);
  if (now == want) return;
  // Replace only the stretch between the common beginning and the common end, never inside a
  // surrogate pair.
  qsizetype head = 0;
  const qsizetype shorter = std::min(now.size(), want.size());
  while (head < shorter && now[head] == want[head]) ++head;
  if (head > 0 && now[head - 1].isHighSurrogate()) --head;
  qsizetype tail = 0;
  while (tail < shorter - head && now[now.size() - 1 - tail] == want[want.size() - 1 - tail]) {
    ++tail;
  }
  if (tail > 0 && now[now.size() - tail].isLowSurrogate()) --tail;
  pushing_ = true;
  QTextCursor cursor(text_->document());
  cursor.beginEditBlock();
  cursor.setPosition(static_cast<int>(head));
  cursor.setPosition(static_cast<int>(now.size() - tail), QTextCursor::KeepAnchor);
  cursor.insertText(want.mid(head, want.size() - head - tail));
  cursor.endEditBlock();
  pushing_ = false;
}

void EditorWindow::loadLines() {
  pushing_ = true;
  text_->setPlainText(joinLines(ws_.lines));
  pushing_ = false;
}

void EditorWindow::showCaption() {
  setWindowTitle(toQString(ws_.caption) + (modified_ ? QStringLiteral("*") : QString()));
}

void EditorWindow::setSavedText(const QString& text) {
  savedText_ = text;
  updateModified();
}

void EditorWindow::updateModified() {
  // A document holds one character more than its text (the end of its last block); texts of
  // different lengths differ without a look at the characters.
  const bool modified = userDocument_->characterCount() - 1 != savedText_.size() ||
                        documentText(*userDocument_) != savedText_;
  if (modified == modified_) return;
  modified_ = modified;
  showCaption();
  emit modifiedChanged(modified);
}

void EditorWindow::reopen() {
  closed_ = false;
  ws_.ProjectState = kProjectOpen;
  showMaximized();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  // The window is kept, so that no command ever meets a destroyed editor.
  event->ignore();
  if (closed_ || inRunView()) return;
  closed_ = true;
  hide();
  ws_.ProjectState = kProjectNone;
  emit closed();
}

void EditorWindow::insertText(const QString& text) {
  if (text_->isReadOnly()) return;
  insertionBox_->setText(text);
  insertionBox_->selectAll();
  insertionBox_->copy();
  text_->paste();
  text_->setFocus();
}

void EditorWindow::selectRange(int position, int length) {
  QTextCursor cursor(text_->document());
  cursor.setPosition(position);
  cursor.setPosition(position + length, QTextCursor::KeepAnchor);
  text_->setTextCursor(cursor);
  text_->setFocus();
}

namespace {
void addChildren(QTreeWidgetItem* item, const HierarchyNode& node) {
  for (const HierarchyNode& child : node.children) {
    addChildren(new QTreeWidgetItem(item, {toQString(child.text)}), child);
  }
}
}  // namespace

void EditorWindow::showTree(const HierarchyNode& root) {
  tree_->clear();
  auto* item = new QTreeWidgetItem(tree_, {toQString(root.text)});
  addChildren(item, root);
  tree_->expandAll();
}

void EditorWindow::clearTree() { tree_->clear(); }

void EditorWindow::beginRunView() {
  if (runView_) return;
  userCaret_ = text_->textCursor().position();
  userScroll_ = text_->verticalScrollBar()->value();
  // The editor deletes a document it owns when it is given another one: keep the user's.
  userDocumentParent_ = userDocument_->parent();
  userDocument_->setParent(this);
  runView_ = new QTextDocument(this);
  runView_->setDocumentLayout(new QPlainTextDocumentLayout(runView_));
  runView_->setDefaultFont(userDocument_->defaultFont());
  runView_->setPlainText(plainText());
  runView_->setUndoRedoEnabled(false);
  runHighlighter_ = new KbHighlighter(runView_);
  text_->setDocument(runView_);
  text_->updateLineNumberAreaWidth();
  text_->setReadOnly(true);
  keywords_->setEnabled(false);
  text_->verticalScrollBar()->setValue(userScroll_);
}

void EditorWindow::endRunView() {
  if (!runView_) return;
  text_->setDocument(userDocument_);
  userDocument_->setParent(userDocumentParent_);
  delete runView_;  // with its highlighter
  runView_ = nullptr;
  runHighlighter_ = nullptr;
  text_->updateLineNumberAreaWidth();
  text_->setReadOnly(false);
  keywords_->setEnabled(true);
  QTextCursor caret(userDocument_);
  caret.setPosition(std::min(userCaret_, userDocument_->characterCount() - 1));
  text_->setTextCursor(caret);
  text_->verticalScrollBar()->setValue(userScroll_);
}

void EditorWindow::selectLine(std::size_t index) {
  const QTextBlock block = text_->document()->findBlockByNumber(static_cast<int>(index));
  if (!block.isValid()) return;
  selectRange(block.position(), block.length() - 1);
}

void EditorWindow::Button12Click() {
  insertText(QStringLiteral("END "));
  pullLines();
  const auto caretLine = static_cast<std::size_t>(text_->textCursor().blockNumber());
  for (const Line& message : checkRuleEnd(ws_.lines, caretLine)) {
    dialogs_.message(this, toQString(message));
  }
}

}  // namespace veksa
