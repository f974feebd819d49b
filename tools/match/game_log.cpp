#include "game_log.h"

namespace zelk::match {

std::string gameLogText(const GameHeader& h, const GameRecord& game) {
  std::string s;
  auto tag = [&](const char* key, const std::string& value) { s += std::string("[") + key + " \"" + value + "\"]\n"; };
  tag("Game", std::to_string(h.number));
  tag("Black", h.black);
  tag("White", h.white);
  tag("BlackLimit", h.blackLimit);
  tag("WhiteLimit", h.whiteLimit);
  std::string opening;
  for (const std::string& m : game.opening) opening += (opening.empty() ? "" : " ") + m;
  tag("Opening", opening);
  tag("Result", resultText(game));
  std::string ending = describe(game.ending);
  if (!game.detail.empty()) ending += ": " + game.detail;
  tag("Termination", ending);
  tag("FinalSfen", game.finalSfen);
  int ply = static_cast<int>(game.opening.size());
  for (const MovePlayed& m : game.moves) {
    ++ply;
    s += std::to_string(ply) + ". " + m.move + " {" + std::to_string(m.elapsedMs) + " ms";
    if (!m.score.empty()) s += ", " + m.score;
    s += "}\n";
  }
  s += resultText(game) + "\n\n";
  return s;
}

}  // namespace zelk::match
