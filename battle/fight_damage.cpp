// Battle units: the damage and hit rule, the HP change that applies it, rage and defence.
#include <algorithm>
#include <cstdlib>

#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "battle/fight_rules.h"
#include "core/random_r250.h"
#include "data/battle_fields.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/spawn_effect.h"

namespace {
constexpr int reflect_effect = 1021;
constexpr int damage_cap = 9999;
constexpr std::uint16_t magic_kind = 303, physical_kind = 300, tough_kind = 130, element_kind = 118;
constexpr std::uint8_t flag_talisman = 1, flag_drain = 8, flag_heal = 0x40;
constexpr std::uint32_t regeneration_ready = 2, damage_third = 0x10000000;
constexpr char rage_strike_text[] = "\xBC\xAB\xAB\xE3\xA4@\xC0\xBB!!%Q";

int rnd(int level) { return int(rand_below(unsigned(level > 0 ? level : 0))); }
int floor_roll(int level) { return rnd(level) + 5; }

// The unit's MP or SP now and at most.
int current_mp(const FightMan& u) { return u.IsAlly() && u.role ? u.role->mp : u.monster.mp; }
int current_sp(const FightMan& u) { return u.IsAlly() && u.role ? u.role->sp : u.monster.sp; }
int max_mp(const FightMan& u) { return u.IsAlly() && u.role ? u.role->max_mp : u.monster.max_mp; }
int max_sp(const FightMan& u) { return u.IsAlly() && u.role ? u.role->max_sp : u.monster.max_sp; }

bool has_power(const ItemData& a) { return item_power(a) != 0 && item_power(a) != -10000; }

bool element_immune(const FightMan& t, int element) {
  if (!element) return false;
  if (t.IsAlly()) {
    if (t.guest && t.monster.kind == element_kind && (element == 1 || element == 2)) return true;
    if (t.role && t.role->object_id == 4 && (element == 1 || element == 3)) return true;
    return false;
  }
  if (t.monster.kind == tough_kind) return element == 2 || element == 3;
  if (t.monster.kind == element_kind) return element == 1 || element == 3;
  return false;
}

// The roll of a rule: a sure hit (after a miss, or a charged attacker where the rule says so)
// clears the flag and cannot miss. A miss arms the next sure hit and counts a weak hit.
bool roll_hit(FightMan& a, const FightMan& t, const HitRule& rule) {
  const int word = rule.magic ? 14 : 10;
  float chance = hit_chance(float(a.StatWord(word)), float(t.StatWord(word)), rule);
  if (a.sure_hit || (rule.charged_forces && (a.cond & cond_charged))) {
    a.sure_hit = 0;
    chance = 100;
  }
  if (roll_chance(chance)) return true;
  a.sure_hit = 1;
  if (a.IsAlly()) ++a.weak_hits;
  return false;
}

// The action's own yin or yang side (yang wins) against the target's guard.
int yin_yang_scaled(const FightMan& t, const ItemData& action, int damage) {
  YinYangRecord guard;
  if (!t.GetYinYangGuard(&guard)) return damage;
  const std::int16_t yin = item_yin(action), yang = item_yang(action);
  if (!yin && !yang) return damage;
  YinYangRecord own;
  own.side = yang ? 1 : 0;
  own.level = std::uint8_t((yang ? yang : yin) & 0xFF);
  return damage * FightMan::YinYangRatio(own, guard) / 100;
}

int stance_bonus(const FightMan& a, const FightMan& t, int damage) {
  YinYangRecord stance, guard;
  if (!a.GetStance(&stance)) return damage;
  t.GetYinYangGuard(&guard);
  const int bonus = std::int16_t(a.Level() + stance.power + a.StatWord(12) - (t.Level() + t.StatWord(13))) *
                    FightMan::YinYangRatio(stance, guard) / 100;
  damage += bonus;
  if (damage > 0) damage = damage * (rnd(20) + 70) / 100;
  return damage;
}

void weak_hit_rule(FightMan& a, const FightMan& t, int damage) {
  if (damage > t.MaxHp() / 100) a.weak_hits = 0;
  else ++a.weak_hits;
}

void reflect(const FightMan& t) {
  spawn_effect(&fight_unit_effects, reflect_effect, t.pos.x, t.pos.y + 80, t.pos.z + 50);
}

int level_gap(const FightMan& a, const FightMan& t) { return std::abs(a.Level() - t.Level()); }
}  // namespace

std::uint16_t FightMan::GetEffectiveDefence() const {
  int d = StatWord(9);
  if (HasStatus(status_poison)) d = d * 70 / 100;
  if (HasStatus(status_sleep)) d = d * 60 / 100;
  return std::uint16_t(d);
}

void FightMan::GainRage(std::uint16_t kind, std::uint16_t level, std::int32_t amount) {
  if (!IsAlly() || guest || solo_hero || !role) return;
  if (amount == -1) {
    role->rage = std::min(role->rage + int(level), 100);
    role_rage_bonus(*role) = 0;
    return;
  }
  if (role->rage >= 100) {
    role->rage = 100;
    return;
  }
  const int gain = kind == 0 ? rage_for_taking(Level(), level, amount, role->max_hp) : rage_for_dealing(Level(), level);
  role->rage += gain;
  if (role->rage >= 100) {
    role->rage = 100;
    role_rage_bonus(*role) = 0;
  }
}

int FightMan::ChangeHp(std::int32_t h, std::int16_t m, std::int16_t s) {
  if (fight_hp_changes_suspended || dying) return 0;
  if (h == 0) h = hp_pending;
  if (m == 0) m = mp_pending;
  if (s == 0) s = sp_pending;
  hp_pending = 0, mp_pending = sp_pending = 0;
  int* hp = nullptr;
  if (IsAlly() && role) {
    hud_refresh = 1;
    role->hp = std::min(role->hp - h, role->max_hp);
    role->mp = std::int16_t(std::min(role->mp + m, int(role->max_mp)));
    role->sp = std::int16_t(std::min(role->sp + s, int(role->max_sp)));
    if (!solo_hero) {
      if (role->hp <= role->max_hp / 3) {
        cond |= cond_low_hp;
        body.state &= std::uint16_t(~1u);
        if (pinch_phase == 0) pinch_phase = 1;
      } else if (cond & cond_low_hp) {
        pinch_phase = 3;
        body.state = 0;
      }
    }
    hp = &role->hp;
  } else {
    monster.hp = std::min(monster.hp - h, monster.max_hp);
    if (cond & cond_fall_next) monster.hp = 0;
    hp = &monster.hp;
  }
  if (*hp > 0) return 0;
  RemoveStatus(0, 0);
  state = 53;
  dying = 1;
  *hp = 0;
  if (IsAlly() && role) pulse_level = pulse_phase = 0;
  return 1;
}

namespace {
struct DamageCall {
  FightMan& a;
  FightMan& t;
  const ItemData& act;
  std::int32_t hp = 0;
  std::int16_t mp = 0, sp = 0;
  bool drain = false;
  int drain_hp = 0;
};

// A drain of the action: 1 ends the rule with the outputs set; 0 goes on.
int drain_step(DamageCall& c) {
  int hp = item_hp_amount(c.act), mp = item_mp_amount(c.act), sp = item_sp_amount(c.act);
  bool percent = false;
  for (int* v : {&hp, &mp, &sp})
    if (*v > 10000) *v -= 10000, percent = true;
  c.t.ApplyStatus(&c.act);
  c.t.ApplyBuffs(&c.act);
  if (percent) {
    hp = hp * c.t.CurrentHp() / 100, mp = mp * current_mp(c.t) / 100, sp = sp * current_sp(c.t) / 100;
  } else {
    hp = std::min(hp, c.a.CurrentHp());
    if (mp) c.t.AddHitNumber(number_damage, mp, 15);
    if (sp) c.t.AddHitNumber(number_damage, sp, 30);
  }
  if (hp) c.a.AddHitNumber(number_heal, -hp, 0);
  if (mp) c.a.AddHitNumber(number_mp, mp, 15);
  if (sp) c.a.AddHitNumber(number_sp, sp, 30);
  c.a.ChangeHp(0, 0, 0);
  c.hp = hp;
  c.drain_hp = hp;
  if (percent) {
    c.mp = std::int16_t(-mp), c.sp = std::int16_t(-sp);
    return 1;
  }
  c.t.GainRage(0, std::uint16_t(c.a.Level()), hp);
  return 0;
}

int command13(DamageCall& c) {
  if (!roll_hit(c.a, c.t, hit_rule_command13)) return 0;
  const int level = c.a.Level();
  int dmg = item_power(c.act) + level + c.a.StatWord(12) + rnd(level) + 5 - (c.t.StatWord(13) + c.t.Level());
  if (dmg < 0) dmg = floor_roll(level);
  dmg = std::min(dmg, damage_cap);
  c.a.GainRage(1, std::uint16_t(c.t.Level()), dmg);
  c.hp = dmg;
  return 1;
}

// Step 9's amounts; -1 goes on to the decision, other values end the rule.
int amounts_step(DamageCall& c, int* s) {
  if (c.drain) return -1;
  const int v = item_hp_amount(c.act);
  if (v) {
    if (v > 10000) {
      c.hp = percent_of(v, c.t.MaxHp());
    } else if (v < 0 && c.a.IsAlly()) {
      const int pct = -v - 10000;
      const bool tough = c.t.IsEnemy() && c.t.monster.kind == tough_kind;
      c.hp = std::max(tough ? 0 : pct * c.t.CurrentHp() / 100, 1);
      const int chance = percent_damage_chance(c.a.Level(), c.t.Level(), (c.act.target_mode & 1) != 0);
      if (int(rand_below(100)) > chance) {
        ++c.a.weak_hits;
        c.a.sure_hit = 1;
        c.hp = 0;
        return 0;
      }
      return 1;
    } else {
      c.hp = v;
    }
    if (c.act.action_flags & flag_heal) *s = 2, c.hp = -c.hp;
  }
  if (const int m = item_mp_amount(c.act)) c.mp = std::int16_t(percent_of(m, max_mp(c.t))), *s = 2;
  if (const int p = item_sp_amount(c.act)) c.sp = std::int16_t(percent_of(p, max_sp(c.t))), *s = 2;
  if (c.act.rage_add && c.t.IsAlly() && c.t.role) {
    c.t.role->rage = std::min(c.t.role->rage + c.act.rage_add, 100);
    *s = 2;
  }
  return *s == 2 ? 1 : -1;
}

// Step 10: -1 goes on to the damage with *sure set; other values are the result.
int decide_step(const DamageCall& c, int s, int b, bool* sure) {
  const bool dodge = (c.t.cond & cond_dodge) != 0, power = has_power(c.act);
  if (b > 0) {
    if ((b == 2 || b == 5) && dodge) return 0;
    if (b == 1) return 1;
  } else {
    if (dodge) return 0;
    if (!c.drain && !c.act.status_low && !power) return b == -1 ? 5 : b == -2 ? 0 : 1;
  }
  if (c.act.status_low && !power) {
    if (s == 0) return 0;
    if (s == -1) return 5;
  }
  if (!c.drain && !power) return 3;
  *sure = s == 1 || b == 2;
  return -1;
}

int ally_command_damage(DamageCall& c, bool sure) {
  FightMan& a = c.a;
  const int level = a.Level(), power = item_power(c.act);
  int dmg = 0;
  switch (a.state) {
    case 2: case 4:
      if (!sure && !roll_hit(a, c.t, hit_rule_arts)) return 0;
      dmg = power + level + a.StatWord(12) + rnd(level) + 5 - (c.t.Level() + c.t.StatWord(13));
      if (dmg < 0) dmg = floor_roll(level);
      dmg = yin_yang_scaled(c.t, c.act, dmg);
      if (dmg <= 1) dmg = floor_roll(level);
      a.GainRage(1, std::uint16_t(c.t.Level()), dmg);
      break;
    case 3: case 9:
      if (!sure && !roll_hit(a, c.t, hit_rule_techniques)) return 0;
      dmg = (a.StatWord(8) - a.StatWord(16) + a.charge_attack + rnd(level) + 5 + power) -
            (c.t.StatWord(9) + 2 * level_gap(a, c.t));
      if (dmg <= 1) dmg = floor_roll(level);
      if (c.act.target_side == 2) dmg = stance_bonus(a, c.t, dmg);
      a.GainRage(1, std::uint16_t(c.t.Level()), dmg);
      a.EndCharge();
      break;
    default:  // 6, the special technique: no roll
      dmg = rnd(level) + a.StatWord(8) + a.charge_attack + power - c.t.StatWord(9);
      if (dmg <= 1) dmg = floor_roll(level);
      a.EndCharge();
      break;
  }
  weak_hit_rule(a, c.t, dmg);
  c.hp = dmg;
  return 1;
}

int enemy_command_damage(DamageCall& c, bool sure) {
  FightMan& t = c.t;
  if (t.cond & cond_reflect) {
    reflect(t);
    c.hp = 0;
    return 3;
  }
  if (!t.role) return 3;
  if (t.TryInvisibleDodge()) return 0;
  const int level = c.a.Level(), power = item_power(c.act);
  if (c.act.kind == magic_kind) {
    if (!sure && !roll_hit(c.a, t, hit_rule_enemy_magic)) return 0;
    int dmg = std::max(power + level + c.a.StatWord(12) - (t.Level() + t.StatWord(13)), 0);
    if (c.drain) dmg = std::max(dmg, c.drain_hp);
    dmg = yin_yang_scaled(t, c.act, dmg);
    if (t.defending) dmg /= 2;
    if (dmg <= 1) dmg = floor_roll(level);
    t.ApplyLiuheCut(&dmg);
    c.hp = dmg;
  } else if (c.act.kind == physical_kind) {
    if (!sure && !roll_hit(c.a, t, hit_rule_enemy_physical_kind)) return 0;
    int dmg = c.a.StatWord(8) + power + rnd(level) + 5 - (t.StatWord(9) + 2 * level_gap(c.a, t));
    if (c.drain) dmg = std::max(dmg, c.drain_hp);
    if (t.defending) dmg /= 2;
    if (dmg <= 1) dmg = floor_roll(level);
    if (t.treasure_bits & damage_third) dmg /= 3;
    if (t.TryMoneyShield(dmg)) return 0;
    c.hp = dmg;
  }
  t.GainRage(0, std::uint16_t(level), c.hp);
  return 1;
}

void tail(DamageCall& c) {
  if ((c.a.state < 15 || c.a.state >= 50) && c.act.atb_delay != 0 && !c.a.guest)
    c.t.atb_delay = std::int16_t(c.act.atb_delay);
  if (!(c.act.action_flags & flag_heal)) c.hp = std::min(c.hp, damage_cap);
}

int physical(DamageCall& c) {
  FightMan &a = c.a, &t = c.t;
  if (t.cond & cond_dodge) return 0;
  if (t.cond & cond_reflect) {
    reflect(t);
    c.hp = 0;
    return 3;
  }
  const int level = a.Level();
  int dmg = 0;
  if (a.IsAlly()) {
    const int d = t.GetEffectiveDefence();
    if (!roll_hit(a, t, hit_rule_ally_physical)) return 0;
    t.ApplyStatus(&c.act);
    t.ApplyBuffs(&c.act);
    int base = a.StatWord(8) + a.charge_attack;
    if (a.state == 25) {
      a.action.atb_delay = 0;
      base = (5 * a.treasure_level + 50) * (a.StatWord(8) + a.charge_attack) / 100;
    }
    dmg = level + base + rnd(level) + 5 - (d + level_gap(a, t));
    if (rage_strike_pending == 1 && !(a.cond & cond_charged)) {
      fight_message(rage_strike_text, 150);
      rage_strike_pending = 0;
      dmg *= 2;
    }
    if (dmg <= 1) dmg = floor_roll(level);
    dmg = stance_bonus(a, t, dmg);
    a.GainRage(1, std::uint16_t(t.Level()), dmg);
    a.EndCharge();
    weak_hit_rule(a, t, dmg);
  } else {
    if (!t.role) return 3;
    if (t.TryInvisibleDodge()) return 0;
    const int d = t.GetEffectiveDefence();
    if (!roll_hit(a, t, hit_rule_enemy_physical)) return 0;
    t.ApplyStatus(&a.monster);
    t.ApplyBuffs(&c.act);
    dmg = level + a.StatWord(8) + rnd(level) + 5 - (d + level_gap(a, t));
    if (dmg > 0) {
      if (t.defending) dmg /= 2;
      if (t.treasure_bits & damage_third) dmg /= 3;
    }
    if (dmg <= 1) dmg = floor_roll(level);
    if (t.TryMoneyShield(dmg)) return 3;
    t.GainRage(0, std::uint16_t(level), dmg);
  }
  c.hp = dmg;
  tail(c);
  return 1;
}

int defend_result(DamageCall& c) {
  FightMan& a = c.a;
  if (a.treasure_bits & regeneration_ready) {
    c.hp = a.hp_pending, c.mp = a.mp_pending, c.sp = a.sp_pending;
    a.hp_pending = 0, a.mp_pending = a.sp_pending = 0;
  } else {
    c.hp = -5, c.mp = 3, c.sp = 3;
  }
  return 1;
}

int calc(DamageCall& c) {
  if (element_immune(c.t, c.act.element)) return 5;
  if (c.t.GetScriptFlags() & script_untargetable) {
    c.hp = 0;
    return 4;
  }
  if (c.a.prev_state == 5) return defend_result(c);
  c.t.hit_state = 1;
  c.t.RemoveStatus(status_sleep, 0);
  c.drain = (c.act.action_flags & flag_drain) != 0;
  if (c.drain && drain_step(c)) return 1;
  if (c.a.state == 13) return command13(c);
  if (c.act.action_flags & flag_talisman) {
    talisman_gain(c.a.side, c.act.talisman_element, c.act.talisman_count);
    return 3;
  }
  const std::uint16_t st = c.a.state;
  if (!(st == 2 || st == 3 || st == 4 || st == 6 || st == 9)) return physical(c);
  int s = c.t.ApplyStatus(&c.act);
  const int b = c.t.ApplyBuffs(&c.act);
  if (const int r = amounts_step(c, &s); r >= 0) return r;
  bool sure = false;
  if (const int r = decide_step(c, s, b, &sure); r >= 0) return r;
  const int r = c.a.IsAlly() ? ally_command_damage(c, sure) : enemy_command_damage(c, sure);
  if (r != 1) return r;
  tail(c);
  return 1;
}
}  // namespace

int FightMan::CalcDamage(FightMan* t, std::int32_t* hp, std::int16_t* mp, std::int16_t* sp) {
  *hp = 0, *mp = 0, *sp = 0;
  if (!t) return 3;
  DamageCall c{*this, *t, action};
  const int r = calc(c);
  *hp = c.hp, *mp = c.mp, *sp = c.sp;
  return r;
}
