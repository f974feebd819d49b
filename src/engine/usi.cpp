#include "engine/usi.h"

#include <cstdlib>
#include <ostream>
#include <vector>

#include "core/perft.h"
#include "engine/bench.h"

namespace zelk {

namespace {

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> w;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r') ++i;
    if (i > start) w.push_back(s.substr(start, i - start));
  }
  return w;
}

GameState startPosition() {
  GameState g;
  loadSfen(g, kStartSfen);
  return g;
}

// Centipawn-style rounding of a score held in tenths: half away from zero.
long roundedPoints(Score s) { return s >= 0 ? (s + 5) / 10 : -((-s + 5) / 10); }

}  // namespace

std::string scoreText(Score s) {
  const int whole = std::abs(s) / 10, tenth = std::abs(s) % 10;
  std::string t = (s < 0 ? "-" : "") + std::to_string(whole);
  if (tenth != 0) t += "." + std::to_string(tenth);
  return t;
}

EngineAnswer engineMove(const GameState& position, int level) {
  GameState g = position;
  g.レベル = level;
  EngineAnswer answer;
  if (g.手番 == 0 || g.勝者 != 0) return answer;
  const bool turned = g.手番 == g.MAN手番;
  if (turned) turnRound(g);
  const ComDecision d = decideComMove(g);
  if (!d.found) return answer;
  answer.found = true;
  answer.score = d.move.score;
  UsiMove m;
  m.toX = d.move.toX;
  m.toY = d.move.toY;
  if (d.move.isDrop()) {
    m.kind = d.move.fromY;
  } else {
    m.fromX = d.move.fromX;
    m.fromY = d.move.fromY;
    m.promote = d.move.placed != d.move.sourcePiece;
  }
  answer.move = turned ? turnedRound(m) : m;
  return answer;
}

UsiEngine::UsiEngine(std::ostream& out) : out_(out), position_(startPosition()) {}

bool UsiEngine::handle(std::string_view line) {
  const std::vector<std::string_view> w = words(line);
  if (w.empty()) return true;
  const std::string_view cmd = w[0];
  const std::string_view rest = line.substr(std::min(line.size(), line.find(cmd) + cmd.size()));
  if (cmd == "usi") {
    out_ << "id name Zelk55\n"
         << "id author the Zelk team\n"
         << "option name Level type spin default 3 min 1 max 3\n"
         << "usiok\n";
  } else if (cmd == "isready") {
    out_ << "readyok\n";
  } else if (cmd == "usinewgame") {
    position_ = startPosition();
  } else if (cmd == "setoption") {
    setOption(rest);
  } else if (cmd == "position") {
    setPosition(rest);
  } else if (cmd == "go") {
    go(rest);
  } else if (cmd == "bench") {
    runBench(out_);
  } else if (cmd == "quit") {
    return false;
  }
  out_.flush();
  return true;
}

void UsiEngine::setOption(std::string_view args) {
  const std::vector<std::string_view> w = words(args);
  // setoption name Level value L
  if (w.size() == 4 && w[0] == "name" && w[1] == "Level" && w[2] == "value") {
    const std::string_view v = w[3];
    if (v.size() == 1 && v[0] >= '1' && v[0] <= '3') {
      level_ = v[0] - '0';
      return;
    }
    out_ << "info string Level must be 1, 2 or 3\n";
    return;
  }
  out_ << "info string unknown option\n";
}

void UsiEngine::setPosition(std::string_view args) {
  const std::vector<std::string_view> w = words(args);
  GameState g;
  std::size_t i = 0;
  if (!w.empty() && w[0] == "startpos") {
    g = startPosition();
    i = 1;
  } else if (!w.empty() && w[0] == "sfen") {
    std::string sfen;
    for (i = 1; i < w.size() && w[i] != "moves"; ++i) {
      if (!sfen.empty()) sfen += ' ';
      sfen += w[i];
    }
    if (auto err = loadSfen(g, sfen)) {
      out_ << "info string bad sfen: " << *err << "\n";
      return;
    }
  } else {
    out_ << "info string position needs startpos or sfen\n";
    return;
  }
  if (i < w.size()) {
    if (w[i] != "moves") {
      out_ << "info string expected moves after the position\n";
      return;
    }
    for (++i; i < w.size(); ++i) {
      std::string why;
      const auto m = parseUsiMove(w[i], &why);
      if (!m) {
        out_ << "info string bad move " << w[i] << ": " << why << "\n";
        return;
      }
      if (auto err = playUsiMove(g, *m)) {
        out_ << "info string bad move " << w[i] << ": " << *err << "\n";
        return;
      }
    }
  }
  position_ = std::move(g);
}

void UsiEngine::go(std::string_view args) {
  const std::vector<std::string_view> w = words(args);
  if (!w.empty() && w[0] == "perft") {
    int depth = 1;
    if (w.size() > 1) {
      depth = std::atoi(std::string(w[1]).c_str());
      if (depth < 1 || depth > 8) {
        out_ << "info string perft depth must be 1 to 8\n";
        return;
      }
    }
    GameState g = position_;
    std::uint64_t total = 0;
    for (const UsiMove& m : generateMoves(g)) {
      GameState child = g;
      playUsiMove(child, m);
      const std::uint64_t n = perft(child, depth - 1);
      out_ << toUsi(m) << ": " << n << "\n";
      total += n;
    }
    out_ << "Nodes searched: " << total << "\n";
    return;
  }
  const EngineAnswer a = engineMove(position_, level_);
  if (!a.found) {
    out_ << "bestmove resign\n";
    return;
  }
  out_ << "info score cp " << roundedPoints(a.score) << "\n"
       << "info string score " << scoreText(a.score) << "\n"
       << "bestmove " << toUsi(a.move) << "\n";
}

}  // namespace zelk
