// The world map screen: entering and leaving it, and its input, update and draw.
#include "field/world_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/party.h"
#include "field/debug_overlay.h"
#include "g3d/act_draw.h"
#include "g3d/renderer.h"
#include "script/talk_interpreter.h"
#include "script/talk_queue.h"
#include "ui/cursor.h"
#include "ui/screen_button.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

GameMapView game_map;

namespace {

// %%C9%s  %%C0是否進入？%%N          %%B是. / %%B否.%%Q
constexpr const char* ask_format =
    "%%C9%s  %%C0\xACO\xA7_\xB6i\xA4J\xA1H%%N          %%B\xACO. / %%B\xA7_.%%Q";
// 大地圖[%d]找不到位置
constexpr const char* no_place_message = "\xA4j\xA6""a\xB9\xCF[%d]\xA7\xE4\xA4\xA3\xA8\xEC\xA6\xEC\xB8m";

constexpr float fade_step = 20.0f;
constexpr float marker_speed = 5.0f;
constexpr int edge = 10, edge_scroll = 10;
constexpr int bob_period = 5, bob_top = 4;
constexpr int plate_rise = 8, special_plate_rise = 30;
constexpr std::uint16_t cursor_qq_map = 9, cursor_qq_drag = 8;
constexpr int ask_box[4] = {180, 150, 280, 90};
constexpr int ask_mouse[2] = {364, 210};

// The mouse point of the last frame, to tell a moving mouse.
int last_mouse_x = -1, last_mouse_y = -1;

const GameMapPlace* find_place(std::uint16_t flag) {
  for (const GameMapPlace* p = game_map_places(); p; p = p->next)
    if (p->flag == flag) return p;
  return nullptr;
}

void clamp_view() {
  game_map.scroll_x = std::clamp(game_map.scroll_x, game_map_scroll_min_x, 0);
  game_map.scroll_y = std::clamp(game_map.scroll_y, game_map_scroll_min_y, 0);
}

void scroll_view(int dx, int dy) {
  game_map.scroll_x += dx;
  game_map.scroll_y += dy;
  clamp_view();
}

void ask_to_enter() {
  const GameMapPlace* p = find_place(game_map.highlighted);
  if (!p) return;
  game_map.dragging = 0;
  game_map.chosen = *p;
  game_map.chosen.next = nullptr;
  set_tbutton_cancel(1);
  char text[160];
  std::snprintf(text, sizeof text, ask_format, p->name);
  add_txt_msg(ask_box[0], ask_box[1], ask_box[2], ask_box[3], 0, 0, text, 2);
  grp_input.set_mouse_pos(ask_mouse[0], ask_mouse[1]);
  game_map.step = game_map_asking;
}

// Step 4 of the input: the mouse drags the view, scrolls it at the screen's edges and points at
// places. A click on a place asks at once.
bool mouse_input() {
  if (grp_input.key_press(key_mouse1)) {
    game_map.dragging = 1;
    game_map.drag_x = mouse_x;
    game_map.drag_y = mouse_y;
    pick_game_map_place(mouse_x, mouse_y);
    return game_map.highlighted != 0;
  }
  if (game_map.dragging) {
    if (!grp_input.key_down(key_mouse1)) {
      game_map.dragging = 0;
      return false;
    }
    scroll_view(mouse_x - game_map.drag_x, mouse_y - game_map.drag_y);
    game_map.drag_x = mouse_x;
    game_map.drag_y = mouse_y;
    return false;
  }
  if (mouse_x < edge) scroll_view(edge_scroll, 0);
  if (mouse_x > 640 - edge) scroll_view(-edge_scroll, 0);
  if (mouse_y < edge) scroll_view(0, edge_scroll);
  if (mouse_y > 480 - edge) scroll_view(0, -edge_scroll);
  pick_game_map_place(mouse_x, mouse_y);
  return false;
}

void queue_place_talk() {
  gmTmpTalk = MapRole{};
  gmTmpTalk.RoleID = narrator_role;
  gmTmpTalk.TALK = game_map.chosen.talk;
  add_talks_proc(&gmTmpTalk);
}

void update_choice() {
  int button = 0;
  if (!get_tbutton(&button)) return;
  if (button != 0) {
    game_map.step = game_map_choosing;
    return;
  }
  game_map_place = game_map.highlighted;
  game_map.step = game_map_walking;
  game_map.target_x = game_map.chosen.x + game_map.chosen.width / 2;
  game_map.target_y = game_map.chosen.y + game_map.chosen.height / 2;
  game_map.chosen.x = game_map.target_x;
  game_map.chosen.y = game_map.target_y;
  if (game_map.spend) del_item(&party_bag, travel_item, 1);
}

void update_walk() {
  const float dx = float(game_map.target_x - game_map.marker_x);
  const float dy = float(game_map.target_y - game_map.marker_y);
  const float d = std::sqrt(dx * dx + dy * dy);
  if (d <= marker_speed) {
    game_map.step = game_map_fading;
    start_fade(0, 255, 0, 0, 0, fade_step);
    return;
  }
  // Steps are truncated to whole units, so the marker stops within 5 of the target.
  game_map.marker_x += int(dx / d * marker_speed);
  game_map.marker_y += int(dy / d * marker_speed);
  centre_game_map_view(game_map.marker_x, game_map.marker_y);
}

void update_special_marker() {
  if (!game_map.special_shown || ++game_map.bob_frames % bob_period) return;
  game_map.bob += game_map.bob_dir;
  if (game_map.bob <= 0 || game_map.bob >= bob_top) game_map.bob_dir = -game_map.bob_dir;
}

void draw_place(GameMapPlace& p, int sx, int sy) {
  const bool current = p.flag == game_map_place;
  const bool lit = p.flag == game_map.highlighted;
  const int bob = p.flag == flag_special_place ? game_map.bob : 0;
  if ((current || lit) && Take_3dActData(&p.anim)) draw_act_instance(&p.anim, p.x + sx, p.y + sy - bob, 0);
  p.plate.act = std::uint16_t(p.anim.act + 1);
  p.plate.qq = std::uint16_t(p.anim.qq + (lit ? 7 : 0));
  const int rise = p.flag == flag_special_place ? special_plate_rise : plate_rise;
  if (Take_3dActData(&p.plate))
    draw_act_3d(&p.plate, float(p.x + sx), float(p.y + sy - rise), 0, 0, 0, 0, 0, 0, 0, p.plate.color,
                p.plate.draw_flags);
  if (current) draw_act(game_map_marker_act, 0, game_map.marker_x + sx, game_map.marker_y + sy, 0);
}

}  // namespace

void centre_game_map_view(int px, int py) {
  game_map.scroll_x = 320 - px;
  game_map.scroll_y = 240 - py;
  clamp_view();
}

void enter_game_map(std::uint16_t place) {
  if (place) game_map_place = place;
  game_map.highlighted = 0;
  if (const GameMapPlace* p = find_place(game_map_place)) {
    game_map.keyboard_mode = 1;
    game_map.highlighted = p->flag;
    game_map.highlight_x = p->x;
    game_map.highlight_y = p->y;
    centre_game_map_view(p->x, p->y);
    game_map.marker_x = p->x + p->width / 2;
    game_map.marker_y = p->y + p->height / 2;
  } else {
    // A saved place the table does not hold: the map opens with nothing highlighted.
    report_error(no_place_message, game_map_place);
  }
  game_map.special_shown = test_flag(flag_special_place) != 0;
  GameMode = mode_world_map;
  mouse_idle = 0;
  game_map.step = game_map_choosing;
  game_map.dragging = 0;
  game_map.bob = 0;
  game_map.bob_dir = 1;
  game_map.bob_frames = 0;
  last_mouse_x = mouse_x;
  last_mouse_y = mouse_y;
  add_game_map_clouds(game_map_cloud_act, 0);
  start_fade(255, 0, 0, 0, 0, fade_step);
}

int set_game_map_item_mode(int spend) {
  if (!test_flag(game_map_place)) return 0;
  game_map.item_mode = 1;
  game_map.spend = spend;
  return 1;
}

void leave_game_map() {
  free_game_map_clouds();
  game_map.item_mode = 0;
  GameMode = mode_field;
}

void input_game_map() {
  const bool moved = mouse_x != last_mouse_x || mouse_y != last_mouse_y;
  last_mouse_x = mouse_x;
  last_mouse_y = mouse_y;
  if (test_flag(flag_input_captured) || !tick_input_wait()) return;
  if (gmMapRole[player_role_index].STATE & state_held) return;
  if (moved) {
    mouse_idle = 0;
    game_map.keyboard_mode = 0;
  }
  if (game_map.step != game_map_choosing) return;
  bool confirm = !game_map.keyboard_mode && mouse_input();
  if (grp_input.key_repeat(key_right) || grp_input.key_repeat(key_up)) {
    game_map.keyboard_mode = 1;
    select_nearest_game_map_place(false);
  }
  if (grp_input.key_repeat(key_left) || grp_input.key_repeat(key_down)) {
    game_map.keyboard_mode = 1;
    select_nearest_game_map_place(true);
  }
  if (grp_input.key_press(key_enter) || grp_input.key_press(key_space)) confirm = true;
  if (confirm) {
    game_map.keyboard_mode = 1;
    ask_to_enter();
  }
  if (game_map.item_mode && (grp_input.key_press(key_rctrl) || grp_input.key_press(key_lctrl) ||
                             grp_input.key_press(key_escape)))
    leave_game_map();
}

void update_game_map() {
  if (game_map.step == game_map_asking) update_choice();
  else if (game_map.step == game_map_walking) update_walk();
  else if (game_map.step == game_map_fading && is_fade_done()) {
    game_map.step = game_map_choosing;
    queue_place_talk();
    leave_game_map();
  }
  update_special_marker();
  move_game_map_clouds();
  run_talk_queue();
}

void draw_game_map() {
  if (GameMode != mode_world_map) return;
  const int sx = game_map.scroll_x, sy = game_map.scroll_y;
  draw_act(game_map_picture_act, 0, sx, sy, 0);
  if (game_map.special_shown) draw_act(game_map_special_act, 0, sx + 320, sy + 100 - game_map.bob, 0);
  for (GameMapPlace* p = game_map_places_mutable(); p; p = p->next)
    if (test_flag(p->flag)) draw_place(*p, sx, sy);
  draw_game_map_clouds(sx, sy);
  draw_fade();
  show_talkmsg();
  show_button();
  draw_screen_dim();
  cursor_act.act = cursor_act_number;
  cursor_act.qq = game_map.dragging ? cursor_qq_drag : cursor_qq_map;
  draw_mouse_cursor();
  draw_debug_info();
  renderer.present();
}

void free_mark() {}
void free_game_map_buf() {}
