#pragma once
// The logistic fit of the evaluation's weights to game results (Texel's method): the
// evaluation of each quiet position, put through a logistic curve, should predict the
// result of the game it came from.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace zelk::tune {

struct FitOptions {
  int epochs = 400;
  double learningRate = 2.0;    // centipawns a step, at most, for the Adam steps
  double priorStrength = 1e-8;  // pulls each weight toward its prior: rare terms stay near it
};

struct Sample {
  std::uint32_t first = 0, count = 0;  // its terms in the term store
  float result = 0.5f;                 // for the lower side
};

struct TermStore {
  std::vector<std::uint16_t> index;
  std::vector<std::int16_t> count;
  std::vector<Sample> samples;
};

// Reads "SFEN<tab>result" lines; keeps the positions that are quiet (no king to take, no
// check, nothing the quiescence search would change) with their terms. Reports what it kept.
TermStore loadSamples(std::istream& in, std::ostream& progress);

// The scale K of the logistic curve 1 / (1 + 10^(-K s / 400)) that fits the weights best.
double fitScale(const TermStore& store, const std::vector<double>& weights);

// Mean squared error of the prediction.
double meanError(const TermStore& store, const std::vector<double>& weights, double k);

// Adjusts the weights to lower the error plus the pull toward the prior; reports the error as
// it goes.
void fitWeights(const TermStore& store, std::vector<double>& weights, const std::vector<double>& prior, double k,
                const FitOptions& o, std::ostream& progress);

// The numbers between the braces of a weight table's text (a header the fit wrote, or the
// hand-set starting table); empty when there are not exactly `count`.
std::vector<double> readWeights(std::istream& in, std::size_t count);

// The weight table as the engine's header, with the command that made it; `name` names the
// table (kWeights, or kWeightsOfficial for the official rules' own).
std::string weightsHeader(const std::vector<double>& weights, const std::string& command,
                          const std::string& name = "kWeights");

}  // namespace zelk::tune
