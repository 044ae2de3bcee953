// Battle units: hit reactions, poses, walks and jumps.
#include <cmath>

#include "battle/battlefield.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"
#include "g3d/effects/scripted_effects.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/ground_math.h"
#include "sound/sfx_bank.h"
#include "battle/fight_globals.h"

namespace {
constexpr int reflect_effect = 1021;
constexpr std::uint16_t state_hurt = 55, state_defend = 5;
}  // namespace

void FightMan::OnHit() {
  if (cond & cond_dodge) return;
  if (cond & cond_reflect) {
    spawn_effect(&fight_unit_effects, reflect_effect, pos.x, pos.y + 80, pos.z + 50);
    return;
  }
  if (IsAlly()) set_hud_visible(1);
  if (prev_state == state_defend) {
    knockback = 40;
    return;
  }
  prev_state = state;
  state = state_hurt;
  body.state |= act_state_restart;
  body.state &= std::uint16_t(~1u);
}

namespace {
constexpr float deg_to_rad = 3.14159265f / 180.0f;
constexpr int jump_dust = 1002;

float ground_distance(const G3dVector& a, const G3dVector& b) {
  const float dx = a.x - b.x, dz = a.z - b.z;
  return std::sqrt(dx * dx + dz * dz);
}

void drop_on_ground(FightMan& u) { fight_ground_height(&u.pos, 0, 100, 0, u.ground_half, u.ground_quad); }

void step_from_yaw(FightMan& u, float step) {
  const float a = std::fmod(u.rot_y + 270.0f, 360.0f) * deg_to_rad;
  u.step_x = std::cos(a) * step;
  u.step_z = std::sin(a) * step;
}

void ground_effect_stands(FightMan& u, int standing) {
  if (ParticleEmitter* e = fight_unit_effects.get(u.shadow_id)) {
    (void)standing;
    e->set_xyz(u.pos.x, u.pos.y, u.pos.z);
  }
}
}  // namespace

void FightMan::SetPose(std::uint16_t qq) {
  pose = qq;
  if ((qq == 34 || qq == 22) && IsAlly()) {
    if (cond & cond_dodge) {
      cond &= ~cond_dodge;
      fx_last = spawn_effect(&fight_unit_effects, 1005, pos.x, pos.y + 50, pos.z + 80);
      play_sfx(208, 1);
    }
    pinch_phase = 0;
  }
}

float FightMan::SetMoveTarget(float x, float y, float z, float w, float step) {
  if (turn_done == 1) return rot_y;
  aim = dest = {x, y, z, w};
  move_speed = step;
  if (state == 56) {
    TurnToward(x, y, z);
    yaw = rot_y;
    step_from_yaw(*this, step);
    const float b = std::fmod(rot_y + 450.0f, 360.0f) * deg_to_rad;
    dest.x += std::cos(b) * 100.0f;
    dest.z += std::sin(b) * 100.0f;
  } else if (state == 57) {
    dest = pos;
    aim.z += IsAlly() ? 100.0f : -100.0f;
    float a = get_dir_angle(home, aim);
    if (a >= 359.0f) a = 0;
    rot_y = yaw = a;
  } else if (state == 58) {
    dest = home;
    TurnToward(home.x, home.y, home.z);
    step_from_yaw(*this, step);
  }
  anim_timer = 0;
  return rot_y;
}

int FightMan::WalkToTarget() {
  if (state == 55) return 0;
  body.act = act;
  body.qq = pose ? pose : 28;
  float d = ground_distance(pos, dest);
  if (move_mode == 0) {
    if (d > move_speed + 5) {
      pos.x += step_x;
      pos.z += step_z;
    }
    drop_on_ground(*this);
    ground_effect_stands(*this, 0);
  } else {
    if (!jump.started) {
      spawn_effect(&fight_unit_effects, jump_dust, home.x, home.y, home.z);
      jump.start = home;
      jump.target = dest;
      jump.height = float(move_mode);
      jump.speed = 1.0f;
    }
    body.qq = 36;
    if (step_jump(&jump)) anim_timer = move_speed;
    pos = jump.current;
    d = 100000.0f;
  }
  if (Take_3dActData(&body) && body.sound) play_sfx(body.sound, 1), body.sound = 0;
  if (!(anim_timer >= move_speed || d <= move_speed + 5)) return 0;
  dest = pos;
  ground_effect_stands(*this, 1);
  if (move_mode) spawn_effect(&fight_unit_effects, jump_dust, pos.x, pos.y, pos.z);
  move_mode = 0, anim_timer = 0, pose = 0;
  jump = JumpMotion{};
  state = prev_state;
  return 1;
}

int FightMan::ReturnJump() {
  trail_on = 0;
  if (moving) {
    body.qq = pose ? pose : 29;
    Take_3dActData(&body);
    if (!jump.started) {
      jump.start = dest;
      jump.target = home;
      jump.height = 12.0f;
      jump.speed = 1.0f;
    }
    if (!step_jump(&jump)) {
      pos = jump.current;
      return 0;
    }
    spawn_effect(&fight_unit_effects, jump_dust, home.x, home.y, home.z);
    pos = home;
    rot_y = yaw = IsAlly() ? 180.0f : 0.0f;
    jump = JumpMotion{};
    anim_timer = 0;
  }
  moving = 0;
  pos = home;
  state = 0;
  return 1;
}

int FightMan::WalkBack() {
  body.qq = pose ? pose : 28;
  Take_3dActData(&body);
  const float d = ground_distance(pos, dest);
  if (d > move_speed) {
    pos.x += step_x;
    pos.z += step_z;
  }
  drop_on_ground(*this);
  ground_effect_stands(*this, 0);
  if (d >= 30) return 0;
  dest = pos;
  moving = 0;
  pos = home;
  prev_state = state;
  state = 0;
  return 1;
}

namespace {
// A copy of the unit in its current pose that travels from where it stands by the offset over
// the frames, pushed to the front of the special effect list.
void spawn_ghost_copy(const FightMan& u, G3dVector by, int motion, std::int16_t frames, int yaw) {
  SpecialEffect copy{};
  copy.instance.act = u.act;
  copy.instance.qq = u.body.qq;
  copy.position = u.pos;
  copy.target = G3dVector{u.pos.x + by.x, u.pos.y + by.y, u.pos.z + by.z, u.pos.w};
  copy.motion = motion;
  copy.duration = frames;
  copy.extra_yaw = yaw;
  add_special_effect(&copy, special_add_front);
}
}  // namespace

void FightMan::SpawnRiseEffect() const { spawn_ghost_copy(*this, {0, 1000, 0, 0}, special_motion_path, 60, 0); }

void FightMan::SpawnLeaveEffect() const {
  spawn_ghost_copy(*this, {0, 0, -200, 0}, special_motion_path | special_motion_path_fade, 50, 180);
}
