// The menu's draw step and the pieces the pages and the shop draw with it: status cards,
// portraits, the money panel, the page bar, the tab bounce and the model shown by a page.
#include <cstdarg>
#include <cstdio>

#include "base/resources.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/text_colours.h"
#include "data/level_tables.h"
#include "data/party.h"
#include "field/debug_overlay.h"
#include "field/field_camera_state.h"
#include "field/field_draw.h"
#include "g3d/act_draw.h"
#include "g3d/camera.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "script/talk_timer.h"
#include "ui/cursor.h"
#include "ui/menu/menu_frame.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_mechanisms.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system_page.h"
#include "ui/screen_button.h"
#include "ui/screen_extras.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"

namespace {

constexpr int card_text_colour = 20, card_name_colour = 26, money_colour = 15;
constexpr int gauge_full_width = 84;
constexpr BlitFlags knocked_out_overlay = 40;

// "下一級經驗值:"
constexpr const char* next_level_text = "\xa4U\xa4@\xaf\xc5\xb8g\xc5\xe7\xad\xc8:";

ActInstance bar_highlight;

void draw_fresh_act(std::uint16_t act, std::uint16_t qq, int x, int y, BlitFlags flags) {
  ActInstance a{};
  a.act = act;
  a.qq = qq;
  Take_3dActData(&a);
  draw_act_instance(&a, x, y, flags);
}

void draw_card_gauge(int index, int x, int y, int current, int maximum) {
  const int gy = y + 46 + 22 * index;
  char text[32];
  std::snprintf(text, sizeof text, "    %4d/%4d", current, maximum);
  draw_text_at(font_12, x + 120, gy - 12, text, text_colours[card_text_colour], GLYPH_PLAIN);
  draw_act(gauge_label_act, std::uint16_t(index), x + 135, gy, 0);
  draw_menu_gauge(gauge_act, std::uint16_t(index + 1), x + 150, gy, current, maximum);
}

void draw_page_bar() {
  for (int j = 0; j < menu_entry_count; ++j) {
    menu_bar_tweens[j].update();
    draw_act(page_bar_act, std::uint16_t(page_bar_label_qq + j), menu_bar_tweens[j].get_x(),
             menu_bar_tweens[j].get_y(), 0);
  }
  if (menu_bar_sel >= 1 && menu_bar_sel <= menu_entry_count) {
    const Tween& t = menu_bar_tweens[menu_bar_sel - 1];
    bar_highlight.act = page_bar_act;
    bar_highlight.qq = std::uint16_t(menu_bar_sel - 1);
    Take_3dActData(&bar_highlight);
    draw_act_instance(&bar_highlight, t.get_x(), t.get_y(), 0);
  }
  if (menu_page == menu_page_bar) draw_hint_line(std::uint16_t(menu_hint_key), 60, 448);
}

void draw_status_cards() {
  for (int i = 0; i < menu_party_count; ++i) {
    menu_card_tweens[i].update();
    draw_status_card(menu_party[i], menu_card_tweens[i].get_x(), menu_card_tweens[i].get_y());
  }
}

void draw_page() {
  switch (menu_page) {
    case menu_page_bar:
      draw_status_cards();
      break;
    case menu_page_items:
      draw_item_page(140, 10);
      break;
    case menu_page_equip:
      draw_equip_page(100, 20);
      break;
    case menu_page_arts:
      draw_arts_page(100, 20);
      break;
    case menu_page_mechanisms:
      draw_mechanism_page();
      break;
    case menu_page_log:
      draw_log_page(140, 10);
      break;
    case menu_page_system:
      draw_system_page();
      break;
    default:
      break;
  }
}

}  // namespace

int gauge_width(int width, int current, int maximum) {
  if (maximum <= 0 || current <= 0) return 0;
  const double w = double(width) * double(current) / double(maximum);
  // A value above its maximum (a stat raised past it) fills the gauge without drawing past it.
  return w >= double(width) ? width : int(w);
}

void draw_fmt(GlyphFont& font, int x, int y, int colour, const char* fmt, ...) {
  char text[96];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(text, sizeof text, fmt, args);
  va_end(args);
  draw_text_at(font, x, y, text, text_colours[colour], GLYPH_PLAIN);
}

void draw_menu_gauge(std::uint16_t act, std::uint16_t qq, int x, int y, int current, int maximum) {
  const int width = gauge_width(gauge_full_width, current, maximum);
  draw_act(act, 0, x, y, 0);
  // A fill of no width is no fill: the part drawer would still show one column.
  if (width > 0) draw_act_part(act, qq, x, y, width, 0, 0);
}

void slide_in_panel(Tween& tween, int x0, int y0, int x1, int y1) {
  tween.set_mode(3);
  tween.set_speed(4);
  tween.set_move(x0, y0, x1, y1);
}

BounceMotion tab_hop(float rest_y) {
  BounceMotion b;
  b.rest.y = b.current.y = rest_y;
  b.bounce_speed = 3.0f;
  b.gravity = 0.5f;
  b.direction = 1;
  return b;
}

int step_tab_hop(BounceMotion& hop) {
  if (step_bounce(&hop)) hop.started = 0;
  return int(hop.current.y);
}

void reset_tab_bounce() { menu_tab_bounce = tab_hop(4.0f); }

int step_tab_bounce() { return step_tab_hop(menu_tab_bounce); }

void set_menu_camera(float px, float py, float pz, float ax, float ay, float az, float distance) {
  field_camera.set_mode(1);
  field_camera.set_point_interp(1);
  field_camera.set_angle_interp(1);
  field_camera.set_dist_interp(1);
  field_camera.set_eye_mode(1);
  field_camera.set_point(px, py, pz);
  field_camera.set_angles(ax, ay, az);
  field_camera.set_look_distance(distance);
  field_camera.set_distance(distance);
}

void show_menu_model(std::uint16_t act, int x, int y) {
  if (menu_model.act != act || menu_model.qq != 0) {
    menu_model = ActInstance{};
    menu_model.act = act;
  }
  Take_3dActData(&menu_model);
  if (menu_model.kind == 2) {
    draw_act_instance(&menu_model, x, y, 0);
  } else if (menu_model.kind == 0 && menu_model.resource != 0) {
    renderer.set_no_cull(1);
    draw_act_model(&menu_model, 0, 0, 0, 0, 0, 0, 1, 1, 1, menu_model.color, menu_model.draw_flags);
    renderer.set_no_cull(0);
  }
}

void draw_member_portrait(int slot, int x, int y) {
  draw_fresh_act(portrait_act, std::uint16_t(slot), x, y, 0);
  if (gmRoleData[slot].flags & 1) draw_fresh_act(portrait_act, std::uint16_t(slot), x, y, knocked_out_overlay);
}

void draw_status_card(int slot, int x, int y) {
  if (slot < 0 || slot >= 3) return;
  const RoleData& r = gmRoleData[slot];
  draw_act(status_card_act, 0, x, y, 0);
  draw_member_portrait(slot, x + 55, y + 130);
  char text[32];
  draw_text_at(font_16, x + 120, y + 10, r.name, text_colours[card_name_colour], GLYPH_BOLD_SHADOW);
  std::snprintf(text, sizeof text, "%2d\xaf\xc5", int(r.stats[stat_level]));  // 級
  draw_text_at(font_16, x + 210, y + 10, text, text_colours[card_text_colour], GLYPH_BOLD_SHADOW);
  draw_card_gauge(0, x, y, r.hp, r.max_hp);
  draw_card_gauge(1, x, y, r.mp, r.max_mp);
  draw_card_gauge(2, x, y, r.sp, r.max_sp);
  draw_text_at(font_12, x + 130, y + 102, next_level_text, text_colours[card_text_colour], GLYPH_PLAIN);
  std::snprintf(text, sizeof text, "%8d", r.next_exp - r.exp);
  draw_text_at(font_12, x + 190, y + 118, text, text_colours[card_text_colour], GLYPH_PLAIN);
}

void draw_money_panel(int x, int y) {
  font_16.set_advance(16);
  font_16.set_shadow_color(text_colours[money_colour]);
  const int values[4] = {party_money, party_metal, party_wood, party_coal};
  char text[16];
  for (int i = 0; i < 4; ++i) {
    std::snprintf(text, sizeof text, "%6d", values[i]);
    draw_text_at(font_16, x, y + 20 * i, text, text_colours[money_colour], GLYPH_PLAIN);
    draw_text_at(font_16, x - 1, y + 20 * i, text, text_colours[money_colour], GLYPH_PLAIN);
  }
  font_16.set_shadow_color(0);
  font_16.set_advance(18);
}

void draw_menu_system() {
  if (GameMode != mode_menu) return;
  field_camera.update();
  field_camera.apply_view();
  draw_fresh_act(menu_background_act, menu_target_mode ? menu_target_background : std::uint16_t(menu_bg_frame - 1), 0,
                 0, 0);
  if (!menu_target_mode) {
    draw_page_bar();
    draw_money_panel(32, 48);
    draw_menu_footer(34, 478);
    draw_act(close_button_act, std::uint16_t(menu_close_frame), 610, 0, 0);
  }
  draw_page();
  menu_effects().update(frame_elapsed_ms);
  menu_effects().draw();
  show_talkmsg();
  show_button();
  if (test_flag(flag_talk_countdown)) talk_timer_minutes(520, 5);
  cursor_act.act = cursor_act_number;
  cursor_act.qq = menu_cursor_qq;
  draw_mouse_cursor();
  draw_debug_info();
  renderer.present();
  g3d_faces_drawn = 0;
  field_frame_time_prev = field_frame_time_now;
  field_frame_time_now = game_clock;
}
