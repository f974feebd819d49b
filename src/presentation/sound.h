#pragma once
// The game's sounds over the sound library: start-up, loading a wave file into a buffer,
// shut-down and the library's warning box. A handle of 0 is "no sound" and plays nothing,
// so the game runs silently when there is no audio output or a file is missing.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "presentation/platform.h"

namespace zelk {

// A sound file larger than this is not read: some six minutes of music at CD quality.
inline constexpr std::uintmax_t kLargestSoundFile = 64u << 20;

// The sound files, looked up in these folders in order.
inline constexpr std::string_view kSoundFiles[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"};

// The first folder holding the file, joined with its name; empty when none has it.
std::filesystem::path findFile(std::string_view name, const std::vector<std::filesystem::path>& folders);

class SoundModule {
public:
  SoundModule(SoundLibrary& library, Dialogs& dialogs, std::vector<std::filesystem::path> folders)
      : lib_(library), dialogs_(dialogs), folders_(std::move(folders)) {}

  int 音源 = 0;  // the library handle; 0 when the library could not start
  int 効果音駒打 = 0, 効果音禁止 = 0, 効果音その他 = 0, 効果音BGM = 0;

  void 初期化_音源();
  int 読込_効果音(std::string_view 名前, int flags);
  void 終了_音源();
  void 表示_警告(std::string_view 文字列);

  // The four buffers of the game, loaded in the start-up order, and released in it.
  void loadAll();
  void freeAll();

  SoundLibrary& library() { return lib_; }

private:
  SoundLibrary& lib_;
  Dialogs& dialogs_;
  std::vector<std::filesystem::path> folders_;
};

}  // namespace zelk
