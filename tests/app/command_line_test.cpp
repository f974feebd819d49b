// What the two programs make of their arguments.

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zelk::app {
namespace {

TEST(GameCommandLine, TheGamesOwnOptionsAreTakenAndQtsAreLeftForQtInTheirOrder) {
  const GameCommandLine c = parseGameCommandLine({"-platform", "offscreen", "--desktop", "-style", "fusion"});
  EXPECT_TRUE(c.desktop);
  EXPECT_FALSE(c.paths || c.help || c.version);
  EXPECT_EQ(c.others, (std::vector<std::string>{"-platform", "offscreen", "-style", "fusion"}));

  const GameCommandLine none = parseGameCommandLine({});
  EXPECT_FALSE(none.desktop || none.paths || none.help || none.version);
  EXPECT_TRUE(none.others.empty());

  EXPECT_TRUE(parseGameCommandLine({"--paths", "--desktop"}).paths);
  EXPECT_TRUE(parseGameCommandLine({"--paths", "--desktop"}).desktop);
  EXPECT_TRUE(parseGameCommandLine({"-h"}).help);
  EXPECT_TRUE(parseGameCommandLine({"--desktop", "--help"}).help);
  EXPECT_TRUE(parseGameCommandLine({"-v"}).version);
  EXPECT_TRUE(parseGameCommandLine({"--version"}).version);
  // Close misspellings are not the option: Qt is left to refuse them.
  EXPECT_EQ(parseGameCommandLine({"--desk"}).others, (std::vector<std::string>{"--desk"}));
  EXPECT_FALSE(parseGameCommandLine({"-desktop"}).desktop);
}

TEST(UsiCommandLine, NoArgumentSpeaksTheProtocolAndBenchAloneRunsTheBenchmark) {
  EXPECT_EQ(parseUsiCommandLine({}).run, UsiRun::Protocol);
  EXPECT_EQ(parseUsiCommandLine({"bench"}).run, UsiRun::Bench);
  EXPECT_EQ(parseUsiCommandLine({"--help"}).run, UsiRun::Help);
  EXPECT_EQ(parseUsiCommandLine({"bench", "-h"}).run, UsiRun::Help);
  EXPECT_EQ(parseUsiCommandLine({"-v"}).run, UsiRun::Version);
  EXPECT_EQ(parseUsiCommandLine({"--version", "--help"}).run, UsiRun::Help);
}

TEST(UsiCommandLine, AnythingElseIsRefusedNamingTheFirstWrongArgument) {
  const UsiCommandLine stray = parseUsiCommandLine({"bench", "fast"});
  EXPECT_EQ(stray.run, UsiRun::Wrong);
  EXPECT_EQ(stray.wrong, "fast");
  EXPECT_EQ(parseUsiCommandLine({"--bench"}).wrong, "--bench");
  EXPECT_EQ(parseUsiCommandLine({"bench", "bench"}).run, UsiRun::Wrong);
  EXPECT_EQ(parseUsiCommandLine({"usi"}).run, UsiRun::Wrong);

  const std::string text = usageErrorText("zelk55-usi", "fast");
  EXPECT_EQ(text, "zelk55-usi: unrecognised argument 'fast'\nTry 'zelk55-usi --help' for more information.\n");
}

TEST(GameCommandLine, WhatIsNoneOfQtsOptionsIsFoundBeforeADisplayIsNeeded) {
  EXPECT_EQ(firstArgumentNotForQt({}), "");
  EXPECT_EQ(firstArgumentNotForQt({"-platform", "offscreen", "--style=fusion", "-reverse", "-display", ":1"}), "");
  EXPECT_EQ(firstArgumentNotForQt({"--bogus"}), "--bogus");
  EXPECT_EQ(firstArgumentNotForQt({"-style", "fusion", "bogus"}), "bogus");
  EXPECT_EQ(firstArgumentNotForQt({"-reverse", "-x"}), "-x");
}

}  // namespace
}  // namespace zelk::app
