// Writes games as KIF for another program's reader to replay: games of the computer levels
// against each other under each rule set, a game of each way the official rules end, and the
// king-capture games that the official rules cut short.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "core/move_execution.h"
#include "core/official_rules.h"
#include "core/sfen.h"
#include "formats/game_as_record.h"
#include "formats/kif_write.h"
#include "players/engine_move.h"

namespace {

using namespace zelk;

// Plays the move as the game does, the position before it saved in the history.
bool play(GameState& g, const UsiMove& m) {
  GameState trial = g;
  if (playUsiMove(trial, m)) return false;
  手順保存(g, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  playUsiMove(g, m);
  g.記録位置 += 1;
  return true;
}

// The official rules' end, once they give one.
bool ended(GameState& g) {
  if (g.勝者 != 0) return true;
  if (g.rules != Rules::official) return false;
  const 公式終局 end = 調査_公式終局(g);
  if (end.敗者 == 0) return false;
  g.勝者 = -end.敗者;
  g.終局 = end.理由;
  return true;
}

bool write(const std::filesystem::path& folder, const std::string& name, const GameState& g) {
  const GameAsRecord r = recordOfGame(g);
  if (!r.error.empty()) {
    std::cerr << name << ": " << r.error << "\n";
    return false;
  }
  std::ofstream(folder / (name + ".kif"), std::ios::binary) << writeKif(r.record);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kif_corpus FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  bool ok = true;
  for (const Rules rules : {Rules::kingCapture, Rules::official}) {
    const std::string rulesName = rules == Rules::official ? "official" : "kingcapture";
    for (int black = 1; black <= 3; ++black)
      for (int white = 1; white <= 3; ++white) {
        GameState g;
        loadSfen(g, kStartSfen);
        g.rules = rules;
        for (int ply = 0; ply < 160 && !ended(g); ++ply) {
          const EngineAnswer a = engineMove(g, g.手番 == 先手 ? black : white);
          if (!a.found) {  // no move left: lost
            g.勝者 = -g.手番;
            if (rules == Rules::official) g.終局 = 終局理由::詰み;
            break;
          }
          if (!play(g, a.move)) {
            std::cerr << rulesName << " " << black << "-" << white << ": the engine's move was refused\n";
            return 1;
          }
        }
        ok = write(folder, rulesName + "-L" + std::to_string(black) + "-L" + std::to_string(white), g) && ok;
      }
  }
  // Each end of the official rules, and a resignation.
  struct Scripted {
    const char* name;
    const char* start;
    std::initializer_list<const char*> moves;
    Rules rules;
  };
  const Scripted scripted[] = {
      {"official-mate", "4k/5/4P/5/K4 b G 1", {"G*1b"}, Rules::official},
      {"official-repetition",
       kStartSfen.data(),
       {"5e4d", "1a2b", "4d5e", "2b1a", "5e4d", "1a2b", "4d5e", "2b1a", "5e4d", "1a2b", "4d5e", "2b1a"},
       Rules::official},
      {"kingcapture-foul", kStartSfen.data(), {"5d5c", "5a5c", "3e3d", "5c5e"}, Rules::kingCapture},
      {"kingcapture-pawn-drop-mate", "3pk/3s1/3G1/5/K4 b P 1", {"P*1b", "1a1b", "2c1b"}, Rules::kingCapture},
  };
  for (const Scripted& s : scripted) {
    GameState g;
    loadSfen(g, s.start);
    g.rules = s.rules;
    for (const char* m : s.moves)
      if (!ended(g) && !play(g, *parseUsiMove(m))) return 1;
    ended(g);
    ok = write(folder, s.name, g) && ok;
  }
  GameState resigned;
  loadSfen(resigned, kStartSfen);
  resigned.rules = Rules::official;
  play(resigned, *parseUsiMove("5d5c"));
  resigned.勝者 = 先手;
  resigned.終局 = 終局理由::投了;
  ok = write(folder, "official-resignation", resigned) && ok;
  return ok ? 0 : 1;
}
