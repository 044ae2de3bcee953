// The battle's screens against reference frames, on the sample game's pictures: the command
// wheel of a party member's turn, the HUD during that turn (a long rage bar blinks), the monster
// data panel and the results' experience screen. Drawing a list makes its highlighted entry the
// chosen action, and a row without an entry chooses no item.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_result_screen.h"
#include "battle/monster_panel.h"
#include "core/text_colours.h"
#include "data/item_list.h"
#include "data/party.h"
#include "gfx2d/big5_gb_table.h"
#include "g3d/effects/effect_manager.h"
#include "gfx2d/game_fonts.h"
#include "tests/battle/sample_battle_scene.h"
#include "tests/field/village_scene.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/gfx2d/fake_font.h"
#include "ui/screen_fade.h"

namespace {

using test_support::back_frame;

class BattleScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scene_.ok());
    fake_font::install_game_fonts();
    battle_scene::set_up_screen_text();
    install_item_data(fixtures::objdata_gll({
        fixtures::ObjectRecord().name("sword"),
        fixtures::ObjectRecord().name("herb").kind(201).list_flags(0x40),
    }));
    for (FightMan& u : gmFightMan) fight_unit_clear(u);
    fight_clear_block();
    fight_menu_reset();
    ActMan = turn_unit = -1;
    set_up_battle();
  }
  void TearDown() override {
    free_item_list(&party_bag);
    for (FightMan& u : gmFightMan) fight_unit_clear(u);
    fight_clear_block();
    fight_menu_reset();
    ActMan = turn_unit = -1;
    monster_info_shown = see_through_result = 0;
    fight_unit_effects.clear();
    screen_fade = ScreenFade{};
    for (int& slot : fight_party_slot) slot = 0;
    install_item_data({});
    fake_font::release_game_fonts();
  }
  // Two members at half HP and a quarter of their MP against two monsters; member 0's turn.
  void set_up_battle() {
    for (int i = 0; i < 2; ++i) {
      RoleData& r = roles_[i];
      r = RoleData{};
      std::strcpy(r.name, i == 0 ? "\xA7\x4A" : "\xA5\xD2");
      r.hp = 50, r.max_hp = 100;
      r.mp = 10, r.max_mp = 40;
      r.sp = 30, r.max_sp = 30;
      r.rage = 40 + 30 * i;
      r.equip[0] = 1;
      r.stats[stat_level] = std::uint16_t(4 + 3 * i);
      r.next_exp = 600;
      FightMan& u = gmFightMan[i];
      u.side = side_party;
      u.role = &r;
      u.portrait = std::uint16_t(i + 1);
      u.atb = 300 + 500 * i;
    }
    for (int k = 0; k < 2; ++k) {
      FightMan& u = gmFightMan[fight_first_enemy + k];
      u.side = side_enemy;
      std::strcpy(u.monster.NAME, "slime");
      u.monster.level = std::uint16_t(3 + k);
      u.monster.hp = 30, u.monster.max_hp = 60;
      u.monster.mp = 5, u.monster.max_mp = 9;
      u.monster.stats[combat_attack] = 12;
      u.atb = 200 * k;
    }
    fight_ally_count = 2;
    fight_enemy_count = 2;
  }
  static void clear_screen() { renderer.draw_rect(0, 0, 640, 480, 0xFF000000, 0); }
  static void expect_reference(const char* name) {
    const std::string failure = test_support::compare_with_reference(name, back_frame());
    EXPECT_TRUE(failure.empty()) << failure;
  }
  test_support::VillageScene scene_;
  RoleData roles_[2]{};
};

TEST_F(BattleScreens, TheCommandWheelOfAMembersTurn) {
  fight_open_menu(0);
  for (int f = 0; f < 40; ++f) {  // the slots fly out from the centre
    clear_screen();
    fight_cmd_draw(180, 150);
  }
  expect_reference("battle_command_wheel");
}

TEST_F(BattleScreens, TheHudDuringATurn) {
  fight_open_menu(0);
  talisman_gain(1, 2, 2, 320, 240);
  talisman_land();
  clear_screen();
  fight_hud_draw(100, 374);
  expect_reference("battle_hud_turn");
  // Past 32 pixels of rage the whole fill is drawn again, tinted by the blink: the second
  // member's bar (70 rage) changes colour where the first's (40) shows only its background.
  const test_support::Frame565 f = back_frame();
  const auto at = [&f](int x, int y) { return f.pixels[std::size_t(y) * 640 + std::size_t(x)]; };
  const int beyond_both = 80 + 45, bar_row = 374 + 12 + 3;
  EXPECT_NE(at(265 + beyond_both, bar_row), at(100 + beyond_both, bar_row));
}

TEST_F(BattleScreens, TheMonsterPanelShownAndHidden) {
  ItemData rec{};
  gmFightMan[7].GetMonsterRecord(&rec);
  see_through_result = 1;
  clear_screen();
  draw_monster_panel(&rec);
  expect_reference("battle_monster_panel");
  const test_support::Frame565 shown = back_frame();
  see_through_result = 0;
  clear_screen();
  draw_monster_panel(&rec);
  EXPECT_NE(back_frame().pixels, shown.pixels) << "the values give way to question marks";
}

TEST_F(BattleScreens, TheItemListChoosesItsHighlightedEntryAndARowWithoutOneChoosesNoItem) {
  add_item(&party_bag, 2, 3, 2);
  fight_open_menu(0);
  fight_cmd_right();
  fight_cmd_confirm();
  fight_cmd_confirm();
  ASSERT_EQ(fight_menu_state, menu_items);
  clear_screen();
  fight_cmd_draw(180, 150);
  EXPECT_EQ(chosen_item, 2);
  EXPECT_STREQ(chosen_action.NAME, "herb");
  menu_list.cursor_row = 1;  // past the one entry
  fight_cmd_draw(180, 150);
  EXPECT_EQ(chosen_item, 0);
  EXPECT_STREQ(chosen_action.NAME, "herb") << "the last highlighted entry stays chosen";
}

TEST_F(BattleScreens, TheResultsExperienceScreenWhileItCounts) {
  battle_exp = 1000;
  fight_party_slot[1] = 1;
  fight_menu_state = result_victory;
  result_wait = 0;
  for (int f = 0; f < 80; ++f) {  // the fades, then the panels and the title bar slide in
    clear_screen();
    fight_result_update();
    draw_fade();
  }
  ASSERT_EQ(fight_menu_state, result_experience);
  fight_cmd_confirm();
  for (int f = 0; f < 3; ++f) {
    clear_screen();
    fight_result_update();
  }
  EXPECT_EQ(roles_[0].exp, 250 + 187 + 140);
  expect_reference("battle_results_experience");
}

}  // namespace
