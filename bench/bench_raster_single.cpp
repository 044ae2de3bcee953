// The same frame with both rasterizers on one thread: ours with one thread, Mesa with
// LP_NUM_THREADS=1 (set before its first context).
#include <cstdlib>

#include "bench/raster_scene.h"
#include "bench/ratio.h"

namespace {

const bool single_threaded_mesa = (setenv("LP_NUM_THREADS", "1", 1), true);

void BM_raster_scene_1thread(benchmark::State& state) { bench::raster_scene(state, 1); }
BENCHMARK(BM_raster_scene_1thread)->Unit(benchmark::kMillisecond)->UseRealTime();

#if QORV_HAVE_OSMESA

void BM_mesa_scene_1thread(benchmark::State& state) { bench::mesa_scene(state); }
BENCHMARK(BM_mesa_scene_1thread)->Unit(benchmark::kMillisecond)->UseRealTime();

QORV_RATIO("raster_scene_1thread_vs_mesa_1thread", "BM_raster_scene_1thread/real_time",
           "BM_mesa_scene_1thread/real_time", bench::Rate::SecondsPerIteration);

#endif

}  // namespace
