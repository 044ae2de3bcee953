// The title screen.
#include "ui/title_screen.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "data/map_role.h"
#include "data/maps_init.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/renderer.h"
#include "script/talk_queue.h"
#include "ui/new_game.h"

TextInputField* title_name_field = nullptr;

namespace {
EffectManager title_effects;
}

void SFLB_call_game_start(std::uint32_t flags, int, int) {
  title_effects.clear();
  if (flags == MODE_ENTER) {
    if (GameMode == mode_title) return;
    reset_game();
    clear_flag(flag_scene_hidden);
    clear_flag(flag_event_scene);
    clear_flag(flag_cursor_hidden);
    set_flag(flag_switch_9);
    GameMode = mode_title;
  } else if (flags == MODE_RESUME) {
    GameMode = mode_title;
  } else {
    GameMode = mode_field;
  }
}

void input_game_start() {
  if (!grp_input.key_press(key_enter)) return;
  read_maps_init();
  read_maps_role(0);
  gmTmpTalk = MapRole{};
  gmTmpTalk.RoleID = party_role_first;
  gmTmpTalk.TALK = new_game_talk;
  add_talks_proc(&gmTmpTalk);
  set_flag(flag_cursor_hidden);
  SFLB_call_game_start(MODE_LEAVE, 0, 0);
}
void update_game_start() {}
void draw_game_start() { renderer.present(); }
