// The field controller: the player's input each field frame, in a fixed order of steps; a step
// that returns true ends the frame's input.
#include "field/field_controller.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "battle/fame.h"
#include "battle/fight.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/game_state_words.h"
#include "core/grp_input.h"
#include "core/log.h"
#include "core/random_r250.h"
#include "core/user_cfg.h"
#include "data/encounters.h"
#include "data/map_role.h"
#include "data/maps_lookups.h"
#include "field/edit_mode.h"
#include "field/field_camera_state.h"
#include "field/field_input_rules.h"
#include "field/map_file.h"
#include "field/map_effects.h"
#include "field/role_pick.h"
#include "field/map_notes.h"
#include "field/minimap.h"
#include "field/role_move.h"
#include "field/role_talk_start.h"
#include "field/role_walk.h"
#include "field/talk_view.h"
#include "g3d/ground_math.h"
#include "g3d/geometry.h"
#include "g3d/renderer.h"
#include "g3d/view_zoom.h"
#include "script/talk_queue.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/summon/summon.h"
#include "ui/talk_msg.h"

int encounter_step_count = 0;
int debug_picked_role = -1;
int talk_partner_index = -1;
int idle_cursor_frames = 0;
std::uint32_t idle_timer = 1000;
int keep_direction_word = 0;
int camera_follow_role = -1;

namespace {
constexpr int screen_centre_x = 320, screen_centre_y = 240;
constexpr int idle_cursor_limit = 600;
constexpr std::uint32_t idle_playing = 0x80000000, idle_count_mask = 0x0FFFFFFF;
constexpr std::uint32_t idle_reset = 1000, idle_after_anim = 200;
constexpr std::uint16_t idle_qqs[] = {94, 98, 99, 128, 160};
constexpr std::uint16_t cursor_act_plain = 9001, cursor_act_menu = 9003;
constexpr std::uint16_t cursor_examine = 8, cursor_busy = 9, cursor_talk = 10, cursor_rotate = 11,
                        cursor_minimap = 12, cursor_menu = 8;
constexpr std::uint16_t qq_stand = 0, qq_walk = 8, qq_run = 16;
constexpr float speed_walk = leader_walk_speed, speed_run = 14.0f, speed_outdoor = 8.0f, speed_riding = 16.0f,
                speed_developer = 30.0f;
constexpr float view_far_step = 200.0f;
constexpr float camera_key_turn = 2.0f;
constexpr float space_probe = 50.0f, space_reach = 100.0f;
constexpr int menu_icon_max = 60;
constexpr int menu_icon_left = 570, menu_icon_right = 639, menu_icon_top = 2, menu_icon_bottom = 49;
constexpr int edge_turn_left = 10, edge_turn_right = 630;
constexpr std::uint32_t state_not_pickable = 0x200;
constexpr std::uint32_t state_pickable = 0x400 | 0x800 | 0x2000 | 0x4000;
constexpr std::uint32_t state_under_mouse = 0x2000000;
constexpr std::uint32_t state_animated = 0x20;
constexpr std::uint32_t map_no_camera_turn = 0x20;
constexpr float fixed_eye_rise = 1400.0f;
constexpr std::uint32_t treasure_time_event = 3;
constexpr std::uint32_t treasure_seconds = 1800;

int mouse_copy[2] = {-1, -1};
bool minimap_dragging = false;
int drag_start[2] = {};
bool camera_rotating = false;
int rotate_start[2] = {};
int zoom_direction = 0;

int mouse_x() { return grp_input.mouse_x(); }
int mouse_y() { return grp_input.mouse_y(); }
bool pressed(KeyCode k) { return grp_input.key_press(k) != 0; }
bool down(KeyCode k) { return grp_input.key_down(k) != 0; }

float wrap_degrees(float a) {
  a = std::fmod(a, 360.0f);
  return a < 0.0f ? a + 360.0f : a;
}

void set_speeds(float v) { run_mode.set_speeds(v); }
void set_run(bool on) {
  run_mode.flags[0] = run_mode.flags[1] = on ? 1 : 0;
  set_speeds(on ? speed_run : speed_walk);
}

void set_role_qq(MapRole& r, std::uint16_t qq) {
  if (r.anim.qq == qq) return;
  r.anim.qq = qq;
  r.anim.state |= act_state_restart;
}

void set_camera_yaw(float yaw) {
  float gx = 0, gy = 0, gz = 0;
  field_camera.get_angles(&gx, &gy, &gz, nullptr, nullptr, nullptr);
  field_camera.set_angles(gx, wrap_degrees(yaw), gz);
}
float camera_yaw() {
  float gy = 0;
  field_camera.get_angles(nullptr, &gy, nullptr, nullptr, nullptr, nullptr);
  return gy;
}

bool in_box(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x <= right && y >= top && y <= bottom;
}

// Step 1 and 2: the far distance and the message boxes' switch.
void view_keys() {
  if (grp_input.key_repeat_fast('k')) view_far += view_far_step;
  // The far plane never comes down to the near one.
  if (grp_input.key_repeat_fast('j') && view_far - view_far_step > view_near + 1.0f) view_far -= view_far_step;
  if (pressed(key_rshift) && pressed(key_escape)) {
    if (test_flag(flag_talk_boxes_hidden))
      clear_flag(flag_talk_boxes_hidden);
    else
      set_flag(flag_talk_boxes_hidden);
  }
}

// Step 6.
void idle_cursor() {
  ++idle_cursor_frames;
  if (idle_cursor_frames >= idle_cursor_limit) mouse_idle = 1;
  if (mouse_x() != mouse_copy[0] || mouse_y() != mouse_copy[1]) {
    key_nav_mode = 0;
    mouse_idle = 0;
    mouse_copy[0] = mouse_x();
    mouse_copy[1] = mouse_y();
    idle_cursor_frames = 0;
  }
}

bool pick_role(const MapRole& r, float* depth) {
  return pick_role_box(r, float(mouse_x()), float(mouse_y()), true, depth);
}

// Step 7: the role under the mouse and the cursor it shows.
void hover(const MapRole& p) {
  debug_picked_role = -1;
  float best = 1.0f;
  cursor_act.act = cursor_act_plain;
  cursor_act.qq = std::uint16_t(cursor_sector_qq(get_screen_angle(mouse_x(), mouse_y(), screen_centre_x, screen_centre_y)));
  const bool developer = test_flag(flag_debug_overlay) != 0;
  for (int i = 0; i < gmMapRoleCount; ++i) {
    MapRole& r = gmMapRole[i];
    r.STATE &= ~state_under_mouse;
    if (r.RoleID == 0 || r.RoleID >= 0xFF00 || &r == &p || !(r.STATE & state_pickable)) continue;
    if (!developer && (r.STATE & (state_off_map | state_not_pickable))) continue;
    float depth = 0;
    if (!pick_role(r, &depth) || r.TALK == 0 || depth > best) continue;
    best = depth;
    debug_picked_role = i;
    cursor_act.qq = (r.STATE & state_talks_at_once) ? cursor_examine : cursor_talk;
  }
  if (debug_picked_role < 0) return;
  MapRole& r = gmMapRole[debug_picked_role];
  idle_cursor_frames = 0;
  if ((r.STATE & state_touch_talk) && !(r.STATE & state_talks_at_once)) cursor_act.qq = 0;
  r.STATE |= state_under_mouse;
}

// The minimap's display: opaque, translucent, hidden, and round again.
void cycle_minimap() {
  std::uint32_t& mode = game_state_words[state_word_minimap_mode];
  if (!test_flag(flag_minimap_hidden)) {
    if (minimap.IsTranslucent() == 0) {
      mode = 1;
      minimap.set_translucent(1);
      minimap.set_alpha(5);
    } else {
      mode = 2;
      set_flag(flag_minimap_hidden);
    }
    return;
  }
  if (minimap.IsTranslucent() == 1) {
    minimap.set_translucent(0);
    minimap.set_alpha(0);
  }
  mode = 0;
  clear_flag(flag_minimap_hidden);
}

// Step 11: true while the mouse works the minimap.
bool minimap_input() {
  if (!(map_record.map_flags & map_has_minimap) || test_flag(flag_minimap_hidden)) return false;
  if (in_box(mouse_x(), mouse_y(), minimap.left(), minimap.top(), minimap.right(), minimap.bottom())) {
    cursor_act.qq = cursor_minimap;
    if (grp_input.key_double_press(key_mouse1)) {
      cycle_minimap();
      return true;
    }
    if (pressed(key_mouse1)) {
      minimap_dragging = true;
      drag_start[0] = mouse_x();
      drag_start[1] = mouse_y();
    }
  }
  if (!minimap_dragging) return false;
  cursor_act.qq = cursor_minimap;
  if (!down(key_mouse1)) {
    minimap_dragging = false;
    return true;
  }
  const int dx = mouse_x() - drag_start[0], dy = mouse_y() - drag_start[1];
  minimap.SetRect(minimap.left() + dx, minimap.top() + dy, minimap.right() + dx, minimap.bottom() + dy);
  drag_start[0] = mouse_x();
  drag_start[1] = mouse_y();
  return true;
}

// Step 12, the press: the menu icon or a role to talk to; true when the frame's input ends.
bool left_press(MapRole& p) {
  if (in_box(mouse_x(), mouse_y(), menu_icon_left, menu_icon_top, menu_icon_right, menu_icon_bottom)) {
    if (!role_bounds.on) {
      idle_cursor_frames = 0;
      SFLB_call_menu_system(MODE_ENTER, 0, 0);
    }
    return true;
  }
  int picked = -1;
  bool too_far = false;
  float best = 1.0f;
  for (int i = 0; i < gmMapRoleCount; ++i) {
    const MapRole& r = gmMapRole[i];
    if (r.RoleID == 0 || r.RoleID >= 0xFF00 || &r == &p || (r.STATE & state_off_map) || !(r.STATE & state_pickable) ||
        r.TALK == 0)
      continue;
    float depth = 0;
    if (!pick_role(r, &depth) || depth > best) continue;
    best = depth;
    if (!(r.STATE & state_never_clicked)) picked = i;
    too_far = role_too_far(p, r);
  }
  if (picked < 0) return false;
  if (!too_far) start_role_talk(p, picked, true);
  return true;
}

// Step 12, the held button: the leader walks toward the mouse.
void left_held(MapRole& p, bool* walking) {
  const float heading = field_camera.get_mode() == camera_mode_outside_eye
                            ? field_camera.heading_to(p.X, p.Y, p.Z)
                            : field_camera_state.current_angles[1];
  p.DIR = std::fmod(get_screen_angle(mouse_x(), mouse_y(), screen_centre_x, screen_centre_y) + heading, 360.0f);
  *walking = true;
  mouse_idle = 0;
  idle_cursor_frames = 0;
}

// Step 13.
void camera_rotation() {
  if (map_record.map_flags & map_no_camera_turn) return;
  if (user_options[option_camera_rotation] == 1) {
    if (mouse_x() < edge_turn_left) set_camera_yaw(camera_yaw() + camera_key_turn);
    if (mouse_x() > edge_turn_right) set_camera_yaw(camera_yaw() - camera_key_turn);
    return;
  }
  if (pressed(key_mouse2)) {
    mouse_idle = 0;
    idle_cursor_frames = 0;
    camera_rotating = true;
    field_camera.set_angle_interp(camera_snap);
    rotate_start[0] = mouse_x();
    rotate_start[1] = mouse_y();
  }
  if (!camera_rotating) return;
  if (down(key_mouse2)) {
    if (field_camera.get_mode() != camera_mode_outside_eye) {
      set_camera_yaw(camera_yaw() - float(mouse_x() - rotate_start[0]) / 2.0f);
      grp_input.set_mouse_pos(rotate_start[0], rotate_start[1]);
    }
    cursor_act.qq = cursor_rotate;
  } else if (field_camera.angles_arrived()) {
    camera_rotating = false;
    field_camera.set_angle_interp(field_view_saved.angle_interp);
  }
}

// Step 14: the developer overlay's camera keys.
void developer_keys(MapRole& p) {
  if (!test_flag(flag_debug_overlay)) return;
  auto both_distances = [](float step) {
    float look = 0, dist = 0;
    field_camera.get_look_distance(&look, nullptr);
    field_camera.get_distance(&dist, nullptr);
    field_camera.set_look_distance(std::clamp(look + step, 50.0f, 5500.0f));
    field_camera.set_distance(std::clamp(dist + step, 50.0f, 5500.0f));
  };
  if (grp_input.key_repeat_fast(key_home)) both_distances(50.0f);
  if (grp_input.key_repeat_fast(key_end)) both_distances(-50.0f);
  const float rise = pressed(key_page_up) ? 10.0f : pressed(key_page_down) ? -10.0f : 0.0f;
  p.Y += rise;
  field_camera_state.target_point[1] += rise;
  if (pressed(key_joy_button1 + 3)) {
    float look = 0;
    field_camera.get_look_distance(&look, nullptr);
    if (look >= 1750.0f) zoom_direction = -1;
    if (look <= 250.0f) zoom_direction = 1;
    if (zoom_direction == 0) zoom_direction = 1;
    field_camera.set_look_distance(look + 250.0f * float(zoom_direction));
  }
  if (pressed('z')) field_camera.set_mode(camera_mode_outside_eye);
  if (pressed('x')) {
    field_camera.set_mode(camera_mode_orbit);
    field_camera.set_point_interp(camera_proportional);
    field_camera.set_angle_interp(camera_snap);
    field_camera.set_eye_mode(camera_eye_glides);
    field_camera.set_point_divisor(3.0f);
    field_camera.set_eye_speed(50.0f);
  }
}

// Step 15: true when the keys turned the camera this frame.
bool keyboard_camera_turn(MapRole& p) {
  const bool modifier = down(key_lshift) || down(key_rshift) || down(key_joy_button1 + 2) ||
                        down(key_joy_button1 + 4) || down(key_joy_button1 + 5);
  if (!modifier) return false;
  bool turned = false;
  if (test_flag(flag_debug_overlay)) {
    float pitch = 0;
    field_camera.get_angles(&pitch, nullptr, nullptr, nullptr, nullptr, nullptr);
    const float yaw = camera_yaw();
    if (down(key_up) || down(key_joy_up)) {
      field_camera.set_angles(std::min(pitch + 2.0f, 90.0f), yaw, 0);
      turned = true;
    }
    if (down(key_down) || down(key_joy_down)) {
      field_camera.set_angles(std::max(pitch - 2.0f, 0.0f), yaw, 0);
      turned = true;
    }
  }
  if (!(map_record.map_flags & map_no_camera_turn)) {
    float turn = 0;
    if (down(key_left) || down(key_joy_left) || down(key_joy_button1 + 4)) turn += camera_key_turn;
    if (down(key_right) || down(key_joy_right) || down(key_joy_button1 + 5)) turn -= camera_key_turn;
    if (turn != 0.0f) {
      set_camera_yaw(camera_yaw() + turn);
      p.anim.qq = qq_stand;
      Take_3dActData(&p.anim);
      turned = true;
    }
  }
  return turned;
}

void start_battle(std::uint16_t battle) {
  SFLB_Call_Fight(battle);
  encounter_step_count = 0;
}

// Step 16: Ctrl+F forces an encounter.
bool forced_encounter(MapRole& p) {
  if (!(down(key_lctrl) || down(key_rctrl)) || !pressed('f')) return false;
  const std::uint16_t battle = roll_encounter(&p, encounter_step_count, 1);
  if (battle == 0) return false;
  start_battle(battle);
  return true;
}

// Step 17: the walking keys and the q/e/Tab camera keys.
void walk_keys(MapRole& p, bool* walking) {
  if (pressed(key_tab)) set_camera_yaw(0.0f);
  bool turned = false;
  if (!(map_record.map_flags & map_no_camera_turn)) {
    if (down('q')) set_camera_yaw(camera_yaw() - camera_key_turn), turned = true;
    if (down('e')) set_camera_yaw(camera_yaw() + camera_key_turn), turned = true;
  }
  for (KeyCode k : {key_up, key_down, key_left, key_right})
    if (grp_input.key_double_press(k)) set_run(true);
  const float heading = field_camera.heading_to(p.X, p.Y, p.Z);
  field_camera_state.current_angles[1] = heading;
  WalkKeys keys;
  keys.up = down(key_up), keys.down = down(key_down), keys.left = down(key_left), keys.right = down(key_right);
  keys.joy_up = down(key_joy_up), keys.joy_down = down(key_joy_down);
  keys.joy_left = down(key_joy_left), keys.joy_right = down(key_joy_right);
  float angle = 0;
  if (walk_key_angle(keys, &angle)) {
    p.DIR = std::fmod(heading + angle, 360.0f);
    *walking = true;
  }
  if (turned) {
    G3dVector eye{};
    field_camera.apply_goal_view(&eye);
  }
}

// Step 18.10.
bool roll_battle(MapRole& p) {
  if (test_flag(flag_no_random_battles)) return false;
  const std::uint16_t battle = roll_encounter(&p, encounter_step_count, 0);
  if (battle != 0 && check_maps_nofight(map_record.map_number) == 0) {
    if (test_flag(flag_battle_sequence) && game_state_words[state_word_battles_left] == 0) return true;
    log_trace("Start Call Fight:%d", battle);
    start_battle(battle);
    log_trace("End Call Fight:%d", battle);
  }
  if (map_record.encounter_set == 0) encounter_step_count = 0;
  return false;
}

// Step 18: one walking frame; true when the frame's input ends.
bool walk(MapRole& p) {
  menu_icon_offset = std::int16_t(std::min(menu_icon_offset + 1, menu_icon_max));
  idle_timer = idle_reset;
  restart_menu_icon();
  std::uint16_t qq = run_mode.on() ? qq_run : qq_walk;
  p.STATE &= ~state_animated;
  set_speeds(run_mode.on() ? speed_run : speed_walk);
  if (map_record.map_flags & map_outdoor) {
    run_mode.flags[0] = run_mode.flags[1] = 0;
    qq = qq_run;
    set_speeds(speed_outdoor);
  }
  if (test_flag(flag_speed_up)) set_speeds(speed_developer);
  set_role_qq(p, qq);
  if (party_riding) set_speeds(speed_riding);
  if (keep_direction_word == 1) p.DIR = p.kept_dir;
  float dx = 0, dz = 0;
  walk_step(p.DIR, run_mode.speeds[0], run_mode.speeds[1], &dx, &dz);
  ++encounter_step_count;
  int res = walk_role(&p, dx, 0, dz);
  if (res == -2) res = walk_role(&p, dx, 0, 0);  // slide along the wall
  if (res == -2) res = walk_role(&p, 0, 0, dz);
  if (res == -2) {
    Take_3dActData(&p.anim);
    --encounter_step_count;
  }
  if (res >= 0 && (gmMapRole[res].STATE & state_touch_talk) && !(gmMapRole[res].STATE & state_off_map)) {
    add_talks_proc(&gmMapRole[res]);
    return true;
  }
  if (map_record.map_flags & map_eye_follows_height) {
    // The map's one fixed eye point rises with the walker: a talk's end puts the eye back on it.
    field_camera.get_eye(&map_record.fixed_eye);
    map_record.fixed_eye.y = p.Y + fixed_eye_rise;
    field_camera.set_eye(map_record.fixed_eye);
  }
  float* look = field_camera_state.target_point;
  look[0] = p.X, look[1] = p.Y + 100.0f, look[2] = p.Z;
  if (check_map_notes(&p) != 0) return true;
  if (test_flag(flag_switch_8) || test_flag(flag_rain))
    for (DriftEmitter* e : weather_emitters)
      if (e) e->set_center(p.X, p.Z);
  return roll_battle(p);
}

// Step 19: standing still, with the idle animations.
void stand(MapRole& p) {
  if (in_box(mouse_x(), mouse_y(), menu_icon_left, menu_icon_top, menu_icon_right, menu_icon_bottom)) {
    cursor_act.act = cursor_act_menu;
    cursor_act.qq = cursor_menu;
  }
  menu_icon_offset = std::int16_t(std::max(menu_icon_offset - 1, 0));
  keep_direction_word = 0;
  p.STATE &= ~state_push_armed;
  if (party_riding) {
    p.anim.qq = qq_stand;
  } else if ((idle_timer & idle_playing) && (p.anim.state & act_state_finished)) {
    idle_timer = idle_after_anim;
  } else if (!(idle_timer & idle_playing)) {
    --idle_timer;
    if ((idle_timer & idle_count_mask) == 0) {
      idle_timer = idle_playing;
      set_role_qq(p, idle_qqs[rand_below(std::size(idle_qqs))]);
    } else {
      set_role_qq(p, qq_stand);
    }
  }
  Take_3dActData(&p.anim);
  if (!run_mode.flags[1]) set_run(false);
}

// Step 20: Space talks to the first role in front of the leader or close by.
bool space_talk(MapRole& p) {
  if (!pressed(key_space) && !pressed(key_joy_button1)) return false;
  float dx = 0, dz = 0;
  walk_step(p.DIR, space_probe, space_probe, &dx, &dz);
  for (int i = 0; i < gmMapRoleCount; ++i) {
    const MapRole& r = gmMapRole[i];
    if (&r == &p || (r.STATE & (state_off_map | state_not_searched | state_never_clicked)) || r.TALK == 0) continue;
    const float ex = r.X - p.X, ey = r.Y - p.Y, ez = r.Z - p.Z;
    if (!test_role_overlap(&p, dx, 0, dz, &r) && std::sqrt(ex * ex + ey * ey + ez * ez) > space_reach) continue;
    start_role_talk(p, i, false);
    return true;
  }
  return false;
}

// Step 21.
void menu_key(const MapRole& p) {
  if ((pressed(key_enter) || pressed(key_joy_button1)) && !(p.STATE & state_held) && !role_bounds.on) {
    idle_cursor_frames = 0;
    SFLB_call_menu_system(MODE_ENTER, 0, 0);
  }
}

// Step 22: runs in a frame whose keys turned the camera too.
void play_time() {
  if (game_state_words[state_word_play_seconds] >= treasure_seconds) {
    game_state_words[state_word_play_seconds] = 0;
    treasure_event(treasure_time_event, int(treasure_seconds), 0);
  }
}
}  // namespace

void reset_field_controller() {
  encounter_step_count = 0;
  debug_picked_role = talk_partner_index = camera_follow_role = -1;
  idle_cursor_frames = 0;
  idle_timer = idle_reset;
  keep_direction_word = 0;
  mouse_copy[0] = mouse_copy[1] = -1;
  minimap_dragging = camera_rotating = false;
  drag_start[0] = drag_start[1] = rotate_start[0] = rotate_start[1] = 0;
  zoom_direction = 0;
  menu_icon_offset = 0;
  run_mode = RunMode{};
}

void run_field() {
  if (player_role_index < 0 || player_role_index >= gmMapRoleCount) return;
  MapRole& p = gmMapRole[player_role_index];
  view_keys();
  if (test_flag(flag_edit_mode)) {
    cursor_act.qq = cursor_busy;
    field_edit_mode();
    return;
  }
  input_summon();
  if (test_flag(flag_input_captured) || tick_input_wait() == 0) return;
  if (p.STATE & state_held) {
    cursor_act.qq = cursor_busy;
    return;
  }
  idle_cursor();
  hover(p);
  if (grp_input.key_double_press(key_mouse1)) set_run(true);
  if (pressed('m')) cycle_minimap();
  if (pressed('r')) set_run(!run_mode.on());
  if (minimap_input()) return;
  bool walking = false;
  if (pressed(key_mouse1)) {
    if (left_press(p)) return;
  } else if (down(key_mouse1)) {
    left_held(p, &walking);
  }
  camera_rotation();
  developer_keys(p);
  const bool turned = keyboard_camera_turn(p);
  if (forced_encounter(p)) return;
  if (!turned) {
    walk_keys(p, &walking);
    if (walking) {
      if (walk(p)) return;
    } else {
      stand(p);
    }
    if (space_talk(p)) return;
    menu_key(p);
  }
  play_time();
}
