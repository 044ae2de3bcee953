// Battle units: the special combat rules: treasures and their passives, capture, flight,
// drops, stealing, dispelling, the invisibility dodge, the money shield and the 六合 cut.
#include <cstring>

#include "battle/fame.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "battle/fight_numbers.h"
#include "battle/fight_rules.h"
#include "core/random_r250.h"
#include "data/battle_fields.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/spawn_effect.h"
#include "sound/sfx_bank.h"

namespace {
constexpr std::uint16_t code_rage = 50, code_regeneration = 51, code_auto_revive = 52, code_hit_bonus = 61;
constexpr std::uint32_t bit_regeneration = 2, bit_auto_revive = 4;
constexpr std::uint16_t tough_kind = 130, keepsake_kind = 205;
constexpr int sound_got = 210, sound_failed = 209, reflect_effect = 1021;
constexpr char steal_none[] = "\xB3o\xB0\xA6\xA9\xC7\xAA\xAB\xA8\xAD\xA4W\xA4w\xB5L\xAA\xAB\xAB~!!%Q";
constexpr char steal_done[] = "\xA6\xA8\xA5\\\xB0\xBD\xA8\xFA\xA8\xEC%%C9%s%%C0!!%%Q";
constexpr char steal_failed[] = "\xB0\xBD\xC5\xD1\xA5\xA2\xB1\xD1!!%Q";
constexpr char dispel_done[] = "\xA6\xA8\xA5\\\xAE\xF8\xB0\xA3\xA5\xD8\xBC\xD0\xA8\xAD\xA4W\xAA\xBA\xAAk\xB3N\xAE\xC4\xAAG!!%Q";
constexpr char dispel_failed[] = "\xAE\xF8\xB0\xA3\xAAk\xB3N\xA5\xA2\xB1\xD1!!%Q";
constexpr char qiankun_name[] = "\xB0\xAE\xA9[";

// The fame level of a treasure, 1 without a record.
int treasure_fame_level(std::uint16_t object) {
  const FameNode* n = fame_find(object, fame_type_treasure);
  return n ? n->level : 1;
}


// The strength of a 六合 or 乾坤 option row.
std::uint8_t guard_strength(std::uint8_t row) { return row <= 1 ? 30 : row <= 3 ? 70 : 100; }

// The treasure level as a divisor: levels run 1-10, a 0 counts as 1.
int level_divisor(std::uint16_t level) { return level > 0 ? level : 1; }
}  // namespace

void FightMan::ApplyTreasureCode(const ItemData* t) {
  if (solo_hero || !t) return;
  if (t->treasure_code == code_auto_revive) treasure_bits |= bit_auto_revive;
  if (t->treasure_code == code_hit_bonus) {
    hit_bonus = std::int16_t(2 * TreasureLevel(code_hit_bonus));
    if (role) role->stats[10] = std::uint16_t(role->stats[10] + hit_bonus);
  }
}

void FightMan::DefendPassives() {
  if (solo_hero || !defending || !role) return;
  for (int slot = 4; slot <= 5; ++slot) {
    ItemData t{};
    if (!role->equip[slot] || !read_Item(role->equip[slot], &t)) continue;
    const int level = treasure_fame_level(role->equip[slot]);
    if (t.treasure_code == code_rage) GainRage(0, std::uint16_t(3 * level), -1);
    if (t.treasure_code == code_regeneration) {
      hp_pending -= 20 * level;
      mp_pending = std::int16_t(mp_pending + 5 * level);
      sp_pending = std::int16_t(sp_pending + 5 * level);
      treasure_bits |= bit_regeneration;
    }
  }
}

std::uint16_t FightMan::TreasureLevel(std::uint16_t command) {
  for (int i = 0; i < 2; ++i) {
    if (treasure_command[i] != command) continue;
    if (const FameNode* n = fame_find(treasure[i], fame_type_treasure)) {
      treasure_level = n->level;
      break;
    }
  }
  return treasure_level;
}

void FightMan::EndCharge() {
  if (!(cond & cond_charged)) return;
  cond &= ~cond_charged;
  if (!role) return;
  role->stats[9] = std::uint16_t(role->stats[9] + charge_defence);
  charge_attack = charge_defence = 0;
}

void FightMan::SetupTreasureCommand(std::uint16_t c) {
  if (solo_hero) return;
  switch (c) {
    case 16:
      if (cond & cond_charged) return;
      TreasureLevel(16);
      charge_attack = std::int16_t(treasure_level * StatWord(8) / 2);
      charge_defence = std::int16_t(treasure_level * StatWord(9) / 10);
      SetStatWord(9, std::uint16_t(StatWord(9) - charge_defence));
      break;
    case 17: TreasureLevel(17); break;
    case 18: case 20: case 25:
      atk = action.atk_script;
      TreasureLevel(c);
      break;
    case 22:
      atk = action.atk_script;
      AddCondition(cond_invisible);
      TreasureLevel(22);
      break;
    default: break;
  }
}

int FightMan::IsUncatchable() const {
  return monster.kind == keepsake_kind || monster.kind == tough_kind || (act >= 1140 && act <= 1162);
}

int FightMan::CaptureChance(const FightMan* m) const {
  if (!m || m->IsUncatchable()) return 0;
  const int r = int(rand_below(100));
  return capture_rule(Level(), m->Level(), m->monster.hp, m->monster.max_hp, r);
}

int FightMan::FleeChance(std::uint16_t level) const {
  if (IsAlly()) {
    if (Level() < level) return rand_below(100) < 20;
    const int d = Level() - level;
    if (d <= 5) return rand_below(100) < 50;
    if (d <= 10) return rand_below(100) < 80;
    return 1;
  }
  if (monster.kind == tough_kind || (script_flags & 2)) return 0;
  const int d = std::int16_t(level - Level());
  if (d < 0) return 0;
  const int chance = d * 2 > 50 ? 50 : d * 2;
  return int(rand_below(100)) < chance;
}

std::uint16_t FightMan::RollDrop() const {
  if (!monster.drop_item) return 0;
  return int(rand_below(100)) < monster.drop_chance ? monster.drop_item : 0;
}

std::uint16_t FightMan::Steal(FightMan* m) {
  if (!m || !m->monster.steal_item) {
    fight_message(steal_none, 150);
    play_sfx(sound_failed, 1);
    return 0;
  }
  if (int(rand_below(100)) <= 5 * treasure_level + 50) {
    const std::uint16_t got = m->monster.steal_item;
    m->monster.steal_item = 0;
    std::memset(&action, 0, sizeof action);
    read_Item(got, &action);
    play_sfx(sound_got, 1);
    fight_message_name(steal_done, action.NAME, 150);
    return got;
  }
  fight_message(steal_failed, 150);
  play_sfx(sound_failed, 1);
  return 0;
}

int FightMan::Dispel(FightMan* t) {
  if (t && int(rand_below(100)) <= (treasure_level / 2) * 20) {
    t->RemoveStatus(0, 0);
    play_sfx(sound_got, 1);
    fight_message(dispel_done, 130);
    return 1;
  }
  play_sfx(sound_failed, 1);
  fight_message(dispel_failed, 130);
  return 0;
}

int FightMan::TryInvisibleDodge() {
  return (cond & cond_invisible) && int(rand_below(100)) <= 8 * treasure_level;
}

int FightMan::TryMoneyShield(std::int32_t damage) {
  if (!(cond & cond_money_shield) || party_money == 0) return 0;
  const std::int32_t cost = damage / level_divisor(treasure_level) * 2;
  if (cost < party_money) {
    party_money -= cost;
    return 1;
  }
  party_money = 0;
  return 0;
}

int FightMan::ApplyLiuheCut(int* damage) const {
  if (!(cond & cond_liuhe)) return 0;
  *damage -= liuhe_cut * *damage / 100;
  spawn_effect(&fight_unit_effects, reflect_effect, pos.x, pos.y + 80, pos.z + 50);
  return 1;
}

void FightMan::SetGuard(std::uint32_t bit, std::uint8_t row, std::uint8_t column) {
  if (bit == cond_liuhe) liuhe_cut = guard_strength(row);
  if (bit != cond_qiankun) return;
  qiankun_value = guard_strength(row);
  qiankun_stat = column;
  ItemData guard{};
  std::memcpy(guard.NAME, qiankun_name, sizeof qiankun_name);
  guard.kind = 303;
  if (column == 0) guard.yin = qiankun_value;
  else guard.yang = qiankun_value;
  guard.turns = 4;
  guard.bytes_251[1] = 100;  // buff_chance: no acceptance roll
  ApplyBuffs(&guard);
}

int FightMan::HpTier() const {
  if (!IsAlly()) return 0;
  const int hp = CurrentHp(), max = MaxHp();
  if (hp <= max / 6) return 5;
  if (hp <= max / 5) return 4;
  if (hp <= max / 4) return 3;
  if (hp <= max / 3) return 2;
  return 0;
}

void FightMan::TryAutoRevive() {
  if (!(dead || dying) || !(treasure_bits & bit_auto_revive) || solo_hero) return;
  treasure_bits &= ~bit_auto_revive;
  if (role) {
    role->rage = 0;
    role_rage_bonus(*role) = 0;
  }
  atb = 0;
  cond = 0;
  body.state = 0;
  pinch_phase = 1;
  status_damage = -MaxHp();
  dying = 0;
  AddHitNumber(number_heal, status_damage, 0);
  ChangeHp(0, 0, 0);
  status_damage = 0;
  defending = 0;
  dead = 0;
  cond |= cond_revived;
  if (role) role->flags &= ~1;
  fight_end_sadness();
}
