// One frame of the sample base scene, updated and drawn: the settlement's world, a full
// dwelling, a staffed workshop with its emitters, the HUD, and the build page placing a house over the
// grid with its fit test; against the 28.6 ms frame period of 35 frames per second.
#include <benchmark/benchmark.h>

#include "base/base_camp.h"
#include "base/base_scene.h"
#include "base/base_top_menu.h"
#include "base/build_screen.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/residents.h"
#include "bench/ratio.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "tests/field/village_scene.h"

namespace {

bool set_up_base() {
  free_all_houses();
  SavedGameMode = mode_field;
  GameMode = mode_base_camp;
  set_flag(flag_switch_9);
  enter_base_camp();
  for (int i = 0; i < 10 && has_free_resident_slot(); ++i) add_resident(134);
  HouseRecord* shop = add_house(house_weapons_1, base_origin_x - 1500 + 300 * 2, 200, base_origin_z + 1450, 0);
  shop->grid_row = 0, shop->grid_col = 2;
  shop->placed = shop->built = 1;
  mark_house_cells(shop);
  assign_worker(shop, house_list.front().get(), 0);
  start_workshop_effects(shop);
  add_house(house_thatch, base_origin_x, 500, base_origin_z, 0);  // being placed
  base_sub_mode = base_top_menu;
  top_menu_page = page_build;
  build_state = build_placing;
  panels_settled = 1;
  return GameMode == mode_base_camp;
}

void BM_base_frame(benchmark::State& state) {
  static test_support::VillageScene scene;
  static const bool ready = scene.ok() && set_up_base();
  if (!ready) {
    state.SkipWithError("the base scene could not be set up");
    return;
  }
  for (auto _ : state) {
    input_base_camp();
    run_base_camp_talks();
    draw_base_camp();
    benchmark::DoNotOptimize(placement_ok);
  }
}
BENCHMARK(BM_base_frame)->Unit(benchmark::kMillisecond);

void BM_base_frame_period(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(0.0286);
}
BENCHMARK(BM_base_frame_period)->UseManualTime()->Unit(benchmark::kMillisecond);

QORV_RATIO("base_frame_vs_frame_period", "BM_base_frame", "BM_base_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);

}  // namespace
