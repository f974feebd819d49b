#pragma once
// Plays one game between two players, judging every move with the rules code: under this
// game's rules a move may leave its own king attacked, taking the king wins, a pawn may be
// dropped to give mate, and there is no repetition rule; under the official rules a side with
// no move has lost and the fourth occurrence of a position loses for the side that checked
// throughout, else for black. A game reaching the ply cap is drawn.

#include <string>
#include <vector>

#include "core/game_state.h"
#include "player.h"
#include "time_control.h"

namespace zelk::match {

enum class Colour { Black = 0, White = 1 };  // 先手 (the lower side, "b") and 後手

enum class Ending {
  KingCaptured,  // the winner took the king
  WinClaim,      // the winner claimed the win while the king stood en prise
  Resign,
  IllegalMove,  // unreadable, or refused by the rules
  FalseClaim,   // claimed a win with no king to take
  Time,         // answered too late, or not at all
  Crash,        // the engine died or could not start
  PlyCap,       // drawn at the ply cap
  // Endings of a refused move (the refusing engine plays by other rules):
  KingLeftEnPrise,  // the move left the mover's king to be taken: the refuser wins
  Mate,             // the move leaves the refuser no move that keeps its king: the mover wins
  LegalRefused,     // the move was good by these rules: the refuser loses
  DrawClaimed,      // the engine holds the game drawn by its rules and will not go on
  // Endings of the official rules:
  NoMoveLeft,  // the loser has no move (mate): the last mover wins
  Repetition,  // the fourth occurrence of a position
};
const char* describe(Ending e);

struct MovePlayed {
  std::string move;
  long long elapsedMs = 0;
  std::string score;
};

struct GameRecord {
  std::vector<std::string> opening;  // the opening's moves, played for both before the game
  std::vector<MovePlayed> moves;     // the players' own moves after the opening
  int winner = -1;                   // colour index of the winner, -1 for a draw
  Ending ending = Ending::PlyCap;
  std::string detail;  // what the loser sent, or why it lost
  std::string finalSfen;
};

struct GameSettings {
  Limit limits[2];              // by colour
  int plyCap = 256;             // counting the opening's plies
  long long marginMs = 500;     // grace beyond a movetime or a clock
  long long timeoutMs = 60000;  // the longest wait for a depth or node search
  Rules rules = Rules::kingCapture;
};

// Plays the game from the start position through `opening` (which must be legal), black
// first. players[0] plays black, players[1] white.
GameRecord playGame(Player* players[2], const std::vector<std::string>& opening, const GameSettings& settings);

// The text of the result as "1-0", "0-1" or "1/2-1/2" (black's score first).
std::string resultText(const GameRecord& game);

}  // namespace zelk::match
