// The sample battle's units drawn with their marks, against a reference frame: the hero with
// 完璧 on (the party's money over its head) and the boar tinted by its yang pulse with a status
// icon over it.
#include <gtest/gtest.h>

#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "data/party.h"
#include "tests/battle/sample_battle_scene.h"
#include "tests/gfx2d/fake_font.h"

namespace {

using test_support::back_frame;

class BattleUnits : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scene_.ok());
    fake_font::install_game_fonts();
    battle_scene::set_up_screen_text();
    ASSERT_TRUE(battle_scene::start_sample_battle(scene_));
  }
  void TearDown() override {
    if (test_flag(flag_battle)) fight_end();
    clear_flag(party_member_flags[0]);
    gmRoleData[0] = RoleData{};
    party_money = 0;
    free_fight_atk_data();
    close_AI_data();
    close_item_data();
    fake_font::release_game_fonts();
  }
  // Frames of the units' animations and drawing without turns: the units stand; the pulse and
  // the icon step each frame.
  static test_support::Frame565 frames(int n) {
    for (int f = 0; f < n; ++f) {
      for (int i = 0; i < fight_unit_count; ++i) gmFightMan[fight_unit_list[i]].UpdateAnim();
      fight_draw();
    }
    return back_frame();
  }
  test_support::VillageScene scene_;
};

TEST_F(BattleUnits, MoneyOverTheHeroAndTheBoarsTintAndStatusIcon) {
  FightMan& hero = gmFightMan[0];
  FightMan& boar = gmFightMan[fight_first_enemy];
  ASSERT_TRUE(boar.IsEnemy());
  party_money = 4321;
  hero.AddCondition(cond_money_shield);
  boar.pulse_phase = 1;
  boar.pulse_level = 255;
  ItemData poison{};
  poison.status_low = status_poison;
  poison.turns = 3;
  boar.status_accept = 100;
  boar.ApplyStatus(&poison);
  ASSERT_TRUE(boar.HasStatus(status_poison));
  const test_support::Frame565 marked = frames(12);
  const std::string failure = test_support::compare_with_reference("battle_unit_marks", marked);
  EXPECT_TRUE(failure.empty()) << failure;
  EXPECT_EQ(boar.pulse_level, 255 - 4 * 12) << "a yang pulse sinks four a frame";
  EXPECT_EQ(boar.pulse_phase, 1);
}

}  // namespace
