// Bars behind numbers.
#include "ui/bar_delegate.h"

#include <QApplication>
#include <QPainter>
#include <cmath>

#include "engine/certainty_scale.h"
#include "kb/number.h"
#include "ui/qt_text.h"

namespace veksa {

namespace {

QColor qColour(Rgb c) { return QColor(c.r, c.g, c.b); }

constexpr int kMargin = 2;  // pixels between the bar and the cell's edges

}  // namespace

BarDelegate::BarDelegate(char16_t separator, std::function<bool(const QModelIndex&)> hasBar,
                         QObject* parent)
    : QStyledItemDelegate(parent), separator_(separator), hasBar_(std::move(hasBar)) {}

std::optional<BarDelegate::Bar> BarDelegate::barOf(const QString& text, const QRect& cell) const {
  std::optional<long double> value = parseDecimal(toLine(text), separator_);
  if (!value || *value == 0 || std::isnan(*value) || !(full_ > 0)) return std::nullopt;
  const QRectF room = QRectF(cell).adjusted(kMargin, kMargin, -kMargin, -kMargin);
  const double share = std::fmin(1.0, std::fabs(static_cast<double>(*value)) / full_);
  return Bar{QRectF(room.left(), room.top(), room.width() * share, room.height()),
             qColour(*value > 0 ? kPositiveColour : kNegativeColour)};
}

void BarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  std::optional<Bar> bar;
  if (!hasBar_ || hasBar_(index)) bar = barOf(text, option.rect);
  if (!bar) return QStyledItemDelegate::paint(painter, option, index);

  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QWidget* widget = opt.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  // The cell's background (and selection), then the bar, then the text over both.
  QStyleOptionViewItem back = opt;
  back.text.clear();
  style->drawControl(QStyle::CE_ItemViewItem, &back, painter, widget);
  QColor colour = bar->colour;
  if (opt.state & QStyle::State_Selected) {
    colour.setAlpha(128);  // the selection shows through, under its own text colour
    opt.palette.setColor(QPalette::Text, opt.palette.color(QPalette::HighlightedText));
  }
  painter->fillRect(bar->rect, colour);
  opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
  opt.backgroundBrush = Qt::NoBrush;
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

}  // namespace veksa
