// Battle units: statuses, moods, stat changes and yin/yang stances and marks.
#include <algorithm>
#include <cstring>

#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "battle/fight_numbers.h"
#include "core/random_r250.h"
#include "data/battle_fields.h"
#include "data/encounters.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/spawn_effect.h"
#include "sound/sfx_bank.h"

std::uint8_t fight_sadness_counter = 0;

namespace {
constexpr int dodge_effect = 1005, dodge_sound = 207;
constexpr std::uint16_t tough_kind = 130;

// One row per stat an entry changes: the action's field, the stat word (-1: the gauge speed),
// the up and down bits of the key, the icon frames (-1 none) and the messages.
struct StatRow {
  std::uint16_t ItemData::*field;
  int word;
  std::uint32_t up, down;
  int icon_up, icon_down;
  const char* name_up;
  const char* name_down;
};
constexpr StatRow stat_rows[entry_stat_count] = {
    {&ItemData::attack, 8, 0x10000000, 0x100000, 0, 1, "\xB4\xA3\xB0\xAA\xA7\xF0\xC0\xBB\xA4O",
     "\xAD\xB0\xA7""C\xA7\xF0\xC0\xBB\xA4O"},
    {&ItemData::defence, 9, 0x20000000, 0x200000, 2, 3, "\xB4\xA3\xB0\xAA\xA8\xBE\xBFm\xA4O",
     "\xAD\xB0\xA7""C\xA8\xBE\xBFm\xA4O"},
    {&ItemData::hit, 10, 0x40000000, 0x400000, -1, -1, "\xB4\xA3\xB0\xAA\xA9R\xA4\xA4\xB2v",
     "\xAD\xB0\xA7""C\xA9R\xA4\xA4\xB2v"},
    {&ItemData::speed, -1, 0x80000000, 0x800000, 4, 5, "\xB4\xA3\xB0\xAA\xB3t\xAB\xD7", "\xAD\xB0\xA7""C\xB3t\xAB\xD7"},
    {&ItemData::magic_attack, 12, 0x1000000, 0x10000, 6, 7, "\xB4\xA3\xB0\xAA\xA5P\xB3N\xA7\xF0\xC0\xBB\xA4O",
     "\xAD\xB0\xA7""C\xA5P\xB3N\xA7\xF0\xC0\xBB\xA4O"},
    {&ItemData::magic_defence, 13, 0x2000000, 0x20000, 8, 9, "\xB4\xA3\xB0\xAA\xA5P\xB3N\xA8\xBE\xBFm\xA4O",
     "\xAD\xB0\xA7""C\xA5P\xB3N\xA8\xBE\xBFm\xA4O"},
    {&ItemData::magic_hit, 14, 0x4000000, 0x40000, -1, -1, "\xB4\xA3\xB0\xAA\xA5P\xB3N\xA9R\xA4\xA4\xB2v",
     "\xAD\xB0\xA7""C\xA5P\xB3N\xA9R\xA4\xA4\xB2v"},
};

// A mood: its icon, and the stats it scales (entry slot, percent); 0 percent leaves a slot.
struct MoodRow {
  std::uint32_t bit;
  std::uint16_t icon;
  int percent[entry_stat_count];
};
constexpr MoodRow mood_rows[] = {
    {status_excitement, 4, {0, 0, 20, 0, 0, 0, 0}},
    {status_fury, 5, {160, 20, 160, 160, 0, 0, 0}},
    {status_sadness, 6, {0, 0, 50, 0, 50, 50, 0}},
    {status_madness, 7, {200, 200, 80, 200, 0, 0, 0}},
};
// The stat word a mood scales in each entry slot (slot 3 is the speed stat word 11).
constexpr int mood_words[entry_stat_count] = {8, 9, 10, 11, 12, 13, 14};

const MoodRow* mood_row(std::uint32_t bit) {
  for (const MoodRow& m : mood_rows)
    if (m.bit == bit) return &m;
  return nullptr;
}

std::uint32_t lowest_bit(std::uint32_t v) { return v & (~v + 1); }

void restart_rest_pose(ActInstance& body) {
  body.qq = 24;
  body.state |= act_state_restart;
}

void copy_name(char (&out)[67], const char* name) {
  std::strncpy(out, name, sizeof out - 1);
  out[sizeof out - 1] = 0;
}
}  // namespace

// The current value of an entry slot's stat (slot 3 the gauge speed).
static int entry_stat(const FightMan& u, int slot) {
  return stat_rows[slot].word < 0 ? u.speed : u.StatWord(stat_rows[slot].word);
}

static void add_entry_amounts(FightMan& u, const YinYangRecord& yy, int sign) {
  for (int i = 0; i < entry_stat_count; ++i) {
    const int v = sign * yy.amounts[i];
    if (stat_rows[i].word < 0) u.speed += v;
    else u.SetStatWord(stat_rows[i].word, std::uint16_t(u.StatWord(stat_rows[i].word) + v));
  }
}

static void restore_mood(FightMan& u, const StatusEntry& e) {
  const MoodRow* m = mood_row(e.status_high);
  if (!m || (u.IsAlly() && !u.role)) return;
  // The mood gives back the difference it made, so that changes that landed or ended while it
  // lasted are kept.
  for (int i = 0; i < entry_stat_count; ++i)
    if (m->percent[i]) u.SetStatWord(mood_words[i], std::uint16_t(u.StatWord(mood_words[i]) - e.yy.amounts[i]));
  if (e.status_high == status_excitement && u.role) {
    role_rage_bonus(*u.role) = 1;
    role_rage_turns(*u.role) = 0;
  }
}

// Gives back what an entry changed.
static void give_back(FightMan& u, const StatusEntry& e) {
  if (e.key) add_entry_amounts(u, e.yy, -1);
  if (e.status_high) restore_mood(u, e);
}

void FightMan::RemoveStatus(std::uint32_t bits, std::uint32_t key) {
  if (bits == 0 && key == 0) {
    for (const StatusEntry& e : statuses) give_back(*this, e);
    statuses.clear();
    return;
  }
  if (key) {
    auto it = std::find_if(statuses.begin(), statuses.end(), [&](const StatusEntry& e) { return e.key == key; });
    if (it != statuses.end()) {
      add_entry_amounts(*this, it->yy, -1);
      statuses.erase(it);
    }
  }
  for (std::uint32_t rest = bits; rest; rest &= rest - 1) {
    const std::uint32_t bit = lowest_bit(rest);
    auto it = std::find_if(statuses.begin(), statuses.end(),
                           [&](const StatusEntry& e) { return e.status_low == bit || e.status_high == bit; });
    if (it == statuses.end()) continue;
    give_back(*this, *it);
    statuses.erase(it);
  }
}

int FightMan::HasStatus(std::uint32_t bits) const {
  for (const StatusEntry& e : statuses)
    if ((e.status_low & bits) || (e.status_high & bits)) return 1;
  return 0;
}

int FightMan::HasStatChange(std::uint32_t bits) const {
  for (const StatusEntry& e : statuses)
    if (e.key & bits) return 1;
  return 0;
}

void FightMan::ApplyStatChange(StatusEntry e) {
  if (e.key) RemoveStatus(0, e.key);
  if (e.cancelled) return;
  add_entry_amounts(*this, e.yy, 1);
  statuses.push_back(e);
}

std::uint32_t FightMan::GetStatChangeBits(const ItemData* a) const {
  std::uint32_t bits = 0;
  for (const StatRow& row : stat_rows) {
    const std::int16_t v = std::int16_t(a->*row.field);
    if (v > 0) bits |= row.up;
    else if (v < 0) bits |= row.down;
  }
  return bits;
}

// A dodge armed by an action: the next hit is dodged.
static int arm_dodge(FightMan& u) {
  if (u.cond & cond_charged) return 2;
  u.ghost = ActInstance{};
  u.cond |= cond_dodge;
  u.fx_last = spawn_effect(&fight_unit_effects, dodge_effect, u.pos.x, u.pos.y + 50, u.pos.z + 80);
  play_sfx(dodge_sound, 1);
  return 2;
}

static void revive(FightMan& u) {
  if (u.role) {
    u.role->rage = 0;
    role_rage_bonus(*u.role) = 0;
    u.role->flags &= ~1;
  }
  u.atb = 0;
  u.cond = 0;
  u.status_damage = 0;
  u.body.state = 0;
  u.pinch_phase = 1;
  u.defending = 0;
  u.dead = 0;
  u.cond |= cond_revived;
  fight_end_sadness();
}

static StatusEntry status_entry(const ItemData* a) {
  StatusEntry e;
  e.icon.act = status_icon_act;
  e.action_power = item_power(*a);
  e.turns = e.turns_left = a->turns;
  return e;
}

static void add_low_status(FightMan& u, const ItemData* a, std::uint32_t bit) {
  if (bit != status_weakness && u.HasStatus(bit)) u.RemoveStatus(bit, 0);
  StatusEntry e = status_entry(a);
  e.status_low = bit;
  switch (bit) {
    case status_paralysis: e.icon.qq = 1, restart_rest_pose(u.body); break;
    case status_sleep: e.icon.qq = 2, restart_rest_pose(u.body); break;
    case status_confusion: e.icon.qq = 8; break;
    case status_weakness: {
      u.RemoveStatus(0, key_weakness);
      e.icon.qq = 3;
      e.key = key_weakness;
      for (int i = 0; i < entry_stat_count; ++i) e.yy.amounts[i] = -80 * entry_stat(u, i) / 100;
      u.ApplyStatChange(e);
      return;
    }
    default: break;
  }
  u.statuses.push_back(e);
}

static void add_mood(FightMan& u, const ItemData* a, std::uint32_t bit) {
  if (u.HasStatus(bit)) u.RemoveStatus(bit, 0);
  StatusEntry e = status_entry(a);
  e.status_high = bit;
  e.value = item_status_value(*a);
  u.RemoveStatus(status_moods & ~bit, 0);
  if (const MoodRow* m = mood_row(bit)) {
    e.icon.qq = m->icon;
    if (!(u.IsAlly() && !u.role))
      for (int i = 0; i < entry_stat_count; ++i) {
        if (!m->percent[i]) continue;
        const int v = u.StatWord(mood_words[i]);
        e.yy.amounts[i] = v * m->percent[i] / 100 - v;
        u.SetStatWord(mood_words[i], std::uint16_t(v + e.yy.amounts[i]));
      }
  }
  u.statuses.push_back(e);
}

int FightMan::ApplyStatus(const ItemData* a) {
  std::uint32_t low = a->status_low, high = std::uint32_t(a->status_high) << 16;
  if (!low && !high) return 0;
  if (IsEnemy() && monster.kind == tough_kind && (a->element == 2 || a->element == 3)) return -1;
  if ((low & status_dodge) && !dead) return arm_dodge(*this);
  if (a->action_flags & 0x40) {
    RemoveStatus(low, 0);
    RemoveStatus(high, 0);
    if ((low & status_death) && dead) revive(*this);
    return 2;
  }
  if (status_accept == 0) return -1;
  if (int(rand_below(100)) > status_accept) return 0;
  if (low & status_death) {
    status_damage = CurrentHp();
    AddHitNumber(number_damage, status_damage, 0);
    fight_request_hp_pass(1);
    return 1;
  }
  while (low || high) {
    const std::uint32_t l = lowest_bit(low), h = lowest_bit(high);
    low &= ~l;
    high &= ~h;
    if (l) add_low_status(*this, a, l);
    if (HasStatus(status_sadness)) return 1;
    if (h) add_mood(*this, a, h);
  }
  return 1;
}

namespace {
// The amount of a stat change v against the current stat.
int change_amount(int v, int current) {
  if (v > 10000) return (v - 10000) * current / 100;
  if (v < -10000) return (v + 10000) * current / 100;
  return v;
}

// Removes the first entry with a key; 1 when there was one.
int remove_key(FightMan& u, std::uint32_t key) {
  for (const StatusEntry& e : u.statuses)
    if (e.key == key) {
      u.RemoveStatus(0, key);
      return 1;
    }
  return 0;
}
}  // namespace

// The yin or yang entry of an action (side 0 yin, 1 yang); 0 goes on, other values end the call.
static int apply_yin_yang(FightMan& u, const ItemData* a, int yang, bool resisted, int* result) {
  const std::int16_t v = yang ? item_yang(*a) : item_yin(*a);
  if (!v) return 0;
  StatusEntry e;
  if (yang) e.yy.yang = v;
  else e.yy.yin = v;
  if (a->target_side == 1) {
    if (!u.IsAlly()) return -100;  // answer 0 at once
    *result = 1;
    e.yy.side = e.yy.mark_side = std::uint8_t(yang);
    e.yy.power = item_power(*a);
    e.key = yang ? key_yang_stance : key_yin_stance;
  } else {
    if (a->action_flags & 0x80) return 5;
    e.yy.mark_side = std::uint8_t(yang);
    e.key = yang ? key_yang_mark : key_yin_mark;
  }
  u.pulse_phase = std::int16_t(yang ? 1 : (1 | 0x8000));
  u.pulse_level = 255;
  e.yy.level = std::uint8_t(v & 0xFF);
  e.yy.stance_turns = a->turns;
  e.turns = e.turns_left = a->turns;
  copy_name(e.name, a->NAME);
  if (!resisted) u.ApplyStatChange(e);
  return 0;
}

int FightMan::ApplyBuffs(const ItemData* a) {
  if (IsEnemy() && monster.kind == tough_kind && (a->element == 2 || a->element == 3)) return -1;
  if (!((a->kind >= 300 && a->kind <= 305) || a->kind == 201)) return 0;
  bool resisted = false;
  if (a->target_side == 1) {
    if (!IsAlly()) resisted = int(rand_below(100)) > buff_accept;
  } else {
    if (buff_accept == 0) return -1;
    if (item_buff_chance(*a) != 100) resisted = int(rand_below(100)) > buff_accept;
  }
  int result = 0, delay = 0;
  bool resisted_lowering = false;
  for (int i = 0; i < entry_stat_count; ++i) {
    const StatRow& row = stat_rows[i];
    const int v = std::int16_t(a->*row.field);
    if (!v) continue;
    result = 1;
    bool stat_resisted = resisted, cancelled = false;
    const bool has_icon = row.icon_up >= 0;
    const std::uint32_t same = v > 0 ? row.up : row.down, opposite = v > 0 ? row.down : row.up;
    if (v > 10000 || v < -10000) {
      if (v > 10000) stat_resisted = false;
      if (has_icon) {
        remove_key(*this, same);
        if ((v > 10000 || !stat_resisted) && remove_key(*this, opposite)) cancelled = true;
      }
    }
    StatusEntry e;
    e.yy.amounts[i] = change_amount(v, entry_stat(*this, i));
    if (v < 0) {
      if (cond & cond_dodge) return 2;
      result = 2;
    }
    e.key = same;
    e.cancelled = cancelled;
    e.icon.act = has_icon ? stat_icon_act : 0;
    e.icon.qq = std::uint16_t(has_icon ? (v > 0 ? row.icon_up : row.icon_down) : 0);
    copy_name(e.name, v > 0 ? row.name_up : row.name_down);
    e.turns = e.turns_left = a->turns;
    if (!stat_resisted && has_icon) {
      AddStatIcon(stat_icon_act, e.icon.qq, std::int16_t(delay));
      delay += 20;
    }
    if (v < 0 && stat_resisted) resisted_lowering = true;
    else ApplyStatChange(e);
  }
  for (int yang = 0; yang < 2; ++yang) {
    const int r = apply_yin_yang(*this, a, yang, resisted, &result);
    if (r == -100) return 0;
    if (r) return r;
  }
  if (result == 0) return 0;
  return resisted_lowering ? -2 : result;
}

int FightMan::GetStance(YinYangRecord* out) const {
  for (const StatusEntry& e : statuses)
    if (e.key & key_stances) {
      *out = e.yy;
      return 1;
    }
  return 0;
}

int FightMan::GetYinYangGuard(YinYangRecord* out) const {
  for (const StatusEntry& e : statuses)
    if (e.yy.level) {
      *out = e.yy;
      return 1;
    }
  *out = YinYangRecord{};
  if (IsEnemy()) {
    if (const std::int16_t yin = item_yin(monster)) {
      out->mark_side = 0, out->level = std::uint8_t(yin & 0xFF), out->yin = yin;
      out->stance_turns = monster.turns;
    }
    if (const std::int16_t yang = item_yang(monster)) {
      out->mark_side = 1, out->level = std::uint8_t(yang & 0xFF), out->yang = yang;
      out->stance_turns = monster.turns;
    }
    if (out->level) return 1;
  }
  *out = YinYangRecord{};
  return 0;
}

std::int16_t FightMan::YinYangRatio(const YinYangRecord& a, const YinYangRecord& b) {
  return std::int16_t(a.level - (a.side == 0 ? b.yin : b.yang));
}

void FightMan::TickStatuses() {
  if (withdrawn) return;
  const int step = HasStatus(status_excitement) ? speed * 120 / 100 : speed;
  struct Ended {
    std::uint32_t key, low, high;
  };
  Ended ended[64];
  int n = 0;
  for (StatusEntry& e : statuses) {
    const int tick = e.tick + step;
    e.tick = std::uint16_t(tick);
    if (tick < 1000) continue;
    e.tick = 0;
    if (e.turns_left > 0) --e.turns_left;
    if (e.status_low == status_poison) status_damage = MaxHp() * 5 / 100;
    if (e.turns_left == 0 && n < 64) ended[n++] = {e.key, e.status_low, e.status_high};
  }
  for (int i = 0; i < n; ++i) {
    if (ended[i].key) {
      if (ended[i].key & key_yin_yang) pulse_level = pulse_phase = 0;
      RemoveStatus(0, ended[i].key);
    } else {
      RemoveStatus(ended[i].low ? ended[i].low : ended[i].high, 0);
    }
  }
}

int FightMan::ShowPendingDamage() {
  if (status_damage == 0) return 0;
  AddHitNumber(number_damage, status_damage, 0);
  OnHit();
  fight_request_hp_pass(1);
  status_damage = 0;
  return 1;
}

void fight_check_sadness() {
  if (ActMan < 0 || ActMan >= fight_unit_slots) return;
  FightMan& u = gmFightMan[ActMan];
  if (u.HasStatus(status_madness)) return;
  bool fallen = false;
  for (int k = 0; k < fight_ally_count && k < fight_first_enemy; ++k) fallen = fallen || gmFightMan[k].IsDead();
  fight_sadness_counter = fallen ? std::uint8_t(fight_sadness_counter + 1) : 0;
  if (u.HasStatus(status_sadness) || u.IsGuest()) return;
  if (!roll_mood(1, fight_sadness_counter)) return;
  ItemData mood{};
  mood.status_high = status_sadness >> 16;
  mood.turns = 5;
  mood.status_value = 10000;
  if (u.ApplyStatus(&mood) == 1)
    fight_message_name("%%C5%s%%C0\xC5\xDC\xA6\xA8\xB4""d\xB6\xCB\xAA\xAC\xBA""A\xA4""F!!%%Q", u.GetName(), 200);
}

void fight_end_sadness() {
  if (fight_fallen_count > 0) --fight_fallen_count;
  battle_over = 0;
  for (int k = 0; k < fight_ally_count && k < fight_first_enemy; ++k) {
    FightMan& u = gmFightMan[k];
    if (!u.HasStatus(status_sadness)) continue;
    u.RemoveStatus(status_sadness, 0);
    fight_message_name("%%C5%s%%C0\xAA\xBA\xB4""d\xB6\xCB\xAA\xAC\xBA""A\xB8\xD1\xB0\xA3\xA4""F!!%%Q", u.GetName(), 200);
  }
}
