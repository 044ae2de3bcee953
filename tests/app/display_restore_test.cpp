// Display loss and restore, with fakes in place of the engine's display stack.
#include "app/display_restore.h"
#include "app/win_main.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;
int exclusive = 1;
int device_result = 1;

platform::Window* const window = reinterpret_cast<platform::Window*>(0x1000);

class DisplayRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    exclusive = 1;
    device_result = 1;
    window_suspended = 0;
    DisplayStack& s = display_stack();
    s = DisplayStack{};
    s.flush_textures = [] { calls.push_back("flush_textures"); };
    s.free_models = [](std::uint8_t tag) { calls.push_back("free_models " + std::to_string(tag)); };
    s.free_sprites = [](std::uint8_t tag) { calls.push_back("free_sprites " + std::to_string(tag)); };
    s.free_animations = [](std::uint8_t tag) { calls.push_back("free_animations " + std::to_string(tag)); };
    s.release_fonts = [] { calls.push_back("release_fonts"); };
    s.release_renderer = [] { calls.push_back("release_renderer"); };
    s.release_device = [] { calls.push_back("release_device"); };
    s.release_display_device = [] { calls.push_back("release_display_device"); };
    s.init_device = [] {
      calls.push_back("init_device");
      return device_result;
    };
    s.init_renderer = [] { calls.push_back("init_renderer"); };
    s.set_viewport = [] { calls.push_back("set_viewport"); };
    s.select_blit_format = [](int f) { calls.push_back("select_blit_format " + std::to_string(f)); };
    s.reset_input = [] { calls.push_back("reset_input"); };
    s.init_fonts = [] { calls.push_back("init_fonts"); };
    s.minimise_window = [](platform::Window*) { calls.push_back("minimise"); };
    s.restore_window = [](platform::Window*) { calls.push_back("restore_window"); };
    s.acquire_input = [] { calls.push_back("acquire_input"); };
    s.is_exclusive = [] { return exclusive; };
  }
};

const std::vector<std::string> rebuild = {
    "restore_window",  "flush_textures",   "free_models 255",        "free_sprites 255",
    "free_animations 255", "release_fonts", "release_renderer",      "release_device",
    "release_display_device", "init_device", "init_renderer",        "set_viewport",
    "select_blit_format 2", "reset_input",  "init_fonts"};

TEST_F(DisplayRestoreTest, FocusLossSuspendsAndActivationRebuildsInOrder) {
  note_focus_lost();
  EXPECT_TRUE(calls.empty());  // nothing happens until the top of the main loop
  handle_display_events(window);
  EXPECT_EQ(calls, std::vector<std::string>{"minimise"});
  EXPECT_EQ(window_suspended, 1);
  calls.clear();
  note_app_activated();
  handle_display_events(window);
  EXPECT_EQ(calls, rebuild);
  EXPECT_EQ(window_suspended, 0);
}

TEST_F(DisplayRestoreTest, TwoActivationsRebuildOnce) {
  note_focus_lost();
  handle_display_events(window);
  calls.clear();
  note_app_activated();
  note_app_activated();
  handle_display_events(window);
  note_app_activated();
  handle_display_events(window);
  EXPECT_EQ(calls, rebuild);
}

TEST_F(DisplayRestoreTest, ActivationWithoutLossRebuildsNothing) {
  note_app_activated();
  handle_display_events(window);
  EXPECT_TRUE(calls.empty());
}

TEST_F(DisplayRestoreTest, WindowedModeKeepsRunning) {
  exclusive = 0;
  note_focus_lost();
  note_app_activated();
  handle_display_events(window);
  EXPECT_EQ(calls, std::vector<std::string>{"acquire_input"});
  EXPECT_EQ(window_suspended, 0);
}

// A message box inside a frame runs its own loop; events noted there wait for the main loop.
TEST_F(DisplayRestoreTest, EventsDuringAFrameWaitForTheMainLoop) {
  note_focus_lost();
  note_app_activated();
  EXPECT_TRUE(calls.empty());
  handle_display_events(window);
  std::vector<std::string> expected = {"minimise"};
  expected.insert(expected.end(), rebuild.begin(), rebuild.end());
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(window_suspended, 0);
}

TEST_F(DisplayRestoreTest, ADisplayThatCannotBeRebuiltStaysSuspended) {
  note_focus_lost();
  handle_display_events(window);
  device_result = 0;
  note_app_activated();
  handle_display_events(window);
  EXPECT_EQ(window_suspended, 1);
  EXPECT_EQ(calls.back(), "init_device");
  calls.clear();
  device_result = 1;
  note_app_activated();
  handle_display_events(window);
  EXPECT_EQ(window_suspended, 0);
  EXPECT_EQ(calls, rebuild);
}

}  // namespace
