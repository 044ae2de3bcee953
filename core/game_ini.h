#pragma once
// game.ini: the developer and installer switches, read once at start-up.
#include <string>

namespace platform {
struct Window;
class Profile;
}  // namespace platform

extern int debug_keys_enabled;
// music_off and wav_off are remembered like debug_keys_enabled so that the new-game reset
// (which clears every flag) can set flags 20 and 21 again.
extern int music_off_enabled;
extern int wav_off_enabled;

// 0 when the file gives no section names (missing or empty), else 1. window is not used.
int read_game_ini(platform::Window* window, const std::string& path);
// The switches of an already parsed profile (what read_game_ini does after loading the file).
int apply_game_ini(const platform::Profile& ini);
// Sets the flags remembered from game.ini again after a reset of all flags.
void reapply_game_ini_flags();
