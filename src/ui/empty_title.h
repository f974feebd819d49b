#pragma once
// A window whose title is the empty text shows no title at all. Qt gives such a window the
// program's name on X11; this puts the empty title back on the window the X server holds.

class QWidget;

namespace zelk::ui {

// Gives `window`, a top-level widget, an empty title; creates its native window if need be.
// Does nothing but set the empty title where the window is not an X11 one.
void showEmptyTitle(QWidget& window);

}  // namespace zelk::ui
