// One frame of the sample battle, updated and drawn: the clearing, the hero and two monsters
// taking turns, the sword's walk, strike, sparkles and floating numbers, presented; against the
// 28.6 ms frame period of 35 frames per second, with the default drawing threads and with one.
#include <benchmark/benchmark.h>

#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "bench/ratio.h"
#include "tests/battle/sample_battle_scene.h"

namespace {

// The frame tick's battle frame; the party's turns attack at once: the wheel's first command,
// then its target.
void battle_frame() {
  if (fight_menu_state == menu_wheel) fight_cmd_confirm();
  if (fight_menu_state == menu_target) fight_cmd_confirm();
  fight_update();
  fight_draw();
}

void run_frames(benchmark::State& state, int threads) {
  static test_support::VillageScene scene;
  static const bool ready = scene.ok() && battle_scene::start_sample_battle(scene);
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
