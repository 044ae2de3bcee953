#include "tests/app/game_harness.h"

#include <filesystem>
#include <sstream>

#include "app/frame_tick.h"
#include "app/startup.h"
#include "app/win_main.h"
#include "core/app_window.h"
#include "core/frame_timer.h"
#include "core/game_ini.h"
#include "core/grp_input.h"
#include "core/paths.h"
#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/window.h"
#include "tests/fixtures/game_ini_writer.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/script_state.h"

GameHarness::GameHarness(bool ask_window) : dir_(true) {
  fixtures::write_sample_game(dir_.path());
  if (!ask_window) dir_.write("game.ini", fixtures::standard_game_ini("0", "0", "0", "0"));
  // What an earlier test's game left (game.ini's switches, flags, roles, queue, script marks)
  // goes before this one starts, as in a fresh process that has not read game.ini yet.
  debug_keys_enabled = music_off_enabled = wav_off_enabled = 0;
  game_dir = dir_.str();
  fixtures::reset_game_state();
  platform::use_fake_clock(1000);
  platform::clear_recorded_boxes();
  platform::reset_automation();
  // Keys an earlier test left down would make this test's first press no press.
  platform::headless_input_reset();
  grp_input.clear_keys();
  window_ = platform::create_window({"QORV", main_wnd_proc}, "QORV", 640, 480);
  AppWindow.main_window = window_;
}

GameHarness::~GameHarness() {
  // The shut-down releases what the start-up built, also after a failed or no start.
  end_game();
  platform::free_window(window_);
  AppWindow.main_window = nullptr;
  // A test may set the display up before the harness; the next starts from the default one.
  platform::reset_display_config();
  platform::use_real_clock();
}

int GameHarness::start() {
  int ready = init_game(window_, platform::program_instance());
  if (!ready) platform::destroy_window(window_);
  install_game_proc();
  return ready;
}

void GameHarness::install_game_proc() {
  previous_wnd_proc = platform::set_window_proc(window_, game_wnd_proc);
}

void GameHarness::prepare_ticks() {
  game_dir = dir_.str();
  reset_frame_timer();
  set_frame_rate(35);
  // The input object as start-up sets it up, so that the frame tick reads the replayed input.
  grp_input.create(platform::program_instance(), window_, 0);
  grp_input.set_mouse_speed(2.0f);
  grp_input.set_mouse_rect(0, 0, 640, 480);
  grp_input.set_mouse_pos(10, 10);
}

void GameHarness::tick(std::uint32_t ms) {
  platform::advance_fake_clock(ms);
  frame_tick(window_, platform::program_instance());
}

void GameHarness::make_due() {
  platform::advance_fake_clock(29);
  tick_frame_timer();
}

void GameHarness::run_frame() {
  int before = platform::frames_counted();
  tick(29);  // the timer marks the frame due
  for (int pass = 0; pass < 4 && platform::frames_counted() == before; ++pass) tick(0);
}

bool GameHarness::pump() {
  while (platform::peek_message()) {
    platform::Message msg;
    if (!platform::get_message(msg)) return true;
    platform::dispatch_message(msg);
  }
  return false;
}

std::vector<std::string> GameHarness::log_lines() const {
  std::istringstream in(dir_.read("debug.txt"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool GameHarness::has_file(const std::string& relative) const {
  return std::filesystem::exists(dir_.path() / relative);
}

test_support::Frame565 presented_frame() {
  test_support::Frame565 f;
  auto frame = platform::last_presented_frame();
  if (!frame) return f;
  f.width = frame->width;
  f.height = frame->height;
  f.pixels = frame->pixels;
  return f;
}
