// The menu system.
#include "ui/menu_system.h"

#include "core/game_mode.h"
#include "core/grp_input.h"
#include "g3d/act_draw.h"
#include "g3d/renderer.h"
#include "ui/ui_numbers.h"

// Until the pages exist the menu shows nothing, and any of the cancel keys leaves it, so that
// opening it never strands the player.
void input_menu_system() {
  for (KeyCode k : {key_mouse2, key_lctrl, key_rctrl, key_escape})
    if (grp_input.key_press(k)) {
      SFLB_call_menu_system(MODE_LEAVE, 0, 0);
      return;
    }
}
void draw_menu_system() { renderer.present(); }

// The menu's pages come with the menu system; until then it only switches the mode.
int SFLB_call_menu_system(std::uint32_t flags, int, int) {
  if (flags == MODE_ENTER) {
    if (GameMode == mode_menu) return 0;
    SavedGameMode = GameMode;
    GameMode = mode_menu;
  } else if (flags == MODE_RESUME) {
    GameMode = mode_menu;
  } else {
    GameMode = SavedGameMode;
  }
  return 1;
}

// The save item's page comes with the menu's pages: until then nothing is pending.
void consume_save_item() {}

void draw_menu_footer(int x, int y) { draw_act(menu_footer_act, 0, x, y, 0); }

// The options panel comes with the menu's system page.
void init_options_panel() {}
void input_options_panel() {}
void draw_options_panel() {}
