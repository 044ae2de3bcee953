// The magic training screen, least form over the hall's rules (base/training_hall.h): its panels; cancel goes back to the houses page on the
// training hall.
#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/houses_screen.h"
#include "base/training_hall.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"

int training_page = 0;

void input_training_screen() {
  arbitrate_mouse();
  if (cancel_pressed()) {
    open_houses_on(picked_house_id);
    training_page = 0;
    play_sfx(sfx_base_box_leave, 0);
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) click_top_bar(mouse_x, mouse_y);
}

void draw_training_screen() {
  // A hall whose study ended sends its master home.
  if (training_page != 3) dismiss_idle_master();
  draw_base_sprite(base_panel_act, 11, 27, 42);
  draw_base_sprite(base_panel_act, 15, 260, 42);
}
