// The title screen.
#include "ui/title/title_screen.h"

#include <cstring>

#include "base/base_camp.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/user_cfg.h"
#include "data/map_role.h"
#include "data/maps_init.h"
#include "data/maps_music.h"
#include "data/music_state.h"
#include "data/party.h"
#include "field/debug_overlay.h"
#include "field/field_camera_state.h"
#include "field/scene_anim.h"
#include "g3d/act_draw.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/renderer.h"
#include "g3d/wld_loader.h"
#include "script/talk_queue.h"
#include "script/talk_timer.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/menu/options_panel.h"
#include "ui/title/new_game.h"
#include "ui/saves/save_load.h"
#include "ui/screen_button.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"
#include "ui/talk_text.h"
#include "ui/ui_numbers.h"

TextInputField* title_name_field = nullptr;
int title_state = title_start;
int title_choice = title_new_game;
ActInstance title_instance;

namespace {

constexpr std::uint16_t title_music_map = 1;
constexpr int music_mode_map = 1;
constexpr int music_fade_frames = 15;

// The camera looks at the title from just above the ground.
constexpr float title_distance = 910;
constexpr float title_angles[3] = {-2, 0, 0};
constexpr float title_point[3] = {0, -10, 0};

// The menu: the mouse area, the rows' pitch, the pictures' places.
constexpr int menu_left = 256, menu_right = 383, menu_top = 196, menu_bottom = 360, menu_pitch = 33;
constexpr int menu_x = 256, menu_y = 195;
constexpr int menu_row_y[title_items] = {0, 32, 65, 98, 130};
constexpr std::uint16_t menu_chosen_qq_offset = 5;

// The transition's pictures: its sound, then the fade out.
constexpr std::uint16_t transition_sound_picture = 20;
constexpr std::uint16_t transition_fade_picture = 36;

constexpr int render_mode_flat = 2, render_mode_normal = 6;
constexpr float fade_step_slow = 10, fade_step_entry = 20, fade_step_at_once = 255;

void fade_in(float step) { start_fade(255, 0, 0, 0, 0, step); }

void aim_title_camera() {
  Camera& c = field_camera;
  c.set_angle_interp(camera_snap);
  c.set_point_interp(camera_snap);
  c.set_dist_interp(camera_snap);
  c.set_look_distance(title_distance);
  c.set_distance(title_distance);
  field_camera_state.look_distance = title_distance;
  field_camera_state.distance = title_distance;
  c.set_angles(title_angles[0], title_angles[1], title_angles[2]);
  c.set_point(title_point[0], title_point[1], title_point[2]);
  for (int i = 0; i < 3; ++i) field_camera_state.target_point[i] = title_point[i];
  c.update();
  c.apply_view();
}

void start_title_music() {
  if (read_music_id(title_music_map) != 1) return;
  for (int slot = 0; slot < 2; ++slot) {
    char name[music_name_size];
    if (read_maps_music(name, sizeof name, music_ids[slot]))
      play_music(name, music_ids[slot], slot, music_params[slot], music_mode_map);
  }
  switch_music(music_mode_map, music_params[0], music_fade_frames);
}

void queue_title_talk(std::uint16_t talk) {
  gmTmpTalk = MapRole{};
  gmTmpTalk.RoleID = title_talk_speaker;
  gmTmpTalk.TALK = talk;
  add_talks_proc(&gmTmpTalk);
}

void leave_to_field() {
  title_state = title_menu;
  SFLB_call_game_start(MODE_LEAVE, 0, 0);
  fade_in(fade_step_at_once);
}

void act_on_choice() {
  switch (title_choice) {
    case title_new_game:
      fade_in(fade_step_slow);
      title_state = title_start_new_game;
      for (int member = 0; member < 2; ++member) {
        std::memset(gmRoleData[member].name, 0, sizeof gmRoleData[member].name);
        std::memcpy(gmRoleData[member].name, party_default_names[member], sizeof party_default_names[member]);
      }
      break;
    case title_load:
      fade_in(fade_step_at_once);
      // The intro plays again when the load screen comes back.
      title_state = title_intro;
      call_load_system(MODE_ENTER, 0, 0);
      break;
    case title_options_item:
      title_state = title_options;
      init_options_panel();
      fade_in(fade_step_slow);
      break;
    case title_story:
      gmMapRole[0].RoleID = title_talk_speaker;
      gmMapRoleCount = 1;
      queue_title_talk(story_scene_talk);
      set_flag(flag_cursor_hidden);
      leave_to_field();
      break;
    case title_quit:
      quit_request = 1;
      break;
  }
}

void start_new_game() {
  play_sfx(sfx_new_game, 1);
  setup_party();
  read_maps_init();
  read_maps_role(0);
  queue_title_talk(new_game_talk);
  clear_flag(flag_debug_overlay);
  clear_flag(flag_name_entry);
  set_flag(flag_member_0);
  leave_to_field();
}

// The transition's picture just reached `picture`.
bool transition_reached(std::uint16_t before, std::uint16_t picture) {
  return title_instance.picture == picture && before != picture;
}

void play_transition() {
  title_instance.act = title_act;
  title_instance.qq = title_transition_qq;
  const std::uint16_t before = title_instance.loaded_qq == title_transition_qq ? title_instance.picture : 0;
  // A title without its animation goes on as if it had played.
  const bool playing = Take_3dActData(&title_instance) == 1;
  if (transition_reached(before, transition_sound_picture)) play_sfx(sfx_title_start, 1);
  if (transition_reached(before, transition_fade_picture)) start_fade(0, 255, 0, 0, 0, fade_step_slow);
  if (!playing || (title_instance.state & act_state_finished)) title_state = title_act_on_choice;
}

void play_intro() {
  title_instance.act = title_act;
  title_instance.qq = title_intro_qq;
  const bool playing = Take_3dActData(&title_instance) == 1;
  if (playing && !(title_instance.state & act_state_finished)) return;
  play_sfx(sfx_title_menu, 1);
  title_state = title_menu;
}

void input_menu() {
  int item = -1;
  const int hovered = title_item_at(mouse_x, mouse_y);
  if (hovered >= 0) {
    if (hovered != title_choice) play_sfx(sfx_title_cursor, 1);
    title_choice = hovered;
    if (grp_input.key_press(key_mouse1)) item = hovered;
  }
  if (grp_input.key_repeat(key_up) || grp_input.key_repeat(key_joy_up)) {
    if (title_choice > 0) --title_choice;
    play_sfx(sfx_title_cursor, 1);
  }
  if (grp_input.key_repeat(key_down) || grp_input.key_repeat(key_joy_down)) {
    if (title_choice < title_items - 1) ++title_choice;
    play_sfx(sfx_title_cursor, 1);
  }
  if (item >= 0 || grp_input.key_press(key_enter) || grp_input.key_press(key_space) ||
      grp_input.key_press(key_joy_button1))
    title_state = title_transition;
}

void input_options() {
  input_options_panel();
  for (KeyCode k : {key_mouse2, key_lctrl, key_rctrl, key_escape})
    if (grp_input.key_press(k)) {
      save_user_cfg();
      title_state = title_intro;
      return;
    }
}

void draw_menu_items() {
  renderer.set_render_mode(render_mode_flat);
  for (int i = 0; i < title_items; ++i) {
    ActInstance item;
    item.act = title_menu_act;
    item.qq = std::uint16_t(i == title_choice ? i + menu_chosen_qq_offset : i);
    if (Take_3dActData(&item) == 1 && item.kind == act_kind_sprite)
      draw_act_instance(&item, menu_x, menu_y + menu_row_y[i], 0);
  }
  renderer.set_render_mode(render_mode_normal);
}

}  // namespace

int title_item_at(int x, int y) {
  if (x < menu_left || x > menu_right || y < menu_top || y > menu_bottom) return -1;
  return (y - menu_top) / menu_pitch;
}

void SFLB_call_game_start(std::uint32_t flags, int, int) {
  fight_unit_effects.clear();
  if (flags == MODE_ENTER) {
    if (GameMode == mode_title) return;
    reset_game();
    load_fame();
    renderer.set_no_cull(1);
    clear_flag(flag_scene_hidden);
    clear_flag(flag_event_scene);
    clear_flag(flag_cursor_hidden);
    set_flag(flag_switch_9);
    mouse_idle = 0;
    title_state = title_start;
    title_instance = ActInstance{};
    GameMode = mode_title;
    aim_title_camera();
    fade_in(fade_step_entry);
  } else if (flags == MODE_RESUME) {
    GameMode = mode_title;
  } else {
    GameMode = mode_field;
    renderer.set_no_cull(0);
  }
}

void input_game_start() {
  if (title_state == title_menu)
    input_menu();
  else if (title_state == title_options)
    input_options();
}

void update_game_start() {
  switch (title_state) {
    case title_start:
      init_base_map();
      g3d_wld_free(&base_world);
      start_title_music();
      GameMode = mode_title;
      aim_title_camera();
      title_state = title_intro;
      break;
    case title_intro:
      play_intro();
      break;
    case title_transition:
      play_transition();
      break;
    case title_act_on_choice:
      act_on_choice();
      break;
    case title_start_new_game:
      start_new_game();
      break;
    default:
      break;
  }
}

void draw_game_start() {
  if (GameMode != mode_title) return;
  field_camera.update();
  field_camera.apply_view();
  draw_act(title_act, title_background_qq, 0, 0, 0);
  if (title_state != title_act_on_choice)
    draw_act_model(&title_instance, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFF, 0);
  if (title_state == title_menu) draw_menu_items();
  if (title_state == title_options) {
    draw_act(options_back_act, options_back_qq, 0, 0, 0);
    draw_options_panel();
  }
  play_ani();
  fight_unit_effects.update(frame_elapsed_ms);
  fight_unit_effects.draw();
  draw_fade();
  show_talkmsg();
  show_button();
  if (test_flag(flag_talk_countdown)) talk_timer_minutes(520, 5);
  cursor_act.act = cursor_act_number;
  cursor_act.qq = cursor_qq_choice;
  draw_mouse_cursor();
  draw_debug_info();
  renderer.present();
}
