// A graphics view that zooms (the mouse wheel, or zoomIn/zoomOut) and pans (dragging), and
// reports a click (a press and release without a drag) at a scene position.
#ifndef VEKSA_UI_ZOOM_VIEW_H_
#define VEKSA_UI_ZOOM_VIEW_H_

#include <QGraphicsView>
#include <QPoint>

namespace veksa {

class ZoomView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit ZoomView(QWidget* parent);

  // One step of the wheel or of Ctrl+plus/minus: 1.25 times larger or smaller, the scale staying
  // between 1/20 and 20 times the natural size.
  void zoomIn();
  void zoomOut();
  // The whole scene in the view (at most its natural size).
  void fitScene();
  double zoom() const;  // the current scale, 1 = natural size

 signals:
  void clicked(QPointF scenePos);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void scaleBy(double factor);

  QPoint pressedAt_;
  bool pressed_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_ZOOM_VIEW_H_
