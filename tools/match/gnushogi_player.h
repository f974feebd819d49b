#pragma once
// gnuminishogi as a player, over its plain-text interface (it speaks neither USI nor a usable
// xboard protocol): for every move it is started on a fresh game, given the moves so far and
// asked to move for the side to move at a fixed depth.
//
// It plays standard minishogi: it refuses a move that leaves the king in check or drops a
// pawn to give mate, and reports that it is mated instead of moving. Those answers come back
// as Refused and Resign, for the referee to judge by this game's rules; a position standing
// for the fourth time ends its game, and comes back as Draw. Once it has announced a mate or
// a draw it takes the game for over and reads nothing more until "new".

#include <string>

#include "engine_process.h"
#include "player.h"
#include "usi_player.h"

namespace zelk::match {

class GnuShogiPlayer final : public Player {
public:
  explicit GnuShogiPlayer(const EngineConfig& config);  // its command, name and trace
  ~GnuShogiPlayer() override;

  bool start(std::string& error);
  const std::string& name() const override { return name_; }
  bool newGame(std::string& error) override;
  // Understands "go depth N"; any other limit searches to depth 1.
  Reply play(const MoveRequest& request) override;
  void gameOver(const std::string&) override {}

private:
  std::string command_;
  std::string name_;
  EngineProcess process_;
  bool healthy_ = false;
  long requests_ = 0;
};

}  // namespace zelk::match
