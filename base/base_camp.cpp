// The base camp frame: entering, leaving, the base map and its grid, the camera and the
// per-frame handlers.
#include "base/base_camp.h"

#include <cmath>
#include <cstring>

#include "base/base_overview.h"
#include "base/base_pages.h"
#include "base/base_scene.h"
#include "base/base_top_menu.h"
#include "base/base_numbers.h"
#include "base/escort.h"
#include "base/build_grid.h"
#include "base/build_screen.h"
#include "base/exiles.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/houses_screen.h"
#include "base/residents.h"
#include "base/training_screen.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "g3d/act_archive.h"
#include "g3d/effects/effect_list.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/geometry.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/view_zoom.h"
#include "g3d/wld_loader.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/memoryer.h"
#include "field/map_change.h"
#include "script/talk_interpreter.h"
#include "script/talk_queue.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

int base_sub_mode = base_overview;
int top_menu_page = page_none;
int top_menu_cursor = 0;
Camera base_camera;
BaseView base_view{}, base_home_view{}, page_entry_view{};
MapRecord base_map;
G3dWld base_world;
int kind_unlocked[17] = {};
int dragging = 0;
int drag_anchor[2] = {};
int picked_house_id = 0;
int base_debug_text = 0, base_collision_wire = 0;

namespace {

constexpr float field_view_scale = 10.0f, base_view_near = 200.0f, base_view_far = 50000.0f;
constexpr int grid_probe_step = 300;
constexpr float grid_probe_height = 350.0f;
// Kinds unlocked by game flags 50-61, in flag order.
constexpr int flag_unlocked_kinds[] = {3, 5, 6, 8, 9, 11, 12, 13, 14, 15, 16, 17};
constexpr int entry_kinds[] = {1, 2, 4, 7, 10};

struct FontRow {
  GlyphFont* font;
  int size, advance;
};
const FontRow base_fonts[] = {{&base_font_20, 20, 20}, {&base_font_12, 12, 14}, {&base_font_14, 14, 14},
                              {&base_font_15, 15, 15}, {&base_font_16, 16, 18}, {&base_font_18, 18, 18},
                              {&base_font_25, 25, 25}};

std::uint16_t entry_map = 0;  // the field map the base was entered from

void probe_build_grid() {
  const float x0 = base_origin_x - 2250 + 150, z0 = base_origin_z + 1550 - 150 - 100;
  for (int r = 0; r < build_grid_rows; ++r)
    for (int c = 0; c < build_grid_cols; ++c) {
      G3dVector p{x0 + float(grid_probe_step * c), grid_probe_height, z0 - float(grid_probe_step * r), 0};
      BuildGrid[r * build_grid_cols + c] = probe_base_ground(&p, 0, grid_probe_height, 0) ? cell_free : cell_blocked;
    }
}

}  // namespace

EffectManager& workshop_effects() {
  static EffectManager manager;
  return manager;
}

EffectManager& build_effects() {
  static EffectManager manager;
  return manager;
}

void set_base_camera(const BaseView& v) {
  base_view = v;
  base_camera.set_point(v.x, v.y, v.z);
  base_camera.set_angles(v.pitch, v.yaw, v.roll);
  base_camera.set_look_distance(v.look_distance);
  base_camera.set_distance(v.distance);
}

void update_kind_unlocks() {
  for (int i = 0; i < int(std::size(flag_unlocked_kinds)); ++i)
    kind_unlocked[flag_unlocked_kinds[i] - 1] = test_flag(flag_kind_unlock_first + i) ? 1 : 0;
}

float turn_base_yaw(float yaw, float delta) {
  float y = yaw + delta;
  if (y > 110.0f && y < 290.0f) y = delta < 0 ? 290.0f : 110.0f;
  y = std::fmod(y, 360.0f);
  if (y < 0) y += 360.0f;
  return y;
}

void queue_base_talk(std::uint16_t talk) {
  gmTmpTalk = MapRole{};
  gmTmpTalk.RoleID = narrator_role;
  gmTmpTalk.TALK = talk;
  add_talks_proc(&gmTmpTalk);
}

int start_base_tutorial(int flag) {
  if (!test_flag(flag)) return 0;
  queue_base_talk(std::uint16_t(flag));
  clear_flag(flag);
  play_sfx(sfx_base_switch, 0);
  return 1;
}

int probe_base_ground(G3dVector* point, float dx, float dy, float dz) {
  const float x = point->x + dx, z = point->z + dz;
  const CollArray* grid = base_world.lpCollArray.get();
  if (x < 0 || z < 0 || !grid || grid->lpColl.empty() || grid->cell[0] <= 0 || grid->cell[2] <= 0) return 0;
  const float fc = std::floor((x - grid->min[0]) / grid->cell[0]), fr = std::floor((z - grid->min[2]) / grid->cell[2]);
  if (fc < 0 || fr < 0 || fc >= float(grid->nx) || fr >= float(grid->nz)) return 0;
  const CollCell& cell = grid->lpColl[std::size_t(fr) * grid->nx + std::size_t(fc)];
  const G3dVector top{x, point->y + dy, z, 0}, bottom{x, grid->min[1], z, 0};
  bool hit = false;
  G3dVector best{};
  for (std::uint32_t i = 0; i < cell.count; ++i) {
    const std::uint32_t face = grid->lpTotFaceList[cell.first + i];
    G3dVector at{};
    if (face >= base_world.Mask.lpCollTri.size() || !g3d_line_hit_tri(&top, &bottom, &base_world.Mask.lpCollTri[face], &at))
      continue;
    if (!hit || at.y > best.y) best = at;
    hit = true;
  }
  if (!hit) return 0;
  point->x = best.x, point->y = best.y, point->z = best.z;
  return 1;
}

void init_base_map() {
  load_map(&base_map, base_map_number);
  base_map.map_anim = ActInstance{};
  base_map.map_anim.act = base_map.map_act;
  base_map.map_anim.qq = base_map.map_qq;
  Take_3dActData(&base_map.map_anim);
  g3d_wld_free(&base_world);
  if (base_map.map_anim.resource) LoadWldMemory(&base_world, base_map.map_anim.resource);
  if (!house_list.empty()) return;
  add_default_house(house_kind_row(house_thatch).object, base_origin_x, 200.0f, base_origin_z, 0.0f);
  if (!add_resident(default_resident)) return;
  probe_build_grid();
  // The default dwelling's footprint: row 5, columns 5 and 6.
  BuildGrid[75] = BuildGrid[76] = cell_taken;
}

void enter_base_camp() {
  entry_map = map_record.map_number;
  renderer.set_viewport(0, 0, 640, 480, field_view_scale, base_view_near, base_view_far);
  unload_map();
  renderer.set_no_cull(1);
  del_all_tbutton();
  del_all_talkmsg();
  init_base_map();
  spawn_landmarks(entry_map);
  set_chart_map(&base_map.fog);

  base_camera.set_mode(1);
  base_camera.set_point_interp(3);
  base_camera.set_angle_interp(1);
  base_camera.set_dist_interp(3);
  base_home_view = {base_world.box.max.x, 100.0f, base_world.box.max.z, 18.0f, 34.0f, 0.0f, 8000.0f, 8000.0f};
  set_base_camera(base_home_view);
  base_camera.set_point_speed(4.0f);
  base_camera.set_angle_speed(1000.0f);
  base_camera.set_dist_speed(5.0f);
  base_camera.set_point_divisor(4.0f);
  base_camera.set_angle_divisor(4.0f);
  base_camera.set_dist_divisor(4.0f);

  for (const FontRow& f : base_fonts) {
    f.font->init(&display_device);
    f.font->set_font(kGameFontFace, f.size);
    f.font->set_advance(f.advance);
  }
  cursor_act.act = cursor_act_number;
  cursor_act.qq = base_cursor_busy;
  for (int& k : kind_unlocked) k = 0;
  for (int k : entry_kinds) kind_unlocked[k - 1] = 1;
  clear_exiles();
  for (const auto& h : house_list) start_workshop_effects(h.get());
  set_flag(flag_base_visited);
  reset_tab_bounce_for_base();
}

void leave_base_camp() {
  renderer.set_no_cull(0);
  base_sub_mode = base_overview;
  top_menu_cursor = 0;
  top_menu_page = page_none;
  build_effects().clear();
  workshop_effects().clear();
  clear_exiles();
  renderer.release_textures();
  g3d_wld_free(&base_world);
  Act_Memoryer_Free(255);
  FreePolyMemory(255);
  Memoryer_Free(255);
  for (const FontRow& f : base_fonts) f.font->release();
  GameMode = SavedGameMode;
  unload_map();
  reload_map();
  renderer.set_viewport(0, 0, 640, 480, field_view_scale, base_view_near, view_far);
}

void run_base_camp_talks() {
  if (base_sub_mode == base_formation_screen) build_escort_data();
  run_talk_queue();
}

void input_base_camp() {
  if (test_flag(flag_input_captured) || (talk_box_state & 0x10)) return;
  if (base_sub_mode != base_overview) dragging = 0;
  switch (base_sub_mode) {
    case base_overview: input_base_overview(); break;
    case base_top_menu: input_top_menu(); break;
    case base_weapons: case base_armour: case base_items: case base_treasures: input_production_screen(); break;
    case base_formation_screen: input_formation_screen(); break;
    case base_training_screen: input_training_hall(); break;
    case base_leave_confirm: input_leave_confirm(); break;
    default: break;
  }
}

void update_base_tooltip() {
  if (base_sub_mode == base_overview) {
    pick_base_tooltip();
    return;
  }
  if (base_sub_mode == base_top_menu && top_menu_page == page_build && build_state == build_placing) {
    build_placing_tooltip();
    return;
  }
  if (base_sub_mode == base_top_menu && top_menu_page == page_houses && (houses_state == 0 || houses_state == 1)) {
    houses_tooltip();
    return;
  }
  hud_tooltip();
}

namespace {

bool page_covers_view() {
  if (base_sub_mode >= base_weapons && base_sub_mode <= base_training_screen) return true;
  if (base_sub_mode != base_top_menu) return false;
  return top_menu_page == page_residents || top_menu_page == page_houses ||
         (top_menu_page == page_build && build_state == build_list);
}

void draw_scene() {
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.translate_matrix(&m, -base_world.box.min.x, -base_world.box.min.y, -base_world.box.min.z);
  Take_3dActData(&base_map.map_anim);
  renderer.draw_world(&m, base_map.map_anim.picture, &base_world, 0xFFFFFFFF, 0);
  draw_base_collision();
  draw_houses();
  draw_landmarks();
}

// The open page of the top menu; false when its frame is held back and not presented.
bool draw_top_menu_page() {
  if (top_menu_page == page_build && build_state == build_placing) {
    draw_free_cells();
    draw_build_minimap();
    for (const auto& h : house_list)
      if (!h->placed) check_house_placement(h.get());
  }
  if (sub_screen_delay > 0) {
    --sub_screen_delay;
    return false;
  }
  if (top_menu_page == page_build && build_state == build_list) draw_build_list_panel();
  else if (top_menu_page == page_build && build_state == build_confirm) draw_build_confirm();
  else if (top_menu_page == page_residents) draw_residents_screen();
  else if (top_menu_page == page_houses) {
    if (houses_state == houses_workers) draw_workers_screen();
    else draw_houses_panel();
  }
  return true;
}

}  // namespace

void draw_base_camp() {
  if (GameMode != mode_base_camp) return;
  base_camera.update();
  base_camera.apply_view();
  if (page_covers_view() && panels_settled) {
    remove_inactive_house();
    if (panels_settled == 1) {
      draw_base_sprite(base_panel_act, 3, 0, 0);
      draw_base_sprite(base_panel_act, 4, 326, 0);
      set_base_camera({base_home_view.x, base_home_view.y, base_home_view.z, 16, 0, 0, base_home_view.look_distance,
                       base_home_view.distance});
    }
  } else {
    draw_scene();
  }
  workshop_effects().update(frame_elapsed_ms);
  workshop_effects().draw();
  if (!panels_settled) {
    for (const auto& h : house_list) suppress_house_effects(h.get());
    move_base_panels();
  }
  draw_base_hud();
  if (base_sub_mode == base_top_menu && panels_settled && !draw_top_menu_page()) return;
  switch (base_sub_mode) {
    case base_weapons: case base_armour: case base_items: case base_treasures: draw_production_screen(); break;
    case base_formation_screen: draw_formation_screen(); break;
    case base_training_screen:
      if (training_page == training_magic) draw_magic_page();
      else draw_training_hall();
      break;
    case base_leave_confirm: draw_leave_confirm(); break;
    default: break;
  }
  draw_base_effects();
  const bool overview = base_sub_mode == base_overview || base_sub_mode == base_leave_confirm ||
                        (base_sub_mode == base_top_menu && top_menu_page == page_none);
  if (overview && test_flag(flag_switch_9)) {
    g3d_enable_fog(0);
    play_effect_list(frame_elapsed_ms);
    g3d_enable_fog(1);
  } else {
    g3d_enable_fog(0);
  }
  build_effects().update(frame_elapsed_ms);
  build_effects().draw();
  show_talkmsg();
  if (!test_flag(flag_input_captured)) {
    update_base_tooltip();
    draw_mouse_cursor();
  }
  draw_base_debug_text();
  renderer.present();
  g3d_faces_drawn = 0;
}
