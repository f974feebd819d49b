#pragma once
// The computer's turn as steps the event loop drives: the thinking sign and the decision, the
// move recorded and blinked at its source, the move made, the pause, the sound, and the
// announcement. Between the steps the window repaints and takes events; the game's own input
// is refused meanwhile by the caller, which asks running().

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "core/game_state.h"
#include "play/com_decider.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "settings/clocks.h"

namespace zelk {

class ComTurn {
public:
  ComTurn(GameState& g, Screen& screen, Clocks& clocks, SoundModule& sounds, const Platform& platform);
  ~ComTurn();
  ComTurn(const ComTurn&) = delete;
  ComTurn& operator=(const ComTurn&) = delete;

  // The decider for a level; the rule-based player when unset or when it gives no decider.
  std::function<ComDecider(int level)> deciderFor;
  // Told when a turn begins and when it is over (not when it is stopped).
  std::function<void()> onBegin, onEnd;

  // com_ban: starts the computer's turn; `then` runs once the turn is over, at once when the
  // game is already decided. Nothing of the turn runs after stop().
  void start(std::function<void()> then = nullptr);
  bool running() const { return running_; }
  // Told when a turn starts (true) and when it is over or stopped (false).
  std::function<void(bool running)> onRunningChanged;
  // Ends the turn where it stands: no step of it runs any more, and a decision on a worker
  // thread is told to stop and waited for.
  void stop();

private:
  void decided(const ComDecision& d, const GameState& searched);
  void placed();
  void announce();
  void finish();
  bool elapsedShown() const;
  void joinWorker();
  void setRunning(bool on);

  GameState& g;
  Screen& screen_;
  Clocks& clocks_;
  SoundModule& sounds_;
  Platform p_;

  bool running_ = false;
  std::uint64_t run_ = 0;  // the turn a posted decision belongs to
  ComMove move_;
  std::function<void()> then_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace zelk
