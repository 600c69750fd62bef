// Bars behind numbers: a cell draws a bar behind its number, as long as the cell's width times
// |number| / full (at most the whole width), in one colour for a positive number and another for
// a negative one; certainties have full = 1. Only the drawing changes: the cell's text, which
// copying and the tests read, stays the table's text.
#ifndef VEKSA_UI_BAR_DELEGATE_H_
#define VEKSA_UI_BAR_DELEGATE_H_

#include <QColor>
#include <QRectF>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>

namespace veksa {

class BarDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // `separator` is the decimal separator of the cells; `hasBar`, when given, tells which cells
  // of the column draw a bar (the others are drawn as usual).
  BarDelegate(char16_t separator, std::function<bool(const QModelIndex&)> hasBar, QObject* parent);
  // The number that fills a whole cell (1 unless set).
  void setFull(double full) { full_ = full; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // Cells with bars are never edited in place.
  QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override {
    return nullptr;
  }

  struct Bar {
    QRectF rect;
    QColor colour;
  };
  // The bar of a cell holding `text` drawn in `cell`; nothing when the text is not a number or
  // the number is 0.
  std::optional<Bar> barOf(const QString& text, const QRect& cell) const;

 private:
  char16_t separator_;
  double full_ = 1;
  std::function<bool(const QModelIndex&)> hasBar_;
};

}  // namespace veksa

#endif  // VEKSA_UI_BAR_DELEGATE_H_
