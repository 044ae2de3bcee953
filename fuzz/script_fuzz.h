#pragma once
// Shared set-up of the script fuzz targets: a fresh map of roles, flags, queue, boxes and
// paths for every input, so that nothing one input leaves behind changes the next.
#include <cstring>

#include "base/resources.h"
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
#include "ui/summon.h"
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
    game_clock = 1000;
    dwellings[0].active = true;  // one dwelling with room, so that the resident opcodes act
  }
};
