// A tool window that shows one run table of the workspace in a list with fixed columns: always on
// top, centred when first shown, hidden (never destroyed) by Esc and by its close box.
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

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void writeBack(QTreeWidgetItem* item, int column);

  Table& table_;
  QTreeWidget* list_;
  bool editable_;
  bool filling_ = false;
  bool placed_ = false;
  std::optional<std::uint64_t> shown_;  // the table's generation on screen
};

}  // namespace veksa

#endif  // VEKSA_UI_TABLE_WINDOW_H_
