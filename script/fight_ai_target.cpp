// The battle AI's target choice and the act that carries a decision out.
#include <algorithm>
#include <cstring>

#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "data/battle_fields.h"
#include "battle/fight_man.h"
#include "core/random_r250.h"
#include "script/fight_ai.h"

namespace {
constexpr int no_target = -1;
constexpr int condition_holds = 1;
constexpr int draw_attempts = 1000;
constexpr std::uint8_t guard_repeats = 3;

void set_range(int first, int end) {
  ai_range_first = static_cast<std::int16_t>(first);
  ai_range_end = static_cast<std::int16_t>(end);
}

void choose_range(const FightMan* unit) {
  const int allies = fight_ally_count, enemies = fight_first_enemy + fight_enemy_count;
  switch (ai_side) {
    case 1: unit->IsGuest() ? set_range(fight_first_enemy, enemies) : set_range(0, allies); break;
    case 2: unit->IsGuest() ? set_range(0, allies) : set_range(fight_first_enemy, enemies); break;
    case 3: set_range(ActMan, ActMan + 1); break;
    default: break;
  }
}

// The range bounded to the unit slots.
int range_first() { return std::clamp<int>(ai_range_first, 0, fight_unit_slots); }
int range_end() { return std::clamp<int>(ai_range_end, range_first(), fight_unit_slots); }

int current_hp(const FightMan& u) {
  int hp = 0, max = 0;
  u.GetHp(&hp, &max);
  return hp;
}

int highest_hp() {
  int best = no_target, best_hp = 0;
  for (int k = range_first(); k < range_end(); ++k) {
    const FightMan& u = gmFightMan[k];
    if (!u.IsDead() && current_hp(u) > best_hp) best = k, best_hp = current_hp(u);
  }
  return best;
}

int lowest_hp() {
  int best = no_target, best_hp = 10000000;
  for (int k = range_first(); k < range_end(); ++k) {
    const FightMan& u = gmFightMan[k];
    if (!u.IsDead() && current_hp(u) < best_hp) best = k, best_hp = current_hp(u);
  }
  return best;
}

int below_hp_percent() {
  int best = no_target;
  for (int k = range_first(); k < range_end(); ++k) {
    const FightMan& u = gmFightMan[k];
    int hp = 0, max = 0;
    u.GetHp(&hp, &max);
    if (u.IsDead() || max == 0) continue;  // no percentage without a maximum
    // Saturated to the 16-bit word, so that odd values never wrap to a low percentage.
    const double exact = static_cast<double>(hp) * 100.0 / max;
    const auto percent = static_cast<std::uint16_t>(std::clamp(exact, 0.0, 65535.0));
    if (percent < ai_hp_percent) ai_hp_percent = percent, best = k;
  }
  return best;
}

int last_standing() {
  int found = no_target, count = 0;
  for (int k = range_first(); k < range_end(); ++k)
    if (!gmFightMan[k].IsDead()) found = k, ++count;
  return count == 1 ? found : no_target;
}

int condition(bool holds) { return holds ? condition_holds : no_target; }

bool candidate(int k) { return !gmFightMan[k].IsWithdrawn() && !gmFightMan[k].IsDead(); }

// The repetition guard: false when k is refused (a fourth draw of the same unit in a row).
bool guard_allows(int k) {
  if (k == ai_last_pick && ai_pick_repeats >= guard_repeats) return false;
  if (k == ai_last_pick) ++ai_pick_repeats;
  else ai_last_pick = static_cast<std::uint8_t>(k), ai_pick_repeats = 1;
  return true;
}

// A random unit of the range that stands and takes part. With no candidate there is no result;
// a sole candidate that the guard refuses is taken without draws, which could never end; the
// draws are bounded.
int random_choice(const FightMan* unit) {
  if (ai_side == 3) {
    fight_action.self_target = 1;
    return ActMan;
  }
  const int first = range_first(), end = range_end();
  int candidates = 0, sole = no_target;
  for (int k = first; k < end; ++k)
    if (candidate(k)) ++candidates, sole = k;
  if (candidates == 0) return no_target;
  const bool guarded = !unit->IsGuest() && ai_side == 1 &&
                       fight_ally_count - fight_fallen_count - fight_guardians_fallen >= 2;
  if (candidates == 1 && guarded && sole == ai_last_pick && ai_pick_repeats >= guard_repeats) return sole;
  for (int i = 0; i < draw_attempts; ++i) {
    int k = first + static_cast<int>(rand_below(static_cast<unsigned>(end - first)));
    if (guarded && !guard_allows(k)) continue;
    if (candidate(k)) return k;
  }
  // Draws that keep failing: the first candidate the guard allows.
  for (int k = first; k < end; ++k)
    if (candidate(k) && (!guarded || guard_allows(k))) return k;
  return sole;
}

int list_area_targets(bool fallen_count) {
  int n = 0;
  for (int k = range_first(); k < range_end(); ++k) {
    const FightMan& u = gmFightMan[k];
    if (u.IsWithdrawn() || (!fallen_count && u.IsDead())) continue;
    fight_action.targets[n++] = &gmFightMan[k];
  }
  return n;
}
}  // namespace

int select_ai_target(FightMan* unit) {
  choose_range(unit);
  switch (ai_criterion) {
    case 1: case 2: case 3: case 4: return no_target;
    case 5: return highest_hp();
    case 6: return lowest_hp();
    case 410: return below_hp_percent();
    case 412: return last_standing();
    case 414:
      return condition(talisman_gauge_element == ai_talisman_element &&
                       (talisman_gauge_element == 0 || talisman_gauge_count >= ai_talisman_count));
    case 415: return condition(fight_guest_count != 0);
    case 416:
      return condition(talisman_gauge_element == ai_talisman_element &&
                       (talisman_gauge_element == 0 || talisman_gauge_count < ai_talisman_count));
    case 417: return condition(unit->IsGuest() != 0);
    case 418: return condition(ai_turn_divisor != 0 && unit->GetTurnCount() % ai_turn_divisor == 0);
    default: return random_choice(unit);
  }
}

int do_ai_action(FightMan* unit) {
  const int t = select_ai_target(unit);
  if (t < 0 || t >= fight_unit_slots) return 0;
  // The AI's chosen target is the action's main target, which the ATK commands walk to and strike.
  fight_main_target = t;
  fight_action.self_target = fight_action.area = fight_action.third_flag = 0;
  std::memset(&fight_action.action, 0, sizeof fight_action.action);
  bool taken = false;
  switch (ai_act) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7:
      taken = unit->AiChooseAction(ai_act, &gmFightMan[t], &fight_action.action) != 0;
      break;
    case 8:
      fight_action.ai_flee = 1;
      unit->SetCommand(50);
      taken = true;
      break;
    case 20:
      taken = fight_can_call_companion() != 0;
      if (taken) unit->SetCommand(59);
      break;
    default: break;
  }
  if (!taken) return 0;
  if (ai_act == 2 || ai_act == 8 || ai_act == 20) return 1;
  fight_action.area = item_targets_area(fight_action.action);
  int count;
  if (fight_action.area) {
    count = list_area_targets(item_targets_fallen(fight_action.action));
  } else {
    unit->SetTarget(t);
    fight_action.targets[0] = &gmFightMan[t];
    count = 1;
  }
  fight_action.target_count = count;
  for (int i = 0; i < count; ++i) {
    FightMan* target = fight_action.targets[i];
    if (target->IsGuest() && !target->IsPet() && !target->IsDead()) target->StartFade(0, 20);
  }
  fight_action.actor = unit;
  fight_atk_start(unit->GetAtkNumber(), unit, fight_action.targets, count);
  return 1;
}
