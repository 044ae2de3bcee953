// One field frame of the village: the world, ten walking roles (some translucent), the minimap
// with its markers and the compass, a message box and the cursor, presented; against the 28.6 ms
// frame period of 35 frames per second.
#include <benchmark/benchmark.h>

#include "bench/ratio.h"
#include "field/field_draw.h"
#include "tests/field/village_scene.h"
#include "ui/talk_msg.h"

namespace {

void BM_field_frame(benchmark::State& state) {
  static test_support::VillageScene scene;
  if (!scene.ok()) {
    state.SkipWithError("the village scene could not be set up");
    return;
  }
  add_txt_msg(100, 300, 400, 100, 0, 0, "AB%Q", 0);
  for (auto _ : state) {
    draw_field();
    benchmark::DoNotOptimize(gmMapRole[4].STATE);
  }
  del_all_talkmsg();
}
BENCHMARK(BM_field_frame)->Unit(benchmark::kMillisecond);

void BM_frame_period(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(0.0286);
}
BENCHMARK(BM_frame_period)->UseManualTime()->Unit(benchmark::kMillisecond);

QORV_RATIO("field_frame_vs_frame_period", "BM_field_frame", "BM_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);

}  // namespace
