#include "core/game_ini.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "tests/fixtures/game_ini_writer.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using fixtures::IniSection;
using fixtures::TempFolder;

struct Outcome {
  int result;
  int music_off, wav_off, window, debug_keys;  // their flags
  int log_switch;
};

class GameIni : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    set_error_log_switch(1);
    debug_keys_enabled = music_off_enabled = wav_off_enabled = 0;
  }
  Outcome read(const std::string& text) {
    dir.write("game.ini", text);
    int result = read_game_ini(nullptr, dir.str() + "\\GAME.INI");
    return {result,
            test_flag(flag_music_off),
            test_flag(flag_wav_off),
            test_flag(flag_ask_window),
            test_flag(flag_developer_keys),
            error_log_switch};
  }
  TempFolder dir;
};

bool operator==(const Outcome& a, const Outcome& b) {
  return a.result == b.result && a.music_off == b.music_off && a.wav_off == b.wav_off &&
         a.window == b.window && a.debug_keys == b.debug_keys && a.log_switch == b.log_switch;
}
std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  return os << "{result " << o.result << ", flags music/wav/window/keys " << o.music_off << o.wav_off
            << o.window << o.debug_keys << ", switch " << o.log_switch << "}";
}

TEST_F(GameIni, MissingOrEmptyFileChangesNothing) {
  EXPECT_EQ(read_game_ini(nullptr, dir.str() + "\\game.ini"), 0);
  EXPECT_EQ(test_flag(flag_music_off) + test_flag(flag_wav_off) + test_flag(flag_ask_window) +
                test_flag(flag_developer_keys),
            0);
  EXPECT_EQ(error_log_switch, 1);
  EXPECT_EQ(read("; nothing here\r\n"), (Outcome{0, 0, 0, 0, 0, 1}));
}

TEST_F(GameIni, HotKeyValuesReadAsANumber) {
  struct Case {
    const char* value;
    bool on;
  };
  const Case cases[] = {{"1", true},   {"01", true},          {"1x", true},   {" 1", true},
                        {"+1", true},  {"2", false},          {"yes", false}, {"", false},
                        {"-1", false}, {"4294967297", false}, {"11", false}};
  for (const Case& c : cases) {
    SetUp();
    Outcome got = read(fixtures::game_ini_text({{"debug", {{"hot_key", c.value}}}}));
    EXPECT_EQ(got, (Outcome{1, 0, 0, 0, c.on, c.on ? 0 : 1})) << "hot_key=" << c.value;
    EXPECT_EQ(debug_keys_enabled, c.on ? 1 : 0) << "hot_key=" << c.value;
  }
}

TEST_F(GameIni, SectionsAndKeysIgnoreCase) {
  EXPECT_EQ(read(fixtures::game_ini_text({{"DEBUG", {{"HOT_KEY", "1"}}}})),
            (Outcome{1, 0, 0, 0, 1, 0}));
  SetUp();
  EXPECT_EQ(read(fixtures::game_ini_text({{"sound", {{"MUSIC_OFF", "1"}, {"Wav_Off", "1"}}},
                                          {"Screen", {{"WINDOW", "1"}}}})),
            (Outcome{1, 1, 1, 1, 0, 1}));
}

TEST_F(GameIni, EachSwitchSetsItsFlag) {
  EXPECT_EQ(read(fixtures::standard_game_ini("1", "0", "0", "0")), (Outcome{1, 1, 0, 0, 0, 1}));
  SetUp();
  EXPECT_EQ(read(fixtures::standard_game_ini("0", "1", "0", "0")), (Outcome{1, 0, 1, 0, 0, 1}));
  SetUp();
  EXPECT_EQ(read(fixtures::standard_game_ini("0", "0", "0", "1")), (Outcome{1, 0, 0, 1, 0, 1}));
  SetUp();
  EXPECT_EQ(read(fixtures::standard_game_ini("1", "1", "1", "1")), (Outcome{1, 1, 1, 1, 1, 0}));
}

TEST_F(GameIni, KeysOfUnknownSectionsAreIgnored) {
  // Not read as the kind of the section before them.
  EXPECT_EQ(read(fixtures::game_ini_text(
                {{"SOUND", {{"wav_off", "0"}}},
                 {"other", {{"music_off", "1"}, {"hot_key", "1"}, {"window", "1"}}}})),
            (Outcome{1, 0, 0, 0, 0, 1}));
  SetUp();
  // Keys in the wrong known section are not taken either.
  EXPECT_EQ(
      read(fixtures::game_ini_text({{"screen", {{"hot_key", "1"}}}, {"debug", {{"window", "1"}}}})),
      (Outcome{1, 0, 0, 0, 0, 1}));
}

TEST_F(GameIni, RememberedSwitchesOutlastTheResetOfAllFlags) {
  read(fixtures::standard_game_ini("1", "1", "1", "1"));
  EXPECT_EQ(music_off_enabled, 1);
  EXPECT_EQ(wav_off_enabled, 1);
  EXPECT_EQ(debug_keys_enabled, 1);
  std::memset(flag_bytes, 0, sizeof flag_bytes);  // the new-game reset
  reapply_game_ini_flags();
  int set = 0;
  for (int n = 0; n < 16384; ++n) set += test_flag(n);
  EXPECT_EQ(set, 3);
  EXPECT_EQ(test_flag(flag_music_off) + test_flag(flag_wav_off) + test_flag(flag_developer_keys), 3);
  EXPECT_EQ(test_flag(flag_ask_window), 0);  // the window question is asked once, at start-up
}

TEST_F(GameIni, ResetWithoutSwitchesLeavesEveryFlagClear) {
  read(fixtures::standard_game_ini("0", "0", "2", "0"));
  std::memset(flag_bytes, 0, sizeof flag_bytes);
  reapply_game_ini_flags();
  for (int n = 0; n < 16384; ++n) ASSERT_EQ(test_flag(n), 0) << n;
}

}  // namespace
