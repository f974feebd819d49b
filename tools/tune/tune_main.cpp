// zelk55-tune: fits the searching levels' evaluation to games.
//   zelk55-tune play [--games N] [--nodes N] [--random-plies N] [--seed S] [--first N]
//                    [--weights FILE] [--rules kingcapture|official] > games.txt
//   zelk55-tune fit [--epochs N] [--rate R] [--start FILE] [--prior FILE] [--prior-strength X]
//                   [--name TABLE] games.txt... > weights.h
// `play` has the engine play itself (a few random moves, then a fixed number of nodes a
// move) with the compiled weights or those of FILE, and writes every position with the
// game's result. `fit` keeps the quiet positions and fits the weights, from those of --start
// (else the compiled ones) and pulled toward those of --prior (else the start), and writes
// the header the engine compiles. tools/tune/remake-weights.sh makes the committed table.

#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "search/evaluation_terms.h"
#include "search/evaluation_weights.h"
#include "search/evaluation.h"
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
               "                        [--weights FILE] [--rules kingcapture|official]\n"
               "       zelk55-tune fit [--epochs N] [--rate R] [--start FILE] [--prior FILE]\n"
               "                       [--prior-strength X] [--name TABLE] FILE...\n";
  return 2;
}

bool load(const std::string& path, std::vector<double>& w) {
  std::ifstream in(path);
  w = zelk::tune::readWeights(in, zelk::search::eval::kWeightCount);
  if (w.empty())
    std::cerr << "no weight table of " << zelk::search::eval::kWeightCount << " numbers in " << path << "\n";
  return !w.empty();
}

int play(int argc, char** argv) {
  zelk::tune::SelfPlayOptions o;
  std::vector<std::int16_t> weights;
  for (int i = 2; i < argc; i += 2) {
    if (i + 1 >= argc) return usage();
    const std::string key = argv[i];
    if (key == "--weights") {
      std::vector<double> w;
      if (!load(argv[i + 1], w)) return 1;
      weights.assign(w.begin(), w.end());
      continue;
    }
    if (key == "--rules") {
      const std::string r = argv[i + 1];
      if (r != "official" && r != "kingcapture") return usage();
      o.rules = r == "official" ? zelk::Rules::official : zelk::Rules::kingCapture;
      continue;
    }
    long long v = 0;
    if (!number(argv[i + 1], v)) return usage();
    if (key == "--games") o.games = static_cast<int>(v);
    else if (key == "--nodes") o.nodes = static_cast<std::uint64_t>(v);
    else if (key == "--random-plies") o.randomPlies = static_cast<int>(v);
    else if (key == "--seed") o.seed = static_cast<std::uint32_t>(v);
    else if (key == "--first") o.firstGame = static_cast<int>(v);
    else return usage();
  }
  if (!weights.empty()) zelk::search::useWeights(weights.data());
  zelk::tune::playGames(o, std::cout, std::cerr);
  return 0;
}

int fit(int argc, char** argv, const std::string& command) {
  zelk::tune::FitOptions o;
  std::vector<double> start(std::begin(zelk::search::eval::kWeights), std::end(zelk::search::eval::kWeights));
  std::vector<double> prior;
  std::vector<std::string> files;
  std::string name = "kWeights";
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    long long v = 0;
    const bool hasValue = i + 1 < argc;
    if (a == "--epochs" && hasValue && number(argv[i + 1], v)) o.epochs = static_cast<int>(v), ++i;
    else if (a == "--rate" && hasValue) o.learningRate = std::stod(argv[++i]);
    else if (a == "--prior-strength" && hasValue) o.priorStrength = std::stod(argv[++i]);
    else if (a == "--name" && hasValue) name = argv[++i];
    else if (a == "--start" && hasValue) {
      if (!load(argv[++i], start)) return 1;
    } else if (a == "--prior" && hasValue) {
      if (!load(argv[++i], prior)) return 1;
    } else if (a.rfind("--", 0) == 0) {
      return usage();
    } else {
      files.push_back(a);
    }
  }
  if (files.empty()) return usage();
  if (prior.empty()) prior = start;
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
  std::vector<double> w = start;
  const double k = zelk::tune::fitScale(store, w);
  std::cerr << "scale K " << k << ", error " << zelk::tune::meanError(store, w, k) << std::endl;
  zelk::tune::fitWeights(store, w, prior, k, o, std::cerr);
  std::cout << zelk::tune::weightsHeader(w, command, name);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string mode = argv[1];
  std::string command = "zelk55-tune";
  for (int i = 1; i < argc; ++i) command += std::string(" ") + argv[i];
  if (mode == "play") return play(argc, argv);
  if (mode == "fit") return fit(argc, argv, command);
  return usage();
}
