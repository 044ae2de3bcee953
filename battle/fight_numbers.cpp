// Applying an action's results and the floating numbers.
#include "battle/fight_numbers.h"

#include <algorithm>

#include "battle/fame.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "g3d/act_animation.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/geometry.h"
#include "sound/sfx_bank.h"
#include "battle/fight_hud.h"
#include "ui/number_draw.h"

int fight_hp_pass_requested = 0;
std::uint32_t hit_number_drift_state = 1;

namespace {
constexpr int dodge_effect = 1005, dodge_sound = 208;
constexpr std::uint16_t number_mp_second = 9033;

// 0..32767, as the platform's rand() gives.
int drift_rand() {
  hit_number_drift_state = hit_number_drift_state * 214013u + 2531011u;
  return int((hit_number_drift_state >> 16) & 0x7FFF);
}

G3dVector screen_point(float x, float y, float z) {
  const G3dVector p{x, y, z, 1};
  G3dVector s{};
  g3d_project_point(&p, &s);
  return s;
}
}  // namespace

int FightMan::AddHitNumber(std::uint16_t kind, std::int32_t amount, std::int16_t delay) {
  if (kind == number_miss && (cond & cond_dodge)) {
    cond &= ~cond_dodge;
    fx_last = spawn_effect(&fight_unit_effects, dodge_effect, pos.x, pos.y + 50, pos.z + 80);
    play_sfx(dodge_sound, 1);
    return hit_count;
  }
  if (kind == number_damage || kind == number_heal) {
    hp_pending += amount;
    if (kind == number_heal && IsAlly()) hud_refresh = 1;
  } else if (kind == number_mp || kind == number_mp_second) {
    mp_pending = std::int16_t(mp_pending + amount);
  } else if (kind == number_sp) {
    sp_pending = std::int16_t(sp_pending + amount);
  }
  HitNumber n;
  G3dVector s = screen_point(pos.x, pos.y + 80, pos.z);
  s.x = std::clamp(s.x, 40.0f, 600.0f);
  if (s.y > 480) s.y = 400;
  if (s.y < 50) s.y = 50;
  n.motion.rest = n.motion.current = s;
  n.motion.bounce_speed = 5.0f;
  n.motion.gravity = 1.0f;
  n.motion.bounces_left = 3;
  n.motion.repeat = 1;
  n.motion.direction = 1;
  n.motion.drift = 0.5f - float(drift_rand() % 100) / 100.0f;
  n.scale[0] = n.scale[1] = n.scale[2] = 1.0f;
  // The magnitude by the sign (the kind's own bit says nothing of it).
  n.value = std::uint32_t(amount < 0 ? -std::int64_t(amount) : amount);
  n.digit_act = kind;
  n.delay = delay;
  n.flat = 1;
  if (kind == number_miss) {
    if (!solo_hero) {
      cond |= cond_rage_pose;
      pinch_phase = 1;
    }
    body.state &= std::uint16_t(~1u);
    n.mode = 1;
  } else if (kind == number_immune) {
    n.mode = 1;
  }
  hit_numbers.push_front(n);
  return ++hit_count;
}

void FightMan::AddStatIcon(std::uint16_t icon_act, std::uint16_t pose_qq, std::int16_t delay) {
  HitNumber n;
  G3dVector s = screen_point(pos.x, pos.y + body.box.max.y * body.scale[1] / 2, pos.z);
  s.x += 25;
  n.motion.rest = n.motion.current = s;
  n.motion.bounce_speed = 1.0f;
  n.motion.gravity = 30.0f;
  n.motion.direction = 1;
  n.motion.countdown_mode = 1;
  n.scale[0] = n.scale[1] = n.scale[2] = 1.0f;
  n.digit_act = icon_act;
  n.pose = pose_qq;
  n.mode = 2;
  n.delay = delay;
  hit_numbers.push_front(n);
}

void FightMan::UpdateHitNumbers() {
  for (auto it = hit_numbers.begin(); it != hit_numbers.end();) {
    HitNumber& n = *it;
    if (n.delay > 0) {
      --n.delay;
      ++it;
      continue;
    }
    n.colour = std::uint32_t(n.alpha) << 24 | 0xFFFFFF;
    n.point[0] = n.motion.current.x, n.point[1] = n.motion.current.y, n.point[2] = n.motion.current.z;
    if (n.mode == 0) {
      draw_number(&n);
    } else {
      const int p[3] = {int(n.point[0]), int(n.point[1]), int(n.point[2])};
      draw_sprite_row(n.digit_act, n.mode == 2 ? n.pose : 0, 1, p, 1);
    }
    if (step_bounce(&n.motion)) {
      n.flags |= 2;
      n.alpha = n.alpha <= 20 ? 0 : std::uint8_t(n.alpha - 20);
    }
    if (n.alpha == 0) {
      const bool counted = n.mode != 2;
      it = hit_numbers.erase(it);
      if (hit_count > 0 && counted) --hit_count;
    } else {
      ++it;
    }
  }
}

void FightMan::FreeHitNumbers() {
  hit_numbers.clear();
  hit_count = 0;
}

void fight_request_hp_pass(int on) { fight_hp_pass_requested = on; }

namespace {
std::int32_t machine_scale(const FightMan& actor, std::int32_t hp) {
  if (!(fight_flags & fight_solo_scene) || hp <= 0) return hp;
  return hp * (actor.IsAlly() ? 7 : 4);
}

void show_result(FightMan* actor, FightMan* t, int r, std::int32_t hp, std::int16_t mp, std::int16_t sp) {
  switch (r) {
    case 1: {
      fight_last_hit_missed = 0;
      const std::uint16_t kind = hp < 0 ? number_heal : number_damage;
      hp = machine_scale(*actor, hp);
      std::int16_t delay = 0;
      if (hp > 0) t->OnHit();
      if (hp) t->AddHitNumber(kind, hp, delay), delay = std::int16_t(delay + 15);
      if (mp) t->AddHitNumber(number_mp, mp, delay), delay = std::int16_t(delay + 15);
      if (sp) t->AddHitNumber(number_sp, sp, delay);
      break;
    }
    case 0:
      t->AddHitNumber(number_miss, 0, 0);
      fight_last_hit_missed = 1;
      break;
    case 2: t->OnHit(); break;
    case 4: t->AddHitNumber(number_damage, hp, 0); break;
    case 5: t->AddHitNumber(number_immune, 0, 0); break;
    default: break;
  }
}
}  // namespace

void fight_apply_action(FightMan* actor, FightMan** targets, int count, std::uint32_t flags) {
  if (!actor || !targets) return;
  if (flags & apply_damage_rule)
    for (int i = 0; i < count; ++i) {
      FightMan* t = targets[i];
      if (!t) continue;
      std::int32_t hp = 0;
      std::int16_t mp = 0, sp = 0;
      const int r = actor->CalcDamage(t, &hp, &mp, &sp);
      show_result(actor, t, r, hp, mp, sp);
    }
  if (flags & apply_hurt)
    for (int i = 0; i < count; ++i)
      if (targets[i]) targets[i]->OnHit();
}

void fight_apply_pending_hp() {
  if (fight_hp_pass_requested != 1) return;
  fight_hp_pass_requested = 0;
  for (int i = 0; i < fight_unit_count && i < 16; ++i) {
    FightMan& u = gmFightMan[fight_unit_list[i] % fight_unit_slots];
    if (u.IsDead()) continue;
    if (!u.ChangeHp(0, 0, 0) || (u.GetScriptFlags() & script_stays_drawn)) continue;
    fight_unit_fell(&u);
    if (u.IsEnemy()) treasure_event(6, 1, u.monster.level);
  }
}
