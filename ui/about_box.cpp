// The About box and its picture: a small rule network, facts on the left leading through rules
// to a conclusion on the right.
#include "ui/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "veksa_version.h"

namespace veksa {

namespace {

const QColor kTeal(0, 128, 128);

class RuleNetwork : public QWidget {
 public:
  explicit RuleNetwork(QWidget* parent) : QWidget(parent) {
    setObjectName("ProgramIcon");
    setFixedSize(120, 120);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(235, 245, 245));
    p.setPen(QPen(kTeal, 2));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
    const QPointF facts[] = {{22, 25}, {22, 60}, {22, 95}};
    const QPointF rules[] = {{60, 40}, {60, 80}};
    const QPointF goal(98, 60);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    for (QPointF f : facts) {
      for (QPointF r : rules) p.drawLine(f, r);
    }
    for (QPointF r : rules) p.drawLine(r, goal);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(240, 200, 80));
    for (QPointF f : facts) p.drawEllipse(f, 8, 8);
    p.setBrush(kTeal);
    for (QPointF r : rules) p.drawRect(QRectF(r.x() - 9, r.y() - 9, 18, 18));
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(goal, 11, 11);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    font.setPointSize(8);
    p.setFont(font);
    p.drawText(QRectF(goal.x() - 11, goal.y() - 11, 22, 22), Qt::AlignCenter, "?");
  }
};

QLabel* line(QWidget* parent, const QString& text, int pointSize, bool bold, const QColor& color) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  if (pointSize > 0) font.setPointSize(pointSize);
  font.setBold(bold);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TAboutBox");
  setWindowTitle(QStringLiteral("О программе"));
  setModal(true);

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  const QColor ink = palette().color(QPalette::WindowText);

  auto* head = new QHBoxLayout;
  head->addWidget(new RuleNetwork(panel), 0, Qt::AlignTop);
  auto* titles = new QVBoxLayout;
  titles->addWidget(line(panel, QStringLiteral("VEKSA"), 22, true, kTeal));
  titles->addWidget(line(panel, QStringLiteral("Учебно-лабораторный практикум"), 0, true, kTeal));
  titles->addWidget(line(panel, QStringLiteral("по разработке экспертных систем"), 0, true, kTeal));
  titles->addWidget(line(panel, QStringLiteral("Version " VEKSA_VERSION), 0, false, ink));
  titles->addStretch();
  head->addLayout(titles, 1);

  auto* body = new QVBoxLayout(panel);
  body->addLayout(head);
  body->addSpacing(8);
  for (const QString& credit :
       {QStringLiteral("Оболочка для построения продукционных экспертных систем"),
        QStringLiteral("с коэффициентами уверенности."),
        QStringLiteral("Разработка: учебная группа проекта VEKSA."),
        QStringLiteral("Замечания и предложения направляйте преподавателю,"),
        QStringLiteral("ведущему лабораторный практикум.")}) {
    body->addWidget(line(panel, credit, 0, false, ink));
  }
  body->addSpacing(8);
  body->addWidget(line(panel, QStringLiteral("Для продолжения работы нажмите Enter"), 0, false, ink),
                  0, Qt::AlignHCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      close();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace veksa
