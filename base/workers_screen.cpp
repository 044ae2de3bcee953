// The workshop workers page, least form: its panels; cancel goes back to the house's commands.
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/houses_screen.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"

void reset_idle_list() {}

void input_workers_screen() {
  arbitrate_mouse();
  if (cancel_pressed()) {
    open_houses_on(selected_house_id);
    play_sfx(sfx_base_back, 0);
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) click_top_bar(mouse_x, mouse_y);
}

void draw_workers_screen() {
  draw_base_sprite(base_panel_act, 11, 27, 42);
  draw_base_sprite(base_panel_act, 13, 260, 42);
}
