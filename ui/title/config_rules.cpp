// The rules of the configuration screens.
#include "ui/title/config_screens.h"

#include <algorithm>

#include "core/grp_input.h"

namespace {

constexpr int button_count = 3;

int last_cursor(const ConfigKind& kind) { return kind.first_button + button_count - 1; }

}  // namespace

const ConfigKind key_config_kind{13, 13, 0, 390, 25, 25, -1174};
const ConfigKind joy_config_kind{6, 6, key_joy_button1 + 12, 65 + 6 * 30, 30, 30, -502};

ConfigScreen key_config_screen;
ConfigScreen joy_config_screen;

int config_cursor_at(const ConfigKind& kind, int x, int y) {
  if (x >= 240 && x < 464 && y > 64 && y < kind.mouse_row_top) return (y - 65) / kind.mouse_row_pitch;
  if (x >= 70 && x <= 348 && y >= 416 && y < 448) return (x - 70) / 93 + kind.first_button;
  return -1;
}

int config_step_cursor(const ConfigKind& kind, int cursor, int delta) {
  return std::clamp(cursor + delta, 0, last_cursor(kind));
}

ConfigChoice config_choose(const ConfigKind& kind, ConfigScreen& s) {
  if (s.cursor == kind.first_button) return ConfigChoice::confirm;
  if (s.cursor == kind.first_button + 1) return ConfigChoice::cancel;
  if (s.cursor == kind.first_button + 2) return ConfigChoice::defaults;
  s.working[s.cursor] = kind.waiting_marker;
  s.state = config_waiting;
  return ConfigChoice::wait_for_key;
}

bool config_take(const ConfigKind& kind, ConfigScreen& s, int code) {
  const bool keyboard = &kind == &key_config_kind;
  if (keyboard && (code == key_escape || code == key_enter)) return false;
  // Only the editable rows are searched: the rest of the copy is never shown, and a match there
  // would put the cursor on a row that is not on the screen.
  for (int i = 0; i < kind.editable_rows; ++i) {
    if (i == s.cursor || s.working[i] != code) continue;
    s.working[s.cursor] = code;
    s.cursor = i;
    s.working[i] = kind.waiting_marker;
    return true;
  }
  s.working[s.cursor] = code;
  s.state = config_browsing;
  return true;
}
