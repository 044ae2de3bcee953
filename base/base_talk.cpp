// The base-building talk commands.
#include "base/base_talk.h"

#include <algorithm>

#include "base/base_camp.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/build_screen.h"
#include "base/houses_screen.h"
#include "core/key_mapping.h"
#include "script/script_cursor.h"

int guide_gliding = 0;
std::uint16_t guide_target[2] = {};

namespace {

enum : std::uint16_t { talk_open_page = 350, talk_glide = 351, talk_reset_build = 352, talk_open_build = 353 };
constexpr std::uint16_t not_base = 0xFFFF, again = 0;
constexpr int glide_step_x = 3, glide_step_y = 2;

int step_toward(int from, int to, int step) {
  if (std::abs(to - from) < step) return to;
  return from + (to > from ? step : -step);
}

// The build page in a state (0-2) on a row (1-9): talk commands take the values they name,
// kept within what the page can show.
void open_build_clamped(int state, int row) { open_build_page(std::clamp(state, 0, 2), std::clamp(row, 1, 9)); }

}  // namespace

void start_guide_glide(int x, int y) {
  guide_gliding = 1;
  // The pointer lives within 1-639 and 1-479: a target outside could never be reached.
  guide_target[0] = std::uint16_t(std::clamp(x, 1, 639));
  guide_target[1] = std::uint16_t(std::clamp(y, 1, 479));
}

void step_guide_glide() {
  if (mouse_x == guide_target[0] && mouse_y == guide_target[1]) {
    guide_gliding = 0;
    return;
  }
  mouse_x = step_toward(mouse_x, guide_target[0], glide_step_x);
  mouse_y = step_toward(mouse_y, guide_target[1], glide_step_y);
  grp_input.set_mouse_pos(mouse_x, mouse_y);
}

void reset_base_screens() {
  base_sub_mode = top_menu_page = build_state = houses_state = residents_state = 0;
}

std::uint16_t run_base_talk_cmd(std::uint16_t opcode, ScriptCursor& at) {
  const std::size_t pos = at.pos();
  const std::uint16_t a = at.u16_at(pos + 2), b = at.u16_at(pos + 4);
  switch (opcode) {
    case talk_open_page:
      open_top_menu_page(std::min<int>(a, page_leave));
      return 4;
    case talk_glide:
      start_guide_glide(a, b);
      step_guide_glide();
      return guide_gliding ? again : 6;
    case talk_reset_build:
      reset_base_screens();
      open_build_clamped(a, b);
      return 6;
    case talk_open_build:
      open_build_clamped(a, b);
      return 6;
    default:
      return not_base;
  }
}
