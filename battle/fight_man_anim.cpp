// Battle units: the body animation of each state, the action animations that report hit events,
// the reactions, flight and death.
#include <algorithm>
#include <cmath>

#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "core/random_r250.h"
#include "g3d/act_draw.h"
#include "g3d/effects/afterimages.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/scripted_effects.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/model_cache.h"
#include "sound/sfx_bank.h"

namespace {
constexpr std::uint16_t rest_pose = 24;
constexpr std::uint32_t bit31 = 0x80000000, bit30 = 0x40000000, bit28 = 0x10000000;
constexpr char escaped_text[] = "%%C5%s%%C0\xB0k\xB6]\xA4""F%%Q";
constexpr int death_sound = 740, death_effect = 3008, hero_death_effect = 3007;
constexpr std::uint16_t flare_kind = 118, death_puff_act = 6038;

bool finished(const ActInstance& a) { return (a.state & act_state_finished) != 0; }

void play_cue(ActInstance& a) {
  if (!a.sound) return;
  play_sfx(a.sound, 1);
  a.sound = 0;
}

// Advances the body in pose qq (pose overrides); false without animation data.
bool tick_pose(FightMan& u, std::uint16_t qq) {
  u.body.act = u.act;
  u.body.qq = u.pose ? u.pose : qq;
  if (!Take_3dActData(&u.body)) return false;
  play_cue(u.body);
  return true;
}

// The event word of an action animation with the bits it consumes cleared in the animation.
std::uint32_t take_events(ActInstance& a, std::uint32_t consumed) {
  const std::uint32_t word = a.events;
  a.events &= ~consumed;
  return word;
}

void pinch_poses(FightMan& u) {
  if (u.cond & cond_rage_pose) {
    if (u.pinch_phase == 1) {
      u.body.qq = 48;
      if (finished(u.body) && ++u.pose_loops >= 10) {
        u.body.state &= std::uint16_t(~act_state_finished);
        u.body.qq = 49;
        u.pinch_phase = 2;
        u.pose_loops = 0;
      }
    } else if (u.pinch_phase == 2) {
      u.body.qq = 49;
      if (finished(u.body)) u.body.qq = rest_pose, u.pinch_phase = 0, u.cond &= ~cond_rage_pose;
    }
    return;
  }
  if ((u.cond & cond_low_hp) && !u.defending) {
    if (u.pinch_phase == 1) {
      u.body.qq = 45;
      if (finished(u.body)) u.pinch_phase = 2;
    } else if (u.pinch_phase == 2) {
      u.body.qq = 46;
    } else if (u.pinch_phase == 3) {
      u.body.qq = 47;
      if (finished(u.body)) u.body.qq = rest_pose, u.pinch_phase = 0, u.cond &= ~cond_low_hp;
    }
    return;
  }
  if (u.cond & cond_rise) {
    u.body.qq = 43;
    if (finished(u.body)) {
      u.body.qq = rest_pose;
      u.pinch_phase = 0;
      u.cond &= ~cond_rise;
      if (u.cond & cond_low_hp) u.pinch_phase = u.CurrentHp() <= u.MaxHp() / 3 ? 1 : 3;
    }
    return;
  }
  if ((u.cond & cond_revived) && u.pinch_phase == 1) {
    u.body.qq = 38;
    if (finished(u.body)) u.body.qq = rest_pose, u.pinch_phase = 0, u.cond &= ~cond_revived;
  }
}

// The monsters that burst as they fall: on the death pose's first picture they flash (effect
// 3008, 3007 for kind 118) with sound 740 and fade additively from then on.
bool flares_on_death(const FightMan& u) {
  const std::uint16_t a = u.act;
  const bool listed = a == 178 || a == 184 || a == 225 || a == 244 || a == 250 || a == 253 || a == 255 ||
                      (a >= 261 && a <= 271);
  return listed || u.monster.kind == flare_kind;
}

void flare_on_death(FightMan& u) {
  if (!flares_on_death(u)) return;
  // The flash comes once: its first frame lowers the alpha the fade starts from.
  if (u.body.picture == 0 && u.death_alpha == 255) {
    u.death_alpha = 254;
    spawn_effect(&fight_unit_effects, u.monster.kind == flare_kind ? hero_death_effect : death_effect, u.pos.x,
                 u.pos.y + 80, u.pos.z + 50);
    play_sfx(death_sound, 1);
  }
  u.hit_state = 4;
}

void death_puff(const FightMan& u) {
  SpecialEffect puff{};
  puff.instance.act = death_puff_act;
  puff.position = puff.target = u.pos;
  add_special_effect(&puff, special_add_front);
}

void enemy_idle(FightMan& u) {
  if (fight_talk_hold || u.body.frame < u.body.frame_max) return;
  u.body.state |= act_state_restart;
  u.body.qq = rest_pose;
  if (u.idle_wait == 0) {
    u.idle_wait = std::uint8_t(2 + rand_below(6));
    const unsigned r = rand_below(100);
    if (r >= 21 && r <= 59) u.body.qq = 22;
    else if (r >= 61) u.body.qq = 23;
    u.pose = 0;
  } else {
    --u.idle_wait;
  }
}
}  // namespace

void FightMan::UpdateAnim() {
  if (withdrawn) return;
  body.act = act;
  if (pose) body.qq = pose;
  if (atb_delay != 0 && atb > 0) {
    const int c = std::max(atb_delay / 10, 1);
    atb_delay = std::int16_t(atb_delay - c);
    atb = std::max(atb - c, 0);
  }
  if (atb_delay <= 0) atb_delay = 0;
  if (state == 55) return AnimHurt();
  if (state == 100) return AnimStagger();
  if (state != 0) return;
  if (HasStatus(status_sleep) || HasStatus(status_paralysis)) return;
  const bool party_character = IsAlly() && !guest;
  if (party_character && pinch_phase > 0) pinch_poses(*this);
  if (dead) {
    if (party_character || pet) body.qq = 31;
    else return;
  } else if (IsEnemy()) {
    enemy_idle(*this);
  }
  if (Take_3dActData(&body)) play_cue(body);
}

std::uint32_t FightMan::AnimAttack() {
  if (!tick_pose(*this, 25)) return 0;
  const std::uint32_t word = take_events(body, bit31 | bit30);
  if (finished(body) && is_special_effect_list_empty()) {
    rage_strike_pending = 0;
    return 0;
  }
  return word;
}

std::uint32_t FightMan::AnimCast() {
  if (!tick_pose(*this, state == 4 ? 32 : 26)) return 0;
  const std::uint32_t word = take_events(body, bit31 | bit30 | bit28);
  if (finished(body)) {
    trail_on = 0;
    return 0;
  }
  return word;
}

std::uint32_t FightMan::AnimAction() {
  if (!tick_pose(*this, pose)) return 0;
  const std::uint32_t word = take_events(body, bit31 | bit30 | bit28);
  if (finished(body)) {
    trail_on = 0;
    return 0;
  }
  return word;
}

std::uint32_t FightMan::AnimCastFx(std::uint16_t fx_act) {
  if (!tick_pose(*this, 26)) return 0;
  const std::uint32_t word = take_events(body, bit31);
  if (body.events & bit28) {
    SpecialEffect fx{};
    fx.instance.act = fx_act;
    fx.motion = special_motion_fade_out;
    fx.position = fx.target = pos;
    add_special_effect(&fx, special_add_front);
    body.events &= ~bit28;
  }
  return finished(body) ? 0 : word;
}

void FightMan::AnimStagger() {
  body.qq = pose = 21;
  Take_3dActData(&body);
  if (finished(body)) body.qq = pose = rest_pose, state = 0;
}

void FightMan::AnimHurt() {
  body.qq = pose = 27;
  Take_3dActData(&body);
  // Without animation data the reaction ends at once: nothing would ever finish it.
  if (!finished(body) && body.resource) return;
  body.qq = pose = prev_state == 5 ? 30 : rest_pose;
  state = 0;
  if (guest && !pet) StartFade(1, 10);
}

void FightMan::Defend() {
  prev_state = 5;
  state = 0;
  pos = home;
  defending = 1;
  EndTurn();
  body.qq = pose = 30;
  DefendPassives();
}

int FightMan::AnimFleeTry(int granted) {
  body.qq = 35;
  rot_y = yaw = IsAlly() ? 0.0f : 180.0f;
  if (Take_3dActData(&body)) play_cue(body);
  if (++anim_timer < 40) return 0;
  if (!granted) rot_y = yaw = IsAlly() ? 180.0f : 0.0f;
  anim_timer = 0;
  return 1;
}

int FightMan::AnimEscape() {
  body.qq = 35;
  if (IsAlly()) rot_y = yaw = 0, pos.z -= 15;
  else rot_y = yaw = 180, pos.z += 15;
  Take_3dActData(&body);
  if (anim_timer == 1 && IsEnemy()) {
    monster.drop_item = monster.steal_item = 0;
    fight_message_name(escaped_text, GetName(), 180);
  }
  if (++anim_timer < 40) return 0;
  state = 0;
  anim_timer = 0;
  return 1;
}

int FightMan::RunDeath() {
  if (script_flags & script_stays_drawn) {
    dying = 0, dead = 1;
    return 1;
  }
  body.act = act;
  body.qq = 31;
  const bool has_frame = Take_3dActData(&body) != 0;
  play_cue(body);
  dead = 1;
  if (pet || (IsAlly() && !guest)) {
    if (!pet) EndCharge();
    state = 0;
    dying = 0;
    if (role) role->flags |= 1;
    if (IsAlly() && !pet && (solo_hero || (!guest && act == 4))) {
      play_sfx(death_sound, 1);
      spawn_effect(&fight_unit_effects, solo_hero ? death_effect : hero_death_effect, pos.x, pos.y + 80, pos.z + 50);
    }
    return 1;
  }
  // An enemy or a guest fades out; without animation data it fades as soon as it falls.
  flare_on_death(*this);
  if (has_frame && !finished(body)) return 0;
  // A plain death leaves a puff where the unit fell, once: the flaring deaths have begun to fade.
  if (death_alpha == 255 && hit_state != 3) death_puff(*this);
  bool over = false;
  switch (hit_state) {
    case 0: over = true; break;
    case 2: death_alpha = death_alpha <= 3 ? 0 : std::uint8_t(death_alpha - 2), over = death_alpha <= 1; break;
    case 3: if (pinch_phase == 0) pinch_phase = 1; break;
    default: death_alpha = death_alpha <= 5 ? 0 : std::uint8_t(death_alpha - 5), over = death_alpha == 0; break;
  }
  body.color = std::uint32_t(death_alpha) << 24 | std::uint32_t(death_r) << 16 | std::uint32_t(death_g) << 8 | death_b;
  if (!over) return 0;
  dying = 0;
  EndTurn();
  return 1;
}

float FightMan::GetTopY() const { return pos.y + body.box.max.y * (body.scale[1] != 0 ? body.scale[1] : 1.0f); }
float FightMan::GetMidY() const { return pos.y + (GetTopY() - pos.y) / 2; }
