// The load screen's input and update: the slot chosen, then the load.
#include "core/game_mode.h"
#include "g3d/renderer.h"
#include "sound/sfx_bank.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_load.h"
#include "ui/talk_msg.h"
#include "ui/ui_numbers.h"

void input_load_system() {
  const SlotListInput in = input_slot_list();
  if (in.confirm) {
    play_sfx(sfx_load, 1);
    renderer.set_no_cull(1);
    slot_list_state.key_mode = 1;
    cursor_slot_name(load_screen.slot_name);
    load_screen.load_request = 1;
    return;
  }
  if (in.cancel) {
    play_sfx(sfx_back, 1);
    del_all_talkmsg();
    slot_list_state.key_mode = 1;
    call_load_system(MODE_LEAVE, 0, 0);
  }
}

// A slot that does not load is tried once: the refusal sound, and the list stays.
void update_load_system() {
  if (!load_screen.load_request) return;
  load_screen.load_request = 0;
  if (load_game(load_screen.slot_name) != 1) {
    play_sfx(sfx_refuse, 1);
    return;
  }
  call_load_system(MODE_LEAVE, 0, 0);
  GameMode = mode_field;
}
