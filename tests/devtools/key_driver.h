#pragma once
// Drives the logical keys as the frame tick's key mapping does: every driven key is updated once
// a frame, down when it is listed as held, so that a key listed in one frame only is pressed.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/grp_input.h"

class KeyDriver {
 public:
  // One frame: the listed keys down, every other key ever driven up.
  void frame(std::initializer_list<KeyCode> held = {}, std::uint32_t step_ms = 300) {
    now_ += step_ms;
    // A key seen for the first time is let go first, so that holding it counts as a press.
    for (KeyCode k : held)
      if (remember(k)) {
        grp_input.update_key(now_ - 200, k, 0);
        grp_input.update_key(now_ - 100, k, 0);
      }
    for (KeyCode k : keys_) {
      bool down = false;
      for (KeyCode h : held) down = down || h == k;
      grp_input.update_key(now_, k, down ? 1 : 0);
    }
  }
  // A frame with the keys down for a second time within the quick re-press time: a double press.
  void double_press(std::initializer_list<KeyCode> keys) {
    frame({}, 40);
    frame(keys, 40);
  }
  // Every key up long enough that the next press is a single one (another test may have left
  // keys held in the one input object).
  void release_all() {
    for (int i = 0; i < 2; ++i) {
      now_ += 1000;
      for (KeyCode k = 0; k < key_code_count; ++k) grp_input.update_key(now_, k, 0);
    }
  }
  std::uint32_t now() const { return now_; }

 private:
  bool remember(KeyCode k) {
    for (KeyCode known : keys_)
      if (known == k) return false;
    keys_.push_back(k);
    return true;
  }
  std::vector<KeyCode> keys_;
  std::uint32_t now_ = 10000;
};
