#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <new>
#include <sstream>
#include <string>
#include <thread>

#include "core/sfen.h"
#include "core/test_support.h"
#include "com/move_choice.h"
#include "usi/line_reader.h"
#include "players/engine_move.h"
#include "players/levels.h"
#include "search/time_manager.h"
#include "usi/usi.h"

// Counts heap allocations, so a test can show the search makes none. (GCC takes the malloc
// behind this operator new for a mismatch with the free behind operator delete.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static std::atomic<long> gAllocations{0};
void* operator new(std::size_t n) {
  ++gAllocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace zelk {
namespace {

// What the engine writes, safe to read while its worker thread writes.
class Transcript : public std::streambuf {
public:
  std::string text() {
    const std::lock_guard<std::mutex> lock(m_);
    return s_;
  }
  void clear() {
    const std::lock_guard<std::mutex> lock(m_);
    s_.clear();
  }

protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) {
      const std::lock_guard<std::mutex> lock(m_);
      s_.push_back(static_cast<char>(c));
    }
    return c;
  }
  std::streamsize xsputn(const char* p, std::streamsize n) override {
    const std::lock_guard<std::mutex> lock(m_);
    s_.append(p, static_cast<std::size_t>(n));
    return n;
  }

private:
  std::mutex m_;
  std::string s_;
};

// An engine and what it said.
struct Session {
  Transcript transcript;
  std::ostream out{&transcript};
  UsiEngine engine{out};
  std::string send(const std::string& lines) {
    std::istringstream in(lines);
    std::string line;
    while (std::getline(in, line))
      if (!engine.handle(line)) break;
    return transcript.text();
  }
  // Everything said once the running go has answered.
  std::string answered() {
    engine.waitForAnswer();
    return transcript.text();
  }
};

std::string session(const std::string& lines) {
  Session s;
  s.send(lines);
  return s.answered();
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Usi, HandshakeNamesTheEngineAndItsOptions) {
  const std::string out = session("usi\nisready\nquit\nisready\n");
  EXPECT_TRUE(has(out, "id name "));
  EXPECT_TRUE(has(out, "id author "));
  EXPECT_TRUE(has(out, "option name Level type spin default 3 min 1 max " + std::to_string(kHighestLevel) + "\n"));
  EXPECT_TRUE(has(out, "option name USI_Hash type spin default 16 min 1 max 1024\n"));
  EXPECT_TRUE(has(out, "option name MultiPV type spin default 1 min 1 max 3\n"));
  EXPECT_TRUE(has(out, "usiok\n"));
  // One readyok: nothing is answered after quit.
  EXPECT_EQ(out.find("readyok"), out.rfind("readyok"));
}

TEST(Usi, PerftPrintsEachRootMoveAndTheTotal) {
  const std::string out = session("position startpos\ngo perft 1\n");
  EXPECT_TRUE(has(out, "5d5c: 1\n"));  // the MAN pawn straight up
  EXPECT_TRUE(has(out, "2e4c: 1\n"));  // the bishop two squares up-left
  EXPECT_TRUE(has(out, "Nodes searched: 14\n"));
  EXPECT_TRUE(has(session("position startpos\ngo perft 4\n"), "Nodes searched: 49952\n"));
  EXPECT_TRUE(has(session("position startpos\ngo perft\n"), "Nodes searched: 14\n"));
}

TEST(Usi, TheOfficialRulesAreAChoiceOfTheEngine) {
  EXPECT_TRUE(has(session("usi\n"), "option name Rules type combo default kingcapture var kingcapture var official\n"));
  EXPECT_TRUE(
      has(session("setoption name Rules value official\nposition startpos\ngo perft 4\n"), "Nodes searched: 35401\n"));
  // The pinned gold on 5d may not step aside under them; under the game's own rules it may.
  const char* pinned = "position sfen 4k/5/r4/G4/K4 b - 1 moves 5d4d\n";
  EXPECT_TRUE(has(session(std::string("setoption name Rules value official\n") + pinned + "go perft 1\n"),
                  "bad move 5d4d: the move leaves the king attacked"));
  EXPECT_TRUE(has(session(std::string(pinned) + "go perft 1\n"), "Nodes searched: "));
  Session s;
  s.send("setoption name Rules value chess\n");
  EXPECT_EQ(s.engine.rules(), Rules::kingCapture);
  EXPECT_EQ(s.transcript.text(), "info string Rules must be kingcapture or official\n");
}

TEST(Usi, PerftTakesOnlyAWholeDepthFromOneToTen) {
  for (const char* bad : {"go perft 4294967297", "go perft 1x", "go perft 0", "go perft -1", "go perft 11",
                          "go perft 3 4", "go perft +2"}) {
    const std::string out = session(std::string("position startpos\n") + bad + "\n");
    EXPECT_TRUE(has(out, "info string ")) << bad;
    EXPECT_FALSE(has(out, "Nodes searched")) << bad << " gave " << out;
    EXPECT_FALSE(has(out, "bestmove")) << bad;
  }
}

TEST(Usi, StopEndsALongPerft) {
  Session s;
  s.send("position startpos\ngo perft 10\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // well into the count
  s.send("stop\n");                                             // returns once the count has ended
  const std::string out = s.transcript.text();
  EXPECT_TRUE(has(out, "info string perft stopped\n"));
  EXPECT_FALSE(has(out, "Nodes searched"));
  // The engine answers again at once.
  EXPECT_TRUE(has(s.send("isready\n"), "readyok\n"));
}

TEST(Usi, APipedQuitAfterPerftGetsTheCountButEndsASearchAtOnce) {
  // As every engine's scripts pipe it: the count comes before quit is acted on.
  Session q;
  q.send("position startpos\ngo perft 5\nquit\n");
  const std::string counted = q.transcript.text();
  EXPECT_TRUE(has(counted, "Nodes searched: ")) << counted;
  EXPECT_FALSE(has(counted, "perft stopped"));

  // An endless search would hold quit for ever if it waited as well.
  Session s;
  s.send("position startpos\ngo infinite\n");
  EXPECT_FALSE(s.engine.handle("quit"));
  EXPECT_TRUE(has(s.transcript.text(), "bestmove "));
}

TEST(Usi, AMateSearchAnswersWithItsLineThatThereIsNoneOrThatItsTimeRanOut) {
  // A gold dropped beside the cornered king, covered by the other gold.
  const std::string one = session("position sfen 4k/5/4G/5/K4 b G 1\ngo mate 60000\n");
  EXPECT_TRUE(one == "checkmate G*2b\n" || one == "checkmate G*1b\n") << one;
  // Rook and gold drive the king into the corner; each reply is the one that lasts longest.
  EXPECT_EQ(session("position sfen k4/5/5/5/KG2R b G 1\ngo mate 60000\n"), "checkmate 1e1a+ 5a5b 1a2b 5b5a G*5b\n");
  // A king alone gives no check at all: no mate, proven.
  EXPECT_EQ(session("position sfen 4k/5/5/5/K4 b - 1\ngo mate 60000\n"), "checkmate nomate\n");
  // A lone rook checks for ever without a mate: the time runs out, or stop ends the search.
  EXPECT_EQ(session("position sfen k4/5/5/5/K3R b - 1\ngo mate 0\n"), "checkmate timeout\n");
  Session s;
  s.send("position sfen k4/5/5/5/K3R b - 1\ngo mate infinite\nisready\n");
  s.send("stop\n");
  EXPECT_EQ(s.transcript.text(), "readyok\ncheckmate timeout\n");
}

TEST(Usi, ARefusedPositionLeavesNoneAndGoSaysWhyAndResigns) {
  const struct {
    const char* command;
    const char* reason;
  } cases[] = {
      {"position sfen rbsgk/4p/5/P4/KGSBX b - 1", "bad sfen: unknown piece 'X'"},
      {"position startpos moves 5d5c 1a1e", "bad move 1a1e: illegal move"},
      {"position startpos moves zz", "bad move zz: a move is like 5d5c, 5d5c+ or P*3c"},
      {"position", "position needs startpos or sfen"},
      {"position sfen rbsgk/4p/5/P4/KGSBR", "bad sfen: sfen needs a board and a side to move"},
      {"position sfen rbsgk/4p/5/P4/KGSBR b 40P 1",
       "impossible position: more than 2 pawns on the board and in the hands"},
      {"position sfen rbsgk/4p/5/P4/KGSBR b 40P40P40P 1", "bad sfen: hand count too large"},
      {"position sfen 5/5/5/5/5 b - 1", "impossible position: sente has no king"},
      {"position sfen Pbsgk/4p/5/5/KGSBR b - 1", "impossible position: a sente pawn on 5a can never move"},
      {"position sfen rbsgk/5/P4/P4/KGSBR b - 1", "impossible position: two unpromoted sente pawns on file 5"},
  };
  for (const auto& c : cases) {
    for (const int level : {3, 6}) {
      Session s;
      s.send("setoption name Level value " + std::to_string(level) + "\nposition startpos moves 5d5c\n");
      ASSERT_TRUE(s.engine.position().has_value());
      s.transcript.clear();
      s.send(std::string(c.command) + "\n");
      EXPECT_EQ(s.transcript.text(), std::string("info string ") + c.reason + "\n") << c.command;
      EXPECT_FALSE(s.engine.position().has_value()) << c.command;
      s.transcript.clear();
      s.send("go\n");
      EXPECT_EQ(s.answered(), std::string("info string ") + c.reason + "\nbestmove resign\n") << c.command;
      s.transcript.clear();
      s.send("go perft 2\n");
      EXPECT_EQ(s.answered(), std::string("info string ") + c.reason + "\n") << c.command;
    }
  }
  // A good position afterwards is taken again.
  EXPECT_TRUE(has(session("position sfen 5/5/5/5/5 b - 1\nposition startpos\ngo perft 1\n"), "Nodes searched: 14\n"));
}

TEST(Usi, LevelOptionTakesTheLevelsOfTheMenuOnly) {
  Session s;
  s.send("setoption name Level value 1\n");
  EXPECT_EQ(s.engine.level(), 1);
  const std::string top = std::to_string(kHighestLevel), beyond = std::to_string(kHighestLevel + 1);
  s.send("setoption name Level value " + top + "\n");
  EXPECT_EQ(s.engine.level(), kHighestLevel);
  for (const std::string& bad :
       {beyond, std::string("0"), std::string("4x"), std::string(), std::string("-5"), std::string("99999999999")}) {
    s.transcript.clear();
    s.send("setoption name Level value " + bad + "\n");
    EXPECT_EQ(s.engine.level(), kHighestLevel) << bad;
    EXPECT_EQ(s.transcript.text(), "info string Level must be 1 to " + top + "\n") << bad;
  }
}

TEST(Usi, GoAnswersScoreThenBestMove) {
  // COM to move can take the MAN king with its gold: 9999, and the search stops there.
  const std::string out = session("position sfen 4k/5/5/3g1/3K1 w - 1\ngo btime 0 wtime 0\n");
  EXPECT_NE(out.find("info score cp 9999\ninfo string score 9999\nbestmove 2d2e\n"), std::string::npos) << out;
}

TEST(Usi, ASideWithoutACandidateResigns) {
  // The upper side's gold takes the lower side's king: the game is over for every level.
  for (const char* level : {"3", "6"})
    EXPECT_TRUE(has(session(std::string("setoption name Level value ") + level +
                            "\nposition sfen 4k/5/5/3g1/3K1 w - 1 moves 2d2e\ngo\n"),
                    "bestmove resign\n"))
        << level;
  // A COM pawn on the last rank cannot move and COM has nothing else.
  GameState g = test::position("5/5/5/4K/p4 w - 1");
  EXPECT_FALSE(decideComMove(g).found);
}

TEST(Usi, TheSearchingLevelsAnswerWithInfoAndAPlayableMove) {
  for (const char* level : {"4", "5", "6"}) {
    const std::string out = session(std::string("setoption name Level value ") + level +
                                    "\nposition startpos moves 5d5c 1b1c\ngo depth 4\n");
    EXPECT_TRUE(has(out, "info depth 4 seldepth ")) << out;
    EXPECT_TRUE(has(out, " score cp ")) << out;
    const std::size_t at = out.find("bestmove ");
    ASSERT_NE(at, std::string::npos) << out;
    std::istringstream answer(out.substr(at + 9));
    std::string move;
    answer >> move;
    GameState g = test::position(kStartSfen);
    ASSERT_FALSE(playUsiMove(g, *parseUsiMove("5d5c")).has_value());
    ASSERT_FALSE(playUsiMove(g, *parseUsiMove("1b1c")).has_value());
    const auto m = parseUsiMove(move);
    ASSERT_TRUE(m.has_value()) << move;
    EXPECT_FALSE(playUsiMove(g, *m).has_value()) << move;
  }
  // A king that can be taken is taken, and the score says the game is won now.
  const std::string out = session("setoption name Level value 6\nposition sfen 4k/5/5/3g1/3K1 w - 1\ngo\n");
  EXPECT_TRUE(has(out, "score mate 1 ")) << out;
  EXPECT_TRUE(has(out, "bestmove 2d2e\n")) << out;
}

TEST(Usi, InfiniteAndPonderWaitForStopOrPonderhit) {
  for (const char* level : {"3", "6"}) {
    for (const char* go : {"go infinite", "go ponder btime 1000 wtime 1000", "go ponder"}) {
      for (const char* release : {"stop", "ponderhit"}) {
        if (std::string(go) == "go infinite" && std::string(release) == "ponderhit") continue;
        Session s;
        s.send(std::string("setoption name Level value ") + level + "\nposition startpos\n" + go + "\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_TRUE(has(s.send("isready\n"), "readyok\n"));  // answered while it thinks
        EXPECT_FALSE(has(s.transcript.text(), "bestmove")) << level << " " << go << ": answered at once";
        s.send(std::string(release) + "\n");
        EXPECT_TRUE(has(s.answered(), "bestmove ")) << level << " " << go << " " << release;
      }
    }
  }
  // A new position ends an endless search with its answer first.
  Session s;
  s.send("setoption name Level value 6\nposition startpos\ngo infinite\nposition startpos moves 5d5c\n");
  EXPECT_TRUE(has(s.transcript.text(), "bestmove "));
}

TEST(Usi, ASearchUnderAClockAnswersWithinItsTime) {
  for (const char* go : {"go btime 0 wtime 0 byoyomi 300", "go btime 2000 wtime 2000 byoyomi 100",
                         "go btime 600 wtime 90000 binc 100 winc 100", "go movetime 250"}) {
    Session s;
    s.send("setoption name Level value 6\nposition startpos moves 5d5c 1b1c 4e3d\n");
    const auto t0 = std::chrono::steady_clock::now();
    s.send(std::string(go) + "\n");
    const std::string out = s.answered();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_TRUE(has(out, "bestmove ")) << go;
    // The budget the GUI allows (upper side to move: wtime, winc), with a little for a busy machine.
    const long allowed = std::string(go).find("byoyomi 300") != std::string::npos   ? 300
                         : std::string(go).find("byoyomi 100") != std::string::npos ? 2100
                         : std::string(go).find("movetime") != std::string::npos    ? 250
                                                                                    : 90000 / 8 + 100;
    EXPECT_LE(ms, allowed + 100) << go;
  }
}

TEST(Usi, TimeManagementNeverPlansPastTheClock) {
  for (std::int64_t left : {0, 1, 10, 100, 1000, 30000, 600000}) {
    for (std::int64_t byoyomi : {0, 10, 100, 3000}) {
      for (std::int64_t inc : {0, 100, 5000}) {
        GoCommand go;
        go.time[0] = left;
        go.time[1] = 5;
        go.increment[0] = inc;
        go.byoyomi = byoyomi;
        const search::SearchLimits l = search::limitsFor(go, 0);
        EXPECT_GE(l.hardMs, 1);
        EXPECT_LE(l.softMs, l.hardMs);
        if (left + byoyomi > search::kMoveOverheadMs) {
          EXPECT_LE(l.hardMs, left + byoyomi - search::kMoveOverheadMs);
        }
        // The level's own budget is kept when the clock is generous.
        const search::SearchLimits both = search::tighter(levelBudget(6), l);
        EXPECT_LE(both.hardMs, levelBudget(6).hardMs);
      }
    }
  }
}

TEST(Usi, GoTakesOnlyWholeNumbers) {
  for (const char* bad : {"go depth x", "go movetime", "go nodes -3", "go btime 1e3", "go wtime 5 binc 1.5",
                          "go byoyomi 99999999999999999999", "go sideways"}) {
    std::string why;
    EXPECT_FALSE(parseGo(std::string_view(bad).substr(3), &why).has_value()) << bad;
    EXPECT_FALSE(why.empty()) << bad;
    const std::string out = session(std::string("position startpos\n") + bad + "\n");
    EXPECT_EQ(out, "info string " + why + "\nbestmove resign\n") << bad;
  }
  const auto go = parseGo("btime 1000 wtime -20 binc 10 winc 20 byoyomi 0 depth 7 nodes 5000", nullptr);
  ASSERT_TRUE(go.has_value());
  EXPECT_EQ(go->time[0], 1000);
  EXPECT_EQ(go->time[1], 0);  // a clock run over counts as nothing left
  EXPECT_EQ(go->increment[1], 20);
  EXPECT_EQ(go->depth, 7);
  EXPECT_EQ(go->nodes, 5000u);
}

// A streambuf that serves a text and notes whether anyone asked for more.
class Feed : public std::streambuf {
public:
  explicit Feed(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }
  bool askedForMore = false;

protected:
  int_type underflow() override {
    askedForMore = true;
    return traits_type::eof();
  }

private:
  std::string text_;
};

TEST(LineReader, LinesEndAtLfCrLfOrALoneCr) {
  std::istringstream in("usi\risready\r\nposition startpos\n\rgo\n\nquit");
  LineReader r(in);
  std::vector<std::string> lines;
  std::string line;
  while (r.next(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"usi", "isready", "position startpos", "", "go", "", "quit"}));

  // After a CR the line is handed on at once, without waiting to see whether a LF follows.
  Feed feed("go infinite\r");
  std::istream stream(&feed);
  LineReader cr(stream);
  ASSERT_TRUE(cr.next(line));
  EXPECT_EQ(line, "go infinite");
  EXPECT_FALSE(feed.askedForMore);

  // A line too long to be a command is cut, and the next one read whole.
  std::istringstream huge(std::string(LineReader::kMaxLine + 10, 'x') + "\nisready\n");
  LineReader h(huge);
  ASSERT_TRUE(h.next(line));
  EXPECT_TRUE(h.lastWasCut());
  EXPECT_EQ(line.size(), LineReader::kMaxLine);
  ASSERT_TRUE(h.next(line));
  EXPECT_FALSE(h.lastWasCut());
  EXPECT_EQ(line, "isready");

  // A cut position leaves none.
  Session s;
  s.engine.refuseLongLine("position sfen xxxx");
  EXPECT_FALSE(s.engine.position().has_value());
  s.send("go\n");
  EXPECT_TRUE(has(s.answered(), "bestmove resign\n"));
}

TEST(Usi, MultiPVNumbersEachOfTheBestLines) {
  const std::string out =
      session("setoption name Level value 6\nsetoption name MultiPV value 2\nposition startpos\ngo depth 3\n");
  EXPECT_TRUE(has(out, "info depth 3 seldepth ")) << out;
  EXPECT_TRUE(has(out, " multipv 1 score ")) << out;
  EXPECT_TRUE(has(out, " multipv 2 score ")) << out;
  EXPECT_TRUE(has(out, "bestmove ")) << out;
  EXPECT_TRUE(has(session("setoption name MultiPV value 4\n"), "info string MultiPV must be 1 to 3\n"));
  EXPECT_FALSE(has(session("setoption name Level value 6\nposition startpos\ngo depth 2\n"), "multipv"));
}

TEST(Search, TheDecisionAllocatesNothing) {
  GameState g = test::position("r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22");
  const long before = gAllocations.load();
  const ComDecision d = decideComMove(g);
  EXPECT_EQ(gAllocations.load(), before);
  EXPECT_TRUE(d.found);
}

}  // namespace
}  // namespace zelk
