#pragma once
// A platform that records everything the window logic asks of it, for tests without a
// display. Drawing is kept as a list of calls; the clock is set by the test.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "presentation/platform.h"

namespace zelk::test {

struct DrawCall {
  enum Kind { Picture, Outline, Text, Refresh } kind = Refresh;
  zelk::Picture picture{};
  float x = 0, y = 0, x2 = 0, y2 = 0;  // twips
  int colour = -1;
  std::string text;
  int size = 0;
  bool bold = false;
};

class FakePlatform final : public Surface,
                           public Dialogs,
                           public SoundLibrary,
                           public Clock,
                           public Timer,
                           public Menu,
                           public Window,
                           public Scheduler,
                           public Preferences {
public:
  Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, *this, *this, *this}; }

  // Preferences: what the per-user store holds.
  std::map<std::string, std::string, std::less<>> stored;
  std::string value(std::string_view key) const override {
    const auto it = stored.find(key);
    return it == stored.end() ? std::string() : it->second;
  }
  void setValue(std::string_view key, std::string_view v) override { stored[std::string(key)] = std::string(v); }

  // Surface
  std::vector<DrawCall> draws;
  void drawPicture(zelk::Picture picture, float x, float y) override;
  void drawOutline(int colour, float x1, float y1, float x2, float y2) override;
  void drawText(std::string_view text, float x, float y, int size, int colour, bool bold) override;
  void refresh() override;

  // The drawing calls of one kind, in order.
  std::vector<DrawCall> pictures() const { return only(DrawCall::Picture); }
  std::vector<DrawCall> outlines() const { return only(DrawCall::Outline); }
  std::vector<DrawCall> texts() const { return only(DrawCall::Text); }
  // The last picture drawn with its corner exactly at (x, y), if any.
  std::optional<zelk::Picture> lastPictureAt(float x, float y) const;

  // Dialogs: each shown box as "title|text", a question answered with `answer`.
  std::vector<std::string> boxes;
  int answer = kYes;
  void messageBox(std::string_view text, std::string_view title, Icon icon) override;
  int askYesNo(std::string_view text, std::string_view title) override;
  void showVersionDialog() override;
  void showHelp(const std::filesystem::path& page) override;

  // Sound: every call as text, e.g. "dsPlay 11"; buffers are numbered from 11.
  std::vector<std::string> soundCalls;
  int libraryHandle = 1;  // what dsInitialize answers
  int nextBuffer = 11;
  void sound(std::string call) { soundCalls.push_back(std::move(call)); }
  int dsInitialize() override;
  void dsTerminate() override;
  int dsCreateDSB(int library, const WaveFile& wave, int flags) override;
  void dsFree(int buffer) override;
  void dsPlay(int buffer) override;
  void dsPlayLooping(int buffer) override;
  void dsStop(int buffer) override;

  // Clock: the time of day, and the steady time the scheduler's pauses are measured on.
  double now = 0;
  double steady = 1000;
  double timeOfDay() override { return now; }
  // Lets time pass on both clocks; the time of day wraps at midnight.
  void pass(double seconds);

  // Scheduler. With `pausesPassAtOnce` (the default) a pause passes at once, both clocks
  // moving on by its length, as inside a busy wait; otherwise each step waits until the test
  // lets enough time pass with advance(). Steps posted from other threads wait for
  // runPosted(), since they must run on the test's own thread.
  bool pausesPassAtOnce = true;
  void after(double seconds, std::function<void()> step) override;
  void post(std::function<void()> step) override;
  // Lets `seconds` pass, running the steps that fall due meanwhile, earliest first.
  void advance(double seconds);
  // Runs the due steps one by one until none is waiting, letting the time pass to each.
  void runAllSteps();
  std::size_t waitingSteps() const { return timed_.size(); }
  // Waits up to `timeout` seconds of real time for a posted step, then runs those posted.
  bool runPosted(double timeout);

  // Timer, menu, window.
  std::vector<bool> timerCalls;
  void setTimer1Enabled(bool on) override { timerCalls.push_back(on); }
  std::map<MenuItem, bool> checks;
  void setChecked(MenuItem item, bool on) override { checks[item] = on; }
  bool isChecked(MenuItem item) const override;
  std::map<MenuItem, bool> enabled;  // items set; those never set are enabled
  void setEnabled(MenuItem item, bool on) override { enabled[item] = on; }
  bool isEnabled(MenuItem item) const { return !enabled.contains(item) || enabled.at(item); }
  int background = -1;
  double windowTop = 0;
  std::vector<std::string> windowCalls;
  void setBackgroundColour(int colour) override { background = colour; }
  double top() const override { return windowTop; }
  void place(double x, double y, double w, double h) override;
  void closeWindow() override { windowCalls.push_back("close"); }

private:
  std::vector<DrawCall> only(DrawCall::Kind kind) const;
  struct Timed {
    double due;
    std::uint64_t order;
    std::function<void()> step;
  };
  std::vector<Timed> timed_;
  std::uint64_t order_ = 0;
  std::mutex postedMutex_;
  std::condition_variable postedArrived_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace zelk::test
