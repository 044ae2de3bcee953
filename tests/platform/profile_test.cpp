#include "platform/profile.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/fixtures/temp_folder.h"

namespace {
using platform::Profile;

Profile parsed(const std::string& text) {
  Profile p;
  p.parse(text.data(), text.size());
  return p;
}

TEST(Profile, SectionsAndKeysIgnoreCaseAndEnumerateInFileOrder) {
  Profile p = parsed(
      "; installer settings\r\n"
      "orphan=1\r\n"
      "[SOUND]\r\n"
      "Music_Off = 1 \r\n"
      "  wav_off=0\r\n"
      "[ debug ]\n"
      "hot_key=\"1\"\n"
      "hot_key=2\n"
      "; hot_key=3\n"
      "[sound]\n"
      "extra=x\n"
      "[screen\n"
      "window\n");
  EXPECT_EQ(p.section_names(), (std::vector<std::string>{"SOUND", "debug"}));
  EXPECT_EQ(p.key_names("Sound"), (std::vector<std::string>{"Music_Off", "wav_off", "extra"}));
  EXPECT_EQ(p.value("sound", "MUSIC_OFF"), "1");
  EXPECT_EQ(p.value("DEBUG", "hot_key"), "1");  // quotes dropped; the first of two wins
  EXPECT_EQ(p.key_names("debug"), (std::vector<std::string>{"hot_key"}));
  EXPECT_EQ(p.value("debug", "missing"), std::nullopt);
  EXPECT_EQ(p.value("none", "hot_key"), std::nullopt);
  EXPECT_TRUE(p.key_names("none").empty());
  // A line without '=' in a section is a key with an empty value.
  Profile q = parsed("[screen]\nwindow\n");
  EXPECT_EQ(q.value("screen", "window"), "");
}

TEST(Profile, LoadReadsTheFileAndAMissingFileGivesNothing) {
  fixtures::TempFolder dir(true);
  dir.write("game.ini", "[debug]\r\nhot_key=1\r\n");
  Profile p;
  EXPECT_TRUE(p.load("GAME.INI"));
  EXPECT_EQ(p.value("debug", "hot_key"), "1");
  EXPECT_FALSE(p.load("none.ini"));
  EXPECT_TRUE(p.section_names().empty());
}

TEST(Profile, BinaryInputParsesWithoutHarm) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(std::size_t(rng() % 512), '\0');
    const std::string_view alphabet("[]=;\n\r \x81\xA5\\a\0", 12);
    for (char& c : bytes) c = alphabet[rng() % alphabet.size()];
    Profile p = parsed(bytes);
    for (const std::string& s : p.section_names())
      for (const std::string& k : p.key_names(s)) EXPECT_TRUE(p.value(s, k).has_value());
  }
}

}  // namespace
