// The mechanisms page.
#include "ui/menu/menu_mechanisms.h"

#include <algorithm>
#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/mission_name.h"
#include "g3d/act_draw.h"
#include "gfx2d/game_fonts.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_system.h"
#include "ui/paragraph.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

int mechanisms[3] = {};
int count = 0;
int selection = 0;

constexpr int listed_flags[3] = {flag_mechanism_listed_0, flag_mechanism_listed_1, flag_mechanism_listed_2};
constexpr int owned_flags[3] = {flag_mechanism_0, flag_mechanism_1, flag_mechanism_2};
// "機關鳶", "機關屋", "雲中塔"
constexpr const char* names[3] = {"\xbe\xf7\xc3\xf6\xbb\xf0", "\xbe\xf7\xc3\xf6\xab\xce", "\xb6\xb3\xa4\xa4\xb6\xf0"};
constexpr int tab_colour = 15, text_colour = 26;
constexpr std::uint32_t highlight = 0x64FFFFFF;

// The Name.gll text as a zero-ended copy cut at its "%Q".
void copy_text(PoolText t, char* out, std::size_t size) {
  std::size_t n = 0;
  while (n + 1 < size && n < t.size() && t[n] != 0 && !(t[n] == '%' && n + 1 < t.size() && t[n + 1] == 'Q')) {
    out[n] = char(t[n]);
    ++n;
  }
  out[n] = 0;
}

}  // namespace

void rebuild_mechanism_list() {
  count = 0;
  for (int k = 0; k < 3; ++k)
    if (test_flag(listed_flags[k])) mechanisms[count++] = k;
  // The selection stays from the last visit; only a list grown shorter (a load) moves it back.
  if (selection >= count) selection = 0;
}

int mechanism_count() { return count; }
int mechanism_at(int index) { return index >= 0 && index < count ? mechanisms[index] : -1; }
int mechanism_selection() { return selection; }

void input_mechanism_page() {
  if (cancel_key()) {
    menu_page = menu_page_bar;
    return;
  }
  if (count == 0) return;
  if (grp_input.key_press(key_mouse1)) {
    const int tab = first_box_hit({125, 10, 225, 34, 100, 0, count}, mouse_x, mouse_y);
    if (tab >= 0) {
      selection = tab;
      play_sfx(sfx_tab, 1);
      return;
    }
  }
  if (grp_input.key_repeat(key_left)) {
    selection = selection == 0 ? count - 1 : selection - 1;
    play_sfx(sfx_tab, 1);
  } else if (grp_input.key_repeat(key_right)) {
    selection = selection + 1 >= count ? 0 : selection + 1;
    play_sfx(sfx_tab, 1);
  }
}

void draw_mechanism_page() {
  set_menu_camera(-200, 750, 0, 10, 335, 0, 4000);
  for (int i = 0; i < count; ++i) {
    draw_text_at(font_20, 125 + 100 * i, 10, names[mechanisms[i]], text_colours[tab_colour], GLYPH_PLAIN);
    draw_text_at(font_20, 124 + 100 * i, 10, names[mechanisms[i]], text_colours[tab_colour], GLYPH_PLAIN);
  }
  if (count == 0) return;
  draw_select_bar(118 + 100 * selection, 4, 90, 30, highlight);
  const int m = mechanisms[std::clamp(selection, 0, count - 1)];
  if (!test_flag(owned_flags[m]) && !test_flag(listed_flags[m])) return;
  show_menu_model(std::uint16_t(mechanism_model_first + m), 0, 0);
  draw_act(info_panel_act, 0, 90, 345, 0);
  char text[512];
  copy_text(get_Name(std::uint16_t(mechanism_model_first + m)), text, sizeof text);
  draw_paragraph(&font_20, text, 105, 350, 4, 440, text_colour);
}
