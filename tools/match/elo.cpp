#include "elo.h"

#include <cmath>
#include <limits>

namespace zelk::match {

double Tally::score() const { return games() == 0 ? 0.5 : (wins + 0.5 * draws) / games(); }

double eloOfScore(double s) {
  const double inf = std::numeric_limits<double>::infinity();
  if (s <= 0) return -inf;
  if (s >= 1) return inf;
  return -400.0 * std::log10(1.0 / s - 1.0);
}

EloEstimate estimate(const Tally& t) {
  EloEstimate e;
  const double inf = std::numeric_limits<double>::infinity();
  const int n = t.games();
  if (n == 0) {
    e.margin = inf;
    return e;
  }
  const double s = t.score();
  e.elo = eloOfScore(s);
  // Spread of one game's score around the mean, then of the mean over n games.
  const double var = (t.wins * (1 - s) * (1 - s) + t.draws * (0.5 - s) * (0.5 - s) + t.losses * s * s) / n;
  const double sd = std::sqrt(var / n);
  const double z = 1.959963984540054;  // two-sided 95 %
  const double hi = eloOfScore(s + z * sd), lo = eloOfScore(s - z * sd);
  e.margin = std::isfinite(hi) && std::isfinite(lo) ? (hi - lo) / 2 : inf;
  if (t.wins + t.losses > 0) e.los = 0.5 * (1 + std::erf((t.wins - t.losses) / std::sqrt(2.0 * (t.wins + t.losses))));
  return e;
}

double Sprt::lowerBound() const { return std::log(beta / (1 - alpha)); }
double Sprt::upperBound() const { return std::log((1 - beta) / alpha); }

double Sprt::llr(const Tally& t) const {
  const int n = t.games();
  if (n == 0) return 0;
  const double s = t.score();
  const double var = (t.wins * (1 - s) * (1 - s) + t.draws * (0.5 - s) * (0.5 - s) + t.losses * s * s) / n;
  if (var <= 0) return 0;
  auto expected = [](double elo) { return 1 / (1 + std::pow(10.0, -elo / 400)); };
  const double s0 = expected(elo0), s1 = expected(elo1);
  return n * (s1 - s0) * (2 * s - s0 - s1) / (2 * var);
}

int Sprt::verdict(const Tally& t) const {
  const double v = llr(t);
  return v >= upperBound() ? 1 : v <= lowerBound() ? -1 : 0;
}

}  // namespace zelk::match
