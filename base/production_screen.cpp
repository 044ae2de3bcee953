// The production pages (weapons, armour, items, treasures), least form: their panels; cancel
// goes back to the houses page on the workshop.
#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/houses_screen.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"

int production_recipe_key = 1;

void input_production_screen() {
  arbitrate_mouse();
  if (cancel_pressed()) {
    open_houses_on(picked_house_id);
    play_sfx(sfx_base_box_leave, 0);
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) click_top_bar(mouse_x, mouse_y);
}

void draw_production_screen() {
  draw_base_sprite(base_panel_act, 11, 27, 42);
  draw_base_sprite(base_panel_act, 12, 260, 42);
}
