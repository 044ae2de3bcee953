// The frame tick and the game-mode dispatch.
#include "app/frame_tick.h"

#include "app/demo_scene.h"
#include "app/pending.h"
#include "app/screenshot_key.h"
#include "base/base_camp.h"
#include "battle/fight.h"
#include "core/app_window.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/user_cfg.h"
#include "devtools/dev_console.h"
#include "devtools/developer_keys.h"
#include "g3d/act_draw.h"
#include "field/debug_overlay.h"
#include "field/field_controller.h"
#include "field/field_draw.h"
#include "field/field_camera_state.h"
#include "field/role_path.h"
#include "field/scene_anim.h"
#include "field/world_map.h"
#include "g3d/act_animation.h"
#include "g3d/renderer.h"
#include "platform/automation.h"
#include "platform/window.h"
#include "script/talk_queue.h"
#include "script/talk_timer.h"
#include "sound/sound_system.h"
#include "sound/video_player.h"
#include "ui/title/config_screens.h"
#include "ui/cursor.h"
#include "ui/dialog_runner.h"
#include "ui/menu/menu_system.h"
#include "ui/saves/save_load.h"
#include "ui/screen_button.h"
#include "ui/shop/shop.h"
#include "ui/talk_msg.h"
#include "ui/title/title_screen.h"

namespace {

constexpr int key_f8 = 145;
constexpr int key_screenshot = 'p';

void run_mode(int mode) {
  ModeHandlers h = mode_handlers(mode);
  if (h.input) h.input();
  if (h.update) h.update();
  if (h.draw) h.draw();
}

// Steps 3 to 8 of a due frame; false when the pass ended early (the timer was ticked).
bool run_due_frame() {
  map_keys();
  // A modal dialog holds the whole frame: nothing else runs until it ends.
  if (dialog_running()) {
    dialog_frame();
    tick_frame_timer();
    return false;
  }
  if (grp_input.key_repeat(key_screenshot)) take_screenshot();
  if (grp_input.key_press(key_f8)) {
    if (test_flag(flag_paused))
      clear_flag(flag_paused);
    else
      set_flag(flag_paused);
  }
  if (test_flag(flag_paused)) {
    // Time, and with it game_clock, goes on while paused.
    tick_frame_timer();
    return false;
  }
  if (test_flag(flag_developer_keys) && developer_keys_step()) return false;
  if (test_flag(flag_event_scene)) {
    event_scene_tick();
    return false;
  }
  input_talkmsg();
  run_mode(GameMode);
  // A battle the console asked for starts only once the frame is drawn.
  run_queued_console_command();
  update_audio();
  return true;
}

void draw_cursor() {
  cursor_act.act = cursor_act_number;
  cursor_act.qq = 0;
  if (Take_3dActData(&cursor_act) == 1)
    draw_act_3d(&cursor_act, static_cast<float>(mouse_x), static_cast<float>(mouse_y), 0, 0, 0, 0,
                0, 0, 0, cursor_act.color, 0);
}

// The event scene keeps the field camera on the view record's target and reads the camera's
// state back into the record.
void follow_field_view() {
  FieldCameraState& v = field_camera_state;
  field_camera.set_point(v.target_point[0], v.target_point[1], v.target_point[2]);
  field_camera.update();
  field_camera.apply_view();
  field_camera.get_point(nullptr, nullptr, nullptr, &v.current_point[0], &v.current_point[1],
                         &v.current_point[2]);
  field_camera.get_angles(nullptr, nullptr, nullptr, &v.current_angles[0], &v.current_angles[1],
                          &v.current_angles[2]);
  field_camera.get_look_distance(nullptr, &v.current_look_distance);
  field_camera.get_distance(nullptr, &v.current_distance);
}

}  // namespace

ModeHandlers mode_handlers(int mode) {
  switch (mode) {
    case mode_menu:
      return {input_menu_system, nullptr, draw_menu_system};
    case mode_save:
      return {input_save_system, nullptr, draw_save_system};
    case mode_load:
      return {input_load_system, update_load_system, draw_save_system};
    case mode_shop_talk:
      return {input_shop_system, update_field_roles, draw_field};
    case mode_shop_buy:
    case mode_shop_sell:
      return {input_shop_system, nullptr, draw_shop_system};
    case mode_key_config:
      return {input_key_config, nullptr, draw_key_config};
    case mode_joy_config:
      return {input_joy_config, nullptr, draw_joy_config};
    case mode_demo_scene:
      return demo_scene_handlers;
    case mode_base_camp:
      return {input_base_camp, run_base_camp_talks, draw_base_camp};
    case mode_world_map:
      return {input_game_map, update_game_map, draw_game_map};
    case mode_battle:
      return {fight_input, fight_update, fight_draw};
    case mode_title:
      return {input_game_start, update_game_start, draw_game_start};
    case mode_idle:
      return {nullptr, nullptr, nullptr};
    default:
      return {run_field, update_field_roles, draw_field};
  }
}

void frame_tick(platform::Window*, platform::Instance*) {
  if (frame_due == 1) platform::count_frame();
  if (test_flag(flag_video)) {
    map_keys();
    if (grp_input.key_down(key_escape)) {
      close_video();
      return;
    }
    update_video();
  } else if (frame_due == 1) {
    if (!run_due_frame()) return;
  }
  tick_frame_timer();
  // Once the main window is gone the quit has been carried out; it is not repeated.
  if (quit_request == 1 && !platform::window_destroyed(AppWindow.main_window)) {
    save_user_cfg();
    platform::destroy_window(AppWindow.main_window);
  }
}

void event_scene_tick() {
  display_device.fill_rect(0, 0, 640, 480, 0);
  input_talkmsg();
  run_talk_queue();
  tick_talk_timer();
  run_role_paths();
  follow_field_view();
  play_ani();
  show_talkmsg();
  show_button();
  if (test_flag(flag_talk_countdown)) talk_timer_minutes(520, 5);
  draw_cursor();
  draw_debug_info();
  renderer.present();
  tick_frame_timer();
}
