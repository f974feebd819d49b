#pragma once
// The command line of zelk55-match.

#include <optional>
#include <string>
#include <vector>

#include "elo.h"
#include "referee.h"
#include "usi_player.h"

namespace zelk::match {

struct MatchOptions {
  EngineConfig engines[2];  // A, B
  Limit limits[2];          // A, B
  int games = 0;            // 0: each opening once with each colour
  std::string openingsPath;
  int plyCap = 256;
  long long marginMs = 500;
  long long timeoutMs = 60000;
  int concurrency = 1;
  std::string logPath;
  std::optional<Sprt> sprt;          // stop as soon as the test decides
  bool debug = false;                // every engine's traffic to stderr
  Rules rules = Rules::kingCapture;  // the rules refereed and played
  bool help = false;
};

struct Defaults {
  std::string openingsPath;     // the committed opening list
  std::string zelkCommand;      // the zelk55-usi program
  std::string fairyCommand;     // fairy-stockfish
  std::string fairyVariantIni;  // the variant file for these rules
  std::string gnuCommand;       // gnuminishogi
};

// Parses argv; on error returns nothing and the reason in `error`.
std::optional<MatchOptions> parseMatchOptions(const std::vector<std::string>& args, const Defaults& d,
                                              std::string& error);
std::string helpText(const Defaults& d);

}  // namespace zelk::match
