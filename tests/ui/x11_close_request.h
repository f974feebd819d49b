#pragma once
// The close request a window manager sends when the player clicks a window's close button,
// sent through the X server. Kept apart because Xlib's names clash with Qt's.

namespace zelk::ui {

// Sends WM_DELETE_WINDOW to the X window; false when the display cannot be opened.
bool sendCloseRequest(unsigned long window);

}  // namespace zelk::ui
