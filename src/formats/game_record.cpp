#include "formats/game_record.h"

#include <utility>

#include "core/move_execution.h"
#include "core/official_rules.h"
#include "core/setup.h"

namespace zelk {

RecordPosition standardStart() {
  GameState g;
  placeStartingPosition(g);
  RecordPosition p;
  p.盤面 = g.盤面;
  return p;
}

std::string GameRecord::header(std::string_view key) const {
  for (const auto& [k, v] : headers)
    if (k == key) return v;
  return {};
}

void GameRecord::setHeader(std::string_view key, std::string value) {
  for (auto& [k, v] : headers)
    if (k == key) {
      v = std::move(value);
      return;
    }
  headers.emplace_back(std::string(key), std::move(value));
}

GameState stateOf(const RecordPosition& p) {
  GameState g;
  g.MAN手番 = 先手;
  g.COM手番 = 後手;
  g.盤面 = p.盤面;
  g.持駒MAN = p.持駒先手;
  g.持駒COM = p.持駒後手;
  g.持駒数MAN = 調査_持駒数(g, g.MAN手番);
  g.持駒数COM = 調査_持駒数(g, g.COM手番);
  g.手番 = p.手番;
  locateKings(g);
  return g;
}

RecordPosition positionOf(const GameState& g) {
  RecordPosition p = boardAndHandsOf(g);
  p.手番 = g.手番 == g.COM手番 ? 後手 : 先手;
  return p;
}

Replay replay(const GameRecord& r) {
  Replay out;
  GameState g = stateOf(r.start);
  out.positions.push_back(r.start);
  for (std::size_t i = 0; i < r.moves.size(); ++i) {
    if (auto err = playUsiMove(g, r.moves[i].move)) {
      out.failedMove = static_cast<int>(i);
      out.reason = *err;
      return out;
    }
    out.positions.push_back(positionOf(g));
  }
  return out;
}

namespace {

// The side whose piece arrived on the board: the mover of the step from `before` to `after`;
// 0 when no square received a piece.
int moverOf(const RecordPosition& before, const RecordPosition& after) {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) {
      const int now = after.盤面(x, y);
      if (now != 0 && now != before.盤面(x, y)) return isMan(now) ? 先手 : isCom(now) ? 後手 : 0;
    }
  return 0;
}

}  // namespace

std::optional<UsiMove> moveBetween(const RecordPosition& before, const RecordPosition& after) {
  const int mover = before.手番;
  const bool man = mover == 先手;
  int toX = 0, toY = 0;
  int fromX = 0, fromY = 0, sources = 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) {
      const int was = before.盤面(x, y), now = after.盤面(x, y);
      if (now != 0 && now != was && toX == 0) toX = x, toY = y;
      if (now == 0 && was != 0 && (man ? isMan(was) : isCom(was))) fromX = x, fromY = y, ++sources;
    }
  if (toX == 0 || sources > 1) return std::nullopt;
  const int arrived = after.盤面(toX, toY);
  if (man ? !isMan(arrived) : !isCom(arrived)) return std::nullopt;

  UsiMove m;
  m.toX = toX;
  m.toY = toY;
  if (sources == 1) {
    m.fromX = fromX;
    m.fromY = fromY;
    m.promote = arrived != before.盤面(fromX, fromY);
  } else {
    m.kind = handKindOf(arrived);
    if (m.kind == 0) return std::nullopt;
  }
  GameState g = stateOf(before);
  if (playUsiMove(g, m) || positionOf(g) != after) return std::nullopt;
  return m;
}

FromPositions recordFromPositions(const std::vector<RecordPosition>& positions) {
  FromPositions out;
  if (positions.empty()) return out;
  out.record.start = positions[0];
  // The record says who is to move only through its moves: the first one decides.
  if (positions.size() > 1) {
    const int first = moverOf(positions[0], positions[1]);
    if (first != 0) out.record.start.手番 = first;
  }
  RecordPosition before = out.record.start;
  for (std::size_t i = 1; i < positions.size(); ++i) {
    RecordPosition after = positions[i];
    after.手番 = -before.手番;
    const auto m = moveBetween(before, after);
    if (!m) {
      out.brokenAt = static_cast<int>(i);
      return out;
    }
    RecordedMove rm;
    rm.move = *m;
    out.record.moves.push_back(rm);
    before = after;
  }
  return out;
}

RecordPosition turnedRound(const RecordPosition& p) {
  RecordPosition r;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) r.盤面(6 - x, 6 - y) = -p.盤面(x, y);
  r.持駒先手 = p.持駒後手;
  r.持駒後手 = p.持駒先手;
  r.手番 = -p.手番;
  return r;
}

std::string_view sideName(int side) { return side == 後手 ? "後手" : "先手"; }

void endWhereOfficialRulesEnd(GameRecord& r) {
  GameState g = stateOf(r.start);
  g.rules = Rules::official;
  auto endAt = [&](std::size_t i, std::string word, int winner) {
    r.moves.resize(i);
    r.end = RecordEnd{};
    r.end.word = std::move(word);
    r.end.winner = winner;
  };
  for (std::size_t i = 0; i <= r.moves.size(); ++i) {
    const 公式終局 end = 調査_公式終局(g);
    if (end.敗者 != 0) {
      if (i < r.moves.size() || r.end.winner != -end.敗者)
        endAt(i, end.理由 == 終局理由::詰み ? "詰み" : "千日手", -end.敗者);
      return;
    }
    if (i == r.moves.size()) return;
    if (GameState trial = g; playUsiMove(trial, r.moves[i].move)) {
      endAt(i, "反則負け", -g.手番);
      return;
    }
    手順保存(g, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);  // the position the repetition rule counts
    playUsiMove(g, r.moves[i].move);
    g.記録位置 += 1;
  }
}

}  // namespace zelk
