// The "Почему?" panel of the question dialog: the rules whose conditions test the parameter being
// asked, each with its name and the condition line that tests it, in the order of the rule path.
// A small tool window beside the dialog; Esc and the close box hide it.
#ifndef VEKSA_UI_WHY_PANEL_H_
#define VEKSA_UI_WHY_PANEL_H_

#include <QWidget>
#include <vector>

#include "engine/why_asked.h"

class QLabel;
class QListWidget;

namespace veksa {

class WhyPanel : public QWidget {
  Q_OBJECT

 public:
  explicit WhyPanel(QWidget* parent);

  QLabel* heading() const { return heading_; }
  QListWidget* list() const { return list_; }  // one row per entry: "RULE: LINE"

  // Shows the entries for `parameter` beside `anchor` (the dialog).
  void showEntries(const QString& parameter, const std::vector<WhyEntry>& entries,
                   const QWidget* anchor);

 private:
  QLabel* heading_;
  QListWidget* list_;
};

}  // namespace veksa

#endif  // VEKSA_UI_WHY_PANEL_H_
