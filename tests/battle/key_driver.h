#pragma once
// Drives the logical keys the battle reads as the frame tick does, one update a frame: the keys
// listed are down, every other driven key is up.
#include <initializer_list>

#include "core/grp_input.h"

namespace battle_test {

class KeyDriver {
 public:
  KeyDriver() { release(); }
  // One frame's key state, then the step.
  template <class Step>
  void frame(std::initializer_list<KeyCode> down, Step step) {
    now_ += 29;
    for (KeyCode k : keys_) {
      bool held = false;
      for (KeyCode d : down) held = held || d == k;
      grp_input.update_key(now_, k, held ? 1 : 0);
    }
    step();
  }
  // Every key up, long enough that the next press is a new press and not a quick second one.
  void release() {
    for (int i = 0; i < 2; ++i, now_ += 200)
      for (KeyCode k : keys_) grp_input.update_key(now_, k, 0);
  }

 private:
  static constexpr KeyCode keys_[] = {key_enter, key_escape, key_space, key_up,    key_down, key_left, key_right,
                                      key_lctrl, key_rctrl,  key_lshift, key_f1,   key_f1 + 1, key_f1 + 2,
                                      key_f1 + 3, key_home,  key_end,   key_caps_lock, key_mouse1, key_mouse2,
                                      'a', 'c', 'd', 'f', 'q', 'r', 's', 't', 'v', 'w', 'x', 'z', '1', '2', '3'};
  unsigned now_ = 1000;
};

}  // namespace battle_test
