// One frame of the sample battle, updated and drawn: the clearing, the hero and two monsters
// taking turns, the sword's walk, strike, sparkles and floating numbers, presented; against the
// 28.6 ms frame period of 35 frames per second, with the default drawing threads and with one.
#include <benchmark/benchmark.h>

#include "battle/atk_script.h"
#include "battle/battlefield.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "bench/ratio.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/paths.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/effects/effect_dat.h"
#include "script/ai_file.h"
#include "tests/field/village_scene.h"
#include "tests/fixtures/sample_battle.h"
#include "tests/fixtures/sample_data.h"

namespace {

constexpr int unending_hp = 1000000;

// The hero against the path's boar and hare, every unit with HP enough never to fall, so that
// every measured frame is one of a running battle.
bool start_battle(const test_support::VillageScene& scene) {
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

// The frame tick's battle frame; the party's turns attack at once: the wheel opens on the
// attack, the first confirm opens its target choice, the second strikes.
void battle_frame() {
  if (fight_menu_state == menu_wheel) {
    fight_cmd_confirm();
    if (fight_menu_state == menu_target) fight_cmd_confirm();
  }
  fight_update();
  fight_draw();
}

void run_frames(benchmark::State& state, int threads) {
  static test_support::VillageScene scene;
  static const bool ready = scene.ok() && start_battle(scene);
  if (!ready) {
    state.SkipWithError("the sample battle could not be started");
    return;
  }
  platform::raster::Device* raster = d3d_device.raster();
  const int default_threads = raster->threads();
  if (threads) raster->set_threads(threads);
  for (auto _ : state) {
    battle_frame();
    benchmark::DoNotOptimize(gmFightMan[0].atb);
  }
  raster->set_threads(default_threads);
}

void BM_battle_frame(benchmark::State& state) { run_frames(state, 0); }
BENCHMARK(BM_battle_frame)->Unit(benchmark::kMillisecond);

void BM_battle_frame_1thread(benchmark::State& state) { run_frames(state, 1); }
BENCHMARK(BM_battle_frame_1thread)->Unit(benchmark::kMillisecond);

void BM_battle_frame_period(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(0.0286);
}
BENCHMARK(BM_battle_frame_period)->UseManualTime()->Unit(benchmark::kMillisecond);

QORV_RATIO("battle_frame_vs_frame_period", "BM_battle_frame", "BM_battle_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);
QORV_RATIO("battle_frame_1thread_vs_frame_period", "BM_battle_frame_1thread", "BM_battle_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);

}  // namespace
