#pragma once
// The sample battle on the village scene's game folder, for the battle's frame tests and the
// battle-frame benchmark: the hero with the sword against the path's boar and hare, every unit
// with HP enough never to fall; and the fonts and text colours the battle's screens draw with.
#include "battle/atk_script.h"
#include "battle/battlefield.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/flags.h"
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

namespace battle_scene {

constexpr int unending_hp = 1000000;

// True when the battle runs with both monsters.
inline bool start_sample_battle(const test_support::VillageScene& scene) {
  game_dir = scene.dir().str();
  open_item_data();
  open_AI_data();
  open_fight_atk_data();
  init_fight_field((scene.dir().path() / "ACT").string().c_str());
  set_effect_path((scene.dir().path() / "ACT").string().c_str());
  RoleData& hero = gmRoleData[0];
  hero = RoleData{};
  hero.object_id = fixtures::sample_hero;
  hero.hp = hero.max_hp = unending_hp;
  hero.stats[stat_level] = 1;
  hero.stats[stat_attack] = 40;
  hero.stats[stat_speed] = 20;
  hero.equip[0] = fixtures::sample_sword;
  set_flag(party_member_flags[0]);
  if (SFLB_Call_Fight(kit::sample_pair_group) != 1) return false;
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count; ++k)
    gmFightMan[k].monster.hp = gmFightMan[k].monster.max_hp = unending_hp;
  return fight_enemy_count == 2;
}

// The text colour table and the Big5 table the screens' texts need; the caller installs its fonts.
inline void set_up_screen_text() {
  init_big5_gb();
  for (int i = 0; i < text_colour_count; ++i) text_colours[i] = rgb_to_rgb555(text_colour_table[i]);
}

}  // namespace battle_scene
