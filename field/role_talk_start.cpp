// Starting a talk with a role.
#include "field/role_talk_start.h"

#include <cmath>

#include "core/log.h"
#include "data/map_role.h"
#include "field/field_controller.h"
#include "field/field_input_rules.h"
#include "field/role_walk.h"
#include "script/talk_queue.h"
#include "ui/cursor.h"

namespace {
// add_talks_proc失敗!!
constexpr const char* queue_failed_message = "add_talks_proc\xA5\xA2\xB1\xD1!!";
constexpr std::uint16_t cursor_plain = 0, cursor_busy = 9;
constexpr int kept_qq_var = 3, kept_delay_var = 4;

void set_qq(MapRole& r, std::uint16_t qq) {
  r.anim.qq = qq;
  Take_3dActData(&r.anim);
}
}  // namespace

void start_role_talk(MapRole& p, int index, bool by_click) {
  MapRole& t = gmMapRole[index];
  if (by_click) {
    float dir = 0.0f;
    if (facing_dir(p, t, &dir)) p.DIR = dir;  // on one point p keeps its direction
    set_qq(p, 0);
  }
  if (t.STATE & state_talks_at_once) {
    add_talks_proc(&t);
    if (by_click) cursor_act.qq = cursor_plain;
    return;
  }
  if (t.STATE & state_turning) return;
  *role_var(t, kept_qq_var) = t.anim.qq;
  *role_var(t, kept_delay_var) = t.anim.delay;
  t.kept_dir = t.DIR;
  t.turned_to_talk = 1;
  if (!(t.STATE & state_talk_keeps_dir)) {
    t.turn_dir = std::fmod(p.DIR + 180.0f, 360.0f);
    t.DIR = t.turn_dir;
    set_role_turn(&t);
    t.STATE |= state_turning;  // the talk is queued when the turn ends
  } else {
    if (!add_talks_proc(&t) && by_click) report_error("%s", queue_failed_message);
    t.turn_dir = t.DIR;
  }
  talk_partner_index = index;
  p.STATE |= state_held;
  if (by_click) cursor_act.qq = cursor_busy;
  t.STATE &= ~state_script_starts_talk;
  if (!by_click) {
    Take_3dActData(&t.anim);
    set_qq(p, 0);
  }
}
