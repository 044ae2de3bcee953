// The overview of the base camp.
#include "base/base_overview.h"

#include <cstdio>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_scene.h"
#include "base/base_top_menu.h"
#include "base/exiles.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/houses_screen.h"
#include "base/resources.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/party.h"
#include "g3d/geometry.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/text_draw.h"

namespace {

void apply_angles() { base_camera.set_angles(base_view.pitch, base_view.yaw, base_view.roll); }

void turn(float delta) {
  base_view.yaw = turn_base_yaw(base_view.yaw, delta);
  apply_angles();
}

// Picking: the record's model box under the mouse through its model matrix.
void pick_in(const HouseList& list, bool is_landmark, float* depth, HouseRecord** best, bool* landmark) {
  for (const auto& h : list) {
    G3dMatrix m;
    house_model_matrix(h.get(), &m);
    float d = 1.0f;
    if (!g3d_pick_box(float(mouse_x), float(mouse_y), &d, m, h->act.box)) continue;
    if (d < *depth) {
      *depth = d;
      *best = h.get();
      *landmark = is_landmark;
    }
  }
}

void begin_leaving() {
  top_menu_cursor = page_leave;
  if (exile_count()) {
    base_sub_mode = base_leave_confirm;
    leave_choice = 1;
    play_sfx(sfx_base_open, 0);
    return;
  }
  play_sfx(sfx_base_leave, 0);
  leave_base_camp();
}

void pick_click() {
  bool landmark = false;
  HouseRecord* h = pick_base_record(&landmark);
  if (!h) return;
  if (!landmark) {
    picked_house_id = h->id;
    if (is_dwelling_kind(h->kind)) {
      play_sfx(sfx_base_refused, 0);
      return;
    }
    top_menu_cursor = page_houses;
    open_houses_on(h->id);
    page_entry_view = base_view;
    base_camera.set_point_interp(1);
    base_camera.set_dist_interp(1);
    play_sfx(sfx_base_switch, 0);
    return;
  }
  if (h->kind == 4 || h->kind == 5) {
    queue_base_talk(h->kind == 4 ? cottage_talk : palace_talk);
    play_sfx(sfx_base_switch, 0);
    // The menu closes only when it opened the base; the developer key's base returns alone.
    const bool from_menu = SavedGameMode == mode_menu;
    leave_base_camp();
    if (from_menu) SFLB_call_menu_system(MODE_LEAVE, 0, 0);
    return;
  }
  play_sfx(sfx_base_refused, 0);
}

void developer_keys() {
  if (grp_input.key_down(key_up)) base_view.pitch = std::min(45.0f, base_view.pitch + 0.5f);
  if (grp_input.key_down(key_down)) base_view.pitch = std::max(10.0f, base_view.pitch - 0.5f);
  if (grp_input.key_down(key_page_up)) base_view.look_distance += 50, base_view.distance += 50;
  if (grp_input.key_down(key_page_down)) base_view.look_distance -= 50, base_view.distance -= 50;
  if (grp_input.key_down(key_home)) base_view.y += 10;
  if (grp_input.key_down(key_end)) base_view.y -= 10;
  if (grp_input.key_down(KeyCode(key_9))) base_view.x += 10;
  if (grp_input.key_down(KeyCode(key_8))) base_view.x -= 10;
  if (grp_input.key_press(KeyCode(key_x))) {
    party_money += 1000;
    party_wood += 100, party_metal += 100, party_coal += 100;
    play_sfx(sfx_base_money, 0);
  }
  if (grp_input.key_press(KeyCode(key_c))) {
    for (int f = flag_tutorial_overview; f <= flag_tutorial_built; ++f) set_flag(f);
    play_sfx(sfx_base_open, 0);
  }
  if (grp_input.key_press(KeyCode(key_v))) base_debug_text = !base_debug_text;
  if (grp_input.key_press(KeyCode(key_s))) base_collision_wire = !base_collision_wire;
  if (grp_input.key_press(KeyCode(key_d))) {
    if (base_view.look_distance != base_home_view.look_distance) {
      base_view.pitch = base_home_view.pitch, base_view.roll = base_home_view.roll;
      base_view.look_distance = base_home_view.look_distance, base_view.distance = base_home_view.distance;
    } else {
      base_view.pitch = 35, base_view.roll = 0, base_view.look_distance = base_view.distance = 12000.0f;
    }
  }
  set_base_camera(base_view);
}

}  // namespace

HouseRecord* pick_base_record(bool* landmark) {
  float depth = 1.0f;
  HouseRecord* best = nullptr;
  *landmark = false;
  pick_in(house_list, false, &depth, &best, landmark);
  pick_in(landmark_list, true, &depth, &best, landmark);
  return best;
}

void input_base_overview() {
  start_base_tutorial(flag_tutorial_overview);
  if (grp_input.key_press(key_escape) || grp_input.key_press(KeyCode(key_q)) || grp_input.key_press(key_lctrl) ||
      grp_input.key_press(key_rctrl)) {
    begin_leaving();
    return;
  }
  if (grp_input.key_press(key_mouse2)) {
    dragging = 1;
    drag_anchor[0] = mouse_x, drag_anchor[1] = mouse_y;
  }
  if (grp_input.key_down(key_mouse2) && dragging == 1) {
    cursor_act.qq = base_cursor_turn;
    if (mouse_x > drag_anchor[0]) {
      drag_anchor[0] = mouse_x, drag_anchor[1] = mouse_y;
      turn(-4.0f);
    } else if (mouse_x < drag_anchor[0]) {
      drag_anchor[0] = mouse_x, drag_anchor[1] = mouse_y;
      turn(4.0f);
    }
    return;
  }
  cursor_act.qq = base_cursor_busy;
  if (grp_input.key_press(key_mouse1)) {
    const int b = top_bar_button_at(mouse_x, mouse_y);
    if (b && b != top_menu_page) {
      open_top_menu();
      top_menu_page = b;
      select_top_menu_page(b);
      if (b != page_leave) {
        slide_panels_in();
        page_entry_view = base_view;
      }
    }
    pick_click();
    if (GameMode != mode_base_camp) return;
  }
  if (confirm_pressed()) {
    open_top_menu();
    play_sfx(sfx_base_open, 0);
  }
  const bool left = grp_input.key_down(key_left), right = grp_input.key_down(key_right);
  if (left || right) {
    if (left) turn(1.0f);
    if (right) turn(-1.0f);
    cursor_act.qq = base_cursor_turn;
    return;
  }
  if (test_flag(flag_developer_keys)) developer_keys();
}

void pick_base_tooltip() {
  bool landmark = false;
  const HouseRecord* h = pick_base_record(&landmark);
  if (!h) {
    hud_tooltip();
    return;
  }
  if (landmark) {
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s", landmark_name(h->kind));
  } else if (is_dwelling_kind(h->kind) || h->kind == house_formation) {
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s%s: %d/%d ", house_kind_name(h->kind),
                  house_label_text(h->label), h->resident_count, h->capacity);
  } else {
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s: %d/%d ", house_kind_name(h->kind), h->resident_count, h->capacity);
  }
  G3dVector origin{h->pos.x, h->pos.y, h->pos.z, 1}, screen{};
  g3d_project_point(&origin, &screen);
  const int dx = -70, dy = landmark ? -50 : -60;
  draw_text_at(base_font_16, int(screen.x) + dx, int(screen.y) + dy, base_tooltip, text_colours[landmark ? 24 : 0],
               GLYPH_BOLD_OUTLINE);
}
