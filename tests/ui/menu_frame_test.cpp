// The menu frame driven through its input step a frame at a time: when hovering may move the
// bar's highlight, the bar's wrap-around, the base-camp entry, the ways out and User.cfg, and the
// system page's save refusal.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/base_camp.h"
#include "base/houses.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/paths.h"
#include "data/map_role.h"
#include "data/party.h"
#include "field/map_file.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/ui/menu_driver.h"
#include "ui/menu/menu_arts.h"
#include "ui/menu/menu_equip.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_mechanisms.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/menu/menu_system_page.h"
#include "ui/saves/save_load.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
using menu_driver::box_text;

// "此功能尚未啟動!!%Q"
const std::string not_started_text = "\xa6\xb9\xa5\\\xaf\xe0\xa9|\xa5\xbc\xb1\xd2\xb0\xca!!%Q";
// "現在不能存檔!!%Q"
const std::string no_save_text = "\xb2{\xa6""b\xa4\xa3\xaf\xe0\xa6s\xc0\xc9!!%Q";

constexpr int off_x = 600, off_y = 200;  // a pointer over nothing the menu answers

class MenuFrame : public ::testing::Test {
 protected:
  MenuFrame() {
    game_dir = folder_.str();
    fixtures::start_test_game();
    GameMode = mode_field;
    SavedGameMode = 0;
    map_record.map_flags = 0;
    clear_flag(flag_base_camp_open);
    clear_flag(flag_wav_off);
    mouse_x = off_x, mouse_y = off_y;
    equip_page = EquipPage{};  // the member an earlier visit chose stays with the page
    frames_.count_sounds(&sounds_);
  }
  ~MenuFrame() override {
    del_all_tbutton();
    del_all_talkmsg();
  }
  void step(std::initializer_list<KeyCode> down = {}) {
    frames_.run([] { input_menu_system(); }, down);
  }
  void press(KeyCode k) {
    frames_.press([] { input_menu_system(); }, k);
  }
  bool cfg_written() const { return std::filesystem::exists(folder_.path() / "User.cfg"); }
  void enter() {
    ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
    ASSERT_TRUE(sounds_.open());
    step();  // the first frame takes the pointer's place as unmoved
    sounds_.reset();
  }

  fixtures::TempFolder folder_{true};
  menu_driver::SoundCounter sounds_{folder_.path(), {32, 41, 301, 303, 304, 305, 309, 324, 325, 326, 327, 328, 329, 330, 331}};
  menu_driver::Frames frames_;
};

TEST_F(MenuFrame, KeyNavModeIgnoresTheMouseUntilItMoves) {
  enter();
  mouse_x = 40, mouse_y = 303;  // over entry 5
  step();
  EXPECT_EQ(menu_bar_sel, 5) << "a moved pointer highlights the entry under it";
  EXPECT_EQ(sounds_.played(329), 1);
  sounds_.reset();
  press(key_down);
  EXPECT_EQ(menu_bar_sel, 6);
  EXPECT_EQ(key_nav_mode, 1);
  for (int i = 0; i < 3; ++i) step();
  EXPECT_EQ(menu_bar_sel, 6) << "the unmoved pointer over entry 5 is ignored";
  EXPECT_EQ(sounds_.played(329), 0);
  mouse_y = 304;
  step();
  EXPECT_EQ(key_nav_mode, 0);
  EXPECT_EQ(menu_bar_sel, 5);
  EXPECT_EQ(sounds_.played(329), 1);
}

TEST_F(MenuFrame, HoldingTheLeftButtonClearsKeyNavModeSoTheClickActs) {
  enter();
  mouse_x = 40, mouse_y = 150;  // over entry 1
  step();
  press(key_down);
  ASSERT_EQ(key_nav_mode, 1);
  step({key_mouse1});
  EXPECT_EQ(key_nav_mode, 0);
  EXPECT_EQ(menu_page, menu_page_items);
  EXPECT_EQ(menu_bg_frame, 1);
}

TEST_F(MenuFrame, UpAndDownWrapTheHighlightBetweenTheFirstAndLastEntry) {
  enter();
  struct Case {
    KeyCode key;
    int entry, sound, hint;
  } cases[] = {
      {key_down, 1, 325, 0},  // the first highlight leaves the hint line alone
      {key_up, 7, 331, 7},
      {key_down, 1, 325, 1},
      {key_down, 2, 326, 2},
      {key_up, 1, 325, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    sounds_.reset();
    press(c.key);
    EXPECT_EQ(menu_bar_sel, c.entry);
    EXPECT_EQ(menu_hint_key, c.hint);
    EXPECT_EQ(sounds_.played(c.sound), 1);
  }
}

TEST_F(MenuFrame, TheBaseCampEntryWithoutItsFlagIsRefusedAndTheMenuStays) {
  struct Case {
    const char* name;
    bool by_mouse;
  } cases[] = {{"a click", true}, {"Enter", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    enter();
    if (c.by_mouse) {
      mouse_x = 40, mouse_y = 303;
      step({key_mouse1});
    } else {
      for (int i = 0; i < 5; ++i) press(key_down);
      ASSERT_EQ(menu_bar_sel, 5);
      press(key_enter);
    }
    EXPECT_EQ(GameMode, mode_menu);
    EXPECT_EQ(menu_page, menu_page_bar);
    EXPECT_EQ(box_text(), not_started_text);
    EXPECT_EQ(sounds_.played(309), 1);
    EXPECT_EQ(sounds_.played(41), 0);
    // Enter opens the entry, refused or not; a refused click opens nothing.
    EXPECT_EQ(menu_bg_frame, c.by_mouse ? 1 : 5);
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
    mouse_x = off_x, mouse_y = off_y;
    del_all_talkmsg();
  }
}

// A click on the refused base camp entry closes whatever page was open: the bar has the focus.
TEST_F(MenuFrame, ARefusedBaseCampClickLeavesAnyPageForTheBar) {
  for (int entry : {menu_page_items, menu_page_equip, menu_page_arts, menu_page_mechanisms, menu_page_log,
                    menu_page_system}) {
    SCOPED_TRACE(entry);
    GameMode = mode_field;
    enter();
    for (int i = 0; i < entry; ++i) press(key_down);
    press(key_enter);
    ASSERT_EQ(menu_page, entry);
    mouse_x = 40, mouse_y = 303;
    step({key_mouse1});
    EXPECT_EQ(menu_page, menu_page_bar);
    EXPECT_EQ(box_text(), not_started_text);
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
    mouse_x = off_x, mouse_y = off_y;
    del_all_talkmsg();
  }
}

TEST_F(MenuFrame, TheBaseCampEntryWithItsFlagHandsOverAndComesBackToTheBar) {
  set_flag(flag_base_camp_open);
  enter();
  mouse_x = 40, mouse_y = 303;
  step({key_mouse1});
  // The base camp opens over the menu; leaving it restores mode 1 from SavedGameMode.
  EXPECT_EQ(GameMode, mode_base_camp);
  EXPECT_EQ(SavedGameMode, mode_menu);
  leave_base_camp();
  free_all_houses();
  EXPECT_EQ(GameMode, mode_menu);
  EXPECT_EQ(menu_return_mode, mode_field);
  EXPECT_EQ(menu_page, menu_page_bar);
  EXPECT_EQ(menu_bar_sel, 0);
  EXPECT_EQ(menu_bg_frame, 5) << "the base camp's entry was opened last";
  EXPECT_EQ(sounds_.played(41), 1);
  EXPECT_EQ(sounds_.played(309), 0);
  EXPECT_EQ(box_text(), "");
  clear_flag(flag_base_camp_open);
}

// Entering the menu rebuilds the mechanism list from the flags and keeps the tab chosen before.
TEST_F(MenuFrame, TheMechanismChosenStaysOverALeaveAndTheListFollowsTheFlags) {
  set_flag(flag_mechanism_listed_0);
  set_flag(flag_mechanism_listed_2);
  enter();
  for (int i = 0; i < 4; ++i) press(key_down);
  press(key_enter);
  ASSERT_EQ(menu_page, menu_page_mechanisms);
  press(key_right);
  EXPECT_EQ(mechanism_selection(), 1);
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  set_flag(flag_mechanism_listed_1);
  enter();
  EXPECT_EQ(mechanism_count(), 3);
  EXPECT_EQ(mechanism_at(1), 1);
  EXPECT_EQ(mechanism_selection(), 1);
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  for (int f : {flag_mechanism_listed_0, flag_mechanism_listed_1}) clear_flag(f);
  enter();
  EXPECT_EQ(mechanism_count(), 1);
  EXPECT_EQ(mechanism_selection(), 0) << "the list grew shorter than the choice";
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  clear_flag(flag_mechanism_listed_2);
}

TEST_F(MenuFrame, EveryWayOutReturnsToTheFieldAndWritesUserCfg) {
  struct Case {
    const char* name;
    int x, y;
    KeyCode key;
    int sound;
  } cases[] = {
      {"close button", 620, 10, key_mouse1, 303},
      {"Escape", off_x, off_y, key_escape, 304},
      {"right button", off_x, off_y, key_mouse2, 304},
      {"left Ctrl", off_x, off_y, key_lctrl, 304},
      {"right Ctrl", off_x, off_y, key_rctrl, 304},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder_.path() / "User.cfg");
    GameMode = mode_field;
    enter();
    mouse_x = c.x, mouse_y = c.y;
    step();
    ASSERT_EQ(GameMode, mode_menu);
    sounds_.reset();
    press(c.key);
    EXPECT_EQ(GameMode, mode_field);
    EXPECT_EQ(SavedGameMode, 0);
    EXPECT_TRUE(cfg_written());
    EXPECT_EQ(sounds_.played(c.sound), 1);
  }
}

TEST_F(MenuFrame, ACancelKeyWithTheNarratorsBoxOpenOnlyClosesTheBox) {
  gmMapRoleCount = 1;
  gmMapRole[0] = MapRole{};
  gmMapRole[0].RoleID = party_role_first;  // the narrator
  enter();
  add_txt_msg(100, 100, 200, 64, 0, 0, "x%Q", 0);
  ASSERT_EQ(check_txt_msg_end(), 0);
  press(key_escape);
  EXPECT_EQ(GameMode, mode_menu);
  EXPECT_EQ(talkmsg_count(), 0);
  EXPECT_EQ(sounds_.played(304), 0);
  press(key_escape);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_EQ(sounds_.played(304), 1);
  gmMapRoleCount = 0;
}

TEST_F(MenuFrame, EnteringAgainWhileOpenPlaysNothingAndKeepsThePage) {
  enter();
  press(key_down);
  press(key_enter);
  ASSERT_EQ(menu_page, menu_page_items);
  menu_bg_frame = 3;
  EXPECT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 0);
  EXPECT_EQ(sounds_.played(301), 0);
  EXPECT_EQ(menu_page, menu_page_items);
  EXPECT_EQ(menu_bg_frame, 3);
  EXPECT_EQ(menu_return_mode, mode_field);
}

// With nobody in the party the pages' member steps have nobody to step to: they do nothing.
TEST_F(MenuFrame, WithNoMemberPresentTheMemberStepsDoNothing) {
  for (int f : party_member_flags) clear_flag(f);
  struct Case {
    const char* name;
    void (*open)();
  } cases[] = {
      {"items, member choice",
       [] {
         menu_page = menu_page_items;
         enter_item_page();
         item_page_state = item_state_member;
       }},
      {"equipment", [] { enter_equip_page(); }},
      {"arts, member choice",
       [] {
         menu_page = menu_page_arts;
         enter_arts_page();
         arts_state = arts_choosing_member;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    enter();
    ASSERT_EQ(menu_party_count, 0);
    c.open();
    for (KeyCode k : {key_left, key_right, key_up, key_down}) press(k);
    EXPECT_EQ(menu_party_target, 0);
    EXPECT_EQ(equip_page.member, 0);
    EXPECT_EQ(GameMode, mode_menu);
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

// Opens the system page through the bar: Down, Up (wrapping to 7), Enter.
class SystemPage : public MenuFrame {
 protected:
  void open_system_page() {
    enter();
    press(key_down);
    press(key_up);
    press(key_enter);
    ASSERT_EQ(menu_page, menu_page_system);
    sounds_.reset();
  }
};

TEST_F(SystemPage, SavingIsRefusedOnAMapThatForbidsItAndTheSaveScreenReturnsToTheMenu) {
  struct Case {
    std::uint16_t map_flags;
    bool refused;
  } cases[] = {{map_no_save, true}, {std::uint16_t(map_no_save | 0x80), true}, {0x80, false}, {0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.map_flags);
    std::filesystem::remove(folder_.path() / "User.cfg");
    GameMode = mode_field;
    map_record.map_flags = c.map_flags;
    open_system_page();
    press(key_enter);
    if (c.refused) {
      EXPECT_EQ(GameMode, mode_menu);
      EXPECT_EQ(box_text(), no_save_text);
      EXPECT_EQ(sounds_.played(309), 1);
    } else {
      EXPECT_EQ(GameMode, mode_save);
      EXPECT_EQ(sounds_.played(303), 1);
      call_save_system(MODE_LEAVE, 0, 0);
      EXPECT_EQ(GameMode, mode_menu);
    }
    EXPECT_FALSE(cfg_written());
    // Out of the page and out of the menu with the cancel key: back to the field.
    press(key_escape);
    EXPECT_EQ(menu_page, menu_page_bar);
    press(key_escape);
    EXPECT_EQ(GameMode, mode_field);
    EXPECT_TRUE(cfg_written());
    del_all_talkmsg();
  }
}

}  // namespace
