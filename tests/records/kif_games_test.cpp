// Games played on the board with mouse clicks, written as KIF and read back: every position of
// the history and every clock total comes back, whoever moved first, with handicaps, after
// 反転 and after 戻; a ".棋譜" the game saved goes to KIF and back unchanged.

#include <cmath>

#include "core/move_execution.h"
#include "core/sfen.h"
#include "players/engine_move.h"
#include "formats/game_as_record.h"
#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "formats/record_formats.h"
#include "formats/record_slots.h"
#include "records/records_fixture.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

// One position as the player sees it: board, hands and both clocks in whole seconds.
struct Seen {
  Board board;
  Hand man, com;
  long manBefore = 0, comBefore = 0, manAfter = 0, comAfter = 0;
  friend bool operator==(const Seen&, const Seen&) = default;
};

// How a failing comparison shows a position: the board as SFEN and the four totals.
void PrintTo(const Seen& s, std::ostream* os) {
  GameState g;
  g.盤面 = s.board;
  g.持駒MAN = s.man;
  g.持駒COM = s.com;
  *os << toSfen(g) << " M " << s.manBefore << "/" << s.manAfter << " C " << s.comBefore << "/" << s.comAfter;
}

long whole(double s) { return static_cast<long>(std::floor(s)); }

Seen seenOf(const HistorySlot& s, bool withAfter) {
  Seen v{s.盤面, s.持駒MAN, s.持駒COM, whole(s.前秒M), whole(s.前秒C), 0, 0};
  if (withAfter) v.manAfter = whole(s.後秒M), v.comAfter = whole(s.後秒C);
  return v;
}

// The slot as the other side sees it: the game turned round, MAN and COM exchanged.
HistorySlot turned(const HistorySlot& s) {
  HistorySlot t = s;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) t.盤面(6 - x, 6 - y) = -s.盤面(x, y);
  std::swap(t.持駒MAN, t.持駒COM);
  std::swap(t.前秒M, t.前秒C);
  std::swap(t.後秒M, t.後秒C);
  return t;
}

struct KifGamesTest : test::RecordsTest {
  // Enters a move by clicks, as a player would: the piece (or the hand), then the square, with
  // the right button to promote.
  void play(const UsiMove& m) {
    if (m.isDrop()) {
      if (g().手番 == g().MAN手番) click(kManHandColumn, m.kind);
      else click(kComHandColumn, 6 - m.kind);
    } else {
      click(m.fromX, m.fromY);
    }
    form->Form_MouseDown(m.promote ? 2 : 1, 盤左 + m.toX * 桝幅 + 300, 盤上 + m.toY * 桝高 + 345);
  }
  // Plays the engine's choice for the side to move, `seconds` of thinking on the clock.
  void playChoice(int level, double seconds) {
    fake.now += seconds;
    const EngineAnswer a = engineMove(g(), level);
    ASSERT_TRUE(a.found);
    play(a.move);
  }

  // The history the player can step through: the saved slots, then the board shown.
  std::vector<Seen> history(bool withAfter) {
    std::vector<Seen> out;
    for (int n = 0; n < g().記録位置; ++n) out.push_back(seenOf(slotOf(g(), n), withAfter));
    HistorySlot live;
    live.盤面 = g().盤面;
    live.持駒MAN = g().持駒MAN;
    live.持駒COM = g().持駒COM;
    Seen last = seenOf(live, false);
    out.push_back(last);
    return out;
  }

  // The history up to the n-th position, the last without clocks as the written one has it; a
  // game of the game's own rules is written as far as the official rules let it go, ending
  // with the word they end it with.
  std::vector<Seen> playedAsFarAs(std::size_t n, bool withAfter) {
    std::vector<Seen> out = history(withAfter);
    if (n >= out.size()) return out;
    const GameRecord r = recordOfGame(g()).record;
    EXPECT_TRUE(r.end.word == "反則負け" || r.end.word == "詰み" || r.end.word == "千日手") << r.end.word;
    out.resize(n);
    out.back().manBefore = out.back().comBefore = out.back().manAfter = out.back().comAfter = 0;
    return out;
  }

  // The game written as KIF, read back, and its positions as the history has them.
  std::vector<Seen> throughKif(bool withAfter, GameRecord* read = nullptr) {
    const GameAsRecord game = recordOfGame(g());
    EXPECT_EQ(game.error, "");
    const KifRead back = readKif(writeKif(game.record));
    EXPECT_TRUE(back.ok()) << back.error;
    if (read) *read = back.record;
    std::vector<Seen> out;
    for (HistorySlot s : slotsOf(back.record)) {
      if (game.turned) s = turned(s);
      out.push_back(seenOf(s, withAfter));
    }
    // The board shown has no saved clocks; its board and hands are what counts.
    out.back().manBefore = out.back().comBefore = out.back().manAfter = out.back().comAfter = 0;
    return out;
  }

  // The game, named and titled, written by each writer and read back: the same positions, and
  // the times and names of the formats that hold them. Only a game from the standard start has
  // a ".棋譜" file.
  void expectEveryWriterReadsBack() {
    GameRecord r = recordOfGame(g()).record;
    r.先手名 = "太郎";
    r.後手名 = "花子";
    r.setHeader("表題", "練習");
    const Replay played = replay(r);
    for (const RecordFormat f : {RecordFormat::Native, RecordFormat::Kif, RecordFormat::Kifu, RecordFormat::Sfen}) {
      const EncodedBytes written = encodeRecord(r, f);
      if (f == RecordFormat::Native && !(r.start == standardStart())) {
        EXPECT_EQ(written.error, "初期配置が平手の５五将棋でない棋譜は .棋譜 に書けません");
        continue;
      }
      ASSERT_TRUE(written.ok()) << written.error;
      const DecodedRecord back = decodeRecord(written.bytes, f);
      ASSERT_TRUE(back.ok()) << static_cast<int>(f) << ": " << back.error;
      EXPECT_EQ(replay(back.record).positions, played.positions) << static_cast<int>(f);
      if (f == RecordFormat::Sfen) continue;
      EXPECT_EQ(back.record.先手名, "太郎");
      EXPECT_EQ(back.record.後手名, "花子");
      EXPECT_EQ(back.record.header("表題"), "練習");
      if (f == RecordFormat::Native) EXPECT_EQ(slotsOf(back.record), slotsOf(r));
      else EXPECT_EQ(back.record.moves, r.moves);
    }
  }
};

TEST_F(KifGamesTest, GamesAgainstTheComputerAtEachLevelFromEitherSide) {
  for (const bool manFirst : {true, false}) {
    for (int level = 1; level <= 3; ++level) {
      form->CANCEL_Click();
      form->レベル_設定(level);
      fake.now = 1000;
      if (manFirst) form->SENTE_Click();
      else form->GOTE_Click();
      for (int n = 0; n < 40 && g().勝者 == 0; ++n) playChoice(level, 3.25 + n % 7);

      GameRecord read;
      const std::vector<Seen> written = throughKif(true, &read);
      const bool cut = written.size() < history(true).size();
      EXPECT_EQ(written, playedAsFarAs(written.size(), true)) << "level " << level << (manFirst ? " 先手" : " 後手");
      // Whoever moved first is 先手 in the record, on the standard start.
      EXPECT_EQ(read.start, standardStart());
      if (!cut && g().勝者 != 0) {
        const bool manWon = g().勝者 == g().MAN手番;
        EXPECT_EQ(read.end.winner, manWon == manFirst ? 先手 : 後手);
      }
      expectEveryWriterReadsBack();
    }
  }
}

TEST_F(KifGamesTest, AGameBetweenTwoPeopleWithDropsAndPromotionsToTheKingTaken) {
  fake.now = 500;
  form->START_Click();
  int moves = 0;
  for (; moves < 200 && g().勝者 == 0; ++moves) playChoice(1 + moves % 3, 1.5 + moves % 4);
  ASSERT_NE(g().勝者, 0) << "the game did not end";

  GameRecord read;
  // The move entry charges a human game's time as MAN's in the slot's after-values; the totals
  // before each move are each side's own.
  const std::vector<Seen> written = throughKif(false, &read);
  EXPECT_EQ(written, playedAsFarAs(written.size(), false));
  if (written.size() < history(false).size()) return;  // ended earlier by the official rules
  bool dropped = false, promoted = false;
  for (const RecordedMove& m : read.moves) dropped |= m.move.isDrop(), promoted |= m.move.promote;
  EXPECT_TRUE(dropped && promoted) << "a game of " << moves << " moves";
  // The last move's total is its mover's clock.
  const RecordedMove& last = read.moves.back();
  EXPECT_EQ(last.total, whole(read.moves.size() % 2 == 1 ? g().MAN秒 : g().COM秒));
  EXPECT_EQ(read.end.winner, g().勝者 == g().MAN手番 ? 先手 : 後手);
  expectEveryWriterReadsBack();
}

TEST_F(KifGamesTest, AHandicapGameStartsFromItsDiagram) {
  handicap->LBEL_UP_Click();
  handicap->LBEL_UP_Click();  // the computer without its gold and silver
  fake.now = 0;
  form->SENTE_Click();
  for (int n = 0; n < 12 && g().勝者 == 0; ++n) playChoice(3, 2);
  GameRecord read;
  EXPECT_EQ(throughKif(true, &read), history(true));
  EXPECT_EQ(read.start.盤面, board("rb2k/4p/5/P4/KGSBR b - 1"));
  EXPECT_NE(writeKif(recordOfGame(g()).record).find("|v飛v角 ・ ・v玉|一"), std::string::npos);
  expectEveryWriterReadsBack();
}

TEST_F(KifGamesTest, AfterTurningTheBoardTheGameStartsAtTheTurnedPosition) {
  form->START_Click();
  playChoice(1, 1);
  playChoice(1, 1);
  nav->REVERSE_Click();
  const Board turnedBoard = g().盤面;
  for (int n = 0; n < 6 && g().勝者 == 0; ++n) playChoice(2, 1);
  GameRecord read;
  EXPECT_EQ(throughKif(false, &read), history(false));
  EXPECT_EQ(read.start.盤面, turnedBoard);
  expectEveryWriterReadsBack();
}

TEST_F(KifGamesTest, AfterBackTheRecordEndsAtTheSlotShown) {
  fake.now = 0;
  form->START_Click();
  for (int n = 0; n < 8; ++n) playChoice(1, 2);
  nav->REPLAY_Click();
  nav->REPLAY_Click();
  nav->REPLAY_Click();
  ASSERT_EQ(g().記録位置, 5);
  const GameAsRecord game = recordOfGame(g());
  EXPECT_EQ(game.record.moves.size(), 5u);
  EXPECT_EQ(throughKif(false), history(false));
  EXPECT_EQ(game.record.end, RecordEnd{});
  expectEveryWriterReadsBack();
}

TEST_F(KifGamesTest, ARecordFileTheGameSavedGoesToKifAndBackByteForByte) {
  fake.now = 100;
  form->SENTE_Click();
  for (int n = 0; n < 16 && g().勝者 == 0; ++n) playChoice(2, 4.5);
  records->KIFU_WRITE_Click();
  panel.texts[1] = "対局";
  panel.texts[2] = "練習";
  panel.texts[3] = "太郎";
  panel.texts[4] = "ｺﾝﾋﾟｭｰﾀ";
  records->Command1_Click();
  const std::string saved = readFile(folder / test::u8path("対局.棋譜"));
  ASSERT_FALSE(saved.empty());

  const DecodedRecord game = decodeRecord(saved, RecordFormat::Native);
  ASSERT_TRUE(game.ok()) << game.error;
  EXPECT_EQ(game.record.先手名, "太郎");
  const EncodedBytes kif = encodeRecord(game.record, RecordFormat::Kif);
  ASSERT_TRUE(kif.ok()) << kif.error;
  const DecodedRecord back = decodeRecord(kif.bytes, RecordFormat::Kif);
  ASSERT_TRUE(back.ok()) << back.error;
  const EncodedBytes again = encodeRecord(back.record, RecordFormat::Native);
  ASSERT_TRUE(again.ok()) << again.error;
  // Each position and each total comes back; only the last saved slot's after-values (the
  // move after it, which no file holds) are its before-values again.
  const RecordFile before = decodeRecordFile(saved), after = decodeRecordFile(again.bytes);
  ASSERT_EQ(after.records.size(), before.records.size());
  for (std::size_t i = 0; i < before.records.size(); ++i) {
    HistorySlot expected = before.records[i];
    if (i + 1 == before.records.size()) expected.後秒M = expected.前秒M, expected.後秒C = expected.前秒C;
    EXPECT_EQ(after.records[i], expected) << "slot " << i + 1;
  }
  EXPECT_EQ(after.title, "練習");
  EXPECT_EQ(after.upperName, "ｺﾝﾋﾟｭｰﾀ");
  EXPECT_EQ(after.lowerName, "太郎");
}

}  // namespace
}  // namespace zelk
