// Tool-bar pictures on a 24 x 24 grid.
#include "ui/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace veksa {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kTeal(0, 128, 128);

// A sheet of paper with a folded corner.
void page(QPainter& p, const QRectF& r) {
  QPainterPath path;
  const qreal fold = r.width() / 3;
  path.moveTo(r.topLeft());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.bottomRight());
  path.lineTo(r.bottomLeft());
  path.closeSubpath();
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void textLines(QPainter& p, const QRectF& r, int count) {
  p.setPen(QPen(QColor(120, 120, 120), 1));
  for (int i = 0; i < count; ++i) {
    const qreal y = r.top() + 4 + i * 3;
    p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
  }
}

void plus(QPainter& p, QPointF c, QColor color) {
  p.setPen(QPen(color, 3, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(c + QPointF(-4, 0), c + QPointF(4, 0));
  p.drawLine(c + QPointF(0, -4), c + QPointF(0, 4));
}

void box(QPainter& p, const QRectF& r, QColor fill) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(fill);
  p.drawRect(r);
}

void draw(QPainter& p, ToolIcon which) {
  switch (which) {
    case ToolIcon::New:
      page(p, QRectF(5, 2, 14, 20));
      break;
    case ToolIcon::Open: {
      p.setPen(QPen(QColor(150, 110, 20), 1.2));
      p.setBrush(QColor(240, 200, 80));
      p.drawRect(QRectF(2, 6, 18, 14));
      p.drawRect(QRectF(2, 4, 8, 3));
      p.setBrush(QColor(250, 220, 120));
      QPolygonF flap({QPointF(5, 10), QPointF(22, 10), QPointF(19, 20), QPointF(2, 20)});
      p.drawPolygon(flap);
      break;
    }
    case ToolIcon::AddSection:
      page(p, QRectF(3, 2, 14, 20));
      textLines(p, QRectF(3, 8, 10, 10), 3);
      plus(p, QPointF(17, 17), QColor(0, 140, 0));
      break;
    case ToolIcon::Save:
      box(p, QRectF(3, 3, 18, 18), QColor(60, 90, 170));
      box(p, QRectF(7, 3, 10, 6), kPaper);
      box(p, QRectF(6, 13, 12, 8), QColor(220, 220, 220));
      break;
    case ToolIcon::Print:
      box(p, QRectF(7, 2, 10, 8), kPaper);
      box(p, QRectF(2, 9, 20, 9), QColor(170, 170, 170));
      box(p, QRectF(6, 15, 12, 7), kPaper);
      p.setPen(QPen(QColor(0, 160, 0), 2));
      p.drawPoint(QPointF(19, 12));
      break;
    case ToolIcon::RulePath: {
      p.setPen(QPen(kTeal, 2));
      p.setBrush(Qt::NoBrush);
      QPainterPath path;
      path.moveTo(5, 5);
      path.lineTo(19, 5);
      path.lineTo(5, 12);
      path.lineTo(19, 12);
      path.lineTo(5, 19);
      path.lineTo(16, 19);
      p.drawPath(path);
      p.setBrush(kTeal);
      p.drawPolygon(QPolygonF({QPointF(16, 15.5), QPointF(21, 19), QPointF(16, 22.5)}));
      p.setPen(Qt::NoPen);
      for (QPointF c : {QPointF(5, 5), QPointF(5, 12)}) p.drawEllipse(c, 2.5, 2.5);
      break;
    }
    case ToolIcon::Run:
      p.setPen(QPen(QColor(0, 100, 0), 1.2));
      p.setBrush(QColor(40, 180, 40));
      p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(20, 12), QPointF(6, 21)}));
      break;
    case ToolIcon::Undo: {
      p.setPen(QPen(QColor(30, 70, 160), 2.5, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      QPainterPath arc;
      arc.moveTo(7, 9);
      arc.cubicTo(QPointF(16, 5), QPointF(23, 13), QPointF(14, 20));
      p.drawPath(arc);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 70, 160));
      p.drawPolygon(QPolygonF({QPointF(2, 9), QPointF(10, 3), QPointF(10, 14)}));
      break;
    }
    case ToolIcon::Cut:
      p.setPen(QPen(kInk, 1.5));
      p.drawLine(QPointF(7, 2), QPointF(16, 15));
      p.drawLine(QPointF(17, 2), QPointF(8, 15));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(180, 30, 30), 2));
      p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
      p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
      break;
    case ToolIcon::Copy:
      page(p, QRectF(2, 2, 12, 16));
      page(p, QRectF(10, 6, 12, 16));
      break;
    case ToolIcon::Paste:
      box(p, QRectF(3, 4, 15, 18), QColor(170, 120, 60));
      box(p, QRectF(7, 2, 7, 4), QColor(200, 200, 200));
      page(p, QRectF(10, 9, 12, 14));
      break;
    case ToolIcon::Clear:
      page(p, QRectF(4, 2, 14, 20));
      p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(8, 9), QPointF(18, 19));
      p.drawLine(QPointF(18, 9), QPointF(8, 19));
      break;
    case ToolIcon::Hierarchy:
      p.setPen(QPen(kInk, 1.2));
      p.drawLine(QPointF(12, 7), QPointF(12, 11));
      p.drawLine(QPointF(5, 11), QPointF(19, 11));
      p.drawLine(QPointF(5, 11), QPointF(5, 15));
      p.drawLine(QPointF(19, 11), QPointF(19, 15));
      box(p, QRectF(8, 2, 8, 5), kTeal);
      box(p, QRectF(1, 15, 8, 5), QColor(240, 200, 80));
      box(p, QRectF(15, 15, 8, 5), QColor(240, 200, 80));
      break;
  }
}

}  // namespace

QIcon toolbarIcon(ToolIcon which) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(24 * scale, 24 * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, which);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace veksa
