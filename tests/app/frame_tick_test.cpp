// The frame tick, the mode dispatch and the mode-switch convention.
#include "app/frame_tick.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/pending.h"
#include "app/startup.h"
#include "base/base_camp.h"
#include "battle/fight.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "core/key_mapping.h"
#include "field/field_controller.h"
#include "field/field_draw.h"
#include "field/field_camera_state.h"
#include "field/world_map.h"
#include "g3d/effects/effect_dat.h"
#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/input_script_writer.h"
#include "ui/title/config_screens.h"
#include "ui/menu/menu_system.h"
#include "ui/saves/save_load.h"
#include "ui/shop/shop.h"
#include "ui/title/title_screen.h"

namespace {

using platform::InputEvent;


// A key pressed before one frame and released before the next.
std::vector<InputEvent> tap(int frame, int key) {
  return {fixtures::key_down(frame, key), fixtures::key_up(frame + 1, key)};
}

TEST(ModeHandlers, DispatchEachModeToItsFunctions) {
  struct Case {
    int mode;
    ModeHandlers handlers;
  };
  const ModeHandlers field{run_field, update_field_roles, draw_field};
  const Case cases[] = {
      {0, field},
      {1, {input_menu_system, nullptr, draw_menu_system}},
      {2, {input_save_system, nullptr, draw_save_system}},
      {3, {input_load_system, update_load_system, draw_save_system}},
      {4, {input_shop_system, update_field_roles, draw_field}},
      {5, {input_shop_system, nullptr, draw_shop_system}},
      {6, {input_shop_system, nullptr, draw_shop_system}},
      {7, {input_key_config, nullptr, draw_key_config}},
      {8, {input_joy_config, nullptr, draw_joy_config}},
      {9, field},
      {10, {input_base_camp, run_base_camp_talks, draw_base_camp}},
      {11, {input_game_map, update_game_map, draw_game_map}},
      {12, field},
      {20, {fight_input, fight_update, fight_draw}},
      {57, field},
      {99, field},
      {100, {input_game_start, update_game_start, draw_game_start}},
      {101, {nullptr, nullptr, nullptr}},
      {102, field},
      {-1, field},
      {0x7FFFFFFF, field},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    ModeHandlers h = mode_handlers(c.mode);
    EXPECT_EQ(h.input, c.handlers.input);
    EXPECT_EQ(h.update, c.handlers.update);
    EXPECT_EQ(h.draw, c.handlers.draw);
  }
}

TEST(TitleEntry, KeepsTheModeSwitchConventionWithItsExceptions) {
  GameHarness game;
  debug_keys_enabled = 1;
  GameMode = mode_menu;
  SavedGameMode = mode_save;
  set_flag(flag_mechanism_2);
  quit_request = 1;

  SFLB_call_game_start(MODE_ENTER, 0, 0);
  EXPECT_EQ(GameMode, mode_title);
  EXPECT_EQ(test_flag(flag_mechanism_2), 0) << "entering resets the game";
  EXPECT_EQ(test_flag(flag_developer_keys), 1) << "the developer keys outlast the reset";
  EXPECT_EQ(quit_request, 0);

  set_flag(flag_mechanism_2);
  SFLB_call_game_start(MODE_ENTER, 0, 0);
  EXPECT_EQ(test_flag(flag_mechanism_2), 1) << "entering the current title resets nothing";

  GameMode = mode_menu;
  SavedGameMode = mode_load;
  SFLB_call_game_start(MODE_RESUME, 0, 0);
  EXPECT_EQ(GameMode, mode_title);
  EXPECT_EQ(test_flag(flag_mechanism_2), 1) << "resuming sets nothing up";

  SFLB_call_game_start(MODE_LEAVE, 0, 0);
  EXPECT_EQ(GameMode, mode_field) << "the title leaves to the field";
  EXPECT_EQ(SavedGameMode, mode_load) << "the title neither remembers nor restores a mode";
}

class FrameTick : public ::testing::Test {
 protected:
  void SetUp() override {
    game.prepare_ticks();
    game.install_game_proc();
    set_default_key_bindings();
    GameMode = mode_idle;
  }
  GameHarness game;
};

// The quit request is carried out at the end of a full pass only (a pass that is not due is
// one), and once: User.cfg is written, the window destroyed and the shut-down run.
TEST_F(FrameTick, QuitsAtTheEndOfAFullPassWritingUserCfgOnce) {
  global_effect = create_effect(3, 0, 0, 0);
  set_flag(flag_paused);
  game.make_due();
  quit_request = 1;
  game.tick(0);
  EXPECT_FALSE(game.has_file("User.cfg")) << "a paused due pass ends before the quit check";
  EXPECT_FALSE(platform::window_destroyed(game.window()));

  game.tick(0);
  EXPECT_EQ(game.dir().read("User.cfg").size(), 400u);
  EXPECT_TRUE(platform::window_destroyed(game.window()));
  EXPECT_EQ(global_effect, nullptr) << "the shut-down ran";

  std::filesystem::remove(game.dir().path() / "User.cfg");
  game.run_frame();
  game.tick(0);
  EXPECT_TRUE(game.pump());
  EXPECT_FALSE(game.has_file("User.cfg")) << "written once";
}

TEST_F(FrameTick, QuitIsNotActedOnInAnEventScene) {
  set_flag(flag_event_scene);
  game.make_due();
  quit_request = 1;
  game.tick(0);
  EXPECT_FALSE(game.has_file("User.cfg"));
  EXPECT_FALSE(platform::window_destroyed(game.window()));
}

TEST_F(FrameTick, WindowCloseShutsDownWithoutWritingUserCfg) {
  global_effect = create_effect(3, 0, 0, 0);
  platform::post_message(game.window(), platform::MessageId::SysCommand,
                         static_cast<std::uintptr_t>(platform::SysCommand::Close));
  EXPECT_TRUE(game.pump());
  EXPECT_FALSE(game.has_file("User.cfg"));
  EXPECT_EQ(global_effect, nullptr) << "the shut-down ran";
}

TEST_F(FrameTick, AltF4ShutsDownWithoutWritingUserCfg) {
  std::vector<InputEvent> events = {fixtures::key_down(0, 132), fixtures::key_down(0, 141)};
  platform::set_input_events(events);
  EXPECT_TRUE(game.pump());
  EXPECT_FALSE(game.has_file("User.cfg"));
}

struct PauseCase {
  bool debug_keys;
  int paused_after;
};

class FrameTickPause : public FrameTick, public ::testing::WithParamInterface<PauseCase> {};

// F8 reaches the logical keys only with the developer keys on; while paused the clock runs on
// but nothing else, the quit check included.
TEST_P(FrameTickPause, F8PausesOnlyWithTheDeveloperKeys) {
  if (GetParam().debug_keys) set_flag(flag_developer_keys);
  platform::set_input_events(tap(3, 145));
  for (int i = 0; i < 5; ++i) game.run_frame();
  EXPECT_EQ(test_flag(flag_paused), GetParam().paused_after);

  std::uint32_t clock_before = game_clock;
  game.make_due();
  quit_request = 1;
  game.tick(0);
  EXPECT_GT(game_clock, clock_before);
  EXPECT_EQ(platform::window_destroyed(game.window()), GetParam().paused_after == 0)
      << "a paused due pass ends before the quit check";
}

INSTANTIATE_TEST_SUITE_P(DeveloperKeys, FrameTickPause,
                         ::testing::Values(PauseCase{false, 0}, PauseCase{true, 1}),
                         [](const ::testing::TestParamInfo<PauseCase>& info) {
                           return std::string(info.param.debug_keys ? "on" : "off");
                         });

TEST_F(FrameTick, F8TwiceResumes) {
  set_flag(flag_developer_keys);
  std::vector<InputEvent> events = tap(2, 145);
  for (const InputEvent& ev : tap(10, 145)) events.push_back(ev);
  platform::set_input_events(events);
  for (int i = 0; i < 5; ++i) game.run_frame();
  EXPECT_EQ(test_flag(flag_paused), 1);
  for (int i = 0; i < 8; ++i) game.run_frame();
  EXPECT_EQ(test_flag(flag_paused), 0);
}

TEST_F(FrameTick, EscapeClosesAVideoOnTheSamePassWithoutTickingTheTimer) {
  platform::set_input_events({fixtures::key_down(3, 27)});
  for (int i = 0; i < 4; ++i) game.run_frame();
  set_flag(flag_video);
  quit_request = 1;
  std::uint32_t clock_before = game_clock;
  game.tick(5);
  EXPECT_EQ(test_flag(flag_video), 0);
  EXPECT_EQ(game_clock, clock_before) << "no timer tick";
  EXPECT_FALSE(platform::window_destroyed(game.window())) << "and no quit check";
}

TEST_F(FrameTick, EventSceneReadsTheFieldCameraBackIntoTheViewRecord) {
  set_flag(flag_event_scene);
  field_camera_state.target_point[0] = 100;
  field_camera_state.target_point[1] = -20;
  field_camera_state.target_point[2] = 7;
  game.run_frame();
  EXPECT_EQ(field_camera_state.current_point[0], 100);
  EXPECT_EQ(field_camera_state.current_point[1], -20);
  EXPECT_EQ(field_camera_state.current_point[2], 7);
}

TEST_F(FrameTick, CountsOnlyDueFramesAndClosesAfterTheFrameLimit) {
  platform::set_frame_limit(3);
  game.tick(1);
  game.tick(1);
  EXPECT_EQ(platform::frames_counted(), 0) << "passes that are not due are not frames";
  for (int i = 0; i < 2; ++i) game.run_frame();
  EXPECT_FALSE(game.pump());
  game.run_frame();
  EXPECT_EQ(platform::frames_counted(), 3);
  EXPECT_TRUE(game.pump());
  EXPECT_FALSE(game.has_file("User.cfg"));
}

}  // namespace
