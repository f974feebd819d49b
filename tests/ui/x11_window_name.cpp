#include "ui/x11_window_name.h"

#include <X11/Xlib.h>

namespace zelk::ui {

std::optional<std::string> windowTextProperty(unsigned long window, const char* property) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return std::nullopt;
  std::optional<std::string> text;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  const Atom name = XInternAtom(display, property, False);
  if (XGetWindowProperty(display, window, name, 0, 1024, False, AnyPropertyType, &type, &format, &count, &left,
                         &data) == Success &&
      type != None) {
    text = std::string(reinterpret_cast<const char*>(data), count);
  }
  if (data) XFree(data);
  XCloseDisplay(display);
  return text;
}

}  // namespace zelk::ui
