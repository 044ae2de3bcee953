// The developer keys of the frame tick.
#include "devtools/developer_keys.h"

#include <algorithm>

#include "base/base_camp.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "data/maprole_txt.h"
#include "devtools/dev_console.h"
#include "devtools/flag_editor.h"
#include "devtools/reload_dialog.h"
#include "devtools/role_edit_dialog.h"
#include "devtools/scene_snapshot.h"
#include "field/debug_overlay.h"
#include "field/edit_mode.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_path.h"
#include "field/scene_anim.h"
#include "script/talk_files.h"
#include "field/talk_view.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "ui/dialog_runner.h"
#include "ui/saves/save_load.h"
#include "ui/screen_button.h"
#include "ui/summon/summon.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

int minimap_zoom = 15;

namespace {

constexpr KeyCode key_f2 = key_f1 + 1, key_f3 = key_f1 + 2, key_f4 = key_f1 + 3, key_f5 = key_f1 + 4,
                  key_f6 = key_f1 + 5, key_f7 = key_f1 + 6, key_f9 = key_f1 + 8, key_f10 = key_f1 + 9;
constexpr int minimap_zoom_start = 15;
constexpr float speed_up_npc_step = 20.0f, speed_up_move = 60.0f;
constexpr unsigned speed_up_fps = 1000, normal_fps = 35;

const char dump_message[] = "\xBF\xE9\xA5X\xA7\xB9\xB2\xA6!!%Q";                // 輸出完畢!!%Q
const char speed_on_message[] = "\xB6}\xB1\xD2\xA5[\xB3t!!%Q";                  // 開啟加速!!%Q
const char speed_off_message[] = "\xA8\xFA\xAE\xF8\xA5[\xB3t!!%Q";              // 取消加速!!%Q
const char reloaded_message[] = "\xB9\xEF\xB8\xDC\xAD\xAB\xB8\xFC\xA7\xB9\xB2\xA6!!%Q";  // 對話重載完畢!!%Q
const char edit_on_message[] = "\xB1\xD2\xB0\xCA\xBDs\xBF\xE8\xBC\xD2\xA6\xA1!!%Q";     // 啟動編輯模式!!%Q
const char edit_off_message[] = "\xC3\xF6\xB3\xAC\xBDs\xBF\xE8\xBC\xD2\xA6\xA1!!%Q";    // 關閉編輯模式!!%Q
// 關閉地板碰撞和角色碰撞!!%Q / 開啟地板碰撞和角色碰撞!!%Q
const char collisions_off_message[] =
    "\xC3\xF6\xB3\xAC\xA6" "a\xAAO\xB8I\xBC\xB2\xA9M\xA8\xA4\xA6\xE2\xB8I\xBC\xB2!!%Q";
const char collisions_on_message[] = "\xB6}\xB1\xD2\xA6" "a\xAAO\xB8I\xBC\xB2\xA9M\xA8\xA4\xA6\xE2\xB8I\xBC\xB2!!%Q";
const char mark_message[] = "\xAC\xF6\xBF\xFD\xB9\xEF\xB8\xDC\xBC\xD0\xB0O\xC2I!!%Q";     // 紀錄對話標記點!!%Q
const char restore_message[] = "\xB8\xFC\xA4J\xB9\xEF\xB8\xDC\xBC\xD0\xB0O\xC2I!!%Q";    // 載入對話標記點!!%Q
// 標記點不在這個地圖!!%Q / 編輯備份不在這個地圖!!%Q: a copy is never put back on another map.
const char mark_elsewhere_message[] = "\xBC\xD0\xB0O\xC2I\xA4\xA3\xA6" "b\xB3o\xAD\xD3\xA6" "a\xB9\xCF!!%Q";
const char backup_elsewhere_message[] =
    "\xBDs\xBF\xE8\xB3\xC6\xA5\xF7\xA4\xA3\xA6" "b\xB3o\xAD\xD3\xA6" "a\xB9\xCF!!%Q";

// The digit keys' view switches.
struct DigitSwitch {
  KeyCode key;
  int flag;
};
constexpr DigitSwitch digit_switches[] = {
    {'1', flag_role_boxes},     {'2', flag_note_boxes}, {'3', flag_edit_point_box}, {'4', flag_collision_view},
    {'5', flag_wall_boxes},     {'6', flag_field_wireframe}, {'9', flag_switch_9},   {'8', flag_switch_8},
};

GrpInput& in() { return grp_input; }
bool pressed(KeyCode k) { return in().key_press(k) != 0; }
bool down(KeyCode k) { return in().key_down(k) != 0; }
bool ctrl_down() { return down(key_lctrl) || down(key_rctrl); }
bool shift_down() { return down(key_lshift) || down(key_rshift); }

void toggle_flag(int n) {
  if (test_flag(n))
    clear_flag(n);
  else
    set_flag(n);
}

void time_message(const char* text, std::uint32_t duration) { add_time_msg(320, 40, 0, duration, text, 2); }
void box_message(const char* text, std::uint32_t min_ms) { add_txt_msg(224, 176, 192, 64, min_ms, 100, text, 2); }

// The pass ends with the dialog open: the frame tick runs nothing else until it closes.
int end_pass_for_dialog() {
  if (!dialog_running()) return 0;
  tick_frame_timer();
  return 1;
}

// Step 1: F9, with Ctrl the console, alone the dumps.
void console_and_dump_key() {
  if (!pressed(key_f9)) return;
  if (ctrl_down()) {
    if (test_flag(flag_console_open))
      close_console();
    else
      open_console();
    return;
  }
  write_maprole_txt();
  dump_fame();
  time_message(dump_message, 300);
}

// Steps 3 to 5: the speed-up, the overlay and the quit.
void anywhere_keys() {
  if (pressed(key_f7)) {
    toggle_flag(flag_speed_up);
    const bool on = test_flag(flag_speed_up) != 0;
    talk_walk_speed = on ? speed_up_npc_step : talk_default_speed;
    run_mode.set_speeds(on ? speed_up_move : leader_walk_speed);
    set_frame_rate(on ? speed_up_fps : normal_fps);
    time_message(on ? speed_on_message : speed_off_message, 100);
  }
  if (pressed(key_f10)) toggle_flag(flag_debug_overlay);
  if (down('q') && shift_down()) quit_request = 1;
}

void reload_dialog_done(int code) {
  if (code == 0) restart_talk(reload_talk_number);
  clear_flag(flag_edit_mode);
  clear_flag(flag_collisions_off);
  clear_flag(flag_cursor_hidden);
}

// Step 12: F1 reloads the talk files; without Shift the reload dialog restarts a talk.
void reload_key() {
  if (!pressed(key_f1)) return;
  if (shift_down()) {
    box_message(reloaded_message, 10000);
    reload_story_data();
    restart_marked_talks();
    return;
  }
  reload_story_data();
  restart_marked_talks();
  run_dialog(IDD_RELOAD, reload_dialog_proc, reload_dialog_done);
}

void edit_mode_on() {
  box_message(edit_on_message, 50);
  set_flag(flag_edit_mode);
  set_flag(flag_collisions_off);
  clear_flag(flag_cursor_hidden);
  take_scene(edit_mode_backup.scene);
  std::copy(edit_point, edit_point + 3, edit_mode_backup.edit_point);
  edit_mode_backup.edited_role = edit_role_index;
  field_camera.set_mode(camera_mode_orbit);
  field_camera.set_point_interp(camera_snap);
  field_camera.set_angle_interp(camera_snap);
  field_camera.set_dist_interp(camera_snap);
  std::copy(field_camera_state.target_point, field_camera_state.target_point + 3, edit_point);
  edit_role_index = player_role_index;
}

void edit_mode_off() {
  box_message(edit_off_message, 50);
  clear_flag(flag_edit_mode);
  clear_flag(flag_collisions_off);
  clear_flag(flag_cursor_hidden);
  if (!restore_scene(edit_mode_backup.scene)) {
    time_message(backup_elsewhere_message, 200);
    return;
  }
  std::copy(edit_mode_backup.edit_point, edit_mode_backup.edit_point + 3, edit_point);
  edit_role_index = edit_mode_backup.edited_role;
  if (map_record.file_flags & map_file_fixed_eye) {
    field_camera.set_mode(camera_mode_outside_eye);
    field_camera.set_eye(map_record.fixed_eye);
  }
}

void restore_mark() {
  del_all_ani();
  del_all_talkmsg();
  del_all_button();
  del_all_tbutton();
  del_all_role_path();
  if (!restore_mark_point()) {
    time_message(mark_elsewhere_message, 200);
    return;
  }
  time_message(restore_message, 200);
  if (player_role_index >= 0 && player_role_index < gmMapRoleCount) gmMapRole[player_role_index].STATE |= state_held;
}

// Steps 13 to 16: the edit mode, the collisions and the mark point.
void scene_keys() {
  if (pressed(key_f2)) test_flag(flag_edit_mode) ? edit_mode_off() : edit_mode_on();
  if (pressed(key_f3)) {
    const bool off = !test_flag(flag_collisions_off);
    time_message(off ? collisions_off_message : collisions_on_message, 200);
    for (int f : {flag_collisions_off, flag_wall_test_off}) off ? set_flag(f) : clear_flag(f);
  }
  if (pressed(key_f4)) {
    time_message(mark_message, 200);
    set_flag(flag_mark_point);
    take_mark_point();
  }
  if (pressed(key_f5) && test_flag(flag_mark_point)) restore_mark();
}

// Step 17: the minimap's zoom, on maps that have a minimap.
void minimap_zoom_keys() {
  if (!(map_record.map_flags & map_has_minimap)) return;
  if (in().key_repeat_fast(key_pad_plus)) {
    ++minimap_zoom;
    minimap.SetScale(minimap_zoom);
  }
  if (in().key_repeat_fast(key_pad_minus)) {
    minimap_zoom = std::max(minimap_zoom - 1, 1);
    minimap.SetScale(minimap_zoom);
  }
}

// Steps 7 to 17, in the field only; 1 when the pass ended.
int field_keys() {
  if (ctrl_down() && down('s')) call_save_system(MODE_ENTER, 0, 0);
  if (ctrl_down() && down('l')) call_load_system(MODE_ENTER, 0, 0);
  if (shift_down() && down('t')) {
    run_dialog(IDD_ROLE_EDIT, role_edit_dialog_proc, nullptr);
    if (end_pass_for_dialog()) return 1;
  }
  if (pressed(key_f6)) {
    mouse_idle = 0;
    enter_base_camp();
    GameMode = mode_base_camp;
  }
  if (GameMode == mode_field) {
    for (const DigitSwitch& d : digit_switches)
      if (pressed(d.key)) toggle_flag(d.flag);
    if (ctrl_down() && pressed('b')) open_summon();
  }
  if (pressed(key_f11)) toggle_flag(flag_flag_editor);
  if (test_flag(flag_flag_editor)) {
    run_flag_editor();
    draw_debug_flags();
    tick_frame_timer();
    return 1;
  }
  reload_key();
  if (end_pass_for_dialog()) return 1;
  scene_keys();
  minimap_zoom_keys();
  return 0;
}

}  // namespace

void reset_developer_keys() {
  minimap_zoom = minimap_zoom_start;
  reset_flag_editor();
}

int developer_keys_step() {
  console_and_dump_key();
  if (test_flag(flag_console_open)) return 0;
  anywhere_keys();
  if (GameMode != mode_field) return 0;
  return field_keys();
}
