// The logical key table: per-key press kind, release time and held count, and the queries
// every screen uses. All counts are frames, since the mapping updates each key once a frame.
#include "core/key_state.h"

#include "core/grp_input.h"

namespace {
bool valid(KeyCode k) { return k >= 0 && k < key_code_count; }
}  // namespace

int GrpInput::update_key(std::uint32_t now_ms, KeyCode k, int down) {
  if (!valid(k)) return 0;
  KeyPress& e = key_presses_[k];
  if (down) {
    if (e.release_time != 0) {  // up at the previous update: a new press
      e.kind = press_transition_[e.previous_kind & 3];
      e.previous_kind = e.kind;
      e.held = 0;
    }
    ++e.held;
    e.release_time = 0;
  } else {
    e.held = 0;
    if (e.release_time == 0) {
      e.release_time = now_ms;  // kind survives this first up update
    } else {
      e.kind = 0;
      if (now_ms - e.release_time > quick_repress_ms) e.previous_kind = 0;
    }
  }
  return e.held;
}

int GrpInput::key_press(KeyCode k) const {
  return valid(k) && key_presses_[k].held == 1 && key_presses_[k].kind == 1;
}

int GrpInput::key_double_press(KeyCode k) const {
  return valid(k) && key_presses_[k].held == 1 && key_presses_[k].kind == 2;
}

int GrpInput::key_down(KeyCode k) const { return valid(k) && key_presses_[k].kind != 0; }

int GrpInput::key_repeat(KeyCode k) const {
  if (!valid(k)) return 0;
  int held = key_presses_[k].held;
  return held == 1 || (held > 10 && held % repeat_rate_ == 0);
}

int GrpInput::key_repeat_fast(KeyCode k) const {
  if (!valid(k)) return 0;
  int held = key_presses_[k].held;
  return held == 1 || (held > 3 && held % 3 == 0);
}

const KeyPress& GrpInput::key_entry(KeyCode k) const {
  static const KeyPress none;
  return valid(k) ? key_presses_[k] : none;
}
