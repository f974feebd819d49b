#include "records/record_commands.h"

#include <system_error>
#include <vector>

#include "core/move_execution.h"
#include "core/setup.h"
#include "base/file_io.h"
#include "formats/game_as_record.h"
#include "formats/record_file.h"
#include "base/utf8_path.h"

namespace zelk {

namespace {

namespace fs = std::filesystem;

// Characters, not bytes, of a UTF-8 text.
std::size_t characterCount(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

constexpr std::string_view kRecordExtension = ".棋譜";
constexpr std::uintmax_t kLargestRecordFile = 64u << 20;  // some 500 000 moves

}  // namespace

double 取得_棋譜のX座標(std::string_view text) {
  return 盤左 + 桝幅 * (3 + (13 - static_cast<double>(characterCount(text))) / 5);
}

void RecordCommands::描画_可視(bool drive, bool dir, bool file) { panel_.setListsVisible(drive, dir, file); }

void RecordCommands::描画_棋譜_IO(int mode) {
  if (mode == 0) {
    panel_.setEntryVisible(true);
    return;
  }
  for (int n = 1; n <= 4; ++n) panel_.setText(n, "");
  panel_.setEntryVisible(false);
}

void RecordCommands::KIFU_READ_Click() {
  描画_可視(true, true, true);
  描画_棋譜_IO(1);
}

void RecordCommands::KIFU_WRITE_Click() {
  if (g.反転済 == 1) {
    p_.dialogs.messageBox("反転後は書き込みできません", "棋譜書込");
    return;
  }
  if (g.ハンデ設定済 == 1) {
    p_.dialogs.messageBox("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込");
    return;
  }
  描画_可視(true, true, false);
  描画_棋譜_IO(0);
}

// A drive that cannot be read (no medium, gone, failing) is not ready; a drive that is there
// but refused to us is left alone, as is the folder list.
void RecordCommands::Drive1_Change() {
  const fs::path drive = panel_.chosenDrive();
  std::error_code ec;
  if (fs::is_directory(drive, ec)) {
    panel_.setFolderListFolder(drive);
    Dir1_Change();
    return;
  }
  if (ec == std::errc::permission_denied) return;
  p_.dialogs.messageBox("ﾃﾞﾊﾞｲｽが準備できていません", "ｴﾗｰ");
}

void RecordCommands::Dir1_Change() { panel_.setFileListFolder(panel_.folderListFolder()); }

bool RecordCommands::mayReplaceGame(std::string_view question, std::string_view title) {
  if (!g.未保存) return true;
  return p_.dialogs.askYesNo("保存していない対局は消えます。" + std::string(question), title) == kYes;
}

void RecordCommands::printHeader(std::string_view text, double x, double y, int colour) {
  if (text.empty()) return;
  p_.surface.drawText(text, static_cast<float>(x), static_cast<float>(y), 12, colour, screen_.fontBold());
}

void RecordCommands::printRecordHeader(std::string_view title, std::string_view upperName, std::string_view lowerName) {
  printHeader(title, 取得_棋譜のX座標(title) - 3000, 6350, 色明赤);
  printHeader(upperName, 取得_棋譜のX座標(upperName), 100, 色白);
  printHeader(lowerName, 取得_棋譜のX座標(lowerName), 6350, 色白);
}

// The file is read whole before anything changes: a file that cannot be read leaves the game
// as it was. Slot 0 is the starting position; the file's lines fill slots 1, 2, … (as many as
// it has).
void RecordCommands::File1_Click() {
  描画_可視(false, false, false);
  const std::string name = panel_.chosenFileName();
  if (name.empty()) return;
  const fs::path path = panel_.fileListFolder() / pathOfUtf8(name);
  // A record of a real game is a few kilobytes; a huge file is no record and is not read.
  const FileResult read = readWholeFile(path, kLargestRecordFile);
  if (read.tooLarge) {
    p_.dialogs.messageBox(displayName(path) + ": 棋譜ファイルとしては大きすぎます", "棋譜読込",
                          Dialogs::Icon::Exclamation);
    return;
  }
  if (!read.ok) {
    p_.dialogs.messageBox(read.error, "棋譜読込", Dialogs::Icon::Exclamation);
    return;
  }

  if (!mayReplaceGame("読み込みますか？", "棋譜読込")) return;
  const RecordFile f = decodeRecordFile(read.bytes);
  初期設定(g, screen_);
  g.棋譜モード = 1;
  printRecordHeader(f.title, f.upperName, f.lowerName);
  g.棋譜表題 = f.title;
  g.上の対局者 = f.upperName;
  g.下の対局者 = f.lowerName;
  const int c = static_cast<int>(f.records.size());

  // Slot 0 is the starting position; the file's slots follow it.
  g.記録.assign(1, HistorySlot{g.盤面, g.持駒MAN, g.持駒COM});
  g.記録.insert(g.記録.end(), f.records.begin(), f.records.end());

  g.記録位置 = 0;
  g.手数 = 0;
  g.記録最終 = c;
  if (c == 0) {
    p_.dialogs.messageBox("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜");
    return;
  }
  p_.dialogs.messageBox(" 読み込みました", "棋譜");
  p_.dialogs.messageBox("棋譜を '進 'で進めて下さい", "棋譜");
  g.手番 = 1;
}

// The whole file is made before anything is written, and written beside the old one then
// renamed over it: a refused name or a failed write keeps the panel open and the old file.
void RecordCommands::Command1_Click() {
  const std::string name = panel_.text(1);
  if (name.empty()) {
    p_.dialogs.messageBox("ﾌｧｲﾙ名が入力されていません", "  ");
    return;
  }
  if (g.記録最終 < 1) {
    p_.dialogs.messageBox("保存するデータがありません", "棋譜保存");
    return;
  }

  RecordFile f;
  f.title = panel_.text(2);
  const bool manFirst = g.MAN手番 == 1;
  f.upperName = panel_.text(manFirst ? 4 : 3);
  f.lowerName = panel_.text(manFirst ? 3 : 4);
  for (int n = 1; n <= g.記録最終; ++n) f.records.push_back(slotOf(g, n));
  // The position the last move reached is in no slot: one more line keeps it, so the winning
  // move of a finished game is stepped to as well.
  if (boardIsPastTheHistory(g)) {
    const HistorySlot before = slotOf(g, g.記録位置 - 1);
    f.records.push_back(liveSlot(g, &before));
  }
  const EncodedRecord encoded = encodeRecordFile(f);
  if (!encoded.error.empty()) {
    p_.dialogs.messageBox(encoded.error, "棋譜保存", Dialogs::Icon::Exclamation);
    return;
  }

  const fs::path path = panel_.fileListFolder() / pathOfUtf8(name + std::string(kRecordExtension));
  const FileResult written = writeFileAtomically(path, encoded.bytes);
  if (!written.ok) {
    p_.dialogs.messageBox(written.error, "棋譜保存", Dialogs::Icon::Exclamation);
    return;
  }
  g.未保存 = false;
  closePanel();
  panel_.refreshFileList();
  p_.dialogs.messageBox("棋譜を書き込みました", "  ");
}

}  // namespace zelk
