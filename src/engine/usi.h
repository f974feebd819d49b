#pragma once
// The engine as a USI program: the rules and the computer's choice behind the protocol that
// shogi GUIs and tools speak.

#include <iosfwd>
#include <string>
#include <string_view>

#include "core/game_state.h"
#include "core/sfen.h"
#include "engine/search.h"

namespace zelk {

// The computer's move for the side to move in g, whichever side that is: where the lower side
// moves, the position is turned round, searched as COM and the move turned back.
struct EngineAnswer {
  bool found = false;
  UsiMove move;
  Score score = 0;
};
EngineAnswer engineMove(const GameState& position, int level);

class UsiEngine {
public:
  explicit UsiEngine(std::ostream& out);
  // Handles one command line; false after "quit".
  bool handle(std::string_view line);
  const GameState& position() const { return position_; }
  int level() const { return level_; }

private:
  void setPosition(std::string_view args);
  void go(std::string_view args);
  void setOption(std::string_view args);

  std::ostream& out_;
  GameState position_;
  int level_ = 3;
};

}  // namespace zelk
