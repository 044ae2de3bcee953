// Effect.dat on arbitrary bytes: the definitions a file of that size holds (a short input is one
// definition, zero-padded), each built into an emitter, started, and updated and drawn for 20
// frames of 28 ms on the headless 3D device, with the sample particle animations in reach.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/byte_reader.h"
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
#include "tests/fixtures/sample_archives.h"
#include "tests/fixtures/sample_effects.h"
#include "tests/fixtures/sample_models.h"

namespace {

constexpr int most_definitions = 4;
constexpr std::uint16_t most_particles = 128;  // keeps a screen-filling run within the fuzzer's time limit

void set_up_device() {
  setenv("QORV_BACKEND", "headless", 0);
  // One drawing thread: a pool of workers on a machine busy with the fuzzer's own load turns a
  // short unit into a timeout, and the drawn frame is the same.
  setenv("QORV_RASTER_THREADS", "1", 0);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qorv_fuzz_effect_dat";
  std::filesystem::create_directories(dir / "ACT");
  kit::write_sample_archives(dir);
  auto blocks = kit::sample_act_blocks();
  blocks.merge(kit::sample_effect_act_blocks());
  kit::write_act_archives((dir / "ACT").string(), blocks);
  Set_3dActPath((dir / "ACT").string().c_str());
  Init_3dAct();
  Memoryer_SetPath((dir / "ACT").string().c_str());
  Init_Memoryer();
  platform::reset_display_config();
  platform::Window* window =
      platform::create_window({"QORV", platform::default_window_proc}, "QORV", 640, 480);
  d3d_device.init(window, &display_device, 0, DDRAW_WINDOWED, 2, 640, 480, 16);
  renderer.init(&d3d_device);
  // A small viewport: particles can fill it, and the instrumented rasterizer pays per pixel.
  renderer.set_viewport(0, 0, 160, 120, 10.0f, 200.0f, 10000.0f);
  renderer.look_at(0, 300, -900, 1, 0, 100, 0, 1);
  // The device and its textures go at exit, so that the leak check sees only the target's own.
  std::atexit([] {
    renderer.release();
    d3d_device.release();
    display_device.release();
    Close_Memoryer();
    Close_3dAct();
  });
}

void run(const EffectDef& def) {
  EffectDef d = def;
  if (d.count > most_particles) d.count = most_particles;
  std::unique_ptr<EffectDatEmitter> e(build_effect_emitter(&d, 0, 0, 0));
  if (!e) return;
  e->start();
  // Every frame updates; three of them draw, since screen-filling particles make drawing the
  // costly step and one draw covers every drawing path.
  for (int frame = 0; frame < 20; ++frame) {
    e->update(28);
    if (frame % 9 == 0) e->draw();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (set_up_device(), true);
  (void)ready;
  effect_srand(1);
  const ByteReader file(data, size);
  EffectDef def{};
  if (size < effect_def_offset(0) + effect_def_size) {
    std::uint8_t one[effect_def_size] = {};
    if (size) std::memcpy(one, data, size < sizeof one ? size : sizeof one);
    if (read_effect_def(ByteReader(one, sizeof one), &def)) run(def);
    return 0;
  }
  for (int n = 0; n < most_definitions && read_effect_def(file.sub(effect_def_offset(n)), &def); ++n) run(def);
  return 0;
}
