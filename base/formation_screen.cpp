// The formation screen, least form: its panels; cancel goes back to the houses page on the
// formation ground.
#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/houses_screen.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"

int formation_row = 0, formation_card_toggle = 0;

void reset_formation_selection() { formation_row = formation_card_toggle = 0; }

void input_formation_screen() {
  arbitrate_mouse();
  if (cancel_pressed()) {
    open_houses_on(picked_house_id);
    formation_row = 0;
    play_sfx(sfx_base_box_leave, 0);
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) click_top_bar(mouse_x, mouse_y);
}

void draw_formation_screen() {
  draw_base_sprite(base_panel_act, 11, 27, 42);
  draw_base_sprite(base_panel_act, 14, 260, 42);
}
