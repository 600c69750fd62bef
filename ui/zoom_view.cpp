// The zooming, panning view.
#include "ui/zoom_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

namespace veksa {

namespace {
constexpr double kStep = 1.25;
constexpr double kMinZoom = 0.05;
constexpr double kMaxZoom = 20;
}  // namespace

ZoomView::ZoomView(QWidget* parent) : QGraphicsView(parent) {
  setDragMode(QGraphicsView::ScrollHandDrag);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  setBackgroundBrush(Qt::white);
}

double ZoomView::zoom() const { return transform().m11(); }

void ZoomView::scaleBy(double factor) {
  const double next = std::clamp(zoom() * factor, kMinZoom, kMaxZoom);
  scale(next / zoom(), next / zoom());
}

void ZoomView::zoomIn() { scaleBy(kStep); }
void ZoomView::zoomOut() { scaleBy(1 / kStep); }

void ZoomView::fitScene() {
  resetTransform();
  const QRectF scene = sceneRect();
  if (scene.isEmpty()) return;
  const QSize room = viewport()->size();
  const double fit = std::min(room.width() / scene.width(), room.height() / scene.height());
  if (fit < 1) scale(fit, fit);
  centerOn(scene.center());
}

void ZoomView::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return QGraphicsView::wheelEvent(event);
  scaleBy(delta > 0 ? kStep : 1 / kStep);
  event->accept();
}

void ZoomView::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  pressedAt_ = event->position().toPoint();
  QGraphicsView::mousePressEvent(event);
}

void ZoomView::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton &&
                     (event->position().toPoint() - pressedAt_).manhattanLength() <
                         QApplication::startDragDistance();
  pressed_ = false;
  QGraphicsView::mouseReleaseEvent(event);
  if (click) emit clicked(mapToScene(event->position().toPoint()));
}

}  // namespace veksa
