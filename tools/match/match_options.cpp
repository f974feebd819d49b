#include "match_options.h"

#include <charconv>
#include <cstdlib>

namespace zelk::match {

namespace {

std::optional<long long> number(const std::string& t, long long min) {
  long long v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size() || v < min) return std::nullopt;
  return v;
}

}  // namespace

std::string helpText(const Defaults& d) {
  return "zelk55-match: plays two USI engines against each other under the rules of this game\n"
         "(taking the king wins, a move may leave its own king attacked, a pawn may be dropped\n"
         "to give mate, no repetition rule) or the official rules of minishogi, refereed by the\n"
         "game's own rules code.\n"
         "\n"
         "usage: zelk55-match -a CMD -b CMD [options]   (or --zelk-X, --fairy-X, --gnu-X for -X CMD)\n"
         "\n"
         "Engines (A is the engine under test, B its opponent; X is a or b):\n"
         "  -a, --engine-a CMD     command line of engine A (run by /bin/sh); -b for B\n"
         "  --zelk-X LEVEL         the game's own engine at a level: " +
         d.zelkCommand +
         "\n"
         "                         with setoption Level\n"
         "  --fairy-X              fairy-stockfish playing these rules: " +
         d.fairyCommand +
         "\n"
         "                         with the variant file " +
         d.fairyVariantIni +
         "\n"
         "  --gnu-X                gnuminishogi (standard minishogi rules, plain-text interface):\n"
         "                         " +
         d.gnuCommand +
         ", depth limits only (default 'depth 1');\n"
         "                         a move it refuses is judged by this game's rules\n"
         "  --rules RULES          kingcapture (the default: the rules above) or official (no move\n"
         "                         may leave its own king attacked, no pawn dropped to mate, a side\n"
         "                         with no move has lost, the fourth occurrence of a position\n"
         "                         loses for the side that checked throughout, else for black);\n"
         "                         --fairy-X then plays its own minishogi and --zelk-X is told\n"
         "                         setoption Rules official\n"
         "  --name-X NAME          name in the results (default: the engine's id name)\n"
         "  --option-X NAME=VALUE  sends 'setoption name NAME value VALUE'; repeatable\n"
         "\n"
         "Limits (per move; --limit sets both sides; default 'movetime 100'):\n"
         "  --limit LIMIT, --limit-X LIMIT, where LIMIT is one of\n"
         "     'movetime MS'                       go movetime MS\n"
         "     'depth N'                           go depth N\n"
         "     'nodes N'                           go nodes N\n"
         "     'own'                               go: the engine's own budget (a level's),\n"
         "                                         waited for up to --timeout\n"
         "     'time MS [inc MS | byoyomi MS]'     a clock: go btime/wtime [binc/winc | byoyomi];\n"
         "                                         a move fits when it takes no longer than the\n"
         "                                         time left (plus the byoyomi); the increment is\n"
         "                                         added after the move\n"
         "  --margin MS            grace beyond a movetime or a clock before a move is lost on\n"
         "                         time (default 500)\n"
         "  --timeout MS           longest wait for a depth, nodes or own search (default 60000)\n"
         "\n"
         "Games:\n"
         "  -n, --games N          number of games (default: every opening once with each colour)\n"
         "  --openings FILE        opening lines, one line of USI moves each\n"
         "                         (default " +
         d.openingsPath +
         ")\n"
         "  --ply-cap N            a game still going after N plies is drawn (default 256)\n"
         "  -j, --concurrency N    games played at once, each with its own engine processes\n"
         "                         (default 1)\n"
         "  --log FILE             writes every game (moves, times, scores, ending) to FILE\n"
         "  --sprt ELO0,ELO1       stops as soon as a sequential probability ratio test tells\n"
         "                         'A is ELO1 stronger' from 'A is ELO0 stronger' (error rates\n"
         "                         5 %, logistic Elo); games default to at most 2000\n"
         "  --debug                shows every line sent to and read from the engines on stderr,\n"
         "                         as A1> usi, B1< usiok (the digit: which of the -j games)\n"
         "  -h, --help             this text\n"
         "\n"
         "Each opening is played twice in a row: with A as black (the side that moves first\n"
         "from the start position), then with the colours swapped. An illegal or\n"
         "unreadable move, a crash, an answer too late, 'bestmove resign' or a false\n"
         "'bestmove win' loses; 'bestmove win' wins when the opposing king stands en prise.\n"
         "\n"
         "Example:\n"
         "  zelk55-match --zelk-a 3 --fairy-b --limit-b 'depth 1' -n 100 -j 2\n";
}

std::optional<MatchOptions> parseMatchOptions(const std::vector<std::string>& args, const Defaults& d,
                                              std::string& error) {
  MatchOptions o;
  o.openingsPath = d.openingsPath;
  bool limitSet[2] = {false, false};
  bool fairy[2] = {false, false}, zelk[2] = {false, false};
  std::optional<Limit> both;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string* {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return nullptr;
      }
      return &args[++i];
    };
    // Options ending in -a or -b name the engine they set.
    int side = -1;
    std::string key = a;
    if (a.size() > 2 && a[0] == '-' && a[1] == '-' && (a.ends_with("-a") || a.ends_with("-b"))) {
      side = a.back() == 'a' ? 0 : 1;
      key = a.substr(0, a.size() - 2);
    }
    if (a == "-a" || a == "-b") side = a == "-a" ? 0 : 1, key = "--engine";

    if (a == "-h" || a == "--help") {
      o.help = true;
    } else if (a == "--debug") {
      o.debug = true;
    } else if (side >= 0 && key == "--engine") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      o.engines[side].command = *v;
    } else if (side >= 0 && key == "--zelk") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      o.engines[side].command = d.zelkCommand;
      o.engines[side].options.push_back({"Level", *v});
      zelk[side] = true;  // told the rules even when -X names another build of it
      if (o.engines[side].name.empty()) o.engines[side].name = "zelk55-L" + *v;
    } else if (side >= 0 && key == "--fairy") {
      o.engines[side].command = d.fairyCommand;
      fairy[side] = true;  // its variant follows the rules, which may come later
    } else if (a == "--rules") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      if (*v != "kingcapture" && *v != "official") {
        error = "--rules wants kingcapture or official, not '" + *v + "'";
        return std::nullopt;
      }
      o.rules = *v == "official" ? Rules::official : Rules::kingCapture;
    } else if (side >= 0 && key == "--gnu") {
      o.engines[side].protocol = EngineConfig::Protocol::GnuShogi;
      o.engines[side].command = d.gnuCommand;
    } else if (side >= 0 && key == "--name") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      o.engines[side].name = *v;
    } else if (side >= 0 && key == "--option") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      const std::size_t eq = v->find('=');
      if (eq == std::string::npos || eq == 0) {
        error = a + " wants NAME=VALUE, not '" + *v + "'";
        return std::nullopt;
      }
      o.engines[side].options.push_back({v->substr(0, eq), v->substr(eq + 1)});
    } else if (key == "--limit") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      std::string why;
      const auto l = parseLimit(*v, &why);
      if (!l) {
        error = a + ": " + why;
        return std::nullopt;
      }
      if (side < 0) both = *l;
      else o.limits[side] = *l, limitSet[side] = true;
    } else if (a == "-n" || a == "--games" || a == "--ply-cap" || a == "--margin" || a == "--timeout" || a == "-j" ||
               a == "--concurrency") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      const bool zeroOk = a == "--margin";
      const auto n = number(*v, zeroOk ? 0 : 1);
      if (!n || *n > 100000000) {
        error = a + " wants a " + (zeroOk ? "whole number" : "positive whole number") + ", not '" + *v + "'";
        return std::nullopt;
      }
      if (a == "-n" || a == "--games") o.games = static_cast<int>(*n);
      else if (a == "--ply-cap") o.plyCap = static_cast<int>(*n);
      else if (a == "--margin") o.marginMs = *n;
      else if (a == "--timeout") o.timeoutMs = *n;
      else o.concurrency = static_cast<int>(*n);
    } else if (a == "--sprt") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      const std::size_t comma = v->find(',');
      Sprt sprt;
      const char* text = v->c_str();
      char* end = nullptr;
      sprt.elo0 = std::strtod(text, &end);
      const bool first = comma != std::string::npos && end == text + comma;
      sprt.elo1 = first ? std::strtod(text + comma + 1, &end) : 0;
      if (!first || end != text + v->size() || comma + 1 == v->size() || !(sprt.elo0 < sprt.elo1)) {
        error = "--sprt wants ELO0,ELO1 with ELO0 below ELO1, like 0,10";
        return std::nullopt;
      }
      o.sprt = sprt;
    } else if (a == "--openings" || a == "--log") {
      const std::string* v = value();
      if (!v) return std::nullopt;
      (a == "--log" ? o.logPath : o.openingsPath) = *v;
    } else {
      error = "unknown option '" + a + "' (see --help)";
      return std::nullopt;
    }
  }
  for (int s = 0; s < 2; ++s) {
    auto& options = o.engines[s].options;
    // fairy-stockfish plays its own minishogi for the official rules, the variant file's for
    // these; the game's engine is told the rules.
    if (fairy[s] && o.rules == Rules::official) {
      options.insert(options.begin(), {"UCI_Variant", "minishogi"});
    } else if (fairy[s]) {
      options.insert(options.begin(), {{"VariantPath", d.fairyVariantIni}, {"UCI_Variant", "minishogikc"}});
    }
    if ((zelk[s] || o.engines[s].command == d.zelkCommand) && o.rules == Rules::official)
      options.insert(options.begin(), {"Rules", "official"});
    if (!limitSet[s] && both) o.limits[s] = *both;
    if (o.engines[s].protocol != EngineConfig::Protocol::GnuShogi) continue;
    if (!o.engines[s].options.empty()) {
      error = "gnuminishogi takes no options";
      return std::nullopt;
    }
    if (!limitSet[s] && o.limits[s].kind != Limit::Kind::Depth) o.limits[s] = *parseLimit("depth 1");
    if (o.limits[s].kind != Limit::Kind::Depth) {
      error = std::string("gnuminishogi plays to a depth only: --limit-") + (s == 0 ? "a" : "b") + " 'depth N'";
      return std::nullopt;
    }
  }
  if (!o.help && (o.engines[0].command.empty() || o.engines[1].command.empty())) {
    error = "two engines are needed: -a CMD (or --zelk-a/--fairy-a) and -b CMD (see --help)";
    return std::nullopt;
  }
  if (o.concurrency > 64) {
    error = "-j: at most 64 games at once";
    return std::nullopt;
  }
  return o;
}

}  // namespace zelk::match
