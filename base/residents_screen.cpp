// The residents page, least form: its panels; cancel goes back to the overview.
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"

int residents_state = 0;

void reset_residents_screen() { residents_state = 0; }

void input_residents_screen() {
  arbitrate_mouse();
  if (cancel_pressed()) {
    back_to_overview();
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) click_top_bar(mouse_x, mouse_y);
}

void draw_residents_screen() {
  draw_base_sprite(base_panel_act, 11, 27, 42);
  draw_base_sprite(base_panel_act, 12, 260, 42);
}
