#pragma once
// A game directory and the program's window for one test: the data kit's sample game in a
// temporary folder that is the current directory, a headless window with the class procedure,
// the fake clock, and helpers that run frames and window messages the way the message loop does.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/events.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"

namespace platform {
struct Window;
}

class GameHarness {
 public:
  // The sample game, with game.ini offering no window question unless ask_window.
  explicit GameHarness(bool ask_window = false);
  ~GameHarness();

  platform::Window* window() const { return window_; }
  const fixtures::TempFolder& dir() const { return dir_; }

  // Starts the game as WinMain does: init_game, then game_wnd_proc installed. Init's result.
  int start();
  // Installs game_wnd_proc on the window (start does it too).
  void install_game_proc();
  // Sets up what the frame tick needs without the whole start-up: the game directory, the
  // frame timer at 35 frames per second on the fake clock, the main window record.
  void prepare_ticks();

  // Passes of the frame tick until one due frame has run (the clock advances one frame period).
  void run_frame();
  // One pass of the frame tick after the clock advanced ms.
  void tick(std::uint32_t ms);
  // Advances the clock one frame period and ticks the timer alone: the next pass is due.
  void make_due();
  // Dispatches every waiting message; true when Quit came.
  bool pump();

  // The lines of debug.txt, without their " \r\n" ends.
  std::vector<std::string> log_lines() const;
  bool has_file(const std::string& relative) const;

 private:
  fixtures::TempFolder dir_;
  platform::Window* window_ = nullptr;
};

// The frame the display presented last (width 0 when none was).
test_support::Frame565 presented_frame();
