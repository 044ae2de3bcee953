// Turn order: the party's and the enemies' scans and the per-frame state handler of a unit.
#include "battle/fight.h"
#include "battle/fight_action.h"
#include "battle/fight_choice.h"
#include "battle/fight_debug.h"
#include "battle/fight_globals.h"
#include "battle/fight_guardians.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_numbers.h"
#include "battle/fight_treasure_states.h"
#include "data/party.h"
#include "script/fight_ai.h"

namespace {
constexpr std::uint32_t hit_events = 0x80000000 | 0x40000000;
int flee_counter = 0;

bool scan_skips(const FightMan& u) {
  return u.IsDead() || battle_over || fight_menu_open || fight_talk_hold || ActMan >= 0 || fight_side_locked(int(&u - gmFightMan));
}

void status_tick(FightMan& u) {
  u.TickStatuses();
  u.ShowPendingDamage();
}

void apply_with(FightMan& u, std::uint32_t events) {
  if (events) fight_command_outcome = int(events);
  fight_apply_action(&u, fight_action.targets, fight_action.target_count, events & hit_events);
}

void begin_turn(int k) {
  ActMan = turn_unit = k;
}

// The AI's choice: a unit whose script chose nothing ends its turn, so that the battle goes on.
void ai_turn(FightMan& u) {
  set_hud_visible(0);
  run_fight_ai(&u);
  if (u.GetState() == 0 && !u.IsTurnDone()) u.EndTurn();
}

void death_state(FightMan& u) {
  if (u.IsEnemy()) {
    if (fight_enemy_count == 1 || fight_enemy_count - fight_enemies_out <= 0) battle_over = 1;
  } else {
    turn_unit = int(&u - gmFightMan);
    if (fight_ally_count == 1 || fight_ally_count - fight_fallen_count <= 0) battle_over = 1;
  }
  if (!u.RunDeath()) return;
  u.TryAutoRevive();
  if (u.IsPet() && u.IsDead()) u.SetPetFallen(1);
}

void escape_state(FightMan& u) {
  if (!u.AnimEscape()) return;
  ++flee_counter;
  if (u.IsAlly()) {
    if (flee_counter < fight_ally_count - fight_fallen_count - fight_guest_count) return;
    u.EndTurn();
    flee_counter = 0;
    fight_menu_state = 100;
    battle_over = 1;
    return;
  }
  u.SetDead(1);
  u.EndTurn();
  ++fight_enemies_out;
  if (fight_enemies_out >= fight_enemy_count) {
    turn_unit = 0;
    flee_counter = 0;
    battle_over = 1;
  }
}

// The capture state: its rule decides on the first frame; a capture that counts takes the
// monster out at once, then the capture runs until it is over.
void capture_state(FightMan& u) {
  const int t = u.GetTarget();
  FightMan* m = t >= 0 && t < fight_unit_slots ? &gmFightMan[t] : nullptr;
  if (!m) return u.EndTurn();
  if (u.capture_phase == 0) {
    u.capture_phase = 1;
    u.capture_won = std::uint8_t(u.CaptureChance(m) != 0 && capture_banned != 1);
    if (u.capture_won) fight_unit_fell(m);
  }
  if (!u.RunCapture(m, u.capture_won)) return;
  u.capture_phase = u.capture_won = 0;
}

void flee_state(FightMan& u) {
  if (!u.AnimFleeTry(flee_granted)) return;
  if (u.IsAlly() && ActMan == int(&u - gmFightMan)) flee_counter = 0;
  if (flee_granted) {
    u.SetCommand(51);
    u.StartFade(1, 15);
  } else {
    u.EndTurn();
    u.SetCommand(0);
  }
}
}  // namespace

void fight_man_state(std::int16_t unit) {
  if (unit < 0 || unit >= fight_unit_slots) return;
  FightMan& u = gmFightMan[unit];
  switch (u.GetState()) {
    case 1: apply_with(u, u.AnimAttack()); break;
    case 2: case 3: case 4: case 9: case 13: case 23:
      if (fight_menu_state == 0) apply_with(u, u.AnimCast());
      break;
    case 6: apply_with(u, u.AnimAction()); break;
    case 5: {
      u.Defend();
      fight_request_hp_pass(1);
      FightMan* first = fight_action.target_count > 0 ? fight_action.targets[0] : nullptr;
      fight_apply_action(&u, &first, first ? 1 : 0, 0x80000000);
      break;
    }
    case 7: capture_state(u); break;
    case 8: fight_call_guardian(u); break;
    case 50: flee_state(u); break;
    case 51: escape_state(u); break;
    case 53: death_state(u); break;
    case 56: u.WalkToTarget(); break;
    case 57: u.ReturnJump(); break;
    case 58: u.WalkBack(); break;
    default: fight_treasure_state(u); break;
  }
}

namespace {
// One unit of a scan: its animation and state run always; its statuses and gauge only while
// nobody acts and the battle goes on. True on the frame its turn begins.
bool scan_unit(int k) {
  FightMan& u = gmFightMan[k];
  u.UpdateAnim();
  fight_man_state(std::int16_t(k));
  if (scan_skips(u)) return false;
  status_tick(u);
  return u.TickAtb() == 1;
}
}  // namespace

void fight_ally_turns() {
  for (int k = 0; k < fight_ally_count && k < fight_first_enemy; ++k) {
    if (!scan_unit(k)) continue;
    FightMan& u = gmFightMan[k];
    begin_turn(k);
    if (u.IsGuest()) {
      ai_turn(u);
      continue;
    }
    set_hud_visible(1);
    if (!u.IsSoloHero()) {
      fight_ally_mood_rolls(u, k);
      fight_check_sadness();
    }
    if (fight_auto_turn()) continue;
    fight_open_menu(k);
  }
}

void fight_enemy_turns() {
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count && k < fight_unit_slots; ++k) {
    if (!scan_unit(k)) continue;
    FightMan& u = gmFightMan[k];
    fight_flags &= ~fight_turn_ended;
    begin_turn(k);
    flee_granted = u.FleeChance(std::uint16_t(gmRoleData[0].stats[stat_level])) && !fight_no_flee;
    if (flee_granted) {
      u.SetCommand(50);
    } else {
      ai_turn(u);
    }
  }
}
