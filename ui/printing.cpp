// Printing.
#include "ui/printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include "kb/print_layout.h"
#include "ui/qt_text.h"

namespace veksa {

bool printLines(QPrinter& printer, const Lines& lines, const QFont& font) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The font in points, measured on the printer's own resolution.
  QFont printed(font, &printer);
  painter.setFont(printed);
  const QFontMetricsF metrics(printed, &printer);
  const qreal width = printer.width();
  const qreal height = printer.height();
  const qreal lineHeight = metrics.lineSpacing();
  const Lines pieces = printedLines(lines, [&](std::u16string_view piece) {
    return metrics.horizontalAdvance(toQString(piece)) <= width;
  });
  qreal y = 0;
  for (const Line& piece : pieces) {
    if (y > 0 && y + lineHeight > height) {
      printer.newPage();
      y = 0;
    }
    painter.drawText(QPointF(0, y + metrics.ascent()), toQString(piece));
    y += lineHeight;
  }
  return painter.end();
}

}  // namespace veksa
