// The sample world drawn from a typical field camera, against the 28.6 ms frame period of 35
// frames per second; and 10,000 ACT animation instances ticked, against an empty loop over the
// same instances.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench/ratio.h"
#include "g3d/act_animation.h"
#include "g3d/camera.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "g3d/wld_grid.h"
#include "g3d/wld_loader.h"
#include "gfx2d/cddraw.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/sample_models.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/fixtures/wld_kit.h"

namespace {

constexpr int screen_w = 640, screen_h = 480;
constexpr int instance_count = 10000;

// The device on the headless display, as the tests run it.
struct WorldScene {
  WorldScene() {
    setenv("QORV_BACKEND", "headless", 1);
    platform::reset_display_config();
    window = platform::create_window({"QORV", platform::default_window_proc}, "QORV", screen_w, screen_h);
    d3d_device.init(window, &display_device, 0, DDRAW_WINDOWED, 2, screen_w, screen_h, 16);
    renderer.init(&d3d_device);
    renderer.set_viewport(0, 0, screen_w, screen_h, 10.0f, 200.0f, 10000.0f);
    const std::vector<std::uint8_t> file = kit::wld_file(kit::sample_world(20001, 20002, 30001));
    g3d_wld_load_bytes(&world, file.data(), file.size(), "bench");
    g3d_wld_build_grid(&world, 2500.0f);
    // The field camera: 30 degrees down, 2500 behind the pivot, grid mode and occluders on.
    const G3dVector pivot{3000, 100, 2400, 0}, angles{30, 20, 0, 0};
    camera.set_point(pivot.x, pivot.y, pivot.z);
    camera.set_angles(angles.x, angles.y, angles.z);
    camera.set_distance(2500);
    camera.set_look_distance(2500);
    camera.update();
    camera.apply_view();
    renderer.set_cull_box(&angles, &pivot);
    renderer.set_focus_point(&pivot);
    renderer.set_grid_mode(1);
    renderer.set_occluder_test(1);
  }
  void frame() {
    d3d_device.clear_z_buffer();
    renderer.draw_rect(0, 0, screen_w, screen_h, 0xFF000000, G3D_FAR_DEPTH);
    G3dMatrix m;
    renderer.identity_matrix(&m);
    renderer.draw_world(&m, 0, &world, 0xFFFFFFFF, 0);
  }
  platform::Window* window = nullptr;
  G3dWld world;
  Camera camera;
};

void BM_world_frame(benchmark::State& state) {
  static WorldScene scene;
  for (auto _ : state) {
    scene.frame();
    benchmark::DoNotOptimize(renderer.get_model_count());
  }
}
BENCHMARK(BM_world_frame)->Unit(benchmark::kMillisecond);

void BM_frame_period(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(0.0286);
}
BENCHMARK(BM_frame_period)->UseManualTime()->Unit(benchmark::kMillisecond);

QORV_RATIO("world_frame_vs_frame_period", "BM_world_frame", "BM_frame_period/manual_time",
           bench::Rate::SecondsPerIteration);

// The sample animations in archives of their own, and instances playing the character's walk,
// the item's spin and the effect, in turn.
struct Animations {
  Animations() {
    kit::write_act_archives((folder.path() / "ACT").string(), kit::sample_act_blocks());
    Set_3dActPath((folder.path() / "ACT").string().c_str());
    Init_3dAct();
    const std::uint16_t acts[3] = {kit::sample_character_act, kit::sample_item_act, kit::sample_effect_act};
    instances.resize(instance_count);
    for (int i = 0; i < instance_count; ++i) {
      instances[std::size_t(i)].act = acts[i % 3];
      instances[std::size_t(i)].qq = i % 3 == 0 ? 1 : 0;
    }
  }
  fixtures::TempFolder folder;
  std::vector<ActInstance> instances;
};

Animations& animations() {
  static Animations a;
  return a;
}

void BM_act_tick(benchmark::State& state) {
  Animations& a = animations();
  for (auto _ : state) {
    for (ActInstance& i : a.instances) {
      if (i.state & act_state_finished) i.state |= act_state_restart;
      benchmark::DoNotOptimize(Take_3dActData(&i));
    }
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * instance_count);
}
BENCHMARK(BM_act_tick);

// The owner's loop alone: every instance visited, its fields touched, nothing played.
void BM_empty_loop(benchmark::State& state) {
  Animations& a = animations();
  for (auto _ : state) {
    for (ActInstance& i : a.instances) {
      if (i.state & act_state_finished) i.state |= act_state_restart;
      benchmark::DoNotOptimize(i.frame);
    }
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * instance_count);
}
BENCHMARK(BM_empty_loop);

QORV_RATIO("act_tick_vs_empty_loop", "BM_act_tick", "BM_empty_loop", bench::Rate::SecondsPerIteration);

}  // namespace
