#pragma once
// The strength difference that a match result shows, from the logistic Elo model.

namespace zelk::match {

struct Tally {
  int wins = 0, losses = 0, draws = 0;  // of the first engine
  int games() const { return wins + losses + draws; }
  double score() const;  // (wins + draws / 2) / games
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

// A sequential test between two Elo hypotheses (elo0 below elo1): the log-likelihood ratio
// of the result under the normal approximation of the game scores, and its bounds for the
// error rates alpha (accepting elo1 when elo0 holds) and beta (the other way round).
struct Sprt {
  double elo0 = 0, elo1 = 10, alpha = 0.05, beta = 0.05;
  double lowerBound() const;         // accept elo0 at or below it
  double upperBound() const;         // accept elo1 at or above it
  double llr(const Tally& t) const;  // 0 while every game ended alike
  // -1 when elo0 is accepted, 1 when elo1 is, 0 while undecided.
  int verdict(const Tally& t) const;
};

}  // namespace zelk::match
