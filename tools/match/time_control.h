#pragma once
// How long an engine may think: a fixed time, depth or node count per move, or a clock with
// an increment or a byoyomi. Times are in milliseconds.

#include <optional>
#include <string>
#include <string_view>

namespace zelk::match {

struct Limit {
  enum class Kind { MoveTime, Depth, Nodes, Clock, Own };  // Own: a plain go, the engine's own budget
  Kind kind = Kind::MoveTime;
  long long movetime = 100;  // MoveTime
  long long depth = 0;       // Depth
  long long nodes = 0;       // Nodes
  long long time = 0;        // Clock: main time
  long long inc = 0;         // Clock: added after each move
  long long byoyomi = 0;     // Clock: per move once the main time is spent
};

// Reads "movetime MS", "depth N", "nodes N", "time MS [inc MS] [byoyomi MS]" or "own".
std::optional<Limit> parseLimit(std::string_view text, std::string* error = nullptr);
std::string describe(const Limit& limit);

// One side's clock during a game.
struct Clock {
  long long remaining = 0;

  // The longest a move may take before it loses on time, margin included.
  long long allowed(const Limit& limit, long long margin) const;
  // Charges a move that took `used` ms: the main time first, any overflow is the byoyomi's.
  void charge(const Limit& limit, long long used);
};

}  // namespace zelk::match
