#include "referee.h"

#include "core/move_execution.h"
#include "core/official_rules.h"
#include "core/sfen.h"
#include "king_safety.h"

namespace zelk::match {

namespace {

std::string positionText(const std::vector<std::string>& moves) {
  std::string s = "position startpos";
  if (!moves.empty()) {
    s += " moves";
    for (const std::string& m : moves) s += " " + m;
  }
  return s;
}

// The go command for the side to move: its own limit, and both clocks when it plays on one
// (a side without a clock is shown the mover's own clock).
std::string goText(const GameSettings& s, const Clock clocks[2], int side) {
  const Limit& own = s.limits[side];
  switch (own.kind) {
    case Limit::Kind::MoveTime: return "go movetime " + std::to_string(own.movetime);
    case Limit::Kind::Depth: return "go depth " + std::to_string(own.depth);
    case Limit::Kind::Nodes: return "go nodes " + std::to_string(own.nodes);
    case Limit::Kind::Own: return "go";
    case Limit::Kind::Clock: break;
  }
  auto remaining = [&](int c) {
    return s.limits[c].kind == Limit::Kind::Clock ? clocks[c].remaining : clocks[side].remaining;
  };
  auto inc = [&](int c) { return s.limits[c].kind == Limit::Kind::Clock ? s.limits[c].inc : own.inc; };
  std::string t = "go btime " + std::to_string(remaining(0)) + " wtime " + std::to_string(remaining(1));
  if (own.inc > 0) t += " binc " + std::to_string(inc(0)) + " winc " + std::to_string(inc(1));
  if (own.byoyomi > 0) t += " byoyomi " + std::to_string(own.byoyomi);
  return t;
}

}  // namespace

const char* describe(Ending e) {
  switch (e) {
    case Ending::KingCaptured: return "king captured";
    case Ending::WinClaim: return "win claimed with the king en prise";
    case Ending::Resign: return "resigned";
    case Ending::IllegalMove: return "illegal move";
    case Ending::FalseClaim: return "false win claim";
    case Ending::Time: return "lost on time";
    case Ending::Crash: return "engine failed";
    case Ending::PlyCap: return "ply cap";
    case Ending::KingLeftEnPrise: return "move refused: it left the king en prise";
    case Ending::Mate: return "move refused: it mates";
    case Ending::LegalRefused: return "refused a legal move";
    case Ending::DrawClaimed: return "drawn by the other rules";
    case Ending::NoMoveLeft: return "mate";
    case Ending::Repetition: return "fourth repetition";
  }
  return "?";
}

std::string resultText(const GameRecord& game) {
  return game.winner == 0 ? "1-0" : game.winner == 1 ? "0-1" : "1/2-1/2";
}

GameRecord playGame(Player* players[2], const std::vector<std::string>& opening, const GameSettings& s) {
  GameRecord rec;
  rec.opening = opening;
  GameState g;
  g.rules = s.rules;
  loadSfen(g, kStartSfen);
  std::vector<std::string> moves;
  // Every position before a move is kept, for the repetition rule.
  auto play = [&](const UsiMove& m) -> std::optional<std::string> {
    if (GameState trial = g; auto err = playUsiMove(trial, m)) return err;
    手順保存(g, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    playUsiMove(g, m);
    g.記録位置 += 1;
    return std::nullopt;
  };
  for (const std::string& text : opening) {
    const auto m = parseUsiMove(text);
    if (m && !play(*m)) moves.push_back(toUsi(*m));
  }

  auto finish = [&](int winner, Ending ending, std::string detail) {
    rec.winner = winner;
    rec.ending = ending;
    rec.detail = std::move(detail);
    rec.finalSfen = toSfen(g);
    for (int c = 0; c < 2; ++c) players[c]->gameOver(winner < 0 ? "draw" : winner == c ? "win" : "lose");
    return rec;
  };

  for (int c = 0; c < 2; ++c) {
    std::string why;
    if (!players[c]->newGame(why)) return finish(1 - c, Ending::Crash, why);
  }

  Clock clocks[2];
  for (int c = 0; c < 2; ++c) clocks[c].remaining = s.limits[c].time;

  while (true) {
    if (static_cast<int>(moves.size()) >= s.plyCap) return finish(-1, Ending::PlyCap, "");
    const int side = g.手番 == g.MAN手番 ? 0 : 1;
    const Limit& limit = s.limits[side];
    const long long allowed = clocks[side].allowed(limit, s.marginMs);
    const MoveRequest request{positionText(moves), goText(s, clocks, side), allowed >= 0 ? allowed : s.timeoutMs};
    const Reply r = players[side]->play(request);
    switch (r.kind) {
      case Reply::Kind::Timeout: return finish(1 - side, Ending::Time, "no answer");
      case Reply::Kind::Crash: return finish(1 - side, Ending::Crash, r.text);
      case Reply::Kind::Garbage: return finish(1 - side, Ending::IllegalMove, r.text);
      case Reply::Kind::Resign: return finish(1 - side, Ending::Resign, "");
      case Reply::Kind::Win:
        if (kingEnPrise(g)) return finish(side, Ending::WinClaim, "");
        return finish(1 - side, Ending::FalseClaim, "");
      case Reply::Kind::Refused:
        // Judged by these rules: the king left en prise would be taken, a mate stands.
        if (kingEnPrise(g)) return finish(side, Ending::KingLeftEnPrise, r.text);
        if (mated(g)) return finish(1 - side, Ending::Mate, r.text);
        return finish(1 - side, Ending::LegalRefused, moves.empty() ? r.text : moves.back() + ": " + r.text);
      case Reply::Kind::Draw: return finish(-1, Ending::DrawClaimed, r.text);
      case Reply::Kind::Move: break;
    }
    if (allowed >= 0 && r.elapsedMs > allowed)
      return finish(1 - side, Ending::Time, std::to_string(r.elapsedMs) + " ms for " + r.text);
    std::string why;
    const auto m = parseUsiMove(r.text, &why);
    if (!m) return finish(1 - side, Ending::IllegalMove, r.text + ": " + why);
    if (auto err = play(*m)) return finish(1 - side, Ending::IllegalMove, r.text + ": " + *err);
    clocks[side].charge(limit, r.elapsedMs);
    moves.push_back(toUsi(*m));
    rec.moves.push_back({moves.back(), r.elapsedMs, r.score});
    if (g.勝者 != 0) return finish(side, Ending::KingCaptured, "");
    if (g.rules == Rules::official) {
      const 公式終局 end = 調査_公式終局(g);
      const int loser = end.敗者 == 先手 ? 0 : 1;  // black is the lower side, 先手
      if (end.理由 == 終局理由::詰み) return finish(1 - loser, Ending::NoMoveLeft, "");
      if (end.理由 == 終局理由::千日手)
        return finish(1 - loser, Ending::Repetition, end.連続王手 ? "perpetual check" : "black loses");
    }
  }
}

}  // namespace zelk::match
