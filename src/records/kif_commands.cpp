#include "records/kif_commands.h"

#include <algorithm>
#include <vector>

#include "core/move_execution.h"
#include "core/setup.h"
#include "core/sfen.h"
#include "base/file_io.h"
#include "formats/game_as_record.h"
#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "formats/record_formats.h"
#include "formats/record_slots.h"
#include "formats/sfen_record.h"

namespace zelk {

namespace {

constexpr std::string_view kWriteTitle = "KIF書込";
constexpr std::string_view kReadTitle = "KIF読込";
constexpr std::string_view kPasteTitle = "貼付け";

// Text as a clipboard holds it: lines ended by LF alone.
std::string withoutCarriageReturns(const std::string& s) {
  std::string out;
  for (const char c : s)
    if (c != '\r') out += c;
  return out;
}

// A position in USI's words rather than a KIF: one line starting "position", "sfen" or
// "startpos", or whose first word is an SFEN board.
bool isPositionText(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  text.remove_prefix(start);
  const std::size_t end = text.find_last_not_of(" \t\r\n");
  text = text.substr(0, end + 1);
  if (text.find('\n') != std::string_view::npos) return false;
  const std::string_view first = text.substr(0, text.find_first_of(" \t"));
  return first == "position" || first == "sfen" || first == "startpos" || first.find('/') != std::string_view::npos;
}

}  // namespace

void KifCommands::refuse(std::string_view text, std::string_view title) {
  p_.sound.dsPlay(sounds_.効果音禁止);
  p_.dialogs.messageBox(text, title, Dialogs::Icon::Exclamation);
}

GameRecord KifCommands::currentRecord() const {
  GameRecord r = plainRecord();
  if (annotate) annotate(r);
  return r;
}

GameRecord KifCommands::plainRecord() const {
  const GameAsRecord game = recordOfGame(g);
  if (g.棋譜モード == 1 && loaded_) {
    const std::vector<HistorySlot> slots = slotsOf(*loaded_);
    const auto shown = std::min<std::size_t>(g.記録.size(), static_cast<std::size_t>(std::max(g.記録最終, 0)) + 1);
    if (slots.size() == shown && std::equal(slots.begin(), slots.end(), g.記録.begin())) return *loaded_;
  }
  GameRecord r = game.record;
  std::string lower = g.下の対局者, upper = g.上の対局者;
  if (g.棋譜モード == 0 && g.対局モード == 1) lower = std::string(kPlayerName), upper = std::string(kComputerName);
  r.先手名 = game.turned ? upper : lower;
  r.後手名 = game.turned ? lower : upper;
  if (!g.開始日時.empty()) r.setHeader("開始日時", g.開始日時);
  if (!g.棋譜表題.empty()) r.setHeader("表題", g.棋譜表題);
  r.setHeader("ルール", g.rules == Rules::official ? "公式" : "王取り");
  return r;
}

// The file is written whole beside the old one and renamed over it; nothing in the game
// changes, whatever happens.
void KifCommands::KIF_WRITE_Click() {
  records_.closePanel();
  if (const std::string broken = recordOfGame(g).error; !broken.empty()) {
    p_.dialogs.messageBox(broken, kWriteTitle, Dialogs::Icon::Exclamation);
    return;
  }
  const GameRecord r = currentRecord();
  if (r.moves.empty() && r.start == standardStart()) {
    p_.dialogs.messageBox("保存するデータがありません", kWriteTitle);
    return;
  }
  const auto chosen = desktop_.chooseKifToSave(kWriteTitle, "棋譜.kif");
  if (!chosen) return;
  std::filesystem::path path = *chosen;
  auto format = formatOfPath(path);
  if (format != RecordFormat::Kif && format != RecordFormat::Kifu) {
    path += ".kif";
    format = RecordFormat::Kif;
  }
  const EncodedBytes e = encodeRecord(r, *format);
  if (!e.ok()) {
    p_.dialogs.messageBox(e.error, kWriteTitle, Dialogs::Icon::Exclamation);
    return;
  }
  const FileResult written = writeFileAtomically(path, e.bytes);
  if (!written.ok) {
    p_.dialogs.messageBox(written.error, kWriteTitle, Dialogs::Icon::Exclamation);
    return;
  }
  g.未保存 = false;
  p_.dialogs.messageBox("棋譜を書き込みました", kWriteTitle);
}

// The file is read and every move checked before anything changes.
void KifCommands::KIF_READ_Click() {
  records_.closePanel();
  const auto path = desktop_.chooseKifToOpen(kReadTitle);
  if (!path) return;
  const DecodedRecord d = readRecordFile(*path, formatOfPath(*path).value_or(RecordFormat::Kif));
  if (!d.ok()) {
    p_.dialogs.messageBox(d.error, kReadTitle, Dialogs::Icon::Exclamation);
    return;
  }
  if (!records_.mayReplaceGame("読み込みますか？", kReadTitle)) return;
  if (d.record.moves.empty()) setUpPosition(d.record, kReadTitle);
  else loadRecord(d.record);
}

// After the move that decided the game the loser is to move, whatever the turn was left at;
// a game won by taking the king gives the board as it is, the loser's king gone, which 貼付け
// takes as that decided game.
void KifCommands::SFEN_COPY_Click() {
  records_.closePanel();
  GameState shown = g;
  if (g.勝者 != 0 && boardIsPastTheHistory(g)) shown.手番 = -g.勝者;
  desktop_.setClipboardText(toSfen(shown));
}

// A history that is no game is refused rather than copied as a game of no moves.
void KifCommands::KIF_COPY_Click() {
  records_.closePanel();
  if (const std::string broken = recordOfGame(g).error; !broken.empty()) refuse(broken, "棋譜ｺﾋﾟｰ");
  else desktop_.setClipboardText(withoutCarriageReturns(writeKif(currentRecord())));
}

void KifCommands::KIF_PASTE_Click() {
  records_.closePanel();
  const std::string text = desktop_.clipboardText();
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    refuse("貼り付ける局面や棋譜がありません", kPasteTitle);
    return;
  }
  // No more than a record file may hold: a paste of any size is answered at once.
  if (text.size() > kLargestKifFile) {
    refuse("貼り付ける文字は棋譜としては大きすぎます", kPasteTitle);
    return;
  }
  if (isPositionText(text)) {
    const PositionText position = readPositionText(text);
    if (!position.ok()) refuse(position.error, kPasteTitle);
    else if (records_.mayReplaceGame("貼り付けますか？", kPasteTitle)) setUpPosition(position.record, kPasteTitle);
    return;
  }
  const KifRead read = readKif(text);
  if (!read.ok()) refuse(read.error, kPasteTitle);
  else if (!records_.mayReplaceGame("貼り付けますか？", kPasteTitle)) return;
  else if (read.record.moves.empty()) setUpPosition(read.record, kPasteTitle);
  else loadRecord(read.record);
}

// As a ".棋譜" load: the board at the start, 棋譜モード, the header on the window, 進 to step.
void KifCommands::loadRecord(const GameRecord& r) {
  const std::vector<HistorySlot> slots = slotsOf(r);
  初期設定(g, screen_);
  g.棋譜モード = 1;
  g.MAN手番 = 先手;
  g.COM手番 = 後手;
  g.記録 = slots;
  g.記録位置 = 0;
  g.記録最終 = static_cast<int>(slots.size()) - 1;
  g.手数 = r.firstMoveNumber - 1;
  restoreSlot(g, 0);
  g.MAN秒 = slots[0].前秒M;
  g.COM秒 = slots[0].前秒C;
  g.棋譜表題 = r.header("表題");
  g.上の対局者 = r.後手名;
  g.下の対局者 = r.先手名;
  g.開始日時 = r.header("開始日時");
  loaded_ = r;
  screen_.画面_再描画();
  records_.printRecordHeader(g.棋譜表題, g.上の対局者, g.下の対局者);
  p_.dialogs.messageBox(" 読み込みました", "棋譜");
  p_.dialogs.messageBox("棋譜を '進 'で進めて下さい", "棋譜");
  g.手番 = r.start.手番;
}

// As after 戻 in a game: the moves behind the position are in the history, the next board
// click or start command takes up play from it.
void KifCommands::setUpPosition(const GameRecord& r, std::string_view title) {
  const std::vector<HistorySlot> slots = slotsOf(r);
  const Replay played = replay(r);
  const int n = static_cast<int>(slots.size()) - 1;
  初期設定(g, screen_);
  g.MAN手番 = 先手;
  g.COM手番 = 後手;
  g.記録.assign(slots.begin(), slots.end() - (n > 0 ? 1 : 0));
  g.記録位置 = n;
  g.記録最終 = std::max(0, n - 1);
  const HistorySlot& now = slots.back();
  g.盤面 = now.盤面;
  g.持駒MAN = now.持駒MAN;
  g.持駒COM = now.持駒COM;
  g.持駒数MAN = 調査_持駒数(g, g.MAN手番);
  g.持駒数COM = 調査_持駒数(g, g.COM手番);
  g.MAN秒 = now.前秒M;
  g.COM秒 = now.前秒C;
  g.手数 = r.firstMoveNumber - 1 + n;
  g.手番 = played.positions.back().手番;
  // Moves that took a king leave the game decided.
  if (!hasKing(g.盤面, COM王)) g.勝者 = g.MAN手番;
  else if (!hasKing(g.盤面, MAN王)) g.勝者 = g.COM手番;
  g.再開待ち = 1;
  g.局面設定済 = 1;
  g.開始日時 = r.header("開始日時");
  g.棋譜表題 = r.header("表題");
  g.上の対局者 = r.後手名;
  g.下の対局者 = r.先手名;
  screen_.画面_再描画();
  screen_.描画_手数(g.手数);
  p_.dialogs.messageBox("局面を設定しました", title);
}

}  // namespace zelk
