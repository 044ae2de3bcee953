// The program's entry, its window and the window procedures.
#include "app/win_main.h"

#include <cstdio>

#include "app/display_restore.h"
#include "app/frame_tick.h"
#include "app/pending.h"
#include "app/startup.h"
#include "core/app_window.h"
#include "core/disc.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/text_input_field.h"
#include "devtools/dev_console.h"
#include "platform/window.h"
#include "ui/dialog_runner.h"
#include "ui/title/title_screen.h"

int window_suspended = 0;
platform::WindowProc previous_wnd_proc = nullptr;

namespace {

using platform::MessageId;
using platform::SysCommand;

constexpr int screen_width = 640;
constexpr int screen_height = 480;

// Offers a message to a text field; true when the field took it. A flag set by data while the
// field does not exist sends nothing anywhere.
bool text_field_takes(TextInputField* field, platform::Window* window, MessageId message,
                      std::uintptr_t wparam, std::intptr_t lparam) {
  return field && field->on_message(window, message, wparam, lparam) == 0;
}

// The system commands the game keeps from the window: it neither resizes, minimises, maximises
// nor switches away through them.
bool refused_command(std::uintptr_t wparam) {
  switch (static_cast<SysCommand>(wparam)) {
    case SysCommand::Size:
    case SysCommand::Minimize:
    case SysCommand::Maximize:
    case SysCommand::NextWindow:
    case SysCommand::PrevWindow:
    case SysCommand::MouseMenu:
    case SysCommand::Restore:
    case SysCommand::TaskList:
    case SysCommand::ScreenSave:
    case SysCommand::MonitorPower:
      return true;
    default:
      return false;
  }
}

// How long a suspended program sleeps between looks at its messages (an activation wakes it
// sooner; a termination signal is seen within this time).
constexpr std::uint32_t suspended_wait_ms = 100;

// Between frames the loop sleeps until the next message or the next due frame, so that the
// frames come at the same times as when it spun. A playing video paces itself.
void wait_for_work() {
  if (window_suspended != 0) {
    platform::wait_message(suspended_wait_ms);
    return;
  }
  if (frame_due == 1 || test_flag(flag_video)) return;
  platform::wait_message(ms_until_frame_due());
}

int run_message_loop(platform::Window* window, platform::Instance* instance) {
  platform::Message msg;
  for (;;) {
    // Focus loss and activation are acted on here, never inside a modal loop that a frame runs.
    handle_display_events(window);
    if (platform::peek_message()) {
      if (!platform::get_message(msg)) return static_cast<int>(msg.wparam);
      platform::dispatch_message(msg);
      continue;
    }
    if (window_suspended == 0) frame_tick(window, instance);
    wait_for_work();
  }
}

}  // namespace

std::intptr_t wnd_default_zero(platform::Window*, std::uintptr_t, std::intptr_t) { return 0; }

std::intptr_t on_close(platform::Window*, std::uintptr_t wparam, std::intptr_t lparam) {
  platform::post_message(AppWindow.main_window, MessageId::Destroy, wparam, lparam);
  return 0;
}

std::intptr_t on_destroy(platform::Window*, std::uintptr_t, std::intptr_t) {
  end_game();
  platform::post_quit_message(0);
  return 0;
}

std::intptr_t main_wnd_proc(platform::Window* window, MessageId message, std::uintptr_t wparam,
                            std::intptr_t lparam) {
  switch (message) {
    case MessageId::Create:
    case MessageId::Command:
    case MessageId::LButtonDown:
      return wnd_default_zero(window, wparam, lparam);
    case MessageId::Close:
      return on_close(window, wparam, lparam);
    case MessageId::Destroy:
      return on_destroy(window, wparam, lparam);
    default:
      return platform::default_window_proc(window, message, wparam, lparam);
  }
}

std::intptr_t game_wnd_proc(platform::Window* window, MessageId message, std::uintptr_t wparam,
                            std::intptr_t lparam) {
  if (test_flag(flag_name_entry) &&
      text_field_takes(title_name_field, window, message, wparam, lparam))
    return 1;
  if (dialog_running() && dialog_takes_message(window, message, wparam, lparam)) return 1;
  if (test_flag(flag_console_open) &&
      text_field_takes(console_field, window, message, wparam, lparam))
    return 1;
  switch (message) {
    case MessageId::KillFocus:
      note_focus_lost();
      break;
    case MessageId::ActivateApp:
      if ((wparam & 0xFFFF) == 1) note_app_activated();
      break;
    case MessageId::SysKeyDown:
    case MessageId::SysKeyUp:
      if (wparam != static_cast<std::uintptr_t>(platform::KeyF4)) return 0;
      break;
    case MessageId::SysCommand:
      if (refused_command(wparam)) return 0;
      break;
    case MessageId::HotKey:
      if ((lparam & 0xFFFF) != platform::HotKeyAlt || (lparam >> 16) != platform::KeyF4) return 0;
      break;
    default:
      break;
  }
  return platform::call_window_proc(previous_wnd_proc, window, message, wparam, lparam);
}

int WinMain(platform::Instance* instance, platform::Instance*, const char*, int) {
  const platform::WindowClass window_class{"QORV", main_wnd_proc};
  platform::Window* window =
      platform::create_window(window_class, "QORV", screen_width, screen_height);
  if (!window) {
    std::fprintf(stderr,
                 "qorv: cannot open a display (%s); set QORV_BACKEND=headless to run without one\n",
                 platform::window_error().c_str());
    return 1;
  }
  AppWindow.main_window = window;
  AppWindow.instance = instance;
  get_window_origin(window, &AppWindow.origin_x, &AppWindow.origin_y, 0);
  cd_drive_letter = find_cd_drive("QORV_CD4");
  platform::show_window(window, platform::ShowCommand::Show);
  if (!init_game(window, instance)) platform::destroy_window(window);
  previous_wnd_proc = platform::set_window_proc(window, game_wnd_proc);
  int exit_code = run_message_loop(window, instance);
  platform::free_window(window);
  AppWindow.main_window = nullptr;
  return exit_code;
}
