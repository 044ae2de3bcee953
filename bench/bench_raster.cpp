// The cost of a field-like frame on the software rasterizer with its default threads (one per
// core, or QORV_RASTER_THREADS). Figures: against the same triangles drawn by Mesa's software
// OpenGL (OSMesa, its default threads) in the same run, and against the 28.6 ms frame period of
// 35 frames per second.
#include "bench/raster_scene.h"
#include "bench/ratio.h"

namespace {

void BM_raster_scene(benchmark::State& state) { bench::raster_scene(state, platform::raster::default_raster_threads()); }
BENCHMARK(BM_raster_scene)->Unit(benchmark::kMillisecond)->UseRealTime();

// The frame period of 35 frames per second, as a time per iteration.
void BM_frame_period(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(0.0286);
}
BENCHMARK(BM_frame_period)->UseManualTime()->Unit(benchmark::kMillisecond);

QORV_RATIO("raster_scene_vs_frame_period", "BM_raster_scene/real_time", "BM_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);

#if QORV_HAVE_OSMESA

void BM_mesa_scene(benchmark::State& state) { bench::mesa_scene(state); }
BENCHMARK(BM_mesa_scene)->Unit(benchmark::kMillisecond)->UseRealTime();

QORV_RATIO("raster_scene_vs_mesa", "BM_raster_scene/real_time", "BM_mesa_scene/real_time", bench::Rate::SecondsPerIteration);

#endif

}  // namespace
