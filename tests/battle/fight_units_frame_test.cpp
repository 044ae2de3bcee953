// The sample battle's units drawn with their marks, against a reference frame: the hero with
// 完璧 on (the party's money over its head) and the boar tinted by its yang pulse with a status
// icon over it.
#include <gtest/gtest.h>

#include "battle/atk_script.h"
#include "battle/battlefield.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/paths.h"
#include "core/text_colours.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/effects/effect_dat.h"
#include "gfx2d/big5_gb_table.h"
#include "script/ai_file.h"
#include "tests/field/village_scene.h"
#include "tests/fixtures/sample_battle.h"
#include "tests/fixtures/sample_data.h"
#include "tests/gfx2d/fake_font.h"

namespace {

using test_support::back_frame;

class BattleUnits : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scene_.ok());
    fake_font::install_game_fonts();
    init_big5_gb();
    for (int i = 0; i < text_colour_count; ++i) text_colours[i] = rgb_to_rgb555(text_colour_table[i]);
    game_dir = scene_.dir().str();
    open_item_data();
    open_AI_data();
    open_fight_atk_data();
    init_fight_field((scene_.dir().path() / "ACT").string().c_str());
    set_effect_path((scene_.dir().path() / "ACT").string().c_str());
    RoleData& hero = gmRoleData[0];
    hero = RoleData{};
    hero.object_id = fixtures::sample_hero;
    hero.hp = hero.max_hp = 100;
    hero.stats[stat_level] = 1;
    hero.equip[0] = fixtures::sample_sword;
    set_flag(party_member_flags[0]);
    ASSERT_EQ(SFLB_Call_Fight(kit::sample_pair_group), 1);
  }
  void TearDown() override {
    if (test_flag(flag_battle)) fight_end();
    clear_flag(party_member_flags[0]);
    gmRoleData[0] = RoleData{};
    party_money = 0;
    free_fight_atk_data();
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
