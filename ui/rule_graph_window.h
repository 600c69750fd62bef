// The rule graph window ("Граф правил"): the knowledge base's rule graph with the last run's
// state, laid out by Graphviz and drawn from its SVG in a view that zooms (the wheel,
// Ctrl+plus/minus, Ctrl+0 fits) and pans (dragging). A click on a rule asks for its "NAME" line.
// Always on top; Esc and the close box hide it.
#ifndef VEKSA_UI_RULE_GRAPH_WINDOW_H_
#define VEKSA_UI_RULE_GRAPH_WINDOW_H_

#include <QRectF>
#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

#include "engine/rule_graph.h"
#include "engine/workspace.h"

class QGraphicsScene;
class QGraphicsSvgItem;
class QLabel;
class QSvgRenderer;

namespace veksa {

class ZoomView;

class RuleGraphWindow : public QWidget {
  Q_OBJECT

 public:
  explicit RuleGraphWindow(QWidget* parent);
  ~RuleGraphWindow() override;

  // Builds the graph of the workspace's lines with the state of its last run, lays it out and
  // shows it (fitted to the window). A graph too large to lay out here, or one Graphviz cannot
  // draw, is replaced by a message.
  void showGraph(const Workspace& ws);

  ZoomView* view() const { return view_; }
  QLabel* message() const { return message_; }  // under the view: the hint, or why nothing is drawn
  const RuleGraph& graph() const { return graph_; }
  // Where rule node `node` is drawn, in scene coordinates; nothing when it is not drawn.
  std::optional<QRectF> ruleRect(std::size_t node) const;

  // The most nodes the window lays out (Graphviz's dot grows much faster than the graph).
  static constexpr std::size_t kMaxNodes = 2000;

 signals:
  // A rule node was clicked: its "NAME" line in the text the graph was built from, and its name.
  void ruleClicked(std::size_t nameLine, const QString& name);

 private:
  void clickedAt(QPointF scenePos);
  void clear();

  ZoomView* view_;
  QLabel* message_;
  QGraphicsScene* scene_;
  QSvgRenderer* renderer_ = nullptr;
  QGraphicsSvgItem* item_ = nullptr;
  RuleGraph graph_;
  std::vector<std::pair<std::size_t, QRectF>> rules_;  // rule node -> its box in the scene
  bool placed_ = false;
};

}  // namespace veksa

#endif  // VEKSA_UI_RULE_GRAPH_WINDOW_H_
