#pragma once
// One logical key's state, advanced once per frame by the key mapping (GrpInput::update_key)
// and read by the five key queries of GrpInput.
#include <cstdint>

struct KeyPress {
  int kind = 0;                    // 0 up, 1 a single press, 2 a quick re-press
  std::uint32_t release_time = 0;  // game_clock of the first up update after a press; 0 while down
  int previous_kind = 0;           // kind of the last press, forgotten 90 ms after the release
  int held = 0;                    // consecutive down updates of the current press
};

// A press that follows the last release within this many milliseconds is a quick re-press.
constexpr std::uint32_t quick_repress_ms = 90;
