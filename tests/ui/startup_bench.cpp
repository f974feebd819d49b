// Prints how long the game takes from launch to the first paint of its window and how much
// memory it holds then and after a few seconds of a running clock. Message boxes are
// answered at once and printed, so nothing waits for a person.
//
//   zelk55_startup_bench [LAUNCH_NS]   LAUNCH_NS: CLOCK_REALTIME nanoseconds at launch
//                                      (e.g. $(date +%s%N)); without it, from main().

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ui/form1.h"

namespace {

long long realtimeNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::string memory() {
  std::ifstream status("/proc/self/status");
  std::string line, out;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0 || line.rfind("VmHWM:", 0) == 0) out += line + "  ";
  return out;
}

class AnsweringDialogs final : public zelk::Dialogs {
public:
  void messageBox(std::string_view text, std::string_view title, Icon) override {
    std::printf("message box: %.*s | %.*s\n", int(title.size()), title.data(), int(text.size()), text.data());
  }
  int askYesNo(std::string_view, std::string_view) override { return zelk::kYes; }
  void showVersionDialog() override {}
  void showHelp(const std::filesystem::path&) override {}
};

class FirstPaint final : public QObject {
public:
  long long launch = 0;
  bool seen = false;
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool result = QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Paint && !seen) {
      seen = true;
      QTimer::singleShot(0, [this] {
        std::printf("launch to first paint: %.1f ms\n", (realtimeNs() - launch) / 1e6);
        std::printf("memory at first paint: %s\n", memory().c_str());
      });
    }
    return result;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const long long mainNs = realtimeNs();
  FirstPaint first;
  first.launch = argc > 1 ? std::atoll(argv[1]) : mainNs;
  QApplication app(argc, argv);
  AnsweringDialogs dialogs;
  zelk::ui::Form1Options options;
  options.dialogs = &dialogs;
  options.startFolder = std::filesystem::current_path();
  options.soundFolders = {options.startFolder};
  zelk::ui::Form1 form(std::move(options));
  form.boardView()->installEventFilter(&first);
  form.show();

  // A clock runs for three seconds, as in a game, then the window closes.
  QTimer::singleShot(100, [&form] {
    auto& g = form.controller().g;
    g.手番 = g.MAN手番;
    g.開始時刻 =
        std::fmod(std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count(), 86400.0);
    g.timer1Enabled = true;
    form.setTimer1Enabled(true);
  });
  QTimer::singleShot(3100, [&form] {
    std::printf("memory after 3 s of a running clock: %s\n", memory().c_str());
    form.close();
  });
  return app.exec();
}
