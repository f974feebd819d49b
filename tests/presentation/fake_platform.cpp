#include "presentation/fake_platform.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace zelk::test {

void FakePlatform::drawPicture(zelk::Picture picture, float x, float y) {
  DrawCall c;
  c.kind = DrawCall::Picture;
  c.picture = picture;
  c.x = x;
  c.y = y;
  draws.push_back(c);
}

void FakePlatform::drawOutline(int colour, float x1, float y1, float x2, float y2) {
  DrawCall c;
  c.kind = DrawCall::Outline;
  c.colour = colour;
  c.x = x1;
  c.y = y1;
  c.x2 = x2;
  c.y2 = y2;
  draws.push_back(c);
}

void FakePlatform::drawText(std::string_view text, float x, float y, int size, int colour, bool bold) {
  DrawCall c;
  c.kind = DrawCall::Text;
  c.text = std::string(text);
  c.x = x;
  c.y = y;
  c.size = size;
  c.colour = colour;
  c.bold = bold;
  draws.push_back(c);
}

void FakePlatform::refresh() { draws.push_back(DrawCall{}); }

std::optional<zelk::Picture> FakePlatform::lastPictureAt(float x, float y) const {
  std::optional<zelk::Picture> found;
  for (const DrawCall& c : draws)
    if (c.kind == DrawCall::Picture && std::fabs(c.x - x) < 0.01f && std::fabs(c.y - y) < 0.01f) found = c.picture;
  return found;
}

std::vector<DrawCall> FakePlatform::only(DrawCall::Kind kind) const {
  std::vector<DrawCall> out;
  for (const DrawCall& c : draws)
    if (c.kind == kind) out.push_back(c);
  return out;
}

void FakePlatform::messageBox(std::string_view text, std::string_view title, Icon icon) {
  boxes.push_back(std::string(title) + "|" + std::string(text) + (icon == Icon::Exclamation ? "|!" : ""));
}

int FakePlatform::askYesNo(std::string_view text, std::string_view title) {
  boxes.push_back(std::string(title) + "|" + std::string(text) + "|?");
  return answer;
}

void FakePlatform::showVersionDialog() { boxes.push_back("version dialog"); }
void FakePlatform::showHelp(const std::filesystem::path& page) {
  const std::u8string s = page.u8string();
  boxes.push_back("help " + std::string(s.begin(), s.end()));
}

int FakePlatform::dsInitialize() {
  sound("dsInitialize");
  return libraryHandle;
}
void FakePlatform::dsTerminate() { sound("dsTerminate"); }
int FakePlatform::dsCreateDSB(int library, const WaveFile& wave, int flags) {
  const std::u8string name = wave.path.filename().u8string();
  sound("dsCreateDSB " + std::to_string(library) + " " + std::string(name.begin(), name.end()) + " " +
        std::to_string(flags) + " " + std::to_string(wave.bytes.size()));
  return nextBuffer++;
}
void FakePlatform::dsFree(int buffer) { sound("dsFree " + std::to_string(buffer)); }
void FakePlatform::dsPlay(int buffer) { sound("dsPlay " + std::to_string(buffer)); }
void FakePlatform::dsPlayLooping(int buffer) { sound("dsPlayLooping " + std::to_string(buffer)); }
void FakePlatform::dsStop(int buffer) { sound("dsStop " + std::to_string(buffer)); }

void FakePlatform::pass(double seconds) {
  steady += seconds;
  now = std::fmod(now + seconds, 86400.0);
}

void FakePlatform::after(double seconds, std::function<void()> step) {
  if (pausesPassAtOnce) {
    pass(seconds);
    step();
    return;
  }
  timed_.push_back(Timed{steady + seconds, order_++, std::move(step)});
}

void FakePlatform::post(std::function<void()> step) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(step));
  }
  postedArrived_.notify_all();
}

void FakePlatform::advance(double seconds) {
  const double until = steady + seconds;
  for (;;) {
    auto next = std::min_element(timed_.begin(), timed_.end(), [](const Timed& a, const Timed& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == timed_.end() || next->due > until + 1e-9) break;
    if (next->due > steady) pass(next->due - steady);
    std::function<void()> step = std::move(next->step);
    timed_.erase(next);
    step();
  }
  if (until > steady) pass(until - steady);
}

void FakePlatform::runAllSteps() {
  while (!timed_.empty()) {
    double due = timed_.front().due;
    for (const Timed& t : timed_) due = std::min(due, t.due);
    advance(due > steady ? due - steady : 0);
  }
}

bool FakePlatform::runPosted(double timeout) {
  std::deque<std::function<void()>> steps;
  {
    std::unique_lock lock(postedMutex_);
    postedArrived_.wait_for(lock, std::chrono::duration<double>(timeout), [this] { return !posted_.empty(); });
    steps.swap(posted_);
  }
  for (auto& step : steps) step();
  return !steps.empty();
}

bool FakePlatform::isChecked(MenuItem item) const {
  auto it = checks.find(item);
  return it != checks.end() && it->second;
}

void FakePlatform::place(double x, double y, double w, double h) {
  windowCalls.push_back("place " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) +
                        " " + std::to_string(static_cast<int>(w)) + " " + std::to_string(static_cast<int>(h)));
}

}  // namespace zelk::test
