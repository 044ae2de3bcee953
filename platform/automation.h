#pragma once
// Automation of the program, for tests and for anyone scripting it (README, "Automation"):
//   QORV_FRAMES=N    asks the window to close after N frames have run;
//   QORV_INPUT=FILE  replays input, one event a line (below);
//   QORV_SHOTS=DIR   a PNG of each presented frame that differs from the last, DIR/NNNNNN.png;
//   QORV_SEED=N      seeds the game's random numbers with N instead of the calendar time;
//   QORV_SCENE=NAME  ends start-up in the demo scene NAME instead of the title;
//   QORV_BOX_WAIT=S  headless message boxes stay open S seconds before they answer;
//   QORV_WATCHDOG=S  ends the program with a message and SIGABRT when no frame ran for S seconds
//                    of real time (a hang; for the soak);
//   QORV_HEAP_STATS=1 the program ends by printing its heap's figures (live blocks at start and
//                    at the end, peaks) and the frames run on standard error, for the soak.
// A whole program on the headless backend runs on virtual time (use_virtual_time): the clock is
// the fake one and every pass of the event pump moves it 1 ms on, so a replayed run draws the
// same frames however fast or loaded the machine is.
// Frames are counted by the frame tick (count_frame): a frame is a pass of the tick on which the
// frame timer had marked a frame due, so N frames take N x 1/35 s of real time.
//
// Input file: blank lines and lines starting with '#' are skipped; every other line is
//   FRAME down KEY | FRAME up KEY | FRAME text UTF8 | FRAME mouse X Y | FRAME click BUTTON |
//   FRAME wheel NOTCHES | FRAME close
// FRAME counts frames from 0: an event of frame F takes effect before frame F runs. KEY is a key
// name of key_code_from_name or a single character; BUTTON is 1, 2, 3, left, right or middle;
// NOTCHES turns the mouse wheel, positive away from the user.
// The headless backend replays the events: text and close (and keys, for text fields) become
// window messages, and the headless keyboard and mouse read headless_input_events.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct InputEvent {
  enum class Kind { Down, Up, Text, Mouse, Click, Wheel, Close };
  int frame = 0;
  Kind kind = Kind::Down;
  int key = 0;       // Down, Up: the KeyCode
  int x = 0, y = 0;  // Mouse: the position on the 640 x 480 screen
  int button = 0;    // Click: 1 left, 2 right, 3 middle
  int notches = 0;   // Wheel: notches turned, positive away from the user
  std::string text;  // Text: UTF-8
};

// The KeyCode of a key name ("escape", "enter", "f8", "left", "lshift", "kp_plus" ..., any
// case), of a single printable character (letters fold to lower case) or of a decimal KeyCode;
// 0 when unknown.
int key_code_from_name(std::string_view name);

// Parses an input script; false with "line N: why" in error on the first bad line.
bool parse_input_script(std::string_view text, std::vector<InputEvent>& events, std::string& error);

// Reads QORV_FRAMES, QORV_INPUT and QORV_SHOTS. False with a one-line reason when a value is bad
// or the input file cannot be read or parsed.
bool init_automation(std::string& error);

// Replaces the replayed input (tests; init_automation fills it from QORV_INPUT).
void set_input_events(std::vector<InputEvent> events);
// The events of one frame, in file order.
std::vector<InputEvent> headless_input_events(int frame);

// The frame tick calls this at the start of every frame that runs; returns that frame's number
// (0 for the first). When the count reaches QORV_FRAMES, the window is asked to close.
int count_frame();
// The number of the frame running now or last run; -1 before the first.
int current_frame();
// Frames counted so far.
int frames_counted();

int frame_limit();                 // QORV_FRAMES, 0 when unset
void set_frame_limit(int frames);  // tests; init_automation reads QORV_FRAMES
const std::string& shots_dir();    // QORV_SHOTS, "" when unset

std::optional<std::uint32_t> random_seed();              // QORV_SEED, none when unset
void set_random_seed(std::optional<std::uint32_t> seed);  // tests
const std::string& scene_name();                         // QORV_SCENE, "" when unset
void set_scene_name(std::string name);                   // tests
int box_wait_seconds();                                  // QORV_BOX_WAIT, 0 when unset
bool heap_stats();                                       // QORV_HEAP_STATS=1
int watchdog_seconds();                                  // QORV_WATCHDOG, 0 when unset

// Installs the fake clock at a fixed start and lets the headless event pump step it
// (virtual_time_step, once a pass). Until then the pump leaves the clock alone, as the
// in-process tests that drive the fake clock themselves expect.
void use_virtual_time();
bool virtual_time();
void virtual_time_step();

// Forgets every setting and the frame count (tests).
void reset_automation();

}  // namespace platform
