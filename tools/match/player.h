#pragma once
// One side of a refereed game as the referee sees it: asked for a move in a position, it
// answers with a move, a resignation, a claim of a win, or fails to answer.

#include <string>

namespace zelk::match {

struct MoveRequest {
  std::string position;  // "position startpos moves ..."
  std::string go;        // "go ..." with the side's limit and both clocks
  long long allowedMs;   // answers later than this are lost on time; -1 = the player's own timeout
};

struct Reply {
  // Refused: the engine, playing by other rules, will not accept its opponent's last move.
  // Draw: the engine, playing by other rules, holds the game drawn and will not go on.
  enum class Kind { Move, Resign, Win, Timeout, Crash, Garbage, Refused, Draw };
  Kind kind = Kind::Crash;
  std::string text;         // the move as sent, or what was wrong
  long long elapsedMs = 0;  // from the request to the answer
  std::string score;        // the last "score ..." the engine reported, for the log
};

class Player {
public:
  virtual ~Player() = default;
  virtual const std::string& name() const = 0;
  // Readies the player for a new game; false with a reason when it cannot play.
  virtual bool newGame(std::string& error) = 0;
  virtual Reply play(const MoveRequest& request) = 0;
  // Tells the player how the game ended for it: "win", "lose" or "draw".
  virtual void gameOver(const std::string& result) = 0;
};

}  // namespace zelk::match
