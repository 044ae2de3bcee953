// The flag editor's keys.
#include "devtools/flag_editor.h"

#include <algorithm>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "field/debug_overlay.h"

void reset_flag_editor() { flag_editor_base = flag_editor_row = flag_editor_column = 0; }

void run_flag_editor() {
  GrpInput& in = grp_input;
  if (in.key_press(key_escape) || in.key_press(key_lctrl) || in.key_press(key_rctrl)) clear_flag(flag_flag_editor);
  if (in.key_repeat_fast(key_up)) flag_editor_row = std::max(flag_editor_row - 1, 0);
  if (in.key_repeat_fast(key_down)) flag_editor_row = std::min(flag_editor_row + 1, flag_editor_last_row);
  if (in.key_repeat_fast(key_right)) flag_editor_column = std::min(flag_editor_column + 1, flag_editor_last_row);
  if (in.key_repeat_fast(key_left)) flag_editor_column = std::max(flag_editor_column - 1, 0);
  if (in.key_repeat_fast(key_page_up)) flag_editor_base = std::max(flag_editor_base - flag_editor_page, 0);
  if (in.key_repeat_fast(key_page_down))
    flag_editor_base = std::min(flag_editor_base + flag_editor_page, flag_editor_last_base);
  if (in.key_repeat_fast(key_home)) flag_editor_base = 0;
  if (in.key_repeat_fast(key_end)) flag_editor_base = flag_editor_last_base;
  if (in.key_press(key_space) || in.key_press(key_enter)) {
    const int n = flag_editor_selected();
    if (test_flag(n) == 1)
      clear_flag(n);
    else
      set_flag(n);
  }
}
