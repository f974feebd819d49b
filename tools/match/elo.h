#pragma once
// The strength difference that a match result shows, from the logistic Elo model.

namespace zelk::match {

struct Tally {
  int wins = 0, losses = 0, draws = 0;  // of the first engine
  int games() const { return wins + losses + draws; }
  double score() const;                 // (wins + draws / 2) / games
};

struct EloEstimate {
  double elo = 0;     // difference in favour of the first engine
  double margin = 0;  // half-width of the 95 % interval; +inf when it is unbounded
  double los = 0.5;   // likelihood of superiority, 0..1, from wins and losses alone
};

// Elo of a score: -400 log10(1 / s - 1); +-inf at 1 and 0.
double eloOfScore(double s);

// The estimate with its 95 % margin from the spread of the game scores, as match tools
// report it; a match without games, or one with every game won, gives infinite values.
EloEstimate estimate(const Tally& t);

}  // namespace zelk::match
