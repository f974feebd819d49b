#include "fit.h"

#include <cmath>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "core/sfen.h"
#include "search/evaluation_terms.h"
#include "search/evaluation.h"
#include "search/search.h"

namespace zelk::tune {

namespace {

double evalOf(const TermStore& s, const Sample& x, const std::vector<double>& w) {
  double e = 0;
  for (std::uint32_t i = x.first; i < x.first + x.count; ++i) e += w[s.index[i]] * s.count[i];
  return e;
}

double predict(double eval, double k) { return 1.0 / (1.0 + std::pow(10.0, -k * eval / 400.0)); }

}  // namespace

TermStore loadSamples(std::istream& in, std::ostream& progress) {
  TermStore store;
  search::Searcher searcher(1);
  std::string line;
  long read = 0;
  while (std::getline(in, line)) {
    ++read;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    GameState g;
    if (loadSfen(g, line.substr(0, tab))) continue;
    search::Position p(g);
    const int us = p.sideToMove();
    const int king = p.kingSquare(us);
    if (king < 0 || p.canTakeKing() || p.attackersTo(king, search::opposite(us))) continue;
    if (searcher.quiescence(p) != search::evaluate(p)) continue;
    Sample x;
    x.first = static_cast<std::uint32_t>(store.index.size());
    search::eval::collectTerms(p, [&](int index, int count) {
      store.index.push_back(static_cast<std::uint16_t>(index));
      store.count.push_back(static_cast<std::int16_t>(count));
    });
    x.count = static_cast<std::uint32_t>(store.index.size()) - x.first;
    x.result = std::stof(line.substr(tab + 1));
    store.samples.push_back(x);
  }
  progress << "positions read " << read << ", quiet ones kept " << store.samples.size() << std::endl;
  return store;
}

double meanError(const TermStore& store, const std::vector<double>& weights, double k) {
  double sum = 0;
  for (const Sample& x : store.samples) {
    const double d = x.result - predict(evalOf(store, x, weights), k);
    sum += d * d;
  }
  return store.samples.empty() ? 0 : sum / static_cast<double>(store.samples.size());
}

double fitScale(const TermStore& store, const std::vector<double>& weights) {
  double best = 1, bestError = meanError(store, weights, best);
  for (double step = 0.5; step > 0.001; step /= 2) {
    for (const double k : {best - step, best + step}) {
      if (k <= 0) continue;
      const double e = meanError(store, weights, k);
      if (e < bestError) best = k, bestError = e;
    }
  }
  return best;
}

void fitWeights(const TermStore& store, std::vector<double>& w, const std::vector<double>& prior, double k,
                const FitOptions& o, std::ostream& progress) {
  const std::size_t n = w.size();
  // Gradient and Adam's two running moments, one after the other.
  std::vector<double> state(3 * n, 0.0);
  double* grad = state.data();
  double* m = grad + n;
  double* v = m + n;
  const double beta1 = 0.9, beta2 = 0.999, eps = 1e-12;
  const double slope = k * std::log(10.0) / 400.0;
  for (int epoch = 1; epoch <= o.epochs; ++epoch) {
    std::fill(grad, grad + n, 0.0);
    for (const Sample& x : store.samples) {
      const double p = predict(evalOf(store, x, w), k);
      const double g = 2 * (p - x.result) * p * (1 - p) * slope;
      for (std::uint32_t i = x.first; i < x.first + x.count; ++i) grad[store.index[i]] += g * store.count[i];
    }
    const double scale = 1.0 / static_cast<double>(store.samples.size());
    for (std::size_t i = 0; i < n; ++i) {
      grad[i] = grad[i] * scale + o.priorStrength * (w[i] - prior[i]);
      m[i] = beta1 * m[i] + (1 - beta1) * grad[i];
      v[i] = beta2 * v[i] + (1 - beta2) * grad[i] * grad[i];
      const double mh = m[i] / (1 - std::pow(beta1, epoch)), vh = v[i] / (1 - std::pow(beta2, epoch));
      w[i] -= o.learningRate * mh / (std::sqrt(vh) + eps);
    }
    if (epoch % 50 == 0 || epoch == o.epochs)
      progress << "epoch " << epoch << " error " << meanError(store, w, k) << std::endl;
  }
}

std::vector<double> readWeights(std::istream& in, std::size_t count) {
  std::vector<double> w;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // In a header the table's own brace, past the namespace's (its name may be in the comment too).
  const std::size_t table = text.find("[] = {");
  const std::size_t open = table == std::string::npos ? text.find('{') : text.find('{', table);
  const std::size_t close = text.find('}', open);
  if (open == std::string::npos || close == std::string::npos) return {};
  std::istringstream numbers(text.substr(open + 1, close - open - 1));
  std::string item;
  while (std::getline(numbers, item, ',')) {
    std::istringstream one(item);
    double v;
    if (one >> v) w.push_back(v);
  }
  return w.size() == count ? w : std::vector<double>{};
}

std::string weightsHeader(const std::vector<double>& w, const std::string& command, const std::string& name) {
  std::ostringstream h;
  h << "#pragma once\n"
    << "// Weights of the evaluation, by the layout of search/evaluation_terms.h, fitted to game results.\n"
    << "// Made by: " << command << "\n"
    << "#include <cstdint>\n\nnamespace zelk::search::eval {\n\ninline constexpr std::int16_t " << name << "[] = {\n";
  for (std::size_t i = 0; i < w.size(); i += 12) {
    h << "   ";
    for (std::size_t j = i; j < std::min(w.size(), i + 12); ++j) h << ' ' << std::lround(w[j]) << ',';
    h << '\n';
  }
  h << "};\n\n}  // namespace zelk::search::eval\n";
  return h.str();
}

}  // namespace zelk::tune
