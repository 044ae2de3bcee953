// The new-game reset.
#include "ui/new_game.h"

#include <cstring>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "script/talk_state_words.h"

void reset_game() {
  quit_request = 0;
  frame_due = 0;
  GameMode = mode_field;
  SavedGameMode = mode_field;
  talk_box_state = 0;
  input_wait_frames = 0;
  game_clock = 0;
  play_time = 0;
  std::memset(flag_bytes, 0, sizeof flag_bytes);
  clear_return_point();
  // The switches game.ini turned on (the developer keys among them) outlast the reset.
  reapply_game_ini_flags();
}
