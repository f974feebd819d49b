#include "core/test_support.h"

#include <gtest/gtest.h>

#include "core/influence_survey.h"
#include "core/sfen.h"

namespace zelk::test {

GameState position(std::string_view sfen) {
  GameState g;
  const auto err = loadSfen(g, sfen);
  EXPECT_FALSE(err.has_value()) << sfen << ": " << err.value_or("");
  return g;
}

GameState surveyed(std::string_view sfen) {
  GameState g = position(sfen);
  勢力調査(g);
  return g;
}

}  // namespace zelk::test
