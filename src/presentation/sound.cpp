#include "presentation/sound.h"

#include <string>
#include <system_error>

#include "base/file_io.h"
#include "base/utf8_path.h"

namespace zelk {

namespace {

std::string u8name(const std::filesystem::path& p) { return utf8Of(p.filename()); }

bool isWave(const std::vector<char>& b) {
  return b.size() >= 12 && std::string_view(b.data(), 4) == "RIFF" && std::string_view(b.data() + 8, 4) == "WAVE";
}

}  // namespace

std::filesystem::path findFile(std::string_view name, const std::vector<std::filesystem::path>& folders) {
  for (const auto& folder : folders) {
    std::error_code ec;
    const auto candidate = folder / pathOfUtf8(name);
    if (std::filesystem::exists(candidate, ec)) return candidate;
  }
  return {};
}

void SoundModule::初期化_音源() {
  音源 = lib_.dsInitialize();
  if (音源 == 0) 表示_警告("Direct Soundインターフェースが作成できません。");
}

int SoundModule::読込_効果音(std::string_view 名前, int flags) {
  if (音源 == 0) return 0;
  const std::filesystem::path path = findFile(名前, folders_);
  if (path.empty()) return 0;
  // A folder, a pipe, a device or a huge file in its place is not read: a warning, no sound.
  const FileResult read = readWholeFile(path, kLargestSoundFile);
  if (!read.ok) {
    表示_警告(read.error);
    return 0;
  }
  WaveFile wave{path, std::vector<char>(read.bytes.begin(), read.bytes.end())};
  if (!isWave(wave.bytes)) {
    表示_警告(u8name(path) + " は WAVE 形式ではありません。");
    return 0;
  }
  const int buffer = lib_.dsCreateDSB(音源, wave, flags);
  if (buffer == 0) 表示_警告(u8name(path) + " を再生の準備ができません。");
  return buffer;
}

void SoundModule::終了_音源() {
  if (音源 != 0) lib_.dsTerminate();
}

void SoundModule::表示_警告(std::string_view 文字列) {
  dialogs_.messageBox(文字列, "Zelk５五将棋.dll", Dialogs::Icon::Exclamation);
}

void SoundModule::loadAll() {
  効果音その他 = 読込_効果音("その他.wav", 3);
  効果音禁止 = 読込_効果音("禁止.wav", 3);
  効果音駒打 = 読込_効果音("駒打音.wav", 3);
  効果音BGM = 読込_効果音("BGM.wav", 1);
}

void SoundModule::freeAll() {
  lib_.dsFree(効果音その他);
  lib_.dsFree(効果音禁止);
  lib_.dsFree(効果音駒打);
  lib_.dsFree(効果音BGM);
}

}  // namespace zelk
