// The start-up order (init_game) and the shut-down order (end_game).
#include "app/startup.h"

#include <string>

#include "app/demo_scene.h"
#include "app/pending.h"
#include "base/build_data.h"
#include "base/houses.h"
#include "battle/atk_script.h"
#include "battle/battlefield.h"
#include "battle/fame.h"
#include "battle/fight.h"
#include "battle/fight_talk.h"
#include "core/app_window.h"
#include "core/disc.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/random_r250.h"
#include "core/text_colours.h"
#include "core/text_input_field.h"
#include "core/user_cfg.h"
#include "data/item_list.h"
#include "data/level_tables.h"
#include "devtools/dev_console.h"
#include "data/maps_db.h"
#include "data/mission_name.h"
#include "data/object_db.h"
#include "data/party.h"
#include "field/map_change.h"
#include "field/map_effects.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_path.h"
#include "field/scene_anim.h"
#include "field/world_map.h"
#include "g3d/act_animation.h"
#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_list.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/screen_tile_fade.h"
#include "g3d/texture_file_cache.h"
#include "g3d/view_zoom.h"
#include "gfx2d/big5_gb_table.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/memoryer.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/window_presenter.h"
#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "script/ai_file.h"
#include "script/talk_files.h"
#include "sound/sfx_bank.h"
#include "g3d/act_draw.h"
#include "sound/sound_system.h"
#include "sound/stream_manager.h"
#include "sound/video_player.h"
#include "ui/console_hook.h"
#include "ui/cursor.h"
#include "ui/menu/menu_log.h"
#include "ui/screen_button.h"
#include "ui/saves/snapshot.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/title/title_screen.h"

std::uint32_t video_memory_budget = 0;
ParticleEmitter* global_effect = nullptr;

namespace {

constexpr int screen_width = 640;
constexpr int screen_height = 480;
constexpr std::uint32_t low_video_memory = 0x600000;      // 6 MB
constexpr std::uint32_t least_texture_budget = 0xA00000;  // 10 MB
constexpr std::uint32_t poly_memory_size = 0x1800000;     // 24 MB
constexpr std::uint32_t act_memory_size = 0x400000;       // 4 MB
constexpr std::uint32_t tsw_memory_size = 0x1000000;      // 16 MB
constexpr std::uint8_t all_tags = 255;

constexpr const char* caption_hint = "\xb4\xa3\xa5\xdc";   // "提示"
// "使用視窗模式嗎?(y/n),"
constexpr const char* ask_window_mode =
    "\xa8\xcf\xa5\xce\xb5\xf8\xb5\xa1\xbc\xd2\xa6\xa1\xb6\xdc?(y/n),";
// "3d加速卡的記憶體容量不夠,遊戲中可能會發生不正常狀況!!"
constexpr const char* low_memory_warning =
    "3d\xa5\x5b\xb3\x74\xa5\x64\xaa\xba\xb0\x4f\xbe\xd0\xc5\xe9\xae\x65\xb6\x71\xa4\xa3\xb0\xf7,"
    "\xb9\x43\xc0\xb8\xa4\xa4\xa5\x69\xaf\xe0\xb7\x7c\xb5\x6f\xa5\xcd\xa4\xa3\xa5\xbf\xb1\x60\xaa"
    "\xac\xaa\x70!!";
// "InitPolyMemory 初始化失敗!!"
constexpr const char* poly_memory_failed =
    "InitPolyMemory \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!";
// "Init_3dAct 初始化失敗!!"
constexpr const char* act_failed = "Init_3dAct \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!";
// "Init_Memoryer 初始化失敗!!"
constexpr const char* memoryer_failed = "Init_Memoryer \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!";
// "OpenSfx 初始化失敗!!"
constexpr const char* sfx_failed = "OpenSfx \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!";
// "OpenStream 初始化失敗!!"
constexpr const char* stream_failed = "OpenStream \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!";
constexpr const char* font_face = "\xb2\xd3\xa9\xfa\xc5\xe9";  // "細明體"

// game_dir joined with part.
std::string game_path(const char* part) {
  std::string path = game_dir;
  append_path(path, part);
  return path;
}

// A failed set-up that ends start-up: one box without owner, the same line in the log.
int fail_start(const char* text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok);
  log_trace("%s", text);
  return 0;
}

int choose_display_mode(platform::Window* window) {
  if (test_flag(flag_ask_window) &&
      platform::message_box(window, ask_window_mode, caption_hint, platform::BoxButtons::YesNo) ==
          platform::BoxAnswer::Yes)
    return display_mode_windowed;
  return display_mode_fullscreen;
}

void measure_video_memory() {
  video_memory_budget = display_device.get_free_tmem();
  if (video_memory_budget < low_video_memory) log_trace("%s", low_memory_warning);
  if (video_memory_budget < least_texture_budget) video_memory_budget = least_texture_budget;
}

void set_up_input_and_fonts(platform::Window* window, platform::Instance* instance) {
  grp_input.create(instance, window, 0);
  grp_input.set_mouse_speed(2.0f);
  grp_input.set_mouse_rect(0, 0, screen_width, screen_height);
  grp_input.set_mouse_pos(10, 10);
  init_big5_gb();
  struct FontSize {
    GlyphFont* font;
    int size, advance;
  };
  for (const FontSize& f :
       {FontSize{&font_20, 20, 22}, FontSize{&font_16, 16, 18}, FontSize{&font_12, 12, 14}}) {
    f.font->init(&display_device);
    f.font->set_font(font_face, f.size);
    f.font->set_advance(f.advance);
  }
}

// The three cache set-ups that end start-up when they fail.
int set_up_caches() {
  SetPolyPath(game_path("MODEL").c_str());
  if (!SFLB_InitPolyMemory()) return fail_start(poly_memory_failed);
  SetPolyMemorySize(poly_memory_size);
  log_trace("PolyMemory -------------> ok");
  if (!Init_3dAct()) return fail_start(act_failed);
  Act_Memoryer_SetSize(act_memory_size);
  Set_3dActRenderer(&renderer);
  log_trace("ActMemory -------------> ok");
  if (!Init_Memoryer()) return fail_start(memoryer_failed);
  Memoryer_SetSize(tsw_memory_size);
  log_trace("TswMemory -------------> ok");
  return 1;
}

void set_up_sound() {
  sound_system.Startup(game_dir.c_str());
  if (!OpenSfx(game_path("ACT\\").c_str())) log_trace("%s", sfx_failed);
  // The animation drawers play the frames' sounds through the bank.
  set_act_sound_player([](int sfx) { play_sfx(sfx, 1); });
  log_trace("Miles -------------> ok");
  if (!OpenStream(sfx_bank.GetDriver())) {
    platform::message_box(nullptr, stream_failed, error_caption, platform::BoxButtons::Ok);
    log_trace("%s", stream_failed);
  }
  log_trace("Stream -------------> ok");
  init_video_sound();
  log_trace("bink   -------------> ok");
}

void open_data_files() {
  open_maps_data();
  open_talk_data();
  open_AI_data();
  open_fight_atk_data();
  open_fight_talk_data();
  open_item_data();
  open_exp_data();
  open_build_data();
  open_mission_data();
  open_Name_data();
  log_trace("open_data -------------> ok");
}

void convert_text_colours() {
  d3d_device.select_blit_format(0);
  for (int i = 0; i < text_colour_count; ++i) text_colours[i] = rgb_to_rgb555(text_colour_table[i]);
  rgb555_to_screen(text_colours, text_colour_count);
  d3d_device.select_blit_format(2);
}

// Deletes an object the shut-down owns and forgets it, so a second shut-down finds nothing.
template <typename T>
void delete_owned(T*& object) {
  delete object;
  object = nullptr;
}

void release_data_pools() {
  close_maps_data();
  close_talk_data();
  close_AI_data();
  close_item_data();
  close_exp_data();
  free_fight_atk_data();
  free_fight_talk_data();
  close_build_data();
  close_mission_data();
  close_Name_data();
}

void release_lists() {
  del_all_role_path();
  del_all_ani();
  del_all_talkmsg();
  del_all_button();
  del_all_tbutton();
  free_party_items();
  // A window closed while the menu shows its log page leaves the page's charts built.
  free_item_list(&log_monsters);
  free_item_list(&log_items);
}

void release_map_state() {
  unload_map();
  free_btl_area_table();
  free_all_houses();
  free_map_tex();
  free_map(&map_record);
  free_btl_area_table();
  free_game_map();
  free_mark();
  free_game_map_clouds();
  free_snapshot();
  free_game_map_buf();
  free_screen_tile_fade();
}

void release_sound() {
  CloseStream();
  CloseSfx();
  sound_system.Shutdown();
  sound_3d.Close();
  stop_all_sfx();
}

void release_caches() {
  FreeMapMemory();
  free_fame();
  FreePolyMemory(all_tags);
  Memoryer_Free(all_tags);
  Act_Memoryer_Free(all_tags);
  del_all_effect_list();
  Close_Memoryer();
  Close_3dAct();
}

}  // namespace

int init_game(platform::Window* window, platform::Instance* instance) {
  SFINIT0_open_item_data();
  reset_debug_log(window);
  AppWindow.main_window = window;
  AppWindow.instance = instance;
  get_window_origin(window, &AppWindow.origin_x, &AppWindow.origin_y, 0);
  read_game_ini(window, game_path("game.ini"));
  log_trace("Path:%s", game_dir.c_str());
  log_trace("------------Starting Init Game------------");

  int mode = choose_display_mode(window);
  if (!d3d_device.init(window, &display_device, 0, mode, 2, screen_width, screen_height, 16))
    return 0;
  platform::set_window_pos(window, 0, 0, screen_width, screen_height);
  log_trace("Grp3Ddraw -------------> ok");
  measure_video_memory();
  renderer.init(&d3d_device);
  renderer.set_render_mode(6);
  renderer.set_viewport(0, 0, screen_width, screen_height, 10.0f, 200.0f, view_far);
  log_trace("Grp3Dput -------------> ok");
  renderer.set_texture_budget(video_memory_budget);
  g3d_set_texture_cache_size(2 * video_memory_budget);

  set_up_input_and_fonts(window, instance);
  log_trace("GrpInput -------------> ok");
  d3d_device.select_blit_format(2);
  g3d_set_model_path(game_path("MODEL").c_str());
  g3d_set_texture_path(game_path("TEX").c_str());
  g3d_set_texture_cache_state(42);
  const std::string act_dir = game_path("ACT");
  Set_3dActPath(act_dir.c_str());
  Memoryer_SetPath(act_dir.c_str());
  set_effect_path(act_dir.c_str());
  log_trace("Particle -------------> ok");
  init_fight_field(act_dir.c_str());
  log_trace("FightField -------------> ok");
  if (!set_up_caches()) return 0;
  g3d_load_category_idx_tex(1);

  set_up_sound();
  window_presenter.init(window, display_device.get_ddraw(),
                        display_device.get_surface(DDRAW_PRIMARY_SURFACE),
                        display_device.get_surface(DDRAW_BACK_SURFACE));
  window_presenter.attach_window(window, 1);
  log_trace("GDI-------------------> ok");
  open_data_files();

  // The host clock already has a millisecond resolution; nothing to ask of it.
  platform::show_cursor(false);
  reset_frame_timer();
  set_frame_rate(35);
  init_button();
  convert_text_colours();
  init_random(platform::random_seed().value_or(platform::time_seconds()));
  set_default_key_bindings();
  set_default_joy_bindings();
  cursor_act.act = cursor_act_number;
  cursor_act.qq = 0;
  load_user_cfg();
  global_effect = create_effect(3, 0, 0, 0);
  init_screen_tile_fade();
  minimap.SetScreenSize(screen_width, screen_height);
  minimap.SetRect(10, 10, 160, 160);
  console_frame_hook = update_console;
  if (const DemoScene* scene = find_demo_scene(platform::scene_name()))
    scene->start();
  else
    SFLB_call_game_start(MODE_ENTER, 0, 0);
  log_trace("------------End Init Game------------");
  return 1;
}

int end_game() {
  if (const DemoScene* scene = find_demo_scene(platform::scene_name()); scene && scene->finish) scene->finish();
  if (GameMode == mode_battle) fight_end();
  release_data_pools();
  window_presenter.release();
  release_lists();
  sound_3d.Close();
  release_map_state();
  delete_owned(global_effect);
  delete_owned(weather_emitters[0]);
  delete_owned(weather_emitters[1]);
  delete_owned(title_name_field);
  minimap.RemoveMarker(1);
  field_effects.clear();
  release_sound();
  release_caches();
  free_big5_gb();
  font_20.release();
  font_16.release();
  font_12.release();
  renderer.release();
  d3d_device.release();
  display_device.release();
  platform::show_cursor(true);
  int marker = check_marker_file("wth");
  if (marker == 1) marker_hook();
  return marker;
}
