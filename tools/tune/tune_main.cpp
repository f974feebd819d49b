// zelk55-tune: fits the searching levels' evaluation to games.
//   zelk55-tune play [--games N] [--nodes N] [--seed S] [--first N] > games.txt
//   zelk55-tune fit [--epochs N] games.txt... > src/engine/eval_weights.h
// `play` has the engine play itself (a few random moves, then a fixed number of nodes a
// move) and writes every position with the game's result; `fit` keeps the quiet positions
// and fits the weights, starting from those compiled in, and writes the header the engine
// compiles. tools/tune/remake-weights.sh runs both as the committed table was made.

#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "engine/eval_weights.h"
#include "fit.h"
#include "selfplay.h"

namespace {

bool number(const char* text, long long& v) {
  const char* end = text + std::strlen(text);
  const auto [p, ec] = std::from_chars(text, end, v);
  return ec == std::errc() && p == end && v >= 0;
}

int usage() {
  std::cerr << "usage: zelk55-tune play [--games N] [--nodes N] [--random-plies N] [--seed S] [--first N]\n"
               "       zelk55-tune fit [--epochs N] [--rate R] FILE...\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string mode = argv[1];
  std::string command = "zelk55-tune";
  for (int i = 1; i < argc; ++i) command += std::string(" ") + argv[i];
  if (mode == "play") {
    zelk::tune::SelfPlayOptions o;
    for (int i = 2; i < argc; i += 2) {
      long long v = 0;
      if (i + 1 >= argc || !number(argv[i + 1], v)) return usage();
      const std::string key = argv[i];
      if (key == "--games") o.games = static_cast<int>(v);
      else if (key == "--nodes") o.nodes = static_cast<std::uint64_t>(v);
      else if (key == "--random-plies") o.randomPlies = static_cast<int>(v);
      else if (key == "--seed") o.seed = static_cast<std::uint32_t>(v);
      else if (key == "--first") o.firstGame = static_cast<int>(v);
      else return usage();
    }
    zelk::tune::playGames(o, std::cout, std::cerr);
    return 0;
  }
  if (mode == "fit") {
    zelk::tune::FitOptions o;
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
      const std::string a = argv[i];
      long long v = 0;
      if (a == "--epochs" && i + 1 < argc && number(argv[i + 1], v)) o.epochs = static_cast<int>(v), ++i;
      else if (a == "--rate" && i + 1 < argc) o.learningRate = std::stod(argv[++i]);
      else files.push_back(a);
    }
    if (files.empty()) return usage();
    zelk::tune::TermStore store;
    for (const std::string& f : files) {
      std::ifstream in(f);
      if (!in) {
        std::cerr << "cannot read " << f << "\n";
        return 1;
      }
      zelk::tune::TermStore part = zelk::tune::loadSamples(in, std::cerr);
      const auto offset = static_cast<std::uint32_t>(store.index.size());
      store.index.insert(store.index.end(), part.index.begin(), part.index.end());
      store.count.insert(store.count.end(), part.count.begin(), part.count.end());
      for (zelk::tune::Sample s : part.samples) {
        s.first += offset;
        store.samples.push_back(s);
      }
    }
    std::vector<double> w(std::begin(zelk::fast::eval::kWeights), std::end(zelk::fast::eval::kWeights));
    const double k = zelk::tune::fitScale(store, w);
    std::cerr << "scale K " << k << ", error " << zelk::tune::meanError(store, w, k) << std::endl;
    zelk::tune::fitWeights(store, w, k, o, std::cerr);
    std::cout << zelk::tune::weightsHeader(w, command);
    return 0;
  }
  return usage();
}
