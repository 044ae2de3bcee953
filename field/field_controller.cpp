// The field controller.
#include "field/field_controller.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "data/map_role.h"
#include "field/role_path.h"
#include "script/role_ai.h"
#include "script/talk_queue.h"
#include "script/talk_timer.h"

int encounter_step_count = 0;

void run_field() {}

void update_field_roles() {
  if (GameMode == mode_field && !test_flag(flag_battle) && !test_flag(flag_act_camera))
    for (int i = 0; i < gmMapRoleCount; ++i)
      if (role_runs_ai(gmMapRole[i])) run_role_ai(&gmMapRole[i]);
  run_role_paths();
  run_talk_queue();
  tick_talk_timer();
}
