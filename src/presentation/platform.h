#pragma once
// What the window's logic asks of the desktop: drawing in twips, message boxes, the sound
// library, the clocks, the tick timer, the menu's check marks, the window itself and the
// event loop's timers.
// The Qt window implements these; the tests use a recording fake.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "presentation/menu_table.h"

namespace zelk {

// The picture store. Pairs hold the face at index 0 and the promoted face at index 1.
enum class PictureName {
  KARA_MASU,
  HAIKEI_MIDORI,
  HAIKEI_TATAMI,
  HAIKEI_TAKE,
  HAIKEI_UCHU,
  HAIKEI_RENGA,
  ZelkSHOGI,
  SITA_HU,
  SITA_GIN,
  SITA_KIN,
  SITA_KAKU,
  SITA_SYA,
  SITA_OU,
  UE_HU,
  UE_GIN,
  UE_KIN,
  UE_KAKU,
  UE_SYA,
  UE_OU,
};

struct Picture {
  PictureName name = PictureName::KARA_MASU;
  int index = 0;
  friend bool operator==(const Picture&, const Picture&) = default;
};

// The window surface. Positions and sizes are twips; colours are palette numbers 0..15.
class Surface {
public:
  virtual ~Surface() = default;
  // The picture, unscaled, with its top-left corner at (x, y).
  virtual void drawPicture(Picture picture, float x, float y) = 0;
  // A one-line unfilled rectangle from (x1, y1) to (x2, y2), both corners included.
  virtual void drawOutline(int colour, float x1, float y1, float x2, float y2) = 0;
  // Text with its top-left corner at (x, y); size in points.
  virtual void drawText(std::string_view text, float x, float y, int fontSize, int colour, bool bold) = 0;
  // Puts what has been drawn on the screen now, without waiting for the event loop.
  virtual void refresh() = 0;
};

inline constexpr int kYes = 6;  // answers of a Yes/No question
inline constexpr int kNo = 7;

class Dialogs {
public:
  enum class Icon { None, Exclamation };
  virtual ~Dialogs() = default;
  virtual void messageBox(std::string_view text, std::string_view title, Icon icon = Icon::None) = 0;
  virtual int askYesNo(std::string_view text, std::string_view title) = 0;  // kYes or kNo
  virtual void showVersionDialog() = 0;                                     // the modal version dialog
  // The help page in a browser window with a toolbar (back, forward, home) and no menu bar.
  virtual void showHelp(const std::filesystem::path& page) = 0;
};

// A wave file as handed to the sound library: where it lies and all of its bytes.
struct WaveFile {
  std::filesystem::path path;
  std::vector<char> bytes;
};

// The sound library: integer handles, 0 = none. Every call with handle 0 does nothing.
class SoundLibrary {
public:
  virtual ~SoundLibrary() = default;
  virtual int dsInitialize() = 0;  // the library handle; 0 when there is no audio output
  virtual void dsTerminate() = 0;
  virtual int dsCreateDSB(int 音源, const WaveFile& wave, int flags) = 0;  // a buffer; 0 on failure
  virtual void dsFree(int buffer) = 0;
  virtual void dsPlay(int buffer) = 0;         // once from the start
  virtual void dsPlayLooping(int buffer) = 0;  // again and again until stopped
  virtual void dsStop(int buffer) = 0;
};

class Clock {
public:
  virtual ~Clock() = default;
  virtual double timeOfDay() = 0;  // seconds since midnight, with fraction; wraps at midnight
};

// The event loop's own timers: a step that waits runs later, and the window keeps repainting
// and taking events meanwhile.
class Scheduler {
public:
  virtual ~Scheduler() = default;
  // Runs `step` on the event loop once `seconds` have passed on a steady clock.
  virtual void after(double seconds, std::function<void()> step) = 0;
  // Runs `step` on the event loop as soon as it gets there; safe to call from any thread.
  virtual void post(std::function<void()> step) = 0;
};

class Timer {
public:
  virtual ~Timer() = default;
  virtual void setTimer1Enabled(bool on) = 0;  // the 50 ms clock tick
};

class Menu {
public:
  virtual ~Menu() = default;
  virtual void setChecked(MenuItem item, bool on) = 0;
  virtual bool isChecked(MenuItem item) const = 0;
  // A disabled item is shown greyed and cannot be chosen; every item starts enabled.
  virtual void setEnabled(MenuItem item, bool on) = 0;
};

class Window {
public:
  virtual ~Window() = default;
  virtual void setBackgroundColour(int colour) = 0;                         // palette number
  virtual double top() const = 0;                                           // twips; -60 when maximised
  virtual void place(double x, double y, double width, double height) = 0;  // twips
  virtual void closeWindow() = 0;                                           // closes the window and ends the program
};

// Options kept per user beside the four-line settings file, whose bytes never change for them.
class Preferences {
public:
  virtual ~Preferences() = default;
  virtual std::string value(std::string_view key) const = 0;  // empty when never set
  virtual void setValue(std::string_view key, std::string_view value) = 0;
};

struct Platform {
  Surface& surface;
  Dialogs& dialogs;
  SoundLibrary& sound;
  Clock& clock;
  Timer& timer;
  Menu& menu;
  Window& window;
  Scheduler& scheduler;
  Preferences& preferences;
};

}  // namespace zelk
