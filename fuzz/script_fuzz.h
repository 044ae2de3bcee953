#pragma once
// Shared set-up of the script fuzz targets: a fresh map of roles, flags, queue, boxes and
// paths for every input, so that nothing one input leaves behind changes the next.
#include <cstring>

#include "base/resources.h"
#include "base/houses.h"
#include "base/residents.h"
#include "battle/fight_man.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_mode.h"
#include "data/map_role.h"
#include "data/music_state.h"
#include "data/party.h"
#include "field/role_path.h"
#include "fuzz/data_fuzz.h"
#include "script/ai_file.h"
#include "script/fight_ai.h"
#include "script/msg_settings.h"
#include "script/script_values.h"
#include "script/talk_ops.h"
#include "script/talk_files.h"
#include "script/talk_queue.h"
#include "script/talk_timer.h"
#include "script/text_slots.h"
#include "tests/fixtures/script_state.h"
#include "ui/talk_msg.h"
#include "ui/summon/summon.h"
#include "ui/text_button.h"

class ScriptFuzzInput : public DataFuzzInput {
 public:
  ScriptFuzzInput() { reset(); }
  ~ScriptFuzzInput() {
    reset();
    close_talk_data();
    close_AI_data();
  }

  // A map of the narrator, a leader and three roles with RoleIDs 1001-1003.
  static void place_roles() {
    static const std::uint16_t ids[] = {0xFF01, 0xFF02, 1001, 1002, 1003};
    for (std::uint16_t id : ids) {
      MapRole& r = gmMapRole[gmMapRoleCount++];
      r = MapRole{};
      r.RoleID = id;
    }
    player_role_index = 1;
  }

 private:
  static void reset() {
    fixtures::reset_script_state();
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    gmMapRoleCount = 0;
    for (FightMan& u : gmFightMan) fight_unit_clear(u);
    reset_fight_ai();
    game_clock = 1000;
    reset_talk_groups();
  }

  // What the party, music, text and screen opcodes leave behind.
  static void reset_talk_groups() {
    GameMode = SavedGameMode = mode_field;
    summon_state = 0;
    field_overlay_bits = 0;
    party_money = party_wood = party_metal = party_coal = 0;
    free_party_items();
    free_all_houses();
    add_default_house(9901, 5700, 200, 5700, 0);
    std::memset(game_state_words, 0, sizeof game_state_words);
    std::memset(text_slots, 0, sizeof text_slots);
    text_slot_count = 0;
    music_fade_frames = talk_music_mark = 0;
    talk_walk_speed = talk_default_speed;
    next_path_y_step = 0.0f;
    std::memset(music_ids, 0, sizeof music_ids);
    std::memset(music_params, 0, sizeof music_params);
  }
};
