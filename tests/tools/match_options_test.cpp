// The match runner's command line: what each option sets, and the refusals a user sees.

#include <gtest/gtest.h>

#include "match_options.h"

namespace zelk::match {
namespace {

const Defaults kDefaults{"/src/openings.txt", "/build/zelk55-usi", "/usr/games/fairy-stockfish", "/src/kc.ini",
                         "/usr/games/gnuminishogi"};

std::optional<MatchOptions> parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string why;
  auto o = parseMatchOptions(args, kDefaults, why);
  if (error) *error = why;
  return o;
}

TEST(MatchOptions, TheOfficialRulesSetFairyStockfishsOwnMinishogiAndTellTheGamesEngine) {
  const auto o = parse({"--fairy-b", "--zelk-a", "6", "--rules", "official"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->rules, Rules::official);
  EXPECT_EQ(o->engines[1].options, (std::vector<std::pair<std::string, std::string>>{{"UCI_Variant", "minishogi"}}));
  EXPECT_EQ(o->engines[0].options,
            (std::vector<std::pair<std::string, std::string>>{{"Rules", "official"}, {"Level", "6"}}));
  // Another build of the game's engine at a level is told the rules all the same.
  const auto other = parse({"--zelk-a", "14", "-a", "/tmp/zelk55-usi", "--fairy-b", "--rules", "official"});
  ASSERT_TRUE(other);
  EXPECT_EQ(other->engines[0].command, "/tmp/zelk55-usi");
  EXPECT_EQ(other->engines[0].options,
            (std::vector<std::pair<std::string, std::string>>{{"Rules", "official"}, {"Level", "14"}}));
  const auto own = parse({"--fairy-b", "--zelk-a", "6"});
  ASSERT_TRUE(own);
  EXPECT_EQ(own->rules, Rules::kingCapture);
  EXPECT_EQ(own->engines[0].options.size(), 1u);
  std::string why;
  EXPECT_FALSE(parse({"--fairy-b", "--zelk-a", "6", "--rules", "chess"}, &why));
  EXPECT_EQ(why, "--rules wants kingcapture or official, not 'chess'");
}

TEST(MatchOptions, EachEngineGetsItsOwnCommandOptionsAndLimit) {
  const auto o = parse({"--zelk-a", "3", "--fairy-b", "--option-b", "Skill Level=5", "--limit", "movetime 200",
                        "--limit-b", "depth 1", "-n", "40", "-j", "2", "--ply-cap", "100", "--margin", "0"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->engines[0].command, "/build/zelk55-usi");
  ASSERT_EQ(o->engines[0].options.size(), 1u);
  EXPECT_EQ(o->engines[0].options[0], (std::pair<std::string, std::string>{"Level", "3"}));
  EXPECT_EQ(o->engines[1].command, "/usr/games/fairy-stockfish");
  ASSERT_EQ(o->engines[1].options.size(), 3u);
  EXPECT_EQ(o->engines[1].options[0].second, "/src/kc.ini");
  EXPECT_EQ(o->engines[1].options[1].second, "minishogikc");
  EXPECT_EQ(o->engines[1].options[2], (std::pair<std::string, std::string>{"Skill Level", "5"}));
  EXPECT_EQ(describe(o->limits[0]), "movetime 200");  // --limit for the side without its own
  EXPECT_EQ(describe(o->limits[1]), "depth 1");
  EXPECT_EQ(o->games, 40);
  EXPECT_EQ(o->concurrency, 2);
  EXPECT_EQ(o->plyCap, 100);
  EXPECT_EQ(o->marginMs, 0);
  EXPECT_EQ(o->openingsPath, "/src/openings.txt");
  EXPECT_FALSE(o->sprt);

  const auto s = parse({"-a", "./mine", "-b", "./theirs", "--sprt", "-5,5.5"});
  ASSERT_TRUE(s && s->sprt);
  EXPECT_EQ(s->engines[0].command, "./mine");
  EXPECT_DOUBLE_EQ(s->sprt->elo0, -5);
  EXPECT_DOUBLE_EQ(s->sprt->elo1, 5.5);
}

TEST(MatchOptions, MistakesAreRefusedWithAReason) {
  std::string error;
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"-a", "x"},  // one engine
                                             {"-a", "x", "-b", "y", "-n", "0"},
                                             {"-a", "x", "-b", "y", "-j", "two"},
                                             {"-a", "x", "-b", "y", "--limit-a", "fast"},
                                             {"-a", "x", "-b", "y", "--option-a", "Level"},
                                             {"-a", "x", "-b", "y", "--sprt", "10,0"},
                                             {"-a", "x", "-b", "y", "--sprt", "10"},
                                             {"-a", "x", "-b", "y", "--colour", "red"},
                                             {"-a", "x", "--gnu-b", "--option-b", "Hash=16"},
                                             {"-a", "x", "--gnu-b", "--limit-b", "movetime 100"},
                                             {"-a", "x", "-b"}}) {
    EXPECT_FALSE(parse(bad, &error)) << bad.back();
    EXPECT_FALSE(error.empty()) << bad.back();
  }
  EXPECT_TRUE(parse({"--help"})->help);
  // gnuminishogi searches to a depth: one given for both sides is its, any other is not.
  EXPECT_EQ(describe(parse({"-a", "x", "--gnu-b", "--limit", "movetime 50"})->limits[1]), "depth 1");
  EXPECT_EQ(describe(parse({"-a", "x", "--gnu-b", "--limit", "depth 3"})->limits[1]), "depth 3");
}

}  // namespace
}  // namespace zelk::match
