// The debug overlays and the flag editor's page.
#include "field/debug_overlay.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "core/app_window.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/map_role.h"
#include "field/edit_mode.h"
#include "field/field_camera_state.h"
#include "field/field_controller.h"
#include "field/map_file.h"
#include "field/map_notes.h"
#include "field/role_pick.h"
#include "g3d/renderer.h"
#include "g3d/view_zoom.h"
#include "g3d/wld_world.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "sound/music_director.h"

int flag_editor_base = 0;
int flag_editor_row = 0;
int flag_editor_column = 0;

namespace {

constexpr std::uint16_t white = 0xFFFF, set_colour = 60000, cursor_colour = 62000;
constexpr int row_pitch = 48, column_pitch = 60, box_line = 20;
const char boxes[] = " [   ] [   ] [   ] [   ] [   ] [   ] [   ] [   ] [   ] [   ]";

void text(std::uint16_t* pixels, int x, int y, const char* s, std::uint16_t colour, std::uint16_t mode) {
  font_20.draw_text(pixels, x, y, s, colour, mode);
}

// ---- The 3D views -------------------------------------------------------------------------------

constexpr std::uint32_t held_box_colour = 0x96C8C800, role_box_colour = 0xFFC80000, note_colour = 0xFFFFFF00,
                        enabled_note_colour = 0xFFC80000, edit_point_colour = 0xFF00FF00, triangle_colour = 0x640A0A96,
                        wall_fill_colour = 0x64FF00FF, wall_line_colour = 0xFFFFFF00,
                        heading_colour = 0xFFFFFFFF;
constexpr std::uint32_t blend_add = 1, blend_translucent = 2;
constexpr std::uint32_t state_solid_box = 0x10;
constexpr std::uint16_t panel_bright = 65000, panel_dim = 55000, grid_full = 60000, grid_empty = 55000;

bool listed(const MapRole& r) { return r.RoleID != 0 && r.RoleID < party_role_limit; }

G3dMatrix placed(float x, float y, float z, float dir) {
  G3dMatrix m;
  renderer.make_scale_matrix(&m, x, y, z, 1, 1, 1, 0, dir, 0);
  return m;
}

void role_boxes() {
  for (int i = 0; i < gmMapRoleCount; ++i) {
    const MapRole& r = gmMapRole[i];
    if (!listed(r)) continue;
    if (i == player_role_index) {
      const float a = r.DIR * 0.0174533f;
      renderer.draw_line({r.X, r.Y + 10.0f, r.Z, 1}, {r.X + 30.0f * std::sin(a), r.Y + 10.0f, r.Z + 30.0f * std::cos(a), 1},
                         heading_colour);
    }
    const G3dMatrix m = placed(r.X, r.Y, r.Z, r.DIR);
    if (r.STATE & state_solid_box) {
      renderer.draw_solid_box(&m, &r.anim.box, held_box_colour, blend_translucent);
    } else {
      const G3dBox box = scaled_role_box(r);
      renderer.draw_wire_box(&m, &box, role_box_colour, 0);
    }
  }
}

void note_boxes() {
  for (const MapNote* n = map_record.notes; n; n = n->next) {
    const G3dMatrix m = placed(n->x, n->y, n->z, 0);
    renderer.draw_wire_box(&m, &n->box, note_colour, 0);
    if (!n->disabled) renderer.draw_solid_box(&m, &n->box, enabled_note_colour, blend_add);
  }
}

void edit_boxes() {
  static constexpr G3dBox point_box{{-10, 0, -10, 1}, {10, 20, 10, 1}};
  const float* p = field_camera_state.target_point;
  const G3dMatrix m = placed(p[0], p[1], p[2], 0);
  renderer.draw_wire_box(&m, &point_box, edit_point_colour, 0);
  if (!test_flag(flag_edit_role_mode) || edit_role_index < 0 || edit_role_index >= gmMapRoleCount) return;
  const MapRole& r = gmMapRole[edit_role_index];
  const G3dMatrix rm = placed(r.X, r.Y, r.Z, 0);
  renderer.draw_wire_box(&rm, &r.anim.box, note_colour, 0);
}

// The world's collision data; a map without a world has none to show.
void collision_triangles() {
  if (!map_world) return;
  for (const CollTri& t : map_world->Mask.lpCollTri)
    renderer.draw_triangle({t.k0[0], t.k0[1], t.k0[2], 1}, {t.k1[0], t.k1[1], t.k1[2], 1}, {t.k2[0], t.k2[1], t.k2[2], 1},
                           triangle_colour, blend_translucent);
}

void wall_boxes() {
  if (!map_world) return;
  G3dMatrix m;
  renderer.identity_matrix(&m);
  for (const G3dBox& b : map_world->MaskBpx.lpBox) {
    renderer.draw_solid_box(&m, &b, wall_fill_colour, blend_translucent);
    renderer.draw_wire_box(&m, &b, wall_line_colour, 0);
  }
}

// ---- The text panel -----------------------------------------------------------------------------

// The role under the mouse other than the player's: the smallest depth, the later role on a tie.
void pick_under_mouse() {
  debug_picked_role = -1;
  float best = 1.0f;
  for (int i = 0; i < gmMapRoleCount; ++i) {
    const MapRole& r = gmMapRole[i];
    if (!listed(r) || i == player_role_index) continue;
    float depth = 0;
    if (!pick_role_box(r, float(mouse_x), float(mouse_y), true, &depth) || depth > best) continue;
    best = depth;
    debug_picked_role = i;
  }
}

struct Panel {
  std::uint16_t* pixels;
  int x0, y0;
  void line(int y, std::uint16_t colour, const char* format, ...) __attribute__((format(printf, 4, 5)));
  void at(int x, int y, std::uint16_t colour, const char* text) const {
    font_20.draw_text(pixels, x, y, text, colour, GLYPH_OUTLINE);
  }
};

void Panel::line(int y, std::uint16_t colour, const char* format, ...) {
  char text[160];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  at(x0 + 5, y0 + y, colour, text);
}

const MapRole* role_at(int i) { return i >= 0 && i < gmMapRoleCount ? &gmMapRole[i] : nullptr; }

void edit_mode_lines(Panel& p) {
  const FieldCameraState& v = field_camera_state;
  const int faces = renderer.corners_drawn() / 3;
  p.line(5, panel_bright, "FPS %7.02f \xA5\xD8\xAB" "e\xBC\xD2\xAB\xAC\xBC\xC6 %d \xAD\xD3, \xA5\xD8\xAB" "e\xAD\xB1\xBC\xC6 %d ",
         double(current_fps), renderer.get_model_count(), faces);
  p.line(25, text_colours[7], "\xC3\xE8\xC0Y\xA6\xEC\xB8m %5.2f,%5.2f,%5.2f", double(v.current_point[0]),
         double(v.current_point[1]), double(v.current_point[2]));
  p.line(45, text_colours[7], "Cam \xA8\xA4\xAB\xD7RX[%3.0f],RY[%3.0f] DIST[%5.0f] far[%5.0f] SC[%2.0f]",
         double(v.current_angles[0]), double(v.current_angles[1]), double(v.current_distance), double(view_far), double(view_scale));
  if (const MapRole* r = role_at(edit_role_index))
    p.line(65, text_colours[8],
           "\xA8\xA4\xA6\xE2[%d] %5.2f,%5.2f,%5.2f \xA8\xA4\xAB\xD7[%3.1f] \xB0\xAA\xAB\xD7[%3.0f]", r->RoleID,
           double(r->X), double(r->Y), double(r->Z), double(r->DIR), double(v.target_point[1] - r->Y));
  if (const MapRole* r = role_at(debug_picked_role)) {
    char text[96];
    std::snprintf(text, sizeof text, "RoleID:%d RoleAI:%d Talk:%d", r->RoleID, r->AI, r->TALK);
    p.at(20, 85, 0xFFFF, text);
  }
}

void field_lines(Panel& p) {
  const FieldCameraState& v = field_camera_state;
  const int faces = renderer.corners_drawn() / 3;
  p.line(5, panel_bright, "FPS %7.02f TIME:%d (x:%d y:%d z:%d)", double(current_fps), int(game_clock / 1000), mouse_x,
         mouse_y, 0);
  p.line(25, panel_dim,
         "\xA5\xD8\xAB" "e\xBC\xD2\xAB\xAC\xBC\xC6 %d \xAD\xD3, \xA5\xD8\xAB" "e\xAD\xB1\xBC\xC6" "1 %d \xAD\xD3 MapRate:%d",
         renderer.get_model_count(), faces, int(frame_period_ms));
  if (const MapRole* r = role_at(player_role_index))
    p.line(45, text_colours[7],
           "\xA5" "D\xA8\xA4\xA6\xEC\xB8m [%5.2f],[%5.2f],[%5.2f] \xA8\xA4\xAB\xD7[%3.2f]  [\xAD\xB1\xBC\xC6:%d]",
           double(r->X), double(r->Y), double(r->Z), double(r->DIR), faces);
  p.line(65, text_colours[7], "Cam\xA6\xEC\xB8m [%5.2f],[%5.2f],[%5.2f]", double(v.current_point[0]),
         double(v.current_point[1]), double(v.current_point[2]));
  p.line(85, text_colours[8], "Cam \xA8\xA4\xAB\xD7RX[%3.2f],RY[%3.2f] DIST[%5.2f] far[%5.0f] SC[%2.1f]",
         double(v.current_angles[0]), double(v.current_angles[1]), double(v.current_distance), double(view_far),
         double(view_scale));
  const MapRole* player = role_at(player_role_index);
  p.line(105, text_colours[20],
         "\xA6" "a\xB9\xCF:%d \xA8\xC6\xA5\xF3Talk:%d \xA6P\xA8" "B:%d \xC2\xEA\xA9w\xA5" "D\xA8\xA4:%d fy[%4.0f] Npc\xA8" "B\xBC\xC6:%2.0f",
         map_record.map_number, reload_talk_number, v.control_mode, player && (player->STATE & state_held) ? 1 : 0,
         double(v.current_point[1]), double(talk_walk_speed));
  p.line(125, panel_bright, "\xB6K\xB9\xCF\xBC\xC6%d \xB6K\xB9\xCFsize:%d vmem:%d/%d tmem:%d/%d",
         renderer.get_texture_count(), int(renderer.get_texture_bytes() / 1024),
         int(display_device.get_free_vmem() / 1024), int(display_device.get_total_vmem() / 1024),
         int(display_device.get_free_tmem() / 1024), int(display_device.get_total_tmem() / 1024));
  p.line(145, text_colours[7], "Music[%d/%d]", music_director.current_mode(), music_director.requested_mode());
  if (const MapRole* r = role_at(debug_picked_role)) {
    char text[128];
    std::snprintf(text, sizeof text, "RoleID:%d AI:%d Talk:%d V1:%d V2:%d Act:%d QQ:%d", r->RoleID, r->AI, r->TALK,
                  r->var[0], r->var[1], r->anim.act, r->anim.qq);
    p.at(10, 450, 0xFFFF, text);
  }
}

// 8101: the sum over y of each collision cell's count, the last row first.
void cell_grid(Panel& p) {
  font_12.set_back_color(GlyphFont::kNoBackground);
  for (int z = map_grid_count[2] - 1, row = 0; z >= 0; --z, ++row) {
    for (int x = 0; x < map_grid_count[0]; ++x) {
      int sum = 0;
      for (int y = 0; y < map_grid_count[1]; ++y) sum += std::max(get_map_cell_count(x, y, z), 0);
      char text[16];
      std::snprintf(text, sizeof text, "%3d", sum);
      font_12.draw_text(p.pixels, p.x0 + 5 + 14 * x, p.y0 + 5 + 12 * row, text, sum > 0 ? grid_full : grid_empty,
                        sum > 0 ? GLYPH_OUTLINE : GLYPH_PLAIN);
    }
  }
}

void text_panel() {
  pick_under_mouse();
  const int note_event = pick_map_note(mouse_x, mouse_y);
  std::uint16_t* pixels = renderer.lock_back_buffer();
  if (!pixels) return;
  font_20.set_back_color(GlyphFont::kNoBackground);
  Panel p{pixels, AppWindow.origin_x, AppWindow.origin_y};
  const bool editing = test_flag(flag_edit_mode) != 0;
  editing ? edit_mode_lines(p) : field_lines(p);
  if (note_event != 0) {
    char text[32];
    std::snprintf(text, sizeof text, "MapEvent:%d", note_event);
    p.at(editing ? 400 : 320, editing ? 85 : 145, 0xFFFF, text);
  }
  // 8101, the first of the flags every load clears, switches the grid.
  if (test_flag(flag_load_transient_first)) cell_grid(p);
  renderer.unlock_back_buffer(pixels);
}

}  // namespace

void draw_debug_info() {
  if (test_flag(flag_role_boxes)) role_boxes();
  if (test_flag(flag_note_boxes)) note_boxes();
  if (test_flag(flag_edit_mode) && test_flag(flag_edit_point_box)) edit_boxes();
  if (test_flag(flag_collision_view)) collision_triangles();
  if (test_flag(flag_wall_boxes)) wall_boxes();
  if (test_flag(flag_debug_overlay)) text_panel();
}


void draw_debug_flags() {
  display_device.fill_rect(0, 0, 640, 480, 0);
  std::uint16_t* pixels = renderer.lock_back_buffer();
  if (pixels) {
    font_20.set_back_color(GlyphFont::kNoBackground);
    const int x0 = AppWindow.origin_x, y0 = AppWindow.origin_y;
    for (int i = 0; i < 10; ++i) {
      const int y = y0 + row_pitch * i;
      char numbers[64] = {};
      for (int j = 0; j < 10; ++j)
        std::snprintf(numbers + 5 * j, sizeof numbers - 5 * std::size_t(j), " %4d", flag_editor_base + 10 * i + j);
      text(pixels, x0, y, numbers, white, GLYPH_SHADOW);
      text(pixels, x0, y + box_line, boxes, white, GLYPH_PLAIN);
      for (int j = 0; j < 10; ++j)
        if (test_flag(flag_editor_base + 10 * i + j)) text(pixels, x0 + column_pitch * j, y + box_line, "   @", set_colour, GLYPH_PLAIN);
    }
    char cursor[8];
    std::snprintf(cursor, sizeof cursor, " %4d", flag_editor_selected());
    const int cx = x0 + column_pitch * flag_editor_column, cy = y0 + row_pitch * flag_editor_row;
    text(pixels, cx, cy, cursor, cursor_colour, GLYPH_BOLD_OUTLINE);
    text(pixels, cx, cy + box_line, " [   ]", cursor_colour, GLYPH_BOLD_OUTLINE);
    renderer.unlock_back_buffer(pixels);
  }
  renderer.present();
}
