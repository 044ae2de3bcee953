// Particle effects against the 28.6 ms frame period of 35 frames per second: 16 emitters of 128
// particles (half of them sparkle quads, half streaks) updated and drawn on the headless 3D
// device, and the same emitters only updated.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/ratio.h"
#include "g3d/act_archive.h"
#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_random.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/memoryer.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/effect_dat_writer.h"
#include "tests/fixtures/sample_archives.h"
#include "tests/fixtures/sample_effects.h"
#include "tests/fixtures/sample_models.h"
#include "tests/fixtures/temp_folder.h"

namespace {

constexpr int screen_w = 640, screen_h = 480;
constexpr int emitter_count = 16;
constexpr std::uint16_t particles_each = 128;
constexpr unsigned frame_ms = 28;

// A definition that keeps all its particles alive: long lives, respawned at once, sparkles at
// their picture's own size.
EffectDef busy(EffectDef d) {
  d.count = particles_each;
  d.size_start_min = d.size_end_min = 0;
  d.life_min = 1.5f;
  d.life_range = 1.0f;
  d.rate = 5000;
  d.max_total = 0;
  d.continuous = 1;
  return d;
}

struct ParticleScene {
  ParticleScene() {
    setenv("QORV_BACKEND", "headless", 1);
    kit::write_sample_archives(folder.path());
    auto blocks = kit::sample_act_blocks();
    blocks.merge(kit::sample_effect_act_blocks());
    kit::write_act_archives((folder.path() / "ACT").string(), blocks);
    Set_3dActPath((folder.path() / "ACT").string().c_str());
    Init_3dAct();
    Memoryer_SetPath((folder.path() / "ACT").string().c_str());
    Init_Memoryer();
    platform::reset_display_config();
    window = platform::create_window({"QORV", platform::default_window_proc}, "QORV", screen_w, screen_h);
    d3d_device.init(window, &display_device, 0, DDRAW_WINDOWED, 2, screen_w, screen_h, 16);
    renderer.init(&d3d_device);
    renderer.set_viewport(0, 0, screen_w, screen_h, 10.0f, 200.0f, 10000.0f);
    // The field camera's distance: about 2500 behind and above the effects.
    renderer.look_at(0, 1250, -2200, 1, 0, 100, 0, 1);
    effect_srand(1);
    const EffectDef quads = busy(kit::sparkle_burst_def(kit::sample_sparkle_act));
    const EffectDef streaks = busy(kit::streak_fountain_def());
    for (int i = 0; i < emitter_count; ++i) {
      const EffectDef& d = i % 2 ? streaks : quads;
      emitters.emplace_back(build_effect_emitter(&d, float(i % 4) * 300 - 450, 100, float(i / 4) * 300 - 450));
      emitters.back()->start();
    }
    // Until every particle lives.
    for (int f = 0; f < 10; ++f) update();
  }
  void update() {
    for (auto& e : emitters) e->update(frame_ms);
  }
  void draw() {
    d3d_device.clear_z_buffer();
    for (auto& e : emitters) e->draw();
  }
  fixtures::TempFolder folder;
  platform::Window* window = nullptr;
  std::vector<std::unique_ptr<EffectDatEmitter>> emitters;
};

ParticleScene& scene() {
  static ParticleScene s;
  return s;
}

void BM_particles_frame(benchmark::State& state) {
  ParticleScene& s = scene();
  for (auto _ : state) {
    s.update();
    s.draw();
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * emitter_count * particles_each);
}
BENCHMARK(BM_particles_frame)->Unit(benchmark::kMillisecond);

void BM_particles_update(benchmark::State& state) {
  ParticleScene& s = scene();
  for (auto _ : state) s.update();
  state.SetItemsProcessed(std::int64_t(state.iterations()) * emitter_count * particles_each);
}
BENCHMARK(BM_particles_update)->Unit(benchmark::kMillisecond);

void BM_frame_period(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(0.0286);
}
BENCHMARK(BM_frame_period)->UseManualTime()->Unit(benchmark::kMillisecond);

QORV_RATIO("particles_frame_vs_frame_period", "BM_particles_frame", "BM_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);
QORV_RATIO("particles_update_vs_frame_period", "BM_particles_update", "BM_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);

}  // namespace
