// Called guardians: joining the battle from the formation, falling, leaving, and going back
// to the formation at the battle's end.
#include "battle/fight_guardians.h"

#include <algorithm>

#include "base/escort.h"
#include "base/residents.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "data/object_db.h"
#include "g3d/act_archive.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/spawn_effect.h"

namespace {
constexpr int join_effect = 1005;
constexpr std::uint16_t cast_pose = 26;
// Where the first and the second called guardian stand.
constexpr float guardian_spot[2][3] = {{100, 80, -250}, {-100, 80, -250}};

int party_end() { return std::clamp(int(fight_ally_count), 0, fight_first_enemy); }

bool is_guardian(const FightMan& u) { return u.IsGuest() && !u.IsPet(); }

bool valid_escort_slot(int s) { return s >= 0 && s < escort_count; }

void list_append(int slot) {
  if (fight_unit_count < fight_unit_slots) fight_unit_list[fight_unit_count++] = std::uint16_t(slot);
}

// Takes the slot out of the unit list, keeping the order of the others: enemies called in
// later may stand behind it in the list.
void list_remove(int slot) {
  const auto end = fight_unit_list + std::clamp(fight_unit_count, 0, fight_unit_slots);
  const auto last = std::remove(fight_unit_list, end, std::uint16_t(slot));
  fight_unit_count = int(last - fight_unit_list);
}

// The first fallen guardian still holding a party slot, -1 none.
int fallen_guardian_slot() {
  for (int k = 0; k < party_end(); ++k)
    if (is_guardian(gmFightMan[k]) && gmFightMan[k].IsDead()) return k;
  return -1;
}

// The guardian of the record joins: in a fallen guardian's slot and place, else in the next
// party slot at the spot of the guardians already standing. The slot, or -1 without room.
int join_guardian(const ItemData& rec, int escort_slot) {
  int slot = fallen_guardian_slot();
  float x, y, z;
  const bool reused = slot >= 0;
  if (reused) {
    const FightMan& old = gmFightMan[slot];
    x = old.pos.x, y = old.pos.y, z = old.pos.z;
    fight_guardians_fallen = std::int16_t(std::max(fight_guardians_fallen - 1, 0));
  } else {
    slot = fight_ally_count;
    if (slot < 0 || slot >= fight_first_enemy) return -1;
    const int g = std::clamp(fight_guardians_in_slots(), 0, 1);
    x = guardian_spot[g][0], y = guardian_spot[g][1], z = guardian_spot[g][2];
  }
  FightMan& u = gmFightMan[slot];
  u.ReleaseGroundEffect();
  u.Reset();
  u.SetSide(side_party);
  u.SetGuest(1);
  u.SetupFromRecord(rec);
  u.SetPosition(x, y, z);
  spawn_effect(&fight_unit_effects, join_effect, x, y + 80, z);
  u.SetFacing(0, 180, 0);
  u.StartFade(0, 5);
  u.SetSummonSlot(std::uint16_t(escort_slot));
  if (!reused) {
    list_append(slot);
    ++fight_ally_count;
    ++fight_guest_count;
  }
  return slot;
}

// 1 when the caller's cast pose has no animation, or has played out without an event: the call
// then happens at once, so that the turn cannot wait for ever.
bool cast_cannot_raise(const FightMan& caller) {
  const std::uint16_t qq = caller.pose ? caller.pose : cast_pose;
  return Get3dAct(caller.act, qq).data == nullptr || caller.IsAnimDone();
}

// When every guest is a fallen guardian, their slots are given up.
void give_up_guest_slots() {
  if (fight_guest_count <= 0 || fight_guardians_fallen < fight_guest_count) return;
  int given = 0;
  for (int k = party_end() - 1; k >= 0 && given < fight_guest_count; --k) {
    if (!is_guardian(gmFightMan[k])) break;
    // Out of the scans, a guardian whose own action runs could never end it.
    if (ActMan == k) gmFightMan[k].EndTurn();
    list_remove(k);
    ++given;
  }
  fight_ally_count = std::int16_t(fight_ally_count - given);
  fight_guest_count = 0;
  fight_guardians_fallen = 0;
}
}  // namespace

int fight_guardians_in_slots() {
  int n = 0;
  for (int k = 0; k < party_end(); ++k) n += is_guardian(gmFightMan[k]);
  return n;
}

void fight_call_guardian(FightMan& caller) {
  const std::uint32_t word = caller.AnimCast();
  if (word) fight_command_outcome = int(word);
  if (caller.cmd_phase == 0) {
    if (word == 0 && !cast_cannot_raise(caller)) return;
    caller.called_unit = std::int8_t(join_guardian(caller.action, guardian_cursor));
    caller.cmd_phase = 1;
  }
  // The caller's turn ends once the guardian has faded in; it then fades out until it acts.
  const int g = caller.called_unit;
  if (g >= 0 && g < fight_unit_slots) {
    if (gmFightMan[g].IsFading()) return;
    gmFightMan[g].StartFade(1, 10);
  }
  caller.cmd_phase = 0;
  caller.called_unit = -1;
  caller.EndTurn();
}

void fight_guardian_fell(FightMan& u) {
  const int s = u.GetSummonSlot();
  if (valid_escort_slot(s)) {
    del_guard_resident(s);
    guardians_called[s] = 0;
  }
  // The formation was built anew without the fallen guard: the slots still called stay empty
  // until the battle's end gives their guardians back.
  for (int i = 0; i < escort_count; ++i)
    if (guardians_called[i]) escort_data[i].object_id = 0;
  ++fight_guardians_fallen;
  give_up_guest_slots();
}

void fight_pet_fell() {
  ++fight_fallen_count;
  // The pet no longer counts as a guest; the called guardians in the party's slots still do,
  // so that the defeat and escape counts hold for the party characters alone.
  fight_guest_count = std::int16_t(std::min<int>(fight_guest_count, fight_guardians_in_slots()));
  give_up_guest_slots();
}

void fight_dismiss_guardians() {
  int removed = 0;
  for (int k = party_end() - 1; k >= 0; --k) {
    FightMan& u = gmFightMan[k];
    if (!is_guardian(u)) continue;
    const int s = u.GetSummonSlot();
    if (!u.IsDead() && valid_escort_slot(s) && guardians_called[s]) {
      escort_data[s].object_id = guardians_called[s];
      guardians_called[s] = 0;
    }
    u.SpawnLeaveEffect();
    u.ReleaseGroundEffect();
    u.Reset();
    list_remove(k);
    ++removed;
  }
  fight_ally_count = std::int16_t(fight_ally_count - removed);
  fight_guest_count = std::int16_t(std::max(fight_guest_count - removed, 0));
  fight_guardians_fallen = 0;
}

void fight_guardians_write_back() {
  for (int k = 0; k < fight_first_enemy; ++k) {
    const FightMan& u = gmFightMan[k];
    const int s = u.GetSummonSlot();
    if (!is_guardian(u) || u.IsDead() || !valid_escort_slot(s) || !guardians_called[s]) continue;
    ItemData& e = escort_data[s];
    e.object_id = guardians_called[s];
    e.hp = e.max_hp;
    // The actions and their uses come from the guardian's own record.
    ItemData own{};
    read_Item(e.object_id, &own);
    std::copy(std::begin(own.ai_actions), std::end(own.ai_actions), std::begin(e.ai_actions));
    std::copy(std::begin(own.ai_uses), std::end(own.ai_uses), std::begin(e.ai_uses));
  }
  guardians_called[0] = guardians_called[1] = 0;
}
