// Run-table windows.
#include "ui/table_window.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/window_placement.h"

namespace veksa {

namespace {

// Keeps the columns after the first from being edited.
class ReadOnlyDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override {
    return nullptr;
  }
};

}  // namespace

TableWindow::TableWindow(const QString& formName, const QString& caption, Table& table,
                         const std::vector<TableColumn>& columns, bool firstColumnEditable,
                         QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      table_(table),
      list_(new QTreeWidget(this)),
      editable_(firstColumnEditable) {
  setObjectName(formName);
  setWindowTitle(caption);
  list_->setObjectName("ListView1");
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setColumnCount(static_cast<int>(columns.size()));
  QStringList headers;
  int width = 0;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    headers << columns[c].caption;
    list_->setColumnWidth(static_cast<int>(c), columns[c].width);
    width += columns[c].width;
  }
  list_->setHeaderLabels(headers);
  list_->header()->setStretchLastSection(false);
  if (editable_) {
    list_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::SelectedClicked);
    for (int c = 1; c < list_->columnCount(); ++c) {
      list_->setItemDelegateForColumn(c, new ReadOnlyDelegate(list_));
    }
    connect(list_, &QTreeWidget::itemChanged, this, &TableWindow::writeBack);
  } else {
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  resize(width + 24, 260);
  refresh();
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
