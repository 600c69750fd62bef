// A tool window that shows one run table of the workspace in a list with fixed columns: always on
// top, centred when first shown, hidden (never destroyed) by Esc and by its close box. Each column
// is at least as wide as its caption and grows to its widest cell, up to a limit; a cut cell shows
// its whole text as a tooltip. The window widens to show the columns, within the screen.
#ifndef VEKSA_UI_TABLE_WINDOW_H_
#define VEKSA_UI_TABLE_WINDOW_H_

#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/table.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace veksa {

struct TableColumn {
  QString caption;
  int width;  // pixels at 96 dots per inch
};

class TableWindow : public QWidget {
  Q_OBJECT

 public:
  // `firstColumnEditable`: the user may edit the first column in place, which writes the table.
  TableWindow(const QString& formName, const QString& caption, Table& table,
              const std::vector<TableColumn>& columns, bool firstColumnEditable, QWidget* parent);

  QTreeWidget* list() const { return list_; }  // ListView1

  // Shows the table afresh when it has changed since it was last shown.
  virtual void refresh();
  // Makes the window visible, showing the current table.
  void showTable();
  // The text of the cell when its column is too narrow to show it whole, else the empty text.
  QString cutCellText(int row, int column) const;

 protected:
  // Widens the window to `width` pixels, within the screen; a window that grew is centred again.
  void widenTo(int width);
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void writeBack(QTreeWidgetItem* item, int column);
  // The columns as wide as their cells, and the window as wide as the columns.
  void fitColumns();
  int cellWidth(int row, int column) const;  // the width that shows the cell's text whole
  // The window's width that shows columns of these widths whole.
  int neededWidth(const std::vector<int>& columns) const;

  Table& table_;
  QTreeWidget* list_;
  bool editable_;
  bool filling_ = false;
  bool placed_ = false;
  std::vector<int> least_;  // each column's least width: its given width or its caption's
  std::optional<std::uint64_t> shown_;  // the table's generation on screen
};

}  // namespace veksa

#endif  // VEKSA_UI_TABLE_WINDOW_H_
