// The base camp's top menu, HUD, panels and leave confirmation.
#include "base/base_top_menu.h"

#include <cstdio>
#include <cstring>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/build_screen.h"
#include "base/exiles.h"
#include "base/house_table.h"
#include "base/houses_screen.h"
#include "base/residents.h"
#include "base/resources.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/party.h"
#include "g3d/act_draw.h"
#include "g3d/model_cache.h"
#include "g3d/motion.h"
#include "g3d/renderer.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_system.h"
#include "ui/text_draw.h"

BasePanel base_panels[2];
int panels_settled = 1;
int sub_screen_delay = 0;
char base_tooltip[256] = {};
int leave_choice = 0;
int mouse_keyboard_lock = 0;
float hud_icon_angle = 0;

namespace {

constexpr int resource_field_x[5] = {260, 339, 407, 476, 538};
const char* const button_names[5] = {"", "\xAB\xD8\xB3\x79", "\xA9\x7E\xA5\xC1", "\xAB\xCE\xAA\xD9", "\xC2\xF7\xB6\x7D"};  // 建造 居民 屋舍 離開
const char* const field_names[5] = {"\xAA\xF7\xBF\xFA", "\xAA\xF7\xC4\xDD", "\xA4\xEC\xA7\xF7", "\xB7\xD1\xAC\xB4", "\xA4\x48\xA4\x66"};  // 金錢 金屬 木材 煤炭 人口
constexpr int panel_rest[2][2] = {{0, 0}, {326, 0}}, panel_hidden[2][2] = {{-320, 0}, {640, 0}};

void slide_panels(const int (&from)[2][2], const int (&to)[2][2]) {
  for (int i = 0; i < 2; ++i) {
    base_panels[i].tween.set_mode(3);
    base_panels[i].tween.set_speed(5);
    base_panels[i].tween.set_move(from[i][0], from[i][1], to[i][0], to[i][1]);
    base_panels[i].target_x = float(to[i][0]);
    base_panels[i].target_y = float(to[i][1]);
  }
  panels_settled = 0;
  play_sfx(sfx_base_slide, 0);
}

void stay_in_base() {
  base_sub_mode = base_overview;
  top_menu_page = page_none;
  top_menu_cursor = 0;
  play_sfx(sfx_base_back, 0);
}

void leave_now() {
  play_sfx(sfx_base_leave, 0);
  leave_base_camp();
}

// Opens a page from the bar: panels slide in for the pages, the camera's view is kept.
void open_page_from_bar(int page) {
  if (page != page_leave) {
    slide_panels_in();
    page_entry_view = base_view;
  }
  select_top_menu_page(page);
}

}  // namespace

bool cancel_pressed() {
  return grp_input.key_press(key_lctrl) || grp_input.key_press(key_rctrl) || grp_input.key_press(key_escape) ||
         grp_input.key_press(key_mouse2);
}

bool confirm_pressed() { return grp_input.key_press(key_enter) || grp_input.key_press(key_space); }

void arbitrate_mouse() {
  if (mouse_x == drag_anchor[0] && mouse_y == drag_anchor[1]) return;
  if (mouse_keyboard_lock) {
    mouse_keyboard_lock = 0;
    return;
  }
  drag_anchor[0] = mouse_x;
  drag_anchor[1] = mouse_y;
}

void open_top_menu() {
  top_menu_cursor = 1;
  house_command = 0;
  base_sub_mode = base_top_menu;
  top_menu_page = page_none;
}

void select_top_menu_page(int page) {
  top_menu_cursor = top_menu_page = page;
  base_camera.set_point_interp(1);
  base_camera.set_dist_interp(1);
  if (page == page_build) update_kind_unlocks();
  if (page == page_houses) build_house_table();
  if (page == page_residents) reset_residents_screen();
}

void open_top_menu_page(int page) {
  open_top_menu();
  select_top_menu_page(page);
}

void slide_panels_in() { slide_panels(panel_hidden, panel_rest); }
void slide_panels_out() { slide_panels(panel_rest, panel_hidden); }

void move_base_panels() {
  for (int i = 0; i < 2; ++i) {
    BasePanel& p = base_panels[i];
    p.tween.update();
    int x = 0, y = 0;
    p.tween.get_pos(&x, &y);
    draw_base_sprite(base_panel_act, std::uint16_t(3 + i), x, y);
    if (float(x) != p.target_x || float(y) != p.target_y) continue;
    panels_settled = 1;
    if (base_sub_mode != base_top_menu) continue;
    sub_screen_delay = 2;
    if (top_menu_page == page_houses && houses_state == houses_commands) grp_input.set_mouse_pos(304, 78);
  }
}

int top_bar_button_at(int x, int y) {
  if (y <= 0 || y >= 30) return 0;
  for (int b = 1; b <= 4; ++b)
    if (x > top_bar_edges[b] && x < top_bar_edges[b] + 30) return b;
  return 0;
}

int click_top_bar(int x, int y) {
  const int b = top_bar_button_at(x, y);
  if (!b || b == top_menu_page) return 0;
  open_top_menu();
  select_top_menu_page(b);
  build_state = build_list;
  houses_state = houses_list;
  list_row = 1;
  if (b == page_leave) {
    slide_panels_out();
    set_base_camera(page_entry_view);
  } else {
    play_sfx(sfx_base_switch, 0);
  }
  return 1;
}

void back_to_overview() {
  base_sub_mode = base_overview;
  top_menu_page = page_none;
  top_menu_cursor = 0;
  list_row = 1;
  base_tooltip[0] = 0;
  slide_panels_out();
  set_base_camera(page_entry_view);
}

void input_top_menu() {
  switch (top_menu_page) {
    case page_none: {
      if (grp_input.key_press(key_mouse1)) {
        const int b = top_bar_button_at(mouse_x, mouse_y);
        if (b && b != top_menu_page) {
          open_top_menu();
          open_page_from_bar(b);
        }
        return;
      }
      if (cancel_pressed()) {
        stay_in_base();
        return;
      }
      if (grp_input.key_press(key_left)) {
        if (--top_menu_cursor < 1) top_menu_cursor = 1;
        play_sfx(sfx_base_switch, 0);
      } else if (grp_input.key_press(key_right)) {
        if (++top_menu_cursor > 4) top_menu_cursor = 4;
        play_sfx(sfx_base_switch, 0);
      } else if (confirm_pressed()) {
        top_menu_page = top_menu_cursor;
        open_page_from_bar(top_menu_cursor);
      }
      return;
    }
    case page_build: input_build_screen(); return;
    case page_residents: input_residents_screen(); return;
    case page_houses: input_houses_screen(); return;
    case page_leave:
      if (!panels_settled) return;
      top_menu_cursor = page_leave;
      if (exile_count()) {
        base_sub_mode = base_leave_confirm;
        leave_choice = 1;
        play_sfx(sfx_base_open, 0);
      } else {
        leave_now();
      }
      return;
    default: return;
  }
}

void input_leave_confirm() {
  arbitrate_mouse();
  const int x = leave_box_x, y = leave_box_y;
  const bool in_row = mouse_y > y + 60 && mouse_y < y + 95;
  if (in_row && !mouse_keyboard_lock)
    for (int i = 0; i < 2; ++i)
      if (mouse_x > x + 90 * i + 54 && mouse_x < x + 90 * i + 91 && leave_choice != i) {
        leave_choice = i;
        play_sfx(sfx_base_cursor, 0);
      }
  if (cancel_pressed()) {
    stay_in_base();
    return;
  }
  if (confirm_pressed()) {
    if (leave_choice == 1) stay_in_base();
    else leave_now();
    return;
  }
  if (grp_input.key_press(key_mouse1) && in_row) {
    if (mouse_x > x + 54 && mouse_x < x + 91) {
      if (leave_choice == 0) leave_now();
      return;
    }
    if (mouse_x > x + 144 && mouse_x < x + 181) {
      stay_in_base();
      return;
    }
  }
  if (grp_input.key_repeat(key_right)) {
    leave_choice = (leave_choice + 1) % 2;
    play_sfx(sfx_base_cursor, 0);
    mouse_keyboard_lock = 1;
  } else if (grp_input.key_repeat(key_left)) {
    leave_choice = (leave_choice + 1) % 2;
    play_sfx(sfx_base_cursor, 0);
    mouse_keyboard_lock = 1;
  }
}

void draw_leave_confirm() {
  renderer.draw_rect(0, 0, 640, 480, 0x50000000, 2);
  const int x = leave_box_x, y = leave_box_y;
  draw_base_sprite(base_panel_act, 6, x, y);
  draw_text_at(base_font_15, x + 50, y + 18, "\xAC\x79\xA9\xF1\xA9\x7E\xA5\xC1\xB1\x4E\xA6\xDB\xB0\xCA\xC5\x58\xB3\x76", text_colours[20], GLYPH_BOLD_SHADOW);  // 流放居民將自動驅逐
  base_font_15.set_advance(18);
  draw_text_at(base_font_15, x + 80, y + 35, "\xBD\x54\xA9\x77\xC2\xF7\xB6\x7D", text_colours[20], GLYPH_BOLD_SHADOW);  // 確定離開
  base_font_15.set_advance(15);
  draw_base_sprite(base_panel_act, leave_choice == 0 ? 7 : 8, x + 54, y + 57);
  draw_base_sprite(base_panel_act, leave_choice == 1 ? 9 : 10, x + 145, y + 57);
}

void draw_bold(GlyphFont& font, int x, int y, const char* text, int colour) {
  draw_text_at(font, x, y, text, text_colours[colour], GLYPH_PLAIN);
  draw_text_at(font, x + 1, y, text, text_colours[colour], GLYPH_PLAIN);
}

void draw_base_hud() {
  draw_base_sprite(base_panel_act, 0, 0, 0);
  draw_base_sprite(base_panel_act, 1, 0, 445);
  for (int b = 1; b <= 4; ++b) {
    const bool lit = top_menu_cursor == b;
    if (b == 4 && !lit) continue;
    draw_base_sprite(base_icon_act, std::uint16_t(2 * (b - 1) + (lit ? 1 : 0)), top_bar_edges[b], 1);
  }
  int capacity = 0, residents = 0, idle = 0;
  population_count(&capacity, &residents, &idle);
  char text[5][16];
  std::snprintf(text[0], sizeof text[0], "%-6d", party_money);
  std::snprintf(text[1], sizeof text[1], "%-5d", party_metal);
  std::snprintf(text[2], sizeof text[2], "%-5d", party_wood);
  std::snprintf(text[3], sizeof text[3], "%-5d", party_coal);
  std::snprintf(text[4], sizeof text[4], "%3d/%-3d", residents, capacity);
  for (int i = 0; i < 5; ++i) draw_bold(base_font_12, resource_field_x[i], 12, text[i], 15);
  draw_text_at(base_font_16, 50, 455, base_tooltip, text_colours[14], GLYPH_BOLD_OUTLINE);
}

int hud_name_at(int x, int y) {
  for (int b = 1; b <= 4; ++b)
    if (x >= top_bar_edges[b] && x < top_bar_edges[b] + 25 && y >= 0 && y < 30) {
      std::snprintf(base_tooltip, sizeof base_tooltip, "%s", button_names[b]);
      return 1;
    }
  for (int i = 0; i < 5; ++i)
    if (x >= resource_field_x[i] - 23 && x < resource_field_x[i] - 4 && y >= 7 && y < 25) {
      std::snprintf(base_tooltip, sizeof base_tooltip, "%s", field_names[i]);
      return 1;
    }
  return 0;
}

void hud_tooltip() {
  if (!hud_name_at(mouse_x, mouse_y)) base_tooltip[0] = 0;
}

int draw_base_sprite(std::uint16_t act, std::uint16_t qq, int x, int y) {
  ActInstance a{};
  a.act = act;
  a.qq = qq;
  if (!Take_3dActData(&a)) return 0;
  // Sprites and image quads alike go to the screen point as 2D pictures.
  if (a.kind != act_kind_model) draw_act_instance(&a, x, y, 0);
  return 1;
}

void draw_type_badge(int kind, int x, int y) {
  constexpr std::uint16_t type_badge_act = 9098;
  draw_base_sprite(type_badge_act, std::uint16_t(kind == 130 ? 9 : kind - 110), x, y);
}

void draw_house_icon(int kind, int level, std::uint16_t qq, float x, float y, float z) {
  static ActInstance icon;
  const int lvl = kind == 17 && level > 2 ? 2 : level;
  icon.act = kind == 16 ? std::uint16_t(9915 + lvl) : kind == 17 ? std::uint16_t(9921 + lvl) : std::uint16_t(9900 + kind);
  icon.qq = qq;
  hud_icon_angle += 1.0f;
  if (!Take_3dActData(&icon)) return;
  if (icon.kind == act_kind_model) draw_act_model(&icon, x, y, z, 0, hud_icon_angle, 0, 1, 1, 1, 0xFFFFFFFF, 0);
  else if (icon.kind == act_kind_sprite) draw_act_instance(&icon, 190, 75, 0);
}

void reset_tab_bounce_for_base() {
  menu_tab_bounce = BounceMotion{};
  menu_tab_bounce.rest.y = menu_tab_bounce.current.y = 42.0f;
  menu_tab_bounce.bounce_speed = 3.0f;
  menu_tab_bounce.gravity = 0.5f;
  menu_tab_bounce.started = 0;
  menu_tab_bounce.repeat = 1;
}
