#include "gnushogi_player.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <sstream>
#include <vector>

#include "core/sfen.h"
#include "king_safety.h"

namespace zelk::match {

namespace {

using SteadyClock = std::chrono::steady_clock;

// The moves of "position startpos moves ...".
std::vector<std::string> movesOf(const std::string& position) {
  std::vector<std::string> moves;
  std::istringstream in(position);
  bool after = false;
  for (std::string w; in >> w;) {
    if (after) moves.push_back(w);
    if (w == "moves") after = true;
  }
  return moves;
}

std::string depthOf(const std::string& go) {
  std::istringstream in(go);
  std::string w, depth = "1";
  while (in >> w)
    if (w == "depth" && in >> w) depth = w;
  return depth;
}

// Its own move, printed as "N. ... MOVE [clock]" (possibly after a prompt on the same line).
std::string computerMove(const std::string& line) {
  const std::size_t dots = line.find(". ... ");
  if (dots == std::string::npos) return {};
  std::istringstream in(line.substr(dots + 6));
  std::string move;
  in >> move;
  if (!move.empty() && move.back() == '=') move.pop_back();  // "declines to promote"
  return move;
}

}  // namespace

GnuShogiPlayer::GnuShogiPlayer(const EngineConfig& config)
    : command_(config.command), name_(config.name.empty() ? "gnuminishogi" : config.name) {
  process_.trace = config.trace;
}

GnuShogiPlayer::~GnuShogiPlayer() { process_.stop(std::chrono::milliseconds(500)); }

bool GnuShogiPlayer::start(std::string& error) {
  healthy_ = false;
  if (!process_.start(command_, error)) return false;
  // It has no handshake; its banner shows that it runs.
  std::string line;
  if (process_.readLine(line, SteadyClock::now() + std::chrono::seconds(10)) != EngineProcess::Read::Line ||
      line.find("GNU") == std::string::npos) {
    error = command_ + ": no banner";
    process_.kill();
    return false;
  }
  healthy_ = true;
  return true;
}

bool GnuShogiPlayer::newGame(std::string& error) {
  if (healthy_ && process_.running()) return true;
  process_.kill();
  return start(error);
}

Reply GnuShogiPlayer::play(const MoveRequest& request) {
  Reply r;
  const auto begin = SteadyClock::now();
  // "switch" makes it play the side to move of the position entered in force mode. It reads
  // the word after it only once it has moved, and refuses it: that refusal ends its answer.
  // Each answer has its own word, so a late refusal is never taken for the next one's.
  // In a position its rules never reach it falls silent: answer for it.
  GameState g;
  loadSfen(g, kStartSfen);
  const std::vector<std::string> moves = movesOf(request.position);
  std::map<std::string, int> seen;  // positions (without the move number) and how often
  int mostSeen = 0;
  auto count = [&] {
    const std::string sfen = toSfen(g);
    mostSeen = std::max(mostSeen, ++seen[sfen.substr(0, sfen.rfind(' '))]);
  };
  count();
  for (const std::string& text : moves) {
    if (const auto m = parseUsiMove(text)) playUsiMove(g, *m);
    count();
  }
  if (mostSeen >= 4) {  // the fourth time a position stands ends its game (sennichite)
    r.kind = Reply::Kind::Draw;
    r.text = "repetition";
    return r;
  }
  if (kingEnPrise(g)) {
    r.kind = Reply::Kind::Refused;
    r.text = "its king is in check";
    return r;
  }
  if (mated(g)) {
    r.kind = Reply::Kind::Resign;
    r.text = "mated";
    return r;
  }
  const std::string sync = "zelk55sync" + std::to_string(++requests_);
  std::string script = "new\ndepth\n" + depthOf(request.go) + "\nforce";
  for (const std::string& m : moves) script += "\n" + m;
  script += "\nforce\nswitch\n" + sync;
  if (!process_.send(script)) {
    healthy_ = false;
    r.text = "the engine is gone";
    return r;
  }
  const auto deadline = begin + std::chrono::milliseconds(request.allowedMs);
  std::string line, move;
  for (;;) {
    const EngineProcess::Read got = process_.readLine(line, deadline);
    r.elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - begin).count();
    if (got != EngineProcess::Read::Line) {
      healthy_ = false;
      r.kind = got == EngineProcess::Read::Timeout ? Reply::Kind::Timeout : Reply::Kind::Crash;
      if (r.kind == Reply::Kind::Crash) r.text = "the engine died while thinking";
      return r;
    }
    const std::size_t refused = line.find("Illegal move");
    if (line.find("zelk55sync") != std::string::npos) {
      if (line.find(sync) != std::string::npos && line.compare(line.size() - sync.size(), sync.size(), sync) == 0)
        break;
      continue;  // an earlier answer's word
    }
    if (refused != std::string::npos) {
      healthy_ = false;  // it goes on in a position that is not the game's
      r.kind = Reply::Kind::Refused;
      r.text = line.substr(refused);
      return r;
    }
    // After "mates!" or "Drawn game!" it takes the game for over and reads no more.
    const bool over = line.find(" mates!") != std::string::npos || line.find("Drawn game") != std::string::npos;
    if (over && move.empty()) {
      r.kind = line.find(" mates!") != std::string::npos ? Reply::Kind::Resign : Reply::Kind::Garbage;
      r.text = line;
      return r;
    }
    if (over) break;
    if (std::string m = computerMove(line); !m.empty() && move.empty()) move = std::move(m);
  }
  r.kind = move.empty() ? Reply::Kind::Garbage : Reply::Kind::Move;
  r.text = move.empty() ? "no move" : move;
  return r;
}

}  // namespace zelk::match
