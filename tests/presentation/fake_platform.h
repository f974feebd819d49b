#pragma once
// A platform that records everything the window logic asks of it, for tests without a
// display. Drawing is kept as a list of calls; the clock is set by the test.

#include <map>
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

class FakePlatform final : public Surface, public Dialogs, public SoundLibrary, public Clock,
                           public Timer, public Menu, public Window {
public:
  Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, *this}; }

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

  // Clock: both readings advance by `idleStep` at each idle moment.
  double now = 0;        // time of day
  double steady = 1000;  // monotonic
  double idleStep = 0.01;
  int idles = 0;
  double timeOfDay() override { return now; }
  double monotonic() override { return steady; }
  void idle() override;

  // Timer, menu, window.
  std::vector<bool> timerCalls;
  void setTimer1Enabled(bool on) override { timerCalls.push_back(on); }
  std::map<MenuItem, bool> checks;
  void setChecked(MenuItem item, bool on) override { checks[item] = on; }
  bool isChecked(MenuItem item) const override;
  int background = -1;
  double windowTop = 0;
  std::vector<std::string> windowCalls;
  void setBackgroundColour(int colour) override { background = colour; }
  double top() const override { return windowTop; }
  void place(double x, double y, double w, double h) override;
  void closeWindow() override { windowCalls.push_back("close"); }

private:
  std::vector<DrawCall> only(DrawCall::Kind kind) const;
};

}  // namespace zelk::test
