// The save and load screens.
#include "ui/save_load.h"

#include "core/game_mode.h"
#include "g3d/renderer.h"

namespace {
void call_screen(int mode, std::uint32_t flags) {
  if (flags == MODE_ENTER) {
    if (GameMode == mode_save || GameMode == mode_load) return;
    SavedGameMode = GameMode;
    GameMode = mode;
  } else if (flags == MODE_RESUME) {
    GameMode = mode;
  } else {
    GameMode = SavedGameMode;
    SavedGameMode = 0;
  }
}
}  // namespace

void call_save_system(std::uint32_t flags, int, int) { call_screen(mode_save, flags); }
void call_load_system(std::uint32_t flags, int, int) { call_screen(mode_load, flags); }

void input_save_system() {}
void input_load_system() {}
void update_load_system() {}
void draw_save_system() { renderer.present(); }
