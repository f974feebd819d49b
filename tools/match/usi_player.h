#pragma once
// A USI engine in its own process as a player: started with usi/usiok, its options set and
// isready/readyok, told usinewgame before each game, and restarted after it has failed.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine_process.h"
#include "player.h"

namespace zelk::match {

struct EngineConfig {
  std::string command;
  std::string name;                                          // empty: the engine's own id name
  std::vector<std::pair<std::string, std::string>> options;  // setoption name N value V
  enum class Protocol { Usi, GnuShogi };
  Protocol protocol = Protocol::Usi;              // GnuShogi: see gnushogi_player.h
  std::function<void(const std::string&)> trace;  // sees the engine's traffic
};

class UsiPlayer final : public Player {
public:
  explicit UsiPlayer(EngineConfig config);
  ~UsiPlayer() override;

  // Starts the engine and completes the handshake; false with a reason when it fails.
  bool start(std::string& error);
  const std::string& name() const override { return name_; }
  bool newGame(std::string& error) override;
  Reply play(const MoveRequest& request) override;
  void gameOver(const std::string& result) override;

private:
  // Reads lines until one starts with `word`; false on a timeout or when the engine closes.
  bool waitFor(const std::string& word, long long ms, std::string& error);

  // An option the engine announced: its name, and the range of a spin.
  struct Announced {
    std::string name;
    bool spin = false;
    long long min = 0, max = 0;
  };
  // The reason the engine cannot take an option of the configuration, or empty.
  std::string refusedOption() const;

  EngineConfig config_;
  std::string name_;
  std::vector<Announced> announced_;
  EngineProcess process_;
  bool healthy_ = false;
};

}  // namespace zelk::match
