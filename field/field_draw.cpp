// The field frame.
#include "field/field_draw.h"

#include <array>
#include <cmath>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/random_r250.h"
#include "core/user_cfg.h"
#include "data/map_role.h"
#include "field/act_camera.h"
#include "field/compass.h"
#include "field/debug_overlay.h"
#include "field/field_camera_state.h"
#include "field/map_effects.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_draw.h"
#include "field/scene_anim.h"
#include "field/texture_scroll.h"
#include "g3d/effects/effect_list.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/screen_tile_fade.h"
#include "g3d/view_zoom.h"
#include "g3d/wld_world.h"
#include "platform/clock.h"
#include "script/talk_timer.h"
#include "ui/console_hook.h"
#include "ui/cursor.h"
#include "ui/screen_button.h"
#include "ui/screen_fade.h"
#include "ui/summon/summon_list.h"
#include "ui/talk_msg.h"

std::uint32_t field_frame_time_prev = 0;
std::uint32_t field_frame_time_now = 0;

namespace {

constexpr int screen_w = 640, screen_h = 480;
constexpr float sky_near = 200.0f, sky_far = 50000.0f;
constexpr std::uint32_t world_wireframe = 0x10000;
constexpr std::uint32_t talk_box_blocks_minimap = 0x1;
constexpr int talk_timer_x = 520, talk_timer_y = 5;
constexpr int summon_x = 210, summon_y = 100;
constexpr int player_marker = 1;

// The camera moves one frame; its current state goes into the stored settings, which the
// drawing of sprites, scene animations and the compass read.
void update_field_camera() {
  field_camera.update();
  field_camera.apply_view();
  FieldCameraState& s = field_camera_state;
  field_camera.get_point(nullptr, nullptr, nullptr, &s.current_point[0], &s.current_point[1], &s.current_point[2]);
  field_camera.get_angles(nullptr, nullptr, nullptr, &s.current_angles[0], &s.current_angles[1], &s.current_angles[2]);
  field_camera.get_look_distance(nullptr, &s.current_look_distance);
  field_camera.get_distance(nullptr, &s.current_distance);
}

void clear_frame() { renderer.draw_rect(0, 0, screen_w, screen_h, 0, G3D_FAR_DEPTH); }

// Minus the world's reference point, shaken while the map shakes.
void world_matrix(G3dMatrix* m) {
  renderer.identity_matrix(m);
  float x = -map_world->box.min.x, y = -map_world->box.min.y, z = -map_world->box.min.z;
  if (map_record.display_flags & map_display_shake) {
    x += float(rand_below(10));
    y += float(rand_below(10));
    z += float(rand_below(10));
  }
  renderer.translate_matrix(m, x, y, z);
}

void draw_sky() {
  ActInstance& sky = map_record.sky_anim;
  sky.act = map_record.sky_act;
  sky.qq = map_record.sky_qq;
  if (Take_3dActData(&sky) != 1) return;
  renderer.set_viewport(0, 0, screen_w, screen_h, view_scale, sky_near, sky_far);
  G3dMatrix m;
  world_matrix(&m);
  G3dPoly* model = GetPoly(sky.resource);
  if (!model) return;
  if (map_record.sky_set > 0) scroll_sky_texture(model, map_record.map_anim.picture);
  renderer.draw_model(&m, sky.picture, model, map_record.tint, sky.draw_flags);
}

bool is_map_role(const MapRole& r) {
  return r.RoleID != 0 && r.RoleID < party_role_limit && !(r.STATE & state_not_drawn);
}

// Opaque roles now; translucent ones in index order after the world.
struct DeferredRoles {
  std::array<int, map_role_capacity> index{};
  int count = 0;
};

void draw_opaque_roles(DeferredRoles& deferred) {
  for (int i = 0; i < gmMapRoleCount; ++i) {
    MapRole& r = gmMapRole[i];
    if (!is_map_role(r)) continue;
    if (role_is_translucent(r))
      deferred.index[std::size_t(deferred.count++)] = i;
    else
      draw_field_role(&r);
  }
}

void draw_map_world() {
  G3dMatrix m;
  world_matrix(&m);
  ActInstance& map = map_record.map_anim;
  map.act = map_record.map_act;
  map.qq = map_record.map_qq;
  Take_3dActData(&map);
  if (map_record.uv_set > 0) scroll_world_textures(map_world, map.picture);
  const std::uint32_t flags = test_flag(flag_field_wireframe) ? world_wireframe : 0;
  FieldCameraState& s = field_camera_state;
  const G3dVector angles{s.current_angles[0], s.current_angles[1], s.current_angles[2], 0};
  const G3dVector point{s.current_point[0], s.current_point[1], s.current_point[2], 0};
  renderer.set_cull_box(&angles, &point);
  renderer.set_focus_point(&point);
  const int grid = test_flag(flag_field_world_grid);
  renderer.set_occluder_test(grid);
  renderer.set_grid_mode(grid);
  renderer.draw_world(&m, map.picture, map_world, map_record.tint, flags);
}

void draw_scene() {
  g3d_enable_fog(!test_flag(flag_field_fog_off));
  clear_frame();
  draw_sky();
  update_view_zoom();
  DeferredRoles deferred;
  draw_opaque_roles(deferred);
  draw_map_world();
  for (int k = 0; k < deferred.count; ++k) draw_field_role(&gmMapRole[deferred.index[std::size_t(k)]]);
  for (int i = 0; i < gmMapRoleCount; ++i)
    if (is_map_role(gmMapRole[i])) draw_role_shadow(&gmMapRole[i]);
}

void draw_effects() {
  g3d_enable_fog(0);
  if (!user_options[option_map_effects]) play_effect_list(frame_elapsed_ms);
  field_effects.update(frame_elapsed_ms);
  field_effects.draw();
  g3d_enable_fog(1);
  const int weather_flags[2] = {flag_switch_8, flag_rain};
  for (int k = 0; k < 2; ++k) {
    ParticleEmitter* e = weather_emitters[k];
    if (!test_flag(weather_flags[k]) || !e) continue;
    g3d_enable_fog(0);
    e->update(frame_elapsed_ms);
    e->draw();
    g3d_enable_fog(1);
  }
}

void draw_minimap() {
  if (!field_minimap_shown()) return;
  const MapRole& player = field_player();
  minimap.SetMarkerPos(player_marker, player.X, player.Z, std::fmod(player.DIR + 180.0f, 360.0f));
  minimap.Draw();
  draw_compass();
}

void draw_overlays() {
  if (test_flag(flag_talk_countdown)) talk_timer_minutes(talk_timer_x, talk_timer_y);
  draw_menu_icon();
  draw_minimap();
  draw_summon(summon_x, summon_y);
  draw_fade();
  show_talkmsg();
  show_button();
  draw_screen_dim();
  run_console_frame();
  draw_mouse_cursor();
  draw_debug_info();
  draw_screen_tile_fade();
}

}  // namespace

bool field_minimap_shown() {
  return (map_record.map_flags & map_has_minimap) && !test_flag(flag_cursor_hidden) &&
         !test_flag(flag_minimap_hidden) && !(talk_box_state & talk_box_blocks_minimap);
}

void draw_field() {
  update_field_camera();
  if (test_flag(flag_scene_hidden) || test_flag(flag_battle)) return;
  if (map_world && map_record.map_ready) {
    draw_scene();
  } else {
    clear_frame();
    if (test_flag(flag_act_camera)) {
      update_view_zoom();
      update_act_camera();
    }
  }
  draw_effects();
  play_ani();
  draw_overlays();
  renderer.present();
  g3d_faces_drawn = 0;
  field_frame_time_prev = field_frame_time_now;
  field_frame_time_now = platform::time_ms();
}
