// Battle units: the active-time gauge, the start of a command and the end of a turn with the
// mood triggers that ride on them.
#include <cstring>

#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "core/random_r250.h"
#include "data/battle_fields.h"
#include "data/encounters.h"
#include "data/object_db.h"

namespace {
constexpr int atb_full_value = 1000;
constexpr std::uint16_t rest_pose = 24;
constexpr std::uint16_t object_command13 = 5300;
constexpr char invisible_ends[] = "\xB8\xD1\xB0\xA3\xC1\xF4\xA8\xAD\xA5\\\xAF\xE0!!%Q";
constexpr char liuhe_ends[] = "\xB8\xD1\xB0\xA3\xA4\xBB\xA6X\xA5\\\xAF\xE0!!%Q";
constexpr char becomes_furious[] = "%%C5%s%%C0\xC5\xDC\xA6\xA8\xBC\xC9\xAB\xE3\xAA\xAC\xBA""A\xA4""F!!%%Q";
constexpr char action_name[] = "%s%%Q";
constexpr char becomes_excited[] = "%%C5%s%%C0\xC5\xDC\xA6\xA8\xA4\xAE\xBE\xC4\xAA\xAC\xBA""A\xA4""F!!%%Q";
constexpr char becomes_mad[] = "%%C5%s%%C0\xC5\xDC\xA6\xA8\xBA\xC6\xA8""g\xAA\xAC\xBA""A\xA4""F!!%%Q";
constexpr int full_rage = 100;
constexpr std::uint16_t madness_row = 2;

// Counts down a condition's turns; at 0 the condition ends with its message.
void count_down(FightMan& u, std::uint8_t* turns_left, std::uint32_t bit, const char* ends) {
  if (*turns_left == 0) return;
  if (--*turns_left == 0) {
    fight_message(ends, 130);
    u.cond &= ~bit;
  }
}
}  // namespace

int fight_apply_mood(FightMan& u, std::uint8_t high, std::uint8_t turns, const char* message) {
  ItemData mood{};
  mood.status_high = high;
  mood.turns = turns;
  mood.status_value = 10000;
  if (u.ApplyStatus(&mood) != 1) return 0;
  fight_message_name(message, u.GetName(), 200);
  return 1;
}

int FightMan::TickAtb() {
  if (withdrawn || HasStatus(status_sleep) || HasStatus(status_paralysis)) return 0;
  int s = speed;
  if (HasStatus(status_excitement)) s = s * 120 / 100;
  if (atb_delay != 0) {
    atb_delay = std::int16_t(atb_delay - s);
    if (atb_delay > 0) return 0;
    atb_delay = 0;
  }
  if (atb_full == 1) return 0;
  if (atb < atb_full_value) {
    atb += s;
    atb_full = 0;
    return 0;
  }
  atb = atb_full_value;
  body.qq = pose = rest_pose;
  if (defending == 1) {
    cond |= cond_rise;
    body.state &= std::uint16_t(~1u);
  }
  count_down(*this, &invis_turns, cond_invisible, invisible_ends);
  count_down(*this, &liuhe_turns, cond_liuhe, liuhe_ends);
  cond &= ~cond_reflect;
  ++turns;
  defending = 0;
  turn_done = 0;
  atb_full = 1;
  return 1;
}

void FightMan::SetCommand(std::uint16_t cmd) {
  prev_state = state;
  if (cmd == 56) {
    state = 56;
    moving = 1;
    return;
  }
  if (cmd == 52) {
    rage_strike_pending = 1;
    cmd = 1;
  }
  if (cmd == 1) {
    std::memset(&action, 0, sizeof action);
    if (IsAlly() && !guest && !solo_hero) {
      GetWeaponRecord(&action);
      atk = action.atk_script;
    } else {
      atk = monster.atk_script;
      read_Item(act, &action);
    }
    if (IsAlly()) trail_new = 1;
  } else if (cmd == 13) {
    std::memset(&action, 0, sizeof action);
    read_Item(object_command13, &action);
    atk = action.atk_script;
  } else if (cmd == 2 || cmd == 3 || cmd == 4 || cmd == 9 || cmd == 6) {
    atk = action.atk_script;
    fight_message_name(action_name, action.NAME, 250);
    if (cmd == 6) {
      if (role) role_rage_turns(*role) = 0, role_rage_bonus(*role) = 0;
      RemoveStatus(status_excitement, 0);
    }
  } else if (cmd >= 15 && cmd <= 49) {
    atk = action.atk_script;
    SetupTreasureCommand(cmd);
  }
  pose = 0;
  state = cmd;
}

void FightMan::EndTurn() {
  atb = 0;
  atb_full = 0;
  rot_y = yaw = IsAlly() ? 180.0f : 0.0f;
  state = 0;
  body.qq = pose = rest_pose;
  Take_3dActData(&body);
  anim_timer = 0;
  atk = 0;
  turn_done = 1;
  trail_on = 0;
  moving = 0;
  if (guest && !pet) StartFade(1, 10);
  spare_anim[0] = ActInstance{};
  std::memset(&action, 0, sizeof action);
  cond &= ~(cond_turn_marks | cond_reflect);
  if (HasStatus(status_madness) || !roll_mood(0, weak_hits)) return;
  weak_hits = 0;
  if (HasStatus(status_fury) || solo_hero || guest) return;
  fight_apply_mood(*this, status_fury >> 16, 5, becomes_furious);
}

void fight_ally_mood_rolls(FightMan& u, int slot) {
  RoleData* r = u.GetRole();
  if (!r) return;
  // Excitement: a character at full rage rolls on the turns it has waited there.
  if (!u.HasStatus(status_madness) && !u.HasStatus(status_excitement) && r->rage == full_rage) {
    std::uint8_t& waited = role_rage_turns(*r);
    ++waited;
    if (roll_excite(std::uint16_t(slot), waited)) fight_apply_mood(u, status_excitement >> 16, 255, becomes_excited);
  }
  // Madness: the turns spent in fury or sadness, counted while they last.
  std::uint8_t& grieved = role_madness_count(*r);
  grieved = u.HasStatus(status_fury | status_sadness) ? std::uint8_t(grieved + 1) : 0;
  if (grieved > 0 && roll_mood(madness_row, grieved) &&
      fight_apply_mood(u, status_madness >> 16, 5, becomes_mad))
    grieved = 0;
}
