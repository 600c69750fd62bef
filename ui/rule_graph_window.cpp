// The rule graph window.
#include "ui/rule_graph_window.h"

#include <QAction>
#include <QGraphicsScene>
#include <QGraphicsSvgItem>
#include <QLabel>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "engine/rule_graph_dot.h"
#include "ui/graphviz_render.h"
#include "ui/key_preview.h"
#include "ui/qt_text.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"
#include "ui/zoom_view.h"

namespace veksa {

namespace {

const QString kHint = QStringLiteral(
    "Колесо мыши или Ctrl+плюс и Ctrl+минус меняют масштаб, Ctrl+0 вписывает граф в окно; "
    "перетаскивание сдвигает граф; щелчок по правилу выделяет его строку NAME в редакторе.");

}  // namespace

RuleGraphWindow::RuleGraphWindow(QWidget* parent)
    : QWidget(parent, closeBoxOnly(Qt::Tool)),
      view_(new ZoomView(this)),
      message_(new QLabel(this)),
      scene_(new QGraphicsScene(this)) {
  setObjectName("RuleGraphWindow");
  offerCloseOnly(this);  // always on top, as the program's other windows over the editor
  hideOnEscape(this);
  setWindowTitle(QStringLiteral("Граф правил"));
  view_->setObjectName("graphView");
  view_->setScene(scene_);
  message_->setObjectName("graphMessage");
  message_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(view_, 1);
  layout->addWidget(message_);
  auto key = [this](const QList<QKeySequence>& keys, void (ZoomView::*zoom)()) {
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, view_, zoom);
    addAction(action);
  };
  key({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
      &ZoomView::zoomIn);
  key({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &ZoomView::zoomOut);
  key({QKeySequence(Qt::CTRL | Qt::Key_0)}, &ZoomView::fitScene);
  connect(view_, &ZoomView::clicked, this, &RuleGraphWindow::clickedAt);
  resize(960, 600);
}

RuleGraphWindow::~RuleGraphWindow() { clear(); }

void RuleGraphWindow::clear() {
  scene_->clear();  // the drawing goes before the renderer it shares
  item_ = nullptr;
  delete renderer_;
  renderer_ = nullptr;
  rules_.clear();
}

void RuleGraphWindow::showGraph(const Workspace& ws) {
  clear();
  graph_ = buildRuleGraph(ws.lines);
  addRunState(graph_, ws);
  centreOnFirstShow(this, placed_);
  show();
  raise();
  activateWindow();
  std::string svg, error;
  if (graph_.nodes.empty()) {
    message_->setText(QStringLiteral("В базе знаний нет правил."));
    return;
  }
  if (graph_.nodes.size() > kMaxNodes) {
    message_->setText(QStringLiteral("Граф слишком велик для окна: %1 узлов (окно строит не больше "
                                     "%2). Его текст DOT выводит команда veksa-cli graph.")
                          .arg(graph_.nodes.size())
                          .arg(kMaxNodes));
    return;
  }
  if (!renderDotAsSvg(ruleGraphDot(graph_), svg, error)) {
    message_->setText(
        QStringLiteral("Graphviz не построил граф: %1").arg(QString::fromStdString(error)));
    return;
  }
  renderer_ = new QSvgRenderer(QByteArray::fromStdString(svg));
  item_ = new QGraphicsSvgItem;
  item_->setSharedRenderer(renderer_);
  scene_->addItem(item_);
  const QRectF bounds = item_->boundingRect();
  scene_->setSceneRect(bounds);
  // Element bounds are in the drawing's viewBox units; the item draws the viewBox over `bounds`.
  const QRectF box = renderer_->viewBoxF();
  const double sx = box.width() > 0 ? bounds.width() / box.width() : 1;
  const double sy = box.height() > 0 ? bounds.height() / box.height() : 1;
  for (std::size_t n = 0; n < graph_.nodes.size(); ++n) {
    const QString id = QStringLiteral("n%1").arg(n);
    if (graph_.nodes[n].kind != GraphNodeKind::Rule || !renderer_->elementExists(id)) continue;
    const QRectF r = renderer_->transformForElement(id).mapRect(renderer_->boundsOnElement(id));
    rules_.push_back({n, QRectF((r.x() - box.x()) * sx, (r.y() - box.y()) * sy, r.width() * sx,
                                r.height() * sy)});
  }
  message_->setText(kHint);
  layout()->activate();
  view_->fitScene();
}

std::optional<QRectF> RuleGraphWindow::ruleRect(std::size_t node) const {
  for (const auto& [n, rect] : rules_) {
    if (n == node) return rect;
  }
  return std::nullopt;
}

void RuleGraphWindow::clickedAt(QPointF scenePos) {
  for (const auto& [n, rect] : rules_) {
    if (rect.contains(scenePos)) {
      emit ruleClicked(graph_.nodes[n].line, toQString(graph_.nodes[n].name));
      return;
    }
  }
}

}  // namespace veksa
