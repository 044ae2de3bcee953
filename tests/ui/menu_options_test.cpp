// The system page's options and quit question driven through the menu's input step: held keys
// on the sliders with their sounds, the wheel, the flags and shadow frame set on leaving, and
// User.cfg written for every answer to the quit question.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/paths.h"
#include "core/user_cfg.h"
#include "data/map_role.h"
#include "field/map_file.h"
#include "field/role_draw.h"
#include "platform/input.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/ui/menu_driver.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/menu/menu_system_page.h"
#include "ui/menu/options_panel.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {

// "確定要離開嗎? %B離開遊戲. / %B取消.%Q"
const std::string quit_question =
    "\xbdT\xa9w\xadn\xc2\xf7\xb6}\xb6\xdc? %B\xc2\xf7\xb6}\xb9""C\xc0\xb8. / %B\xa8\xfa\xae\xf8.%Q";

class OptionsPage : public ::testing::Test {
 protected:
  OptionsPage() {
    game_dir = folder_.str();
    fixtures::start_test_game();
    GameMode = mode_field;
    SavedGameMode = 0;
    map_record.map_flags = 0;
    clear_flag(flag_wav_off);
    quit_request = 0;
    mouse_x = 600, mouse_y = 200;
    frames_.count_sounds(&sounds_);
  }
  ~OptionsPage() override {
    del_all_tbutton();
    del_all_talkmsg();
    quit_request = 0;
    gmMapRoleCount = 0;
  }
  void step(std::initializer_list<KeyCode> down = {}) {
    frames_.run([] { input_menu_system(); }, down);
  }
  void press(KeyCode k) {
    frames_.press([] { input_menu_system(); }, k);
  }
  bool cfg_written() const { return std::filesystem::exists(folder_.path() / "User.cfg"); }
  // The menu open on the system page, on the command of tab (0 save ... 3 quit).
  void open_tab(int tab) {
    ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
    step();
    press(key_down);
    press(key_up);  // wraps to the system entry
    press(key_enter);
    ASSERT_EQ(menu_page, menu_page_system);
    for (int i = 0; i < tab; ++i) press(key_right);
    ASSERT_EQ(system_tab, tab);
    sounds_.reset();
  }
  // The options being edited with the focus on row f.
  void edit_options(int f) {
    open_tab(system_tab_options);
    press(key_enter);
    ASSERT_EQ(system_state, system_state_options);
    options_focus = f;
    sounds_.reset();
  }

  fixtures::TempFolder folder_{true};
  menu_driver::SoundCounter sounds_{folder_.path(), {32, 303, 304, 305}};
  menu_driver::Frames frames_;
};

TEST_F(OptionsPage, HoldingLeftLowersAVolumeTwoAFrameToZeroAndTheSoundVolumePlaysEachChange) {
  struct Case {
    const char* name;
    int slider;
    int* value;
    int sounds_per_change;
  } cases[] = {{"music", 1, &music_volume, 0}, {"sound", 2, &sfx_volume, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    music_volume = sfx_volume = 6;
    GameMode = mode_field;
    edit_options(c.slider);
    for (int expected : {4, 2, 0}) {
      step({key_left});
      EXPECT_EQ(*c.value, expected);
      EXPECT_EQ(sounds_.played(32), c.sounds_per_change);
      sounds_.reset();
    }
    for (int i = 0; i < 3; ++i) step({key_left});
    EXPECT_EQ(*c.value, 0) << "not below the slider's minimum";
    EXPECT_EQ(c.slider == 1 ? sfx_volume : music_volume, 6) << "the other volume stays";
    press(key_escape);
    EXPECT_EQ(system_state, system_state_commands);
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

TEST_F(OptionsPage, TheWheelMovesTheFocusAndThePointerToTheFocusedRow) {
  platform::headless_input_reset();
  ASSERT_EQ(grp_input.create(nullptr, nullptr, 0), 1);
  grp_input.set_mouse_rect(0, 0, 640, 480);
  edit_options(0);
  struct Case {
    int notches, focus, x, y;
  } cases[] = {{-1, 1, 300, 145}, {-1, 2, 300, 205}, {-1, 3, 300, 265}, {1, 2, 300, 205},
               {1, 1, 300, 145},  {1, 0, 300, 85},   {1, 6, 300, 385},  {-1, 0, 300, 85}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focus);
    platform::headless_move_mouse(0, 0, 120 * c.notches);
    grp_input.poll();
    step();
    EXPECT_EQ(options_focus, c.focus);
    EXPECT_EQ(grp_input.mouse_x(), c.x);
    EXPECT_EQ(grp_input.mouse_y(), c.y);
    grp_input.poll();  // the wheel at rest again
    step();
    EXPECT_EQ(options_focus, c.focus) << "no step without a turn";
  }
  EXPECT_EQ(system_state, system_state_options);
}

TEST_F(OptionsPage, LeavingThePageSetsTheHintAndShadowFlagsAndTheShadowFrame) {
  struct Case {
    int hints, shadows;
    bool flag38, flag41;
    std::uint16_t shadow_frame;
  } cases[] = {{0, 0, false, false, shadow_qq},
               {1, 0, true, false, shadow_qq},
               {0, 1, false, false, shadow_qq_translucent},
               {1, 2, true, true, shadow_qq}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shadows * 10 + c.hints);
    GameMode = mode_field;
    // The opposite of what is expected, so that each flag must be set or cleared.
    c.flag38 ? clear_flag(flag_mission_hints) : set_flag(flag_mission_hints);
    c.flag41 ? clear_flag(flag_shadows_off) : set_flag(flag_shadows_off);
    shadow_instance.qq = 99;
    edit_options(4);
    user_options[option_mission_hints] = c.hints;
    user_options[option_shadows] = c.shadows;
    press(key_escape);  // the options
    ASSERT_EQ(menu_page, menu_page_system);
    press(key_escape);  // the page
    EXPECT_EQ(menu_page, menu_page_bar);
    EXPECT_EQ(test_flag(flag_mission_hints) != 0, c.flag38);
    EXPECT_EQ(test_flag(flag_shadows_off) != 0, c.flag41);
    EXPECT_EQ(shadow_instance.qq, c.shadow_frame);
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

TEST_F(OptionsPage, TheQuitQuestionWritesUserCfgForEveryAnswer) {
  struct Case {
    const char* name;
    int choice;
    bool cancel;
    int quit;
  } cases[] = {{"leave the game", 0, false, 1}, {"cancel", 1, false, 0}, {"the cancel key", 0, true, 0}};
  // The question box is the narrator's.
  gmMapRoleCount = 1;
  gmMapRole[0] = MapRole{};
  gmMapRole[0].RoleID = 0xFF01;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder_.path() / "User.cfg");
    GameMode = mode_field;
    quit_request = 0;
    open_tab(system_tab_quit);
    press(key_enter);
    ASSERT_EQ(system_state, system_state_quit);
    EXPECT_EQ(menu_driver::box_text(), quit_question);
    step();
    EXPECT_FALSE(cfg_written()) << "nothing written before the answer";
    tbutton_choice = c.choice;
    tbutton_cancelled = c.cancel ? 1 : 0;
    tbutton_confirmed = 1;
    step();
    EXPECT_TRUE(cfg_written());
    EXPECT_EQ(quit_request, c.quit);
    EXPECT_EQ(system_state, c.quit ? system_state_quit : system_state_commands);
    del_all_talkmsg();
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

}  // namespace
