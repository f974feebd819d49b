#pragma once
// A window's title as the X server holds it, as xprop shows it. Kept apart because Xlib's
// names clash with Qt's.

#include <optional>
#include <string>

namespace zelk::ui {

// The bytes of the window's text property `property` ("WM_NAME", "_NET_WM_NAME"); nothing
// when the window has no such property or the display cannot be opened.
std::optional<std::string> windowTextProperty(unsigned long window, const char* property);

}  // namespace zelk::ui
