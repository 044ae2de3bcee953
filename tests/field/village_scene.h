#pragma once
// A field scene for frame tests and the frame benchmark: the sample game written to a fresh
// folder, its caches opened as start-up opens them, the device on the headless display, the
// sample world as the map's world with a minimap, and ten walking roles around the leader.
#include <cstdlib>
#include <string>

#include "core/flags.h"
#include "core/game_flags.h"
#include "data/map_role.h"
#include "field/compass.h"
#include "field/field_camera_state.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_draw.h"
#include "g3d/act_archive.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/texture_file_cache.h"
#include "g3d/texture_source.h"
#include "g3d/wld_grid.h"
#include "g3d/wld_world.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/memoryer.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/sample_models.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"

namespace test_support {

class VillageScene {
 public:
  static constexpr int role_count = 10;

  VillageScene() : dir_(true) {
    setenv("QORV_BACKEND", "headless", 1);
    ok_ = fixtures::write_sample_game(dir_.path());
    // The scene starts from what a fresh program has, whatever an earlier test or frame left.
    fixtures::reset_marks_flags_and_keys();
    compass_spin = 0.0f;  // the needle's angle shows in the frame
    platform::reset_display_config();
    window_ = platform::create_window({"QORV", platform::default_window_proc}, "QORV", 640, 480);
    ok_ = ok_ && d3d_device.init(window_, &display_device, 0, DDRAW_WINDOWED, 2, 640, 480, 16) == 1;
    ok_ = ok_ && renderer.init(&d3d_device) == 1;
    renderer.set_viewport(0, 0, 640, 480, 10.0f, 200.0f, 10000.0f);
    renderer.set_texture_budget(0xA00000);
    open_caches();
    set_up_map();
    set_up_roles();
  }
  ~VillageScene() {
    map_world = nullptr;
    FreeMapMemory();
    FreePolyMemory(255);
    Close_3dAct();
    Close_Memoryer();
    renderer.release();
    d3d_device.release();
    display_device.release();
    platform::free_window(window_);
  }
  bool ok() const { return ok_ && map_world != nullptr; }
  const fixtures::TempFolder& dir() const { return dir_; }

 private:
  std::string path(const char* folder) const { return (dir_.path() / folder).string(); }

  void open_caches() {
    SetPolyPath(path("MODEL").c_str());
    g3d_set_model_path(path("MODEL").c_str());
    ok_ = ok_ && SFLB_InitPolyMemory() == 1;
    Set_3dActPath(path("ACT").c_str());
    Memoryer_SetPath(path("ACT").c_str());
    ok_ = ok_ && Init_3dAct() == 1;
    Set_3dActRenderer(&renderer);
    ok_ = ok_ && Init_Memoryer() == 1;
    g3d_set_texture_path(path("TEX").c_str());
    g3d_set_texture_cache_state(42);
    g3d_set_texture_cache_size(0x1400000);
    g3d_load_category_idx_tex(1);
  }

  void set_up_map() {
    map_record = MapRecord{};
    map_world = MapMemory(kit::sample_world_model);
    if (map_world) g3d_wld_build_grid(map_world, 2500.0f);
    map_record.map_ready = 1;
    map_record.map_flags = map_has_minimap;
    field_camera = Camera{};
    field_camera.set_point(3000, 100, 2400);
    field_camera.set_angles(30, 20, 0);
    field_camera.set_distance(2500);
    field_camera.set_look_distance(2500);
    minimap = Minimap{};
    minimap.SetRect(10, 10, 160, 160);
    minimap.SetScale(30);
    minimap.SetTracked(1);
  }

  // The shadow quad a floor probe leaves: a square of half size 40 just above the floor.
  static void ground_shadow(MapRole& r) {
    const float h = 40.0f, xs[4] = {-h, -h, h, h}, zs[4] = {-h, h, h, -h}, us[4] = {0, 0, 1, 1},
                vs[4] = {0, 1, 1, 0};
    for (int i = 0; i < 4; ++i) {
      G3dVertex& v = r.shadow_quad[i];
      v = G3dVertex{};
      v.x = r.X + xs[i];
      v.y = r.Y + 1.0f;
      v.z = r.Z + zs[i];
      v.u = us[i];
      v.v = vs[i];
      v.colour = 0xFFFFFFFF;
    }
  }

  // The leader and ten roles walking around it, each with its shadow (STATE 0x2000).
  void set_up_roles() {
    shadow_instance = ActInstance{};
    shadow_instance.act = shadow_act;
    shadow_instance.qq = shadow_qq;
    Take_3dActData(&shadow_instance);
    for (MapRole& r : gmMapRole) r = MapRole{};
    for (int i = 0; i < 4; ++i) gmMapRole[i].RoleID = std::uint16_t(party_role_first + i);
    gmMapRole[0].STATE = state_player;
    gmMapRole[0].X = 3000;
    gmMapRole[0].Z = 2400;
    player_role_index = 0;
    minimap.AddMarker(1, 0xFFFFFF00, 3000, 2400, 0, 5, 0);
    gmMapRoleCount = 4;
    for (int i = 0; i < role_count; ++i) {
      MapRole& r = gmMapRole[gmMapRoleCount++];
      r.RoleID = std::uint16_t(1130 + i);
      r.STATE = state_distance_culled;
      r.anim.act = kit::sample_character_act;
      r.anim.qq = 1;
      r.X = 2400.0f + 130.0f * float(i);
      r.Z = 2600.0f + 60.0f * float(i % 3);
      r.DIR = 36.0f * float(i);
      r.draw_alpha = 255;
      if (i % 4 == 3) r.opacity = 160;  // some drawn translucent, after the world
      Take_3dActData(&r.anim);
      ground_shadow(r);
      minimap.AddMarker(r.RoleID, 0xFFFF0000, r.X, r.Z, 0, 5, 0);
    }
  }

  fixtures::TempFolder dir_;
  platform::Window* window_ = nullptr;
  bool ok_ = false;
};

// The back buffer as a frame.
inline Frame565 back_frame() {
  Frame565 f{640, 480, std::vector<std::uint16_t>(640 * 480)};
  platform::Surface* back = display_device.get_surface(DDRAW_BACK_SURFACE);
  platform::LockedPixels locked;
  if (back->lock(locked) != platform::DisplayResult::Ok) return f;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) f.pixels[std::size_t(y) * 640 + std::size_t(x)] = locked.pixels[y * (locked.pitch / 2) + x];
  back->unlock();
  return f;
}

}  // namespace test_support
