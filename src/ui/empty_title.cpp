#include "ui/empty_title.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <cstdlib>
#include <cstring>

namespace zelk::ui {

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(reply);
  return a;
}

}  // namespace

// Both the old and the newer name property are emptied: window managers read either.
void showEmptyTitle(QWidget& window) {
  window.setWindowTitle(QString());
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;
  xcb_connection_t* c = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
  const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
  if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, nullptr);
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
  xcb_flush(c);
}

}  // namespace zelk::ui
