// The question dialog.
#include "ui/question_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/question.h"
#include "ui/key_preview.h"
#include "ui/qt_text.h"
#include "ui/why_panel.h"
#include "ui/window_buttons.h"
#include "ui/window_placement.h"

namespace veksa {

namespace {

// Label1: the scale "-1", "0", "1" under the left end, the middle and the right end of the track
// bar, each centred under the tick it names.
class ScaleLabel : public QLabel {
 public:
  ScaleLabel(QSlider* track, QWidget* parent) : QLabel(parent), track_(track) {
    setText(QStringLiteral("-1 0 1"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStyleOptionSlider option;
    option.initFrom(track_);
    option.orientation = track_->orientation();
    option.minimum = track_->minimum();
    option.maximum = track_->maximum();
    option.sliderPosition = track_->value();
    option.sliderValue = track_->value();
    option.tickPosition = track_->tickPosition();
    option.tickInterval = track_->tickInterval();
    const int handle =
        track_->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, track_)
            .width();
    const int span = track_->width() - handle;
    const int left = track_->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QStringList marks = text().split(QLatin1Char(' '));
    const int values[] = {track_->minimum(), (track_->minimum() + track_->maximum()) / 2,
                          track_->maximum()};
    for (int i = 0; i < 3 && i < marks.size(); ++i) {
      const int x =
          left + handle / 2 +
          QStyle::sliderPositionFromValue(track_->minimum(), track_->maximum(), values[i], span);
      const int w = metrics.horizontalAdvance(marks[i]);
      const int at = std::clamp(x - w / 2, 0, std::max(0, width() - w));
      painter.drawText(QRect(at, 0, w, height()), Qt::AlignVCenter | Qt::AlignLeft, marks[i]);
    }
  }

 private:
  QSlider* track_;
};

}  // namespace

QuestionDialog::QuestionDialog(char16_t separator, QWidget* parent)
    : QDialog(parent, closeBoxOnly(Qt::Dialog) | Qt::MSWindowsFixedSizeDialogHint),
      separator_(separator),
      name_(new QLineEdit(this)),
      certainty_(new QLineEdit(this)),
      values_(new QListWidget(this)),
      track_(new QSlider(Qt::Horizontal, this)),
      scale_(new ScaleLabel(track_, this)),
      stop_(new QPushButton(QStringLiteral("стоп"), this)),
      all_(new QPushButton(QStringLiteral("все"), this)),
      yes_(new QPushButton(QStringLiteral("да"), this)),
      why_(new QPushButton(QStringLiteral("Почему?"), this)),
      whyPanel_(new WhyPanel(this)) {
  setObjectName("TForm10");
  offerCloseOnly(this);  // minimising the modal dialog would hide the whole program
  setWindowTitle(QStringLiteral("Вопрос"));
  setModal(true);

  // The read-only fields take no Tab stop.
  name_->setObjectName("Edit1");
  name_->setReadOnly(true);
  name_->setFocusPolicy(Qt::NoFocus);
  certainty_->setObjectName("Edit2");
  certainty_->setReadOnly(true);
  certainty_->setFocusPolicy(Qt::NoFocus);
  certainty_->setFixedWidth(70);
  certainty_->setAlignment(Qt::AlignRight);
  certainty_->setText(QStringLiteral("0"));
  values_->setObjectName("CheckListBox1");
  track_->setObjectName("TrackBar1");
  track_->setRange(kTrackMin, kTrackMax);
  track_->setSingleStep(1);
  track_->setPageStep(1);
  track_->setTickInterval(1);
  track_->setTickPosition(QSlider::TicksBelow);
  track_->setValue(0);
  track_->setMinimumWidth(330);
  scale_->setObjectName("Label1");
  stop_->setObjectName("Button3");
  all_->setObjectName("Button1");
  yes_->setObjectName("Button2");
  why_->setObjectName("whyButton");

  auto* top = topRow_ = new QHBoxLayout;
  top->addWidget(name_, 1);
  top->addWidget(certainty_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(stop_);
  buttons->addStretch(1);
  buttons->addWidget(all_);
  buttons->addStretch(1);
  buttons->addWidget(yes_);
  buttons->addSpacing(12);
  buttons->addWidget(why_);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(top);
  layout->addWidget(values_);
  layout->addWidget(track_);
  layout->addWidget(scale_);
  layout->addLayout(buttons);

  // Every change of the position, by mouse, key or program, shows its certainty.
  connect(track_, &QSlider::valueChanged, this, [this](int position) {
    certainty_->setText(toQString(certaintyText(position, separator_)));
  });
  connect(track_, &QSlider::valueChanged, scale_, qOverload<>(&QWidget::update));
  connect(yes_, &QPushButton::clicked, this, [this] { answer(AnswerButton::Yes); });
  connect(all_, &QPushButton::clicked, this, [this] { answer(AnswerButton::All); });
  connect(stop_, &QPushButton::clicked, this, [this] { answer(AnswerButton::Stop); });
  // Enter belongs to the dialog, not to whichever button has the focus.
  for (QPushButton* button : {stop_, all_, yes_}) button->setAutoDefault(false);
  for (QPushButton* button : {stop_, all_, yes_, why_}) button->setAutoDefault(false);
  // Tab goes from the values to the track bar, then to "да", "все" and "стоп", and last to
  // "Почему?".
  setTabOrder(values_, track_);
  setTabOrder(track_, yes_);
  setTabOrder(yes_, all_);
  setTabOrder(all_, stop_);
  setTabOrder(stop_, why_);
  connect(why_, &QPushButton::clicked, this, &QuestionDialog::showWhy);
  previewKeys(this, this);
}

void QuestionDialog::showName(const QString& name) {
  name_->setText(name);
  name_->setCursorPosition(0);
  // The field is as wide as the name, the dialog growing up to the width of the screen; a name
  // wider still shows its start, and the whole name as the field's tooltip.
  const QRect screen = this->screen()->availableGeometry();
  const QMargins margins = layout()->contentsMargins();
  const int others =
      margins.left() + margins.right() + topRow_->spacing() + certainty_->sizeHint().width();
  const int room = screen.width() - others - 2 * kFrameRoom;
  // The text, the field's inner margins (2 pixels each side, and the cursor), and its frame.
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, name_);
  const int wanted = name_->fontMetrics().horizontalAdvance(name) + 2 * 2 + 2 + 2 * frame +
                     name_->textMargins().left() + name_->textMargins().right();
  name_->setMinimumWidth(std::min(wanted, room));
  name_->setToolTip(wanted > room ? name : QString());
}

Answer QuestionDialog::ask(const Question& question) {
  certainty_->setText(QStringLiteral("0"));
  values_->clear();
  showName(toQString(question.parameter));
  for (const Line& value : question.values) {
    auto* item = new QListWidgetItem(toQString(value), values_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  // The list is as tall as its values, within reason; more scroll.
  const int row = values_->count() > 0 ? values_->sizeHintForRow(0) : fontMetrics().height() + 2;
  values_->setFixedHeight(row * std::clamp(values_->count(), 4, 12) + 2 * values_->frameWidth() +
                          4);
  track_->setValue(0);  // a change of position shows "0" again as well
  button_ = AnswerButton::Escape;
  tabbed_ = false;
  exec();
  whyPanel_->hide();

  Answer result;
  result.button = button_;
  result.position = track_->value();
  result.ticked.reserve(static_cast<std::size_t>(values_->count()));
  for (int i = 0; i < values_->count(); ++i) {
    result.ticked.push_back(values_->item(i)->checkState() == Qt::Checked);
  }
  return result;
}

void QuestionDialog::answer(AnswerButton button) {
  button_ = button;
  done(QDialog::Accepted);
}

void QuestionDialog::showWhy() {
  const Line parameter = toLine(name_->text());
  whyPanel_->showEntries(name_->text(),
                         whyEntries_ ? whyEntries_(parameter) : std::vector<WhyEntry>(), this);
}

void QuestionDialog::reject() {
  button_ = AnswerButton::Escape;
  QDialog::reject();
}

bool QuestionDialog::eventFilter(QObject* watched, QEvent* event) {
  if (isEnterPress(event) && isVisible()) {
    answer(AnswerButton::Yes);
    return true;
  }
  if (event->type() == QEvent::KeyPress && isVisible()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      // The dialog opens with the track bar focused, for the arrow keys; the first Tab enters
      // the Tab order at its start, the value list, so that Tab then Space ticks a value.
      const bool first = !tabbed_ && key->key() == Qt::Key_Tab && focusWidget() == track_;
      tabbed_ = true;
      if (first) {
        values_->setFocus(Qt::TabFocusReason);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void QuestionDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnScreen(this);
  track_->setFocus();
}

}  // namespace veksa
