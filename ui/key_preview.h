// Keyboard preview: dialogs that see the keys of their controls first, so that Enter means the
// dialog's answer whichever control has the focus.
#ifndef VEKSA_UI_KEY_PREVIEW_H_
#define VEKSA_UI_KEY_PREVIEW_H_

class QEvent;
class QObject;
class QWidget;

namespace veksa {

// Sends the events of `window` and of all its controls through `filter` first.
void previewKeys(QWidget* window, QObject* filter);

// A press of Enter or Return.
bool isEnterPress(const QEvent* event);

// Esc hides `window`: a key press of Esc that none of its controls took.
void hideOnEscape(QWidget* window);

}  // namespace veksa

#endif  // VEKSA_UI_KEY_PREVIEW_H_
