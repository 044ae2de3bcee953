// The menu frame, the bar's bands, the items page's rules and the options panel's steps, without drawing.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/party.h"
#include "tests/fixtures/script_state.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_system.h"
#include "ui/menu/options_panel.h"
#include "ui/saves/save_load.h"
#include "ui/talk_msg.h"
#include "tests/fixtures/temp_folder.h"

namespace {

class Menu : public ::testing::Test {
 protected:
  void SetUp() override {
    game_dir = folder_.str();
    fixtures::start_test_game();
    GameMode = mode_field;
    SavedGameMode = 0;
  }
  void TearDown() override {
    free_item_list(&party_bag);
    del_all_talkmsg();
  }
  bool cfg_written() const { return std::filesystem::exists(folder_.path() / "User.cfg"); }
  fixtures::TempFolder folder_;
};

TEST_F(Menu, LeavingAfterTheSaveScreenReturnsToTheFieldAndWritesUserCfg) {
  ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
  EXPECT_EQ(GameMode, mode_menu);
  call_save_system(MODE_ENTER, 0, 0);  // overwrites SavedGameMode with the menu
  EXPECT_EQ(GameMode, mode_save);
  call_save_system(MODE_LEAVE, 0, 0);
  EXPECT_EQ(GameMode, mode_menu);
  EXPECT_FALSE(cfg_written());
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_EQ(SavedGameMode, 0);
  EXPECT_TRUE(cfg_written());
}

// Every entry's band starts at 143 and the first band that holds the pointer wins, so each
// entry answers below the end of the one before it.
TEST(MenuBar, ThePointerFindsTheFirstEntryWhoseBandHoldsIt) {
  struct Case {
    int x, y, entry;
  } cases[] = {{40, 303, 4},  {40, 143, 0}, {40, 182, 0}, {40, 183, 1}, {5, 150, 0},  {84, 150, 0},
               {4, 150, -1},  {85, 150, -1}, {40, 142, -1}, {40, 422, 6}, {40, 423, -1}};
  for (const Case& c : cases) EXPECT_EQ(page_bar_entry_at(c.x, c.y), c.entry) << c.x << "," << c.y;
}

TEST(MenuBar, EntriesWrapBetweenOneAndSeven) {
  EXPECT_EQ(wrap_bar_entry(1, -1), 7);
  EXPECT_EQ(wrap_bar_entry(7, 1), 1);
  EXPECT_EQ(wrap_bar_entry(3, 1), 4);
  EXPECT_EQ(wrap_bar_entry(3, -1), 2);
}

TEST(MenuBoxes, UpToExcludesTheEndAndTheFirstBoxWins) {
  const BoxStrip tabs{120, 4, 146, 36, 26, 0, 8};
  EXPECT_EQ(first_box_hit(tabs, 120, 4), 0);
  EXPECT_EQ(first_box_hit(tabs, 145, 35), 0);
  EXPECT_EQ(first_box_hit(tabs, 146, 10), 1);
  EXPECT_EQ(first_box_hit(tabs, 119, 10), -1);
  EXPECT_EQ(first_box_hit(tabs, 130, 36), -1);
  EXPECT_EQ(first_box_hit(tabs, 327, 10), 7);
  EXPECT_EQ(first_box_hit(tabs, 328, 10), -1);
  EXPECT_TRUE(in_range(639, 610, 639));
  EXPECT_FALSE(in_span(639, 610, 639));
}

// A member with room to heal, and items built field by field.
RoleData hurt_member() {
  RoleData r{};
  r.hp = 50, r.max_hp = 100, r.mp = 10, r.max_mp = 10, r.sp = 5, r.max_sp = 5;
  r.stats[stat_level] = 10;
  return r;
}

ItemData item(std::uint16_t hp, std::uint8_t status_low = 0, std::uint8_t flags = 0) {
  ItemData d{};
  d.object_id = 3;
  d.kind = object_type_consumable;
  d.hp_amount = hp;
  d.status_low = status_low;
  d.action_flags = flags;
  return d;
}

TEST(ItemRule, RecoveryRevivesOnlyWithTheReviveBitAndStopsAtTheMaximum) {
  struct Case {
    const char* name;
    bool knocked_out;
    std::uint16_t hp;
    std::uint8_t revive;
    int result;
    int hp_after;
    bool knocked_out_after;
  } cases[] = {
      {"heals", false, 30, 0, 1, 80, false},
      {"caps", false, 90, 0, 1, 100, false},
      {"knocked out, no revive bit", true, 30, 0, 0, 50, true},
      {"revive bit", true, 30, item_flag_revives, 1, 80, false},
      {"nothing to restore", false, 0, 0, 0, 50, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RoleData r = hurt_member();
    if (c.knocked_out) r.flags |= member_knocked_out;
    EXPECT_EQ(apply_recovery(r, item(c.hp, c.revive)), c.result);
    EXPECT_EQ(r.hp, c.hp_after);
    EXPECT_EQ((r.flags & member_knocked_out) != 0, c.knocked_out_after);
  }
  RoleData full = hurt_member();
  full.hp = full.max_hp;
  EXPECT_EQ(apply_recovery(full, item(30)), 0);
}

TEST(ItemRule, APermanentBoostRaisesMaximaAndCurrentValuesAndSaturates) {
  RoleData r = hurt_member();
  r.flags |= member_knocked_out;
  ItemData boost = item(20, 0, item_flag_permanent);
  boost.attack = 3;
  boost.defence = std::uint16_t(-2);
  r.stats[stat_attack] = 65534;
  apply_permanent_boost(r, boost);
  EXPECT_EQ(r.max_hp, 120);
  EXPECT_EQ(r.hp, 70);
  EXPECT_EQ(r.hp_bonus, 20);
  EXPECT_EQ(r.attack_bonus, 3);
  EXPECT_EQ(r.stats[stat_attack], 65535);  // saturated, not wrapped to 1
  EXPECT_EQ(r.stats[stat_defence], 0);     // no wrap below 0 either
  EXPECT_EQ(r.defence_bonus, -2);
  r.max_mp = 32760;
  ItemData mp_boost = item(0, 0, item_flag_permanent);
  mp_boost.mp_amount = 100;
  apply_permanent_boost(r, mp_boost);
  EXPECT_EQ(r.max_mp, 32767);
}

TEST(ItemRule, TheLevelUpItemIsRefusedAtSixty) {
  set_flag(flag_member_0);
  gmRoleData[0] = hurt_member();
  gmRoleData[0].stats[stat_level] = 60;
  ItemData up = item(0);
  up.object_id = object_level_up_item;
  EXPECT_EQ(apply_item_to_member(0, &up), 0);
  gmRoleData[0].stats[stat_level] = 59;
  gmRoleData[0].flags |= member_knocked_out;
  gmRoleData[0].next_exp = 1234;
  EXPECT_EQ(apply_item_to_member(0, &up), 1);
  EXPECT_EQ(gmRoleData[0].stats[stat_level], 60);
  EXPECT_EQ(gmRoleData[0].exp, 1234);
  EXPECT_EQ(gmRoleData[0].flags & member_knocked_out, 0);
  EXPECT_EQ(apply_item_to_member(3, &up), 0);  // no such party slot
}

TEST(ItemRule, UsableItemsFollowTheUseContext) {
  ItemData d = item(10);
  d.byte_244 = 0;
  EXPECT_EQ(item_is_usable(d), 1);
  d.byte_244 = 1;
  EXPECT_EQ(item_is_usable(d), 1);
  d.kind = object_type_weapon;
  EXPECT_EQ(item_is_usable(d), 0);
  d.byte_244 = 2;
  d.kind = object_type_consumable;
  EXPECT_EQ(item_is_usable(d), 0);
}

TEST(MenuParty, NoMemberPresentLeavesTheListEmpty) {
  for (int f : party_member_flags) clear_flag(f);
  int party[3] = {7, 7, 7};
  EXPECT_EQ(collect_menu_party(party), 0);
  set_flag(flag_member_2);
  EXPECT_EQ(collect_menu_party(party), 1);
  EXPECT_EQ(party[0], 2);
  clear_flag(flag_member_2);
}

TEST(Options, FocusWrapsAndChoicesWrapOverTheirValues) {
  EXPECT_EQ(options_step_focus(0, -1), 6);
  EXPECT_EQ(options_step_focus(6, 1), 0);
  EXPECT_EQ(options_step_choice(3, 1, 1), 0);
  EXPECT_EQ(options_step_choice(6, 2, 1), 0);
  EXPECT_EQ(options_step_choice(6, 0, -1), 2);
  int x = 0, y = 0;
  options_focus_point(1, &x, &y);
  EXPECT_EQ(y, 145);
  options_focus_point(4, &x, &y);
  EXPECT_EQ(y, 305);
}

}  // namespace
