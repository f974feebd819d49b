#pragma once
// Lets the event loop run for a while, as a person waits for the window to show its work.

#include <QEventLoop>
#include <QTimer>

namespace zelk::test {

inline void settle(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace zelk::test
