// The window procedures: text fields, system keys and commands, focus loss and activation.
#include <gtest/gtest.h>

#include <vector>

#include "app/display_restore.h"
#include "app/pending.h"
#include "devtools/dev_console.h"
#include "app/win_main.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/text_input_field.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "ui/title/title_screen.h"

namespace {

using platform::MessageId;
using platform::SysCommand;

// What game_wnd_proc passed on.
std::vector<MessageId> passed_on;

std::intptr_t recorder(platform::Window*, MessageId message, std::uintptr_t, std::intptr_t) {
  passed_on.push_back(message);
  return 7;
}

class GameWndProc : public ::testing::Test {
 protected:
  void SetUp() override {
    passed_on.clear();
    previous_wnd_proc = recorder;
  }
  void TearDown() override {
    delete title_name_field;
    title_name_field = nullptr;
    delete console_field;
    console_field = nullptr;
  }
  // True when the message reached the previous procedure.
  bool passes(MessageId message, std::uintptr_t wparam = 0, std::intptr_t lparam = 0) {
    passed_on.clear();
    game_wnd_proc(game.window(), message, wparam, lparam);
    return !passed_on.empty();
  }
  GameHarness game;
};

// The name entry and console flags can be set by data while no field exists; the message then goes its normal
// way. A field that exists takes what it consumes.
TEST_F(GameWndProc, OffersMessagesOnlyToATextFieldThatExists) {
  struct Case {
    int flag;
    TextInputField** field;
  };
  for (const Case& c : {Case{flag_name_entry, &title_name_field}, Case{flag_console_open, &console_field}}) {
    SCOPED_TRACE("flag " + std::to_string(c.flag));
    set_flag(c.flag);
    EXPECT_TRUE(passes(MessageId::ImeChar, 0xA4A4));
    *c.field = new TextInputField("", 16, 0, 0);
    passed_on.clear();
    EXPECT_EQ(game_wnd_proc(game.window(), MessageId::ImeChar, 0xA4A4, 0), 1);
    EXPECT_TRUE(passed_on.empty()) << "the field consumed it";
    EXPECT_TRUE(passes(MessageId::KeyDown, 27)) << "what the field leaves goes on";
    clear_flag(c.flag);
    EXPECT_TRUE(passes(MessageId::ImeChar, 0xA4A4)) << "a closed field gets nothing";
    delete *c.field;
    *c.field = nullptr;
  }
}

TEST_F(GameWndProc, LetsOnlyAltF4ThroughOfTheSystemKeys) {
  EXPECT_TRUE(passes(MessageId::SysKeyDown, platform::KeyF4, platform::KeyAltHeld));
  EXPECT_TRUE(passes(MessageId::SysKeyUp, platform::KeyF4, platform::KeyAltHeld));
  for (std::uintptr_t key :
       {std::uintptr_t{132}, std::uintptr_t{147}, std::uintptr_t{'x'}, std::uintptr_t{13}}) {
    SCOPED_TRACE("key " + std::to_string(key));
    EXPECT_FALSE(passes(MessageId::SysKeyDown, key, platform::KeyAltHeld));
    EXPECT_EQ(game_wnd_proc(game.window(), MessageId::SysKeyDown, key, 0), 0);
  }
  EXPECT_TRUE(
      passes(MessageId::HotKey, 0, platform::HotKeyAlt | (std::intptr_t{platform::KeyF4} << 16)));
  EXPECT_FALSE(passes(MessageId::HotKey, 0,
                      platform::HotKeyControl | (std::intptr_t{platform::KeyF4} << 16)));
  EXPECT_FALSE(passes(MessageId::HotKey, 0, platform::HotKeyAlt | (std::intptr_t{'x'} << 16)));
}

TEST_F(GameWndProc, RefusesTheWindowCommandsThatWouldResizeOrSwitchAway) {
  struct Case {
    SysCommand command;
    bool passed;
  };
  for (const Case& c : {Case{SysCommand::Size, false}, Case{SysCommand::Minimize, false},
                        Case{SysCommand::Maximize, false}, Case{SysCommand::NextWindow, false},
                        Case{SysCommand::PrevWindow, false}, Case{SysCommand::MouseMenu, false},
                        Case{SysCommand::Restore, false}, Case{SysCommand::TaskList, false},
                        Case{SysCommand::ScreenSave, false}, Case{SysCommand::MonitorPower, false},
                        Case{SysCommand::Close, true}, Case{SysCommand::Move, true},
                        Case{SysCommand::KeyMenu, true}}) {
    SCOPED_TRACE("command " + std::to_string(static_cast<int>(c.command)));
    EXPECT_EQ(passes(MessageId::SysCommand, static_cast<std::uintptr_t>(c.command)), c.passed);
  }
}

// The procedure only notes focus loss and activation; the message loop acts on them at the top
// of its next pass (handle_display_events), never inside a modal loop a frame runs.
TEST_F(GameWndProc, FocusLossSuspendsOnlyTheFullScreenGame) {
  display_device.enum_Ddraw_driver();
  ASSERT_EQ(display_device.Init(game.window(), 0, 20001, 2, 640, 480, 16), 1);
  EXPECT_TRUE(passes(MessageId::KillFocus));
  handle_display_events(game.window());
  EXPECT_EQ(window_suspended, 0);
  EXPECT_FALSE(platform::window_minimized(game.window()));

  display_device.release();
  display_device.enum_Ddraw_driver();
  ASSERT_EQ(display_device.Init(game.window(), 0, 20002, 2, 640, 480, 16), 1);
  EXPECT_TRUE(passes(MessageId::KillFocus));
  EXPECT_EQ(window_suspended, 0) << "nothing happens inside the procedure";
  handle_display_events(game.window());
  EXPECT_EQ(window_suspended, 1);
  EXPECT_TRUE(platform::window_minimized(game.window()));

  EXPECT_TRUE(passes(MessageId::ActivateApp, 0)) << "deactivation changes nothing";
  handle_display_events(game.window());
  EXPECT_EQ(window_suspended, 1);
  EXPECT_TRUE(passes(MessageId::ActivateApp, 1));
  handle_display_events(game.window());
  EXPECT_EQ(window_suspended, 0);
  EXPECT_FALSE(platform::window_minimized(game.window()));

  // A second activation without a loss in between rebuilds nothing.
  platform::show_window(game.window(), platform::ShowCommand::Minimize);
  EXPECT_TRUE(passes(MessageId::ActivateApp, 1));
  handle_display_events(game.window());
  EXPECT_TRUE(platform::window_minimized(game.window()));
  display_device.release();
}

TEST(MainWndProc, CloseLeadsToShutDownAndTheEndOfTheLoop) {
  GameHarness game;
  EXPECT_EQ(main_wnd_proc(game.window(), MessageId::Create, 0, 0), 0);
  EXPECT_EQ(main_wnd_proc(game.window(), MessageId::LButtonDown, 0, 0), 0);
  EXPECT_EQ(main_wnd_proc(game.window(), MessageId::Close, 0, 0), 0);
  EXPECT_FALSE(platform::window_destroyed(game.window())) << "Close only posts Destroy";
  EXPECT_TRUE(game.pump());
}

}  // namespace
