// Fuzzes the whole game through the window's behaviour on the recording platform: the bytes
// are a record file, then commands as a player gives them (board and hand clicks with either
// button, every menu command, loading and saving records, clock ticks, time passing, answers
// to the question boxes). After every command the game must still be one that could stand:
//  - positions that arose in play hold at most the set's two pieces of each kind, and one
//    king a side until a king is taken (for the board and for every history slot);
//  - a piece picked up is still where it was picked up (on its square or in its hand);
//  - the history's counters stay within the slots it holds;
//  - a saved record reloads into exactly the slots that were saved, and the position on the
//    board when the last move reached it.
// Any failure aborts, as does any sanitizer report.
//
// Input: two bytes (little-endian) giving the length of the record file (at most 4 KiB),
// the record file, then the commands, one opcode byte each with its argument bytes.
// ZELK_GAME_FUZZ_TRACE=1 prints each command and the history's counters after it.

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "play/form1_controller.h"
#include "presentation/fake_platform.h"
#include "base/file_io.h"
#include "records/fake_record_panel.h"
#include "formats/game_as_record.h"
#include "formats/record_file.h"

namespace {

namespace fs = std::filesystem;
using namespace zelk;

constexpr std::size_t kLargestRecordInput = 4096;
constexpr int kMostCommands = 300;

fs::path u8path(std::string_view s) { return fs::path(std::u8string(s.begin(), s.end())); }

void fail(const char* what) {
  std::fprintf(stderr, "game_fuzz: %s\n", what);
  std::abort();
}

// The folder of one fuzzing process: the sound files and, per input, the settings file and
// the records. A folder in memory, so that the saves' flushes cost nothing.
const fs::path& folder() {
  static const fs::path dir = [] {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const std::string prefix = "zelk55_game_fuzz_";
    // The folders of fuzzing processes that are gone (a crash leaves its folder behind).
    std::error_code gone;
    for (fs::directory_iterator it(base, gone); !gone && it != fs::directory_iterator(); it.increment(gone)) {
      const std::string name = it->path().filename().string();
      if (name.rfind(prefix, 0) != 0) continue;
      const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
      std::error_code ec;
      if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove_all(it->path(), ec);
    }
    fs::path d = base / (prefix + std::to_string(::getpid()));
    fs::remove_all(d);
    fs::create_directories(d);
    for (auto name : kSoundFiles)
      std::ofstream(d / u8path(name), std::ios::binary) << "RIFF" << std::string(4, '\0') << "WAVE";
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(folder(), ec);
    });
    return d;
  }();
  return dir;
}

// The kind index of a piece (1 歩 … 5 飛, 6 王), either side, promoted or not; 0 for no piece.
int kindOf(int code) {
  switch (code < 0 ? -code : code) {
    case COM歩:
    case COMと: return 1;
    case COM銀:
    case COM成銀: return 2;
    case COM金: return 3;
    case COM角:
    case COM馬: return 4;
    case COM飛:
    case COM龍: return 5;
    case COM王: return 6;
    default: return 0;
  }
}

// The set's pieces: two of each kind at most, and the kings.
// A position being edited may lack a king until it is taken; none may hold more than the set.
void checkPieces(const Board& b, const Hand& man, const Hand& com, int 勝者, bool editing = false) {
  int count[7] = {};
  int manKings = 0, comKings = 0;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) {
      const int code = b(X, Y);
      if (code == 0) continue;
      const int kind = kindOf(code);
      if (kind == 0) fail("a square holds no piece of the set");
      ++count[kind];
      if (code == MAN王) ++manKings;
      if (code == COM王) ++comKings;
    }
  for (int k = 1; k <= 5; ++k) {
    if (man(k) < 0 || com(k) < 0) fail("a negative count in hand");
    if (count[k] + man(k) + com(k) > 2) fail("more pieces of a kind than the set holds");
  }
  const bool kingMayBeMissing = 勝者 != 0 || editing;
  if (kingMayBeMissing ? manKings > 1 || comKings > 1 : manKings != 1 || comKings != 1) fail("not one king a side");
}

struct Game {
  test::FakePlatform fake;
  test::FakeRecordPanel panel;
  Form1Controller form;
  bool fromRecord = false;  // the position may come from a record file, not from play
  bool ended = false;

  Game() : form(fake.platform(), {folder()}, folder(), &panel) {
    fake.pausesPassAtOnce = false;
    panel.drive = "/";
    panel.folderList = panel.fileList = folder();
  }

  void check() {
    const GameState& g = form.g;
    if (std::getenv("ZELK_GAME_FUZZ_TRACE"))
      std::fprintf(stderr, "slots %zu last %d at %d moves %d turn %d record %d selected %d box %s\n", g.記録.size(),
                   g.記録最終, g.記録位置, g.手数, g.手番, g.棋譜モード, g.選択状態,
                   fake.boxes.empty() ? "" : fake.boxes.back().c_str());
    if (g.棋譜モード == 1) fromRecord = true;
    else if (fromRecord && g.記録最終 == 0 && g.記録位置 == 0 && g.手数 == 0 && g.手番 == 0) fromRecord = false;

    // Before the first game the history holds no slot at all.
    if (g.記録最終 < 0 || (g.記録最終 > 0 && g.記録.size() < static_cast<std::size_t>(g.記録最終) + 1))
      fail("history shorter than its last slot");
    if (g.記録位置 < 0 || g.記録位置 > g.記録最終 + 1) fail("history position outside the slots");
    if (g.手数 < 0) fail("negative move count");

    if (g.選択状態 == 1) {
      if (g.移動元X >= 1 && g.移動元X <= 5 && g.移動元Y >= 1 && g.移動元Y <= 5) {
        if (g.盤面(g.移動元X, g.移動元Y) != g.移動駒) fail("the piece picked up is no longer on its square");
      } else if (g.移動元X == kManHandColumn && g.移動元Y >= 1 && g.移動元Y <= 5) {
        if (g.持駒MAN(g.移動元Y) <= 0) fail("the piece picked up is no longer in MAN's hand");
      } else if (g.移動元X == kComHandColumn && g.移動元Y >= 1 && g.移動元Y <= 5) {
        if (g.持駒COM(6 - g.移動元Y) <= 0) fail("the piece picked up is no longer in COM's hand");
      } else {
        fail("a piece picked up from nowhere");
      }
    }

    if (fromRecord) return;
    checkPieces(g.盤面, g.持駒MAN, g.持駒COM, g.勝者, form.editor.editing());
    for (int n = 0; n <= g.記録最終 && static_cast<std::size_t>(n) < g.記録.size(); ++n) {
      const HistorySlot& s = g.記録[static_cast<std::size_t>(n)];
      checkPieces(s.盤面, s.持駒MAN, s.持駒COM, 0);  // a position a move was played from
    }
  }

  // The saved file holds the history's slots 1 … 記録最終, line for line, and the position the
  // last move reached when the board shows it.
  void checkSaved(const std::vector<HistorySlot>& saved) {
    const FileResult read = readWholeFile(folder() / u8path("out.棋譜"), 64u << 20);
    if (!read.ok) fail("a saved record cannot be read back");
    const RecordFile f = decodeRecordFile(read.bytes);
    if (f.records.size() != saved.size()) fail("a saved record reloads into another number of slots");
    for (std::size_t n = 0; n < saved.size(); ++n)
      if (recordLine(f.records[n]) != recordLine(saved[n])) fail("a saved record reloads into other slots");
  }

  void click(int button, std::uint8_t where) {
    const int X = where % 15 - 2;  // the hands, the board and beside them
    const int Y = where / 15 % 9;
    form.Form_MouseDown(button, 盤左 + X * 桝幅 + 300, 盤上 + Y * 桝高 + 345);
  }

  void menu(std::uint8_t which) {
    const MenuItem item = kMenuTable[which % kMenuItemCount].item;
    form.menuClicked(item);
    if (item == MenuItem::OWARI) ended = true;
  }

  void load(std::uint8_t which) {
    form.menuClicked(MenuItem::KIFU_READ);
    if (form.computerMoving()) return;  // the window takes no panel clicks meanwhile
    panel.fileName = which & 1 ? "out.棋譜" : "in.棋譜";
    form.records.File1_Click();
  }

  void save(std::string_view title, std::string_view names) {
    form.menuClicked(MenuItem::KIFU_WRITE);
    if (form.computerMoving() || !panel.entry) return;
    panel.texts[1] = "out";
    panel.texts[2] = std::string(title);
    panel.texts[3] = std::string(names.substr(0, names.size() / 2));
    panel.texts[4] = std::string(names.substr(names.size() / 2));
    const GameState& g = form.g;
    std::vector<HistorySlot> slots;
    for (int n = 1; n <= g.記録最終; ++n) slots.push_back(g.記録[static_cast<std::size_t>(n)]);
    if (boardIsPastTheHistory(g)) {
      const HistorySlot before = g.記録[static_cast<std::size_t>(g.記録位置 - 1)];
      slots.push_back(liveSlot(g, &before));
    }
    fake.boxes.clear();
    form.records.Command1_Click();
    if (!fake.boxes.empty() && fake.boxes.back() == "  |棋譜を書き込みました") checkSaved(slots);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t recordSize = static_cast<std::size_t>(data[0] | data[1] << 8);
  data += 2, size -= 2;
  if (recordSize > size) recordSize = size;
  if (recordSize > kLargestRecordInput) return 0;

  // Each input starts from the same files: its record, no saved record, default settings.
  const fs::path& dir = folder();
  std::ofstream(dir / u8path("in.棋譜"), std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(recordSize));
  std::error_code ec;
  fs::remove(dir / u8path("out.棋譜"), ec);
  fs::remove(dir / u8path("Zelk５五将棋.ini"), ec);
  data += recordSize, size -= recordSize;

  Game game;
  game.form.Form_Load();
  game.check();
  std::size_t at = 0;
  const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
  for (int commands = 0; at < size && commands < kMostCommands && !game.ended; ++commands) {
    const std::uint8_t op = next();
    if (std::getenv("ZELK_GAME_FUZZ_TRACE")) std::fprintf(stderr, "op %d arg %d\n", op % 16, at < size ? data[at] : -1);
    switch (op % 16) {
      case 0:
      case 1:
      case 12:
      case 13: game.click(1, next()); break;
      case 2:
      case 14: game.click(2, next()); break;
      case 3:
      case 15: game.menu(next()); break;
      case 4: game.load(next()); break;
      case 5: {
        const std::size_t n = next() % 16;
        const std::size_t from = at < size ? at : size;
        const std::size_t len = std::min(n, size - from);
        const std::string_view text(reinterpret_cast<const char*>(data + from), len);
        at = from + len;
        game.save(text.substr(0, len / 2), text.substr(len / 2));
        break;
      }
      case 6: game.form.Timer1_Timer(); break;
      case 7: game.fake.advance(next() * 0.05); break;  // the event loop's pauses run
      case 8: game.fake.answer = next() & 1 ? kYes : kNo; break;
      case 9: game.fake.pass(next() * 7.0); break;  // time of day moves on, past midnight too
      case 10:
        game.form.Form_KeyPress(next());
        game.ended = game.fake.windowCalls.size() > 0;
        break;
      case 11: game.load(1); break;
    }
    game.check();
  }
  // What the computer's turn still has to do runs to its end.
  if (!game.ended) {
    game.fake.runAllSteps();
    game.check();
  }
  return 0;
}
