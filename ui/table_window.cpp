// Run-table windows.
#include "ui/table_window.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

namespace {

// The widest a column grows to show its longest cell; longer cells are cut and show their text
// as a tooltip.
constexpr int kMaxColumnWidth = 360;

// The cells of a table: only the first column can be edited (where the table allows it at all),
// and a cell too narrow for its text shows the whole text as its tooltip.
class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (index.column() != 0) return nullptr;
    return QStyledItemDelegate::createEditor(parent, option, index);
  }
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip) {
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    const auto* window = qobject_cast<const TableWindow*>(view->window());
    const QString tip = window ? window->cutCellText(index.row(), index.column()) : QString();
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
    }
    return true;
  }
};

}  // namespace

TableWindow::TableWindow(const QString& formName, const QString& caption, Table& table,
                         const std::vector<TableColumn>& columns, bool firstColumnEditable,
                         QWidget* parent)
    : QWidget(parent, closeBoxOnly(Qt::Tool)),
      table_(table),
      list_(new QTreeWidget(this)),
      editable_(firstColumnEditable) {
  setObjectName(formName);
  offerCloseOnly(this);
  setWindowTitle(caption);
  list_->setObjectName("ListView1");
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setColumnCount(static_cast<int>(columns.size()));
  list_->setItemDelegate(new CellDelegate(list_));
  QStringList headers;
  for (const TableColumn& column : columns) headers << column.caption;
  list_->setHeaderLabels(headers);
  // A column is at least as wide as its caption; the last one takes the rest of the window.
  for (int c = 0; c < list_->columnCount(); ++c) {
    least_.push_back(
        std::max(columns[static_cast<std::size_t>(c)].width, list_->header()->sectionSizeHint(c)));
    list_->setColumnWidth(c, least_.back());
  }
  list_->header()->setStretchLastSection(true);
  if (editable_) {
    list_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::SelectedClicked);
    connect(list_, &QTreeWidget::itemChanged, this, &TableWindow::writeBack);
  } else {
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  resize(neededWidth(least_), 260);
  refresh();
}

int TableWindow::neededWidth(const std::vector<int>& columns) const {
  int sum = 0;
  for (int width : columns) sum += width;
  return sum + 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
}

void TableWindow::fitColumns() {
  // Each column as wide as its widest cell, within its least width and the maximum.
  std::vector<int> widths;
  for (int c = 0; c < list_->columnCount(); ++c) {
    int cells = 0;
    for (int r = 0; r < list_->topLevelItemCount(); ++r) cells = std::max(cells, cellWidth(r, c));
    widths.push_back(
        std::max(least_[static_cast<std::size_t>(c)], std::min(cells, kMaxColumnWidth)));
    list_->setColumnWidth(c, widths.back());
  }
  widenTo(neededWidth(widths));
}

void TableWindow::widenTo(int wanted) {
  const QRect screen = this->screen()->availableGeometry();
  wanted = std::min(wanted, screen.width() - (frameGeometry().width() - width()));
  if (width() >= wanted) return;
  resize(wanted, height());
  // A window that grew is centred again, so that it stays whole on the screen.
  if (placed_) centreOnScreen(this);
}

int TableWindow::cellWidth(int row, int column) const {
  const QModelIndex index = list_->model()->index(row, column);
  QStyleOptionViewItem option;
  option.initFrom(list_);
  option.font = list_->font();
  return list_->itemDelegate()->sizeHint(option, index).width();
}

QString TableWindow::cutCellText(int row, int column) const {
  QTreeWidgetItem* item = list_->topLevelItem(row);
  if (!item || column < 0 || column >= list_->columnCount()) return QString();
  return cellWidth(row, column) > list_->columnWidth(column) ? item->text(column) : QString();
}

void TableWindow::refresh() {
  if (shown_ == table_.generation()) return;
  filling_ = true;
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(table_.size()));
  for (const Table::Row& row : table_.rows()) {
    auto* item = new QTreeWidgetItem;
    for (std::size_t c = 0; c < row.size(); ++c) item->setText(static_cast<int>(c), toQString(row[c]));
    if (editable_) item->setFlags(item->flags() | Qt::ItemIsEditable);
    items << item;
  }
  list_->addTopLevelItems(items);
  filling_ = false;
  shown_ = table_.generation();
  fitColumns();
}

void TableWindow::showTable() {
  refresh();
  show();
  raise();
}

void TableWindow::writeBack(QTreeWidgetItem* item, int column) {
  if (filling_ || column != 0) return;
  const int row = list_->indexOfTopLevelItem(item);
  if (row < 0 || static_cast<std::size_t>(row) >= table_.size()) return;
  table_.setCell(static_cast<std::size_t>(row), 0, toLine(item->text(0)));
  shown_ = table_.generation();
}

void TableWindow::showEvent(QShowEvent* event) {
  refresh();
  centreOnFirstShow(this, placed_);
  QWidget::showEvent(event);
}

void TableWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace veksa
