// The build page and the build grid.
#include "base/build_screen.h"

#include <algorithm>
#include <cstdio>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_scene.h"
#include "base/base_top_menu.h"
#include "base/build_grid.h"
#include "base/exiles.h"
#include "base/house_costs.h"
#include "base/house_kinds.h"
#include "base/house_table.h"
#include "base/houses.h"
#include "base/list_scroll.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/geometry.h"
#include "g3d/renderer.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/paragraph.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int build_state = build_list;
int build_list_count = 0;
int build_list_top = 0;
int selected_kind = 0;
int confirm_choice = 0;
int placement_ok = 0;
int build_minimap_on = 0;
float build_site[4] = {};
ParticleEmitter* build_dust = nullptr;

namespace {

constexpr int list_x = 27, list_y = 42, detail_x = 260, detail_y = 42, map_x = 27, map_y = 50;
constexpr int visible_rows = 9;
constexpr float cell_size = 300.0f, cell_height = 285.0f;

float cell_x(int col) { return base_origin_x - 2250 + cell_size * float(col); }
float cell_z(int row) { return base_origin_z + 1450 - cell_size * float(row); }

// The object record a kind is listed with.
std::uint16_t list_object(int kind) { return house_cost_object(kind); }

void start_placing() {
  if (!selected_kind) return;
  if (!check_house_limit(selected_kind, 1)) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  build_state = build_placing;
  add_house(selected_kind, base_origin_x, 500.0f, base_origin_z, 0);
  begin_house_placing();
}

void input_list() {
  base_camera.set_point_interp(3);
  base_camera.set_dist_interp(3);
  const int visible = std::min(build_list_count - build_list_top, visible_rows);
  hover_row(list_x, list_y, visible, &list_row);
  if (cancel_pressed()) {
    build_list_top = 0;
    back_to_overview();
    return;
  }
  if (!build_list_count) return;
  if (grp_input.key_repeat(key_mouse1)) {
    if (click_top_bar(mouse_x, mouse_y)) return;
    if (mouse_x >= list_x + 33 && mouse_x < list_x + 183)
      for (int i = 0; i < visible_rows; ++i)
        if (mouse_y >= list_y + 60 + 35 * i && mouse_y < list_y + 90 + 35 * i) {
          start_placing();
          return;
        }
    if (click_scroll_bar(mouse_x, mouse_y, &build_list_top, build_list_count)) return;
  }
  if (confirm_pressed()) {
    start_placing();
    return;
  }
  if (grp_input.key_repeat(key_up)) {
    scroll_list_up(&build_list_top);
    mouse_keyboard_lock = 1;
  }
  if (grp_input.key_repeat(key_down)) {
    scroll_list_down(&build_list_top, build_list_count);
    list_row = std::min(list_row, visible);
    mouse_keyboard_lock = 1;
  }
  if (grp_input.key_repeat(key_page_up)) page_list_up(&build_list_top);
  if (grp_input.key_repeat(key_page_down)) page_list_down(&build_list_top, build_list_count);
}

// A keyboard step of the house being placed, undone when it leaves the grid.
void step_house(HouseRecord* h, int drow, int dcol) {
  const int row = h->grid_row + drow, col = h->grid_col + dcol;
  mouse_keyboard_lock = 1;
  if (!grid_cell_on(row, col)) return;
  h->grid_row = row, h->grid_col = col;
  h->pos.x += cell_size * float(dcol);
  h->pos.z -= cell_size * float(drow);
  play_sfx(sfx_base_cursor, 0);
}

void cancel_placing(HouseRecord* h) {
  h->active = 0;
  base_tooltip[0] = 0;
  base_sub_mode = base_top_menu;
  top_menu_page = page_build;
  build_state = build_list;
  slide_panels_in();
  base_camera.set_point_interp(1);
  base_camera.set_dist_interp(1);
}

void input_placing() {
  if (!panels_settled) return;
  HouseRecord* h = unplaced_house();
  if (!h) {  // nothing is being placed (talk 353 opened this state): back to the list
    build_state = build_list;
    return;
  }
  if (!mouse_keyboard_lock) pick_build_cell(h, mouse_x, mouse_y);
  if (grp_input.key_repeat(key_left)) step_house(h, 0, -1);
  if (grp_input.key_repeat(key_right)) step_house(h, 0, 1);
  if (grp_input.key_repeat(key_up)) step_house(h, -1, 0);
  if (grp_input.key_repeat(key_down)) step_house(h, 1, 0);
  if (grp_input.key_press(key_lshift) || grp_input.key_press(key_rshift)) {
    h->rotation_step = std::uint16_t((h->rotation_step + 1) % 4);
    compute_house_footprint(h);
    h->rotation = float((int(h->rotation) + 90) % 360);
    play_sfx(sfx_base_switch, 0);
  }
  if (test_flag(flag_developer_keys) && grp_input.key_press(KeyCode(key_b))) base_box_wire = !base_box_wire;
  if (grp_input.key_press(KeyCode(key_m))) build_minimap_on = !build_minimap_on;
  if (confirm_pressed() || grp_input.key_press(key_mouse1)) {
    if (placement_ok == 1) {
      build_state = build_confirm;
      h->pos.y = 200.0f;
      play_sfx(sfx_base_open, 0);
    } else {
      play_sfx(sfx_base_refused, 0);
    }
    return;
  }
  if (cancel_pressed()) cancel_placing(h);
}

void back_to_placing(HouseRecord* h) {
  build_state = build_placing;
  h->pos.y = 500.0f;
  confirm_choice = 0;
  play_sfx(sfx_base_back, 0);
}

void build_house(HouseRecord* h) {
  if (!pay_house_cost(selected_kind, 1)) {
    play_sfx(sfx_base_back, 0);
    return;
  }
  play_sfx(sfx_base_built, 0);
  mark_house_cells(h);
  h->placed = h->built = 1;
  build_site[0] = h->pos.x, build_site[1] = h->pos.y, build_site[2] = h->pos.z;
  exiles_move_in();
  start_workshop_effects(h);
  h->pos.y -= 300.0f;
  h->countdown = 30;
  build_dust = build_effects().add(build_dust_effect, build_site[0] - h->act.box.max.x, build_site[1] + 200,
                                   build_site[2] - h->act.box.max.z, nullptr);
  if (build_dust) build_dust->start();
  base_sub_mode = base_overview;
  top_menu_page = page_none;
  top_menu_cursor = 0;
  build_state = build_list;
  build_list_top = 0;
  list_row = 1;
  set_base_camera(base_home_view);
}

void input_confirm() {
  HouseRecord* h = unplaced_house();
  if (!h) {
    build_state = build_list;
    return;
  }
  const bool in_row = mouse_y > 310 && mouse_y < 345;
  if (in_row && !mouse_keyboard_lock)
    for (int i = 0; i < 2; ++i)
      if (mouse_x > 305 + 90 * i && mouse_x < 342 + 90 * i && confirm_choice != i) {
        confirm_choice = i;
        play_sfx(sfx_base_cursor, 0);
      }
  if (cancel_pressed()) {
    back_to_placing(h);
    return;
  }
  if (grp_input.key_press(key_mouse1) && in_row) {
    if (mouse_x > 305 && mouse_x < 342) build_house(h);
    else if (mouse_x > 395 && mouse_x < 432 && confirm_choice == 1) back_to_placing(h);
    return;
  }
  if (confirm_pressed()) {
    if (confirm_choice == 1) back_to_placing(h);
    else build_house(h);
    return;
  }
  const int before = confirm_choice;
  if (grp_input.key_repeat(key_left)) confirm_choice = std::max(0, confirm_choice - 1), mouse_keyboard_lock = 1;
  if (grp_input.key_repeat(key_right)) confirm_choice = std::min(1, confirm_choice + 1), mouse_keyboard_lock = 1;
  if (confirm_choice != before) play_sfx(sfx_base_cursor, 0);
}

void draw_detail_costs(const ItemData& d) {
  draw_base_sprite(base_icon_act, 33, detail_x + 190, detail_y + 44);
  draw_base_sprite(base_icon_act, 30, detail_x + 253, detail_y + 45);
  draw_base_sprite(base_icon_act, 31, detail_x + 190, detail_y + 65);
  draw_base_sprite(base_icon_act, 32, detail_x + 253, detail_y + 63);
  const struct { int value, x, y; } costs[] = {{d.cost_money, 218, 54}, {d.cost_metal, 282, 54},
                                                 {d.cost_wood, 218, 74}, {d.cost_coal, 282, 74}};
  char text[16];
  for (const auto& c : costs) {
    std::snprintf(text, sizeof text, "%d", c.value);
    draw_bold(base_font_12, detail_x + c.x, detail_y + c.y, text, 16);
  }
}

}  // namespace

namespace {
// The build and houses pages' lists: nine rows under list_row.
ListScroll nine_rows(int* top, int count) { return {&list_row, top, count, visible_rows, list_x, list_y}; }
}  // namespace

void scroll_list_up(int* top) { scroll_up(nine_rows(top, 0)); }
void scroll_list_down(int* top, int count) { scroll_down(nine_rows(top, count)); }
void page_list_up(int* top) { page_up(nine_rows(top, 0)); }
void page_list_down(int* top, int count) { page_down(nine_rows(top, count)); }
int click_scroll_bar(int x, int y, int* top, int count) { return click_scroll(nine_rows(top, count), x, y); }

void input_build_screen() {
  arbitrate_mouse();
  if (panels_settled == 1 && start_base_tutorial(flag_tutorial_build)) {
    cursor_act.qq = base_cursor_busy;
    return;
  }
  switch (build_state) {
    case build_list: input_list(); break;
    case build_placing: input_placing(); break;
    case build_confirm: input_confirm(); break;
    default: build_state = build_list; break;
  }
}

void begin_house_placing() {
  base_camera.set_angles(35, 30, 0);
  base_camera.set_distance(12000.0f);
  base_camera.set_look_distance(12000.0f);
  slide_panels_out();
}

void pick_build_cell(HouseRecord* h, int mx, int my) {
  G3dMatrix identity;
  renderer.identity_matrix(&identity);
  for (int r = 0; r < build_grid_rows; ++r)
    for (int c = 0; c < build_grid_cols; ++c) {
      const G3dBox box{{cell_x(c), 350, cell_z(r) - cell_size, 0}, {cell_x(c) + cell_size, 352, cell_z(r), 0}};
      float depth = 1.0f;
      if (!g3d_pick_box(float(mx), float(my), &depth, identity, box)) continue;
      if (r != h->grid_row || c != h->grid_col) play_sfx(sfx_base_cursor, 0);
      h->pos.x = base_origin_x - 1500 + cell_size * float(c);
      h->pos.z = cell_z(r);
      h->grid_row = r, h->grid_col = c;
      return;
    }
}

int house_fits(const HouseRecord* h) {
  int count = 0;
  for (int r = 0; r < footprint_size && count < h->footprint_cells; ++r)
    for (int c = 0; c < footprint_size && count < h->footprint_cells; ++c) {
      const int row = h->grid_row + r, col = h->grid_col + c;
      if (h->footprint[r * footprint_size + c] && grid_cell_on(row, col) &&
          BuildGrid[row * build_grid_cols + col] == cell_free)
        ++count;
    }
  return count == h->footprint_cells;
}

void check_house_placement(HouseRecord* h) {
  placement_ok = house_fits(h);
  if (placement_ok) draw_house_footprint(h, 10, 10, 250);
  else draw_house_footprint(h, 250, 10, 10);
}

void draw_house_footprint(const HouseRecord* h, int r, int g, int b) {
  int drawn = 0;
  for (int i = 0; i < footprint_size * footprint_size && drawn < h->footprint_cells; ++i) {
    if (!h->footprint[i]) continue;
    ++drawn;
    const int row = h->grid_row + i / footprint_size, col = h->grid_col + i % footprint_size;
    draw_cell_quad(row, col, 100, r, g, b);
    if (build_minimap_on == 1)
      renderer.draw_rect(map_x + 10 * col, map_y + 10 * row, 10, 10, 0x64000000u | std::uint32_t(r << 16 | g << 8 | b), 2);
  }
}

void draw_cell_quad(int row, int col, int alpha, int r, int g, int b) {
  const float xa = cell_x(col), za = cell_z(row);
  const std::uint32_t colour = std::uint32_t(alpha) << 24 | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
  G3dVertex v[6] = {};
  const float corners[6][2] = {{xa, za}, {xa + cell_size, za}, {xa + cell_size, za - cell_size},
                               {xa, za}, {xa + cell_size, za - cell_size}, {xa, za - cell_size}};
  for (int i = 0; i < 6; ++i) {
    v[i].x = corners[i][0], v[i].y = cell_height, v[i].z = corners[i][1];
    v[i].colour = colour;
  }
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.draw_triangles(&m, v, 6, nullptr, 0, 2);
}

void draw_free_cells() {
  for (int r = 0; r < build_grid_rows; ++r)
    for (int c = 0; c < build_grid_cols; ++c)
      if (BuildGrid[r * build_grid_cols + c] == cell_free) draw_cell_quad(r, c, 50, 250, 250, 10);
}

void draw_build_minimap() {
  if (build_minimap_on != 1) return;
  renderer.draw_rect(map_x, map_y, 150, 140, 0x50FAFAFA, 2);
  for (int r = 0; r < build_grid_rows; ++r)
    for (int c = 0; c < build_grid_cols; ++c) {
      const std::int32_t cell = BuildGrid[r * build_grid_cols + c];
      if (cell == cell_free) renderer.draw_rect(map_x + 10 * c, map_y + 10 * r, 10, 10, 0x64FAC80A, 2);
      else if (cell == cell_taken) renderer.draw_rect(map_x + 10 * c, map_y + 10 * r, 10, 10, 0x64323232, 2);
    }
}

void draw_build_list_panel() {
  draw_base_sprite(base_panel_act, 11, list_x, list_y);
  draw_base_sprite(base_panel_act, 5, list_x + 188, list_y + 58);
  if (build_list_count) {
    if (build_list_count > visible_rows)
      renderer.draw_rect(list_x + 194, list_y + 88 + build_list_top * 260 / build_list_count, 11,
                         2340 / build_list_count, 0x969B5F23, 2);
    else
      renderer.draw_rect(list_x + 194, list_y + 88, 11, 260, 0x969B5F23, 2);
  }
  draw_select_bar(list_x + 23, list_y + 60 + 35 * (list_row - 1), 160, 30, 0x78FFFFFF);
  draw_build_list_rows();
  draw_text_at(base_font_16, list_x + 45, list_y + 21, "\xA5\x69\xAB\xD8\xB3\x79\xAB\xCE\xAA\xD9\xB2\x4D\xB3\xE6", text_colours[20], GLYPH_BOLD_OUTLINE);  // 可建造屋舍清單
  draw_text_at(base_font_16, detail_x + 200, detail_y + 20, "\xAB\xD8\xB3\x79\xBB\xDD\xA8\x44\xB8\xEA\xB7\xBD", text_colours[20], GLYPH_BOLD_OUTLINE);  // 建造需求資源
}

void draw_build_list_rows() {
  build_list_count = 0;
  selected_kind = 0;
  ItemData d{};
  for (int k = 1; k <= house_kind_count; ++k) {
    if (!kind_unlocked[k - 1]) continue;
    ++build_list_count;
    if (build_list_count > build_list_top && build_list_count <= build_list_top + visible_rows) {
      read_Item(list_object(k), &d);
      draw_bold(base_font_16, list_x + 33, list_y + 70 + 35 * (build_list_count - build_list_top - 1), d.NAME,
                check_house_limit(k, 0) ? 15 : 21);
    }
    if (build_list_count == list_row + build_list_top) selected_kind = k;
  }
  if (!selected_kind) return;
  draw_base_sprite(base_panel_act, 12, detail_x, detail_y);
  d = ItemData{};
  read_Item(list_object(selected_kind), &d);
  draw_base_sprite(base_icon_act, 49, detail_x + 10, detail_y + 224);
  draw_base_sprite(base_icon_act, 50, detail_x + 130, detail_y + 224);
  char name[40];
  std::snprintf(name, sizeof name, " %s", d.NAME);
  draw_bold(base_font_16, detail_x + 40, detail_y + 230, name, 15);
  draw_detail_costs(d);
  base_font_16.set_shadow_color(text_colours[31]);
  draw_paragraph(&base_font_16, d.HELP, detail_x + 30, detail_y + 282, 4, 310, 15);
  base_font_16.set_shadow_color(0);
  draw_house_icon(selected_kind, 1, 1, 5800, 1000, 2500);
}

void draw_build_confirm() {
  renderer.draw_rect(0, 0, 640, 480, 0x50000000, 2);
  draw_base_sprite(base_panel_act, 6, 250, 250);
  draw_base_sprite(base_panel_act, confirm_choice == 0 ? 7 : 8, 304, 307);
  draw_base_sprite(base_panel_act, confirm_choice == 1 ? 9 : 10, 395, 307);
  base_font_18.set_advance(20);
  draw_text_at(base_font_18, 310, 272, "\xAB\xCE\xAA\xD9\xAB\xD8\xB3\x79\xBD\x54\xA9\x77", text_colours[20], GLYPH_BOLD_OUTLINE);  // 屋舍建造確定
  base_font_18.set_advance(18);
}

void build_placing_tooltip() {
  if (!hud_name_at(mouse_x, mouse_y))
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s", " [\xB7\xC6\xB9\xAB\xA5\x6B\xC1\xE4] \xA8\xFA\xAE\xF8  [Shift] \xB1\xDB\xC2\xE0  [M] \xA4\x70\xA6\x61\xB9\xCF");  //  [滑鼠右鍵] 取消  [Shift] 旋轉  [M] 小地圖
}

void open_build_page(int state, int row) {
  base_sub_mode = base_top_menu;
  top_menu_page = page_build;
  build_state = std::uint16_t(state);
  list_row = std::uint16_t(row);
}
