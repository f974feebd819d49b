#include <gtest/gtest.h>

#include "base/cp932.h"
#include "settings/settings_file.h"

namespace zelk {
namespace {

std::string cp932(const std::string& utf8) { return toCp932(utf8).value(); }

TEST(SettingsFile, DefaultsAreExactlyFourLinesInCodePage932) {
  const std::string bytes = formatSettings(SettingsMarks{});
  EXPECT_EQ(bytes, cp932("背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"));
  // 緑 is 97 CE in code page 932.
  EXPECT_EQ(bytes.substr(7, 2), "\x97\xCE");
}

TEST(SettingsFile, WriterFollowsTheMarks) {
  SettingsMarks m{背景宇宙, true, false, false};
  EXPECT_EQ(formatSettings(m), cp932("背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n"));
  m.background = 0;  // no background item checked: no line for it
  EXPECT_EQ(formatSettings(m), cp932("移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n"));
}

TEST(SettingsFile, ReaderKeepsKeysAndValuesExactly) {
  const SettingsLines r = parseSettings(cp932("BGM=on\r\n移動指導=ON \r\nx=\r\n背景画=畳"));
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.lines.size(), 4u);
  EXPECT_EQ(r.lines[0], (std::pair<std::string, std::string>{"BGM", "on"}));
  EXPECT_EQ(r.lines[1], (std::pair<std::string, std::string>{"移動指導", "ON "}));
  EXPECT_EQ(r.lines[2], (std::pair<std::string, std::string>{"x", ""}));
  EXPECT_EQ(r.lines[3].second, "畳");
  EXPECT_EQ(backgroundKind(r.lines[3].second), 背景畳);
  EXPECT_EQ(backgroundKind("青"), 0);
}

TEST(SettingsFile, AnEmptyLineOrALineWithoutEqualsMeansDefaults) {
  EXPECT_FALSE(parseSettings(cp932("背景画=緑\r\n\r\nBGM=ON\r\n")).ok);
  EXPECT_FALSE(parseSettings("BGM\r\n").ok);
  EXPECT_TRUE(parseSettings("").ok);
}

}  // namespace
}  // namespace zelk
