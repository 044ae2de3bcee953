// The menu system.
#include "ui/menu_system.h"

#include "core/game_mode.h"
#include "g3d/renderer.h"

void input_menu_system() {}
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
