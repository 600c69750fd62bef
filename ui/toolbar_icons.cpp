// Tool-bar pictures from their SVG files.
#include "ui/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "ui/resources.h"

namespace veksa {

QIcon toolbarIcon(const QString& name) {
  useResources();
  QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(name));
  if (!svg.isValid()) return {};
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(24 * scale, 24 * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter, QRectF(0, 0, 24, 24));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace veksa
