// Title-bar buttons: the window type under X11.
#include "ui/window_buttons.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(VEKSA_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#define VEKSA_X11_WINDOW_TYPE 1
#endif

namespace veksa {

namespace {

#ifdef VEKSA_X11_WINDOW_TYPE
xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return found;
}

// Replaces the window type that Qt announced (dialog or utility) by a toolbar's.
void announceToolbar(QWidget* window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return;
  xcb_connection_t* connection = x11->connection();
  const xcb_atom_t type = atom(connection, "_NET_WM_WINDOW_TYPE");
  const xcb_atom_t toolbar = atom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR");
  if (type == XCB_ATOM_NONE || toolbar == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                      type, XCB_ATOM_ATOM, 32, 1, &toolbar);
  xcb_flush(connection);
}
#endif

// Announces the type each time the window is about to be mapped: the show event comes after Qt
// has created the native window (and set its own type) and before the window manager sees it.
class CloseOnlyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
#ifdef VEKSA_X11_WINDOW_TYPE
    if (event->type() == QEvent::Show) announceToolbar(static_cast<QWidget*>(watched));
#else
    (void)watched;
    (void)event;
#endif
    return false;
  }
};

}  // namespace

void offerCloseOnly(QWidget* window) { window->installEventFilter(new CloseOnlyFilter(window)); }

}  // namespace veksa
