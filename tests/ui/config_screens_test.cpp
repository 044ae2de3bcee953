// The key and joystick configuration screens: their rules, and the keyboard screen driven by
// keys through its input function.
#include "ui/title/config_screens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/paths.h"
#include "core/user_cfg.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/title/key_names.h"

namespace {

TEST(ConfigRules, MouseBandsPickRowsAndButtons) {
  struct Case {
    const ConfigKind* kind;
    int x, y, cursor;
  } cases[] = {
      {&key_config_kind, 240, 65, 0},   {&key_config_kind, 463, 89, 0},  {&key_config_kind, 300, 90, 1},
      {&key_config_kind, 300, 389, 12}, {&key_config_kind, 300, 390, -1}, {&key_config_kind, 239, 100, -1},
      {&key_config_kind, 464, 100, -1}, {&key_config_kind, 300, 64, -1},  {&key_config_kind, 70, 416, 13},
      {&key_config_kind, 163, 430, 14}, {&key_config_kind, 348, 447, 15}, {&key_config_kind, 349, 430, -1},
      {&key_config_kind, 100, 448, -1}, {&joy_config_kind, 300, 94, 0},   {&joy_config_kind, 300, 95, 1},
      {&joy_config_kind, 300, 244, 5},  {&joy_config_kind, 300, 245, -1}, {&joy_config_kind, 70, 416, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(config_cursor_at(*c.kind, c.x, c.y), c.cursor);
  }
}

// Where the selection box is drawn is checked on the drawn frame (tests/app).
TEST(ConfigRules, TheCursorStopsAtTheFirstAndLastPlace) {
  EXPECT_EQ(config_step_cursor(key_config_kind, 15, 1), 15);
  EXPECT_EQ(config_step_cursor(joy_config_kind, 8, 1), 8);
  EXPECT_EQ(config_step_cursor(key_config_kind, 0, -1), 0);
}

TEST(ConfigRules, ABoundKeyMovesTheWaitToTheRowThatHeldIt) {
  ConfigScreen s;
  for (int i = 0; i < 30; ++i) s.working[i] = 'a' + i % 26;
  s.working[20] = 'q';  // beyond the editable rows: not searched
  s.cursor = 1;
  EXPECT_EQ(config_choose(key_config_kind, s), ConfigChoice::wait_for_key);
  EXPECT_EQ(s.working[1], 0);
  EXPECT_EQ(s.state, config_waiting);
  EXPECT_FALSE(config_take(key_config_kind, s, key_escape));
  EXPECT_FALSE(config_take(key_config_kind, s, key_enter));
  EXPECT_EQ(s.state, config_waiting) << "Escape and Enter are refused";
  EXPECT_TRUE(config_take(key_config_kind, s, 'e'));
  EXPECT_EQ(s.working[1], 'e');
  EXPECT_EQ(s.cursor, 4);
  EXPECT_EQ(s.working[4], 0);
  EXPECT_EQ(s.state, config_waiting);
  EXPECT_TRUE(config_take(key_config_kind, s, 'q'));
  EXPECT_EQ(s.working[4], 'q');
  EXPECT_EQ(s.cursor, 4) << "a key held only outside the rows does not move the cursor off the screen";
  EXPECT_EQ(s.state, config_browsing);
}

TEST(ConfigRules, JoystickSwapUsesItsMarker) {
  ConfigScreen s;
  for (int i = 0; i < 32; ++i) s.working[i] = 264 + i % 12;
  s.cursor = 0;
  config_choose(joy_config_kind, s);
  EXPECT_EQ(s.working[0], 276);
  config_take(joy_config_kind, s, 266);
  EXPECT_EQ(s.cursor, 2);
  EXPECT_EQ(s.working[2], 276);
  config_take(joy_config_kind, s, 264);
  EXPECT_EQ(s.working[2], 264);
  EXPECT_EQ(s.state, config_browsing);
}

TEST(ConfigNames, KeysButtonsAndUnknowns) {
  EXPECT_STREQ(scan_code_name(0x11), "W");
  EXPECT_STREQ(scan_code_name(0xC8), "Arrow Up");
  EXPECT_STREQ(scan_code_name(0x54), "??");
  EXPECT_STREQ(scan_code_name(222), "??");
  EXPECT_STREQ(scan_code_name(0), "\xbd\xd0\xab\xf6\xa4@\xad\xd3\xc1\xe4");
  EXPECT_STREQ(joy_binding_name(264), "\xab\xf6\xb6s" "1");
  EXPECT_STREQ(joy_binding_name(275), "\xab\xf6\xb6s" "12");
  EXPECT_STREQ(joy_binding_name(276), "\xbd\xd0\xab\xf6\xa4@\xad\xd3\xc1\xe4");
  EXPECT_STREQ(joy_binding_name(263), "??");
  EXPECT_STREQ(joy_binding_name(300), "??");
}

class KeyConfigScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_game_dir_ = game_dir;
    game_dir = folder_.str();  // leaving writes User.cfg there
    GameMode = mode_field;
    mouse_x = mouse_y = 0;
    grp_input.clear_keys();  // an earlier test's later key times would hide this test's presses
    set_default_key_bindings();
    key_bindings[2] = 'x';
    call_key_config(MODE_ENTER, 0, 0);
  }
  void press(KeyCode k) {
    now_ += 200;  // apart enough that no press counts as a double press
    grp_input.update_key(now_, k, 0);
    now_ += 200;
    grp_input.update_key(now_, k, 1);
    input_key_config();
    grp_input.update_key(now_ + 1, k, 0);
  }
  void TearDown() override { game_dir = saved_game_dir_; }
  std::uint32_t now_ = 1000;
  fixtures::TempFolder folder_{true};
  std::string saved_game_dir_;
};

TEST_F(KeyConfigScreen, DefaultsThenCancelKeepTheDefaults) {
  EXPECT_EQ(GameMode, mode_key_config);
  EXPECT_EQ(key_config_screen.working[0], 'x');
  key_config_screen.cursor = 15;  // "預設"
  press(key_enter);
  EXPECT_EQ(GameMode, mode_key_config) << "the screen stays";
  EXPECT_NE(key_bindings[2], 'x') << "the defaults are in force at once";
  EXPECT_EQ(key_config_screen.working[0], key_bindings[2]);
  key_config_screen.cursor = 14;  // "放棄"
  press(key_enter);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_NE(key_bindings[2], 'x');
  // Leaving saved the defaults: User.cfg read back gives them again.
  const int defaults = key_bindings[2];
  key_bindings[2] = 'x';
  load_user_cfg();
  EXPECT_EQ(key_bindings[2], defaults);
}

TEST_F(KeyConfigScreen, ConfirmWritesTheWorkingCopyBack) {
  key_config_screen.working[0] = 'z';
  key_config_screen.cursor = 13;  // "確定"
  press(key_space);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_EQ(key_bindings[2], 'z');
}

TEST_F(KeyConfigScreen, EnteringTwiceDoesNothing) {
  key_config_screen.cursor = 5;
  call_key_config(MODE_ENTER, 0, 0);
  EXPECT_EQ(key_config_screen.cursor, 5);
  call_key_config(MODE_LEAVE, 0, 0);
  EXPECT_EQ(GameMode, mode_field);
}

}  // namespace
