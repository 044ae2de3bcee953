#pragma once
// game.ini: the developer and installer switches, read once at start-up.
#include <string>

namespace platform { struct Window; }

extern int debug_keys_enabled;
// music_off and wav_off are remembered like debug_keys_enabled so that the new-game reset
// (which clears every flag) can set flags 20 and 21 again.
extern int music_off_enabled;
extern int wav_off_enabled;

int read_game_ini(platform::Window* window, const std::string& path);
// Sets the flags remembered from game.ini again after a reset of all flags.
void reapply_game_ini_flags();
