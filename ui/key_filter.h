// The keys that one control hears of its own: an event filter on the control that runs a handler
// for each key it was given and lets every other key through. The dialogs use it for Insert,
// Enter, Delete and Esc in their fields.
#ifndef VEKSA_UI_KEY_FILTER_H_
#define VEKSA_UI_KEY_FILTER_H_

#include <QObject>
#include <functional>
#include <initializer_list>
#include <map>

class QWidget;

namespace veksa {

class KeyFilter : public QObject {
  Q_OBJECT

 public:
  // Installs itself on `control`, which owns it.
  explicit KeyFilter(QWidget* control);
  // Runs `handler` for each of `keys` pressed without a modifier; the key goes no further.
  KeyFilter& on(std::initializer_list<int> keys, std::function<void()> handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::map<int, std::function<void()>> handlers_;
};

// Insert and both Enter keys: the keys that add the field's text to a list.
inline constexpr std::initializer_list<int> kAddKeys = {Qt::Key_Insert, Qt::Key_Return,
                                                        Qt::Key_Enter};

}  // namespace veksa

#endif  // VEKSA_UI_KEY_FILTER_H_
