// The special effect list and its per-frame passes.
#include "g3d/effects/scripted_effects.h"

#include <list>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "g3d/act_draw.h"
#include "g3d/ani_matrix.h"
#include "g3d/ground_math.h"
#include "g3d/camera.h"
#include "g3d/effects/act_quad_draw.h"
#include "g3d/effects/particle_math.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "sound/sfx_bank.h"

namespace {

std::list<SpecialEffect> effects;
SpecialEffectHitHandler hit_handler = nullptr;
const Camera* quad_camera = nullptr;

constexpr std::uint32_t hit_event_bits[2] = {0x80000000u, 0x40000000u};
constexpr std::uint32_t arrival_hit = 0x80000000u;
constexpr std::uint32_t standing_quad = 0x2000000;
constexpr float quad_lift = 80.0f;  // standing quads are drawn this far towards the camera
constexpr std::uint16_t fade_end = 250, fade_step = 10;
const char* const missing_act = "\xaf\x53\xae\xc4[ACT:%d][QQ:%d]\xb0\xca\xa7\x40\xb8\xea\xae\xc6\xbf\xf9\xbb\x7e!!";

struct Pass {
  int layer;
  bool path_keeps_alive;  // the animation's end does not end an effect still on its path
  bool path_fade;
  bool sprites;
  bool sets_hit_flag;
};
constexpr Pass back_pass{0, true, true, false, true};
constexpr Pass front_pass{1, false, false, true, false};

bool has_key(const SpecialEffect& e, std::uint16_t act, std::uint16_t qq) {
  return e.instance.act == act && e.instance.qq == qq;
}

SpecialEffect* find_first(std::uint16_t act, std::uint16_t qq) {
  for (SpecialEffect& e : effects)
    if (has_key(e, act, qq)) return &e;
  return nullptr;
}

// The point of a path at a step; a path of no frames has arrived.
G3dVector path_point(const SpecialEffect& e) {
  if (e.duration <= 0) return e.target;
  G3dVector out = e.target;
  g3d_lerp_point(&out, e.position, e.target, float(e.duration), float(e.step));
  return out;
}

void hit(const SpecialEffect& e, std::uint32_t events) {
  if (e.actor && hit_handler) hit_handler(e.actor, e.targets, e.target_count, events);
}

// The follow-up animation of an effect that reached its end.
void follow_up(SpecialEffect& e) {
  if (!e.follow_act) return;
  e.finished = 0;
  e.instance.act = e.follow_act;
  e.instance.qq = e.follow_qq;
  Take_3dActData(&e.instance);
  if (e.instance.state & act_state_finished) e.finished = 1;
}

// Advances one effect; false when its animation is missing.
bool advance(SpecialEffect& e, const Pass& pass, G3dVector& point, std::uint32_t& fade_colour, bool& faded) {
  if (!Take_3dActData(&e.instance)) return false;
  if (e.instance.sound) {
    play_sfx(e.instance.sound, 1);
    e.instance.sound = 0;
  }
  if (e.instance.state & act_state_finished) {
    e.finished = 1;
    if (pass.path_keeps_alive && (e.motion & special_motion_path) && e.step < e.duration) e.finished = 0;
    if ((e.motion & special_motion_fade_out) && e.fade < fade_end) {
      fade_colour = std::uint32_t(fade_end - e.fade) << 24 | 0xFFFFFF;
      faded = true;
      e.fade = std::uint16_t(e.fade + fade_step);
      e.finished = 0;
    }
  }
  if (e.motion & special_motion_velocity) {
    point = {e.position.x, e.position.y, e.position.z, point.w};
    if (e.duration > 0) {
      e.position.x += e.velocity[0];
      e.position.z += e.velocity[2];
    } else {
      e.duration = 0;
      e.finished = 1;
      follow_up(e);
    }
    e.duration = std::int16_t(e.duration - 1);
  }
  if (e.motion & special_motion_path) {
    point = path_point(e);
    e.step = std::uint16_t(e.step + 1);
    if (int(e.step) >= int(e.duration)) {
      e.step = std::uint16_t(e.step - 1);
      e.finished = 1;
      follow_up(e);
    }
  }
  return true;
}

// The point is the caller's: a standing quad's shift reaches the attached emitter placed after the draw.
void draw_effect(SpecialEffect& e, const Pass& pass, G3dVector& point, std::uint32_t colour) {
  ActInstance& a = e.instance;
  const std::uint32_t flags = a.draw_flags | e.render_flags;
  if (a.kind == 0) {
    if (pass.path_fade && (e.motion & special_motion_path_fade)) {
      const int alpha = e.duration > 0 ? 255 - int(e.step) * 255 / int(e.duration) : 0;
      colour = std::uint32_t(alpha < 0 ? 0 : alpha) << 24 | 0xFFFFFF;
    }
    G3dPoly* model = GetPoly(a.resource);
    if (!model) return;
    G3dMatrix m;
    set_ani_matrix(&m, &a, point.x, point.y, point.z, float(e.extra_yaw));
    renderer.draw_model(&m, a.picture, model, colour, flags);
    if (a.attach_count) attach_model_effects(&fight_unit_effects, &m, &a, model, e.slots);
  } else if (a.kind == 1) {
    if (a.draw_flags & standing_quad) {
      float dx, dz;
      polar_offset(quad_camera ? quad_camera->view_heading() : 0.0f, quad_lift, &dx, &dz);
      point.x += dx;
      point.z += dz;
    }
    draw_act_quad_at(&a, point.x, point.y, point.z, colour, flags);
  } else if (a.kind == 2 && pass.sprites) {
    draw_act_instance(&a, trunc_int32(point.x), trunc_int32(point.y), 0);
  }
}

void deliver_hits(SpecialEffect& e, const Pass& pass) {
  for (std::uint32_t bit : hit_event_bits) {
    if (!(e.instance.events & bit)) continue;
    hit(e, e.instance.events);
    e.instance.events &= ~bit;
    if (pass.sets_hit_flag) e.hit_flag = 1;
  }
}

// Ends an effect: the arrival hit of a moving one, and its emitter winds down.
void end_effect(SpecialEffect& e) {
  if (e.motion & (special_motion_path | special_motion_velocity)) hit(e, arrival_hit);
  if (ParticleEmitter* emitter = e.emitter.get()) emitter->set_continuous(0);
}

int play_pass(const Pass& pass) {
  if (effects.empty()) return 1;
  const bool frozen = test_flag(flag_edit_mode);
  for (auto it = effects.begin(); it != effects.end();) {
    SpecialEffect& e = *it;
    if (e.layer != pass.layer) {
      ++it;
      continue;
    }
    if (e.delay > 0) {
      --e.delay;
      ++it;
      continue;
    }
    G3dVector point{e.target.x, e.target.y, e.target.z, 0};
    std::uint32_t fade_colour = 0;
    bool faded = false;
    if (!frozen && !advance(e, pass, point, fade_colour, faded)) {
      // Reported once: the effect ends as if arrived, and the list goes on.
      report_error(missing_act, e.instance.act, e.instance.qq);
      end_effect(e);
      it = effects.erase(it);
      continue;
    }
    draw_effect(e, pass, point, faded ? fade_colour : e.instance.color);
    deliver_hits(e, pass);
    if (ParticleEmitter* emitter = e.emitter.get()) emitter->set_xyz(point.x, point.y, point.z);
    if (e.finished == 1) {
      end_effect(e);
      it = effects.erase(it);
      continue;
    }
    ++it;
  }
  clear_special_effect_list(0);
  return 0;
}

}  // namespace

void set_special_effect_hit_handler(SpecialEffectHitHandler handler) { hit_handler = handler; }
void set_special_effect_camera(const Camera* camera) { quad_camera = camera; }

void add_special_effect(const SpecialEffect* source, int where) {
  if (where & special_add_front) effects.push_front(*source);
  if (where & special_add_back) effects.push_back(*source);
}

int play_special_effect_back() { return play_pass(back_pass); }
int play_special_effect_front() { return play_pass(front_pass); }

void clear_special_effect_list(int all) {
  effects.remove_if([all](const SpecialEffect& e) { return all == 1 || e.finished == 1; });
}

void del_special_effect(std::uint16_t act, std::uint16_t qq) {
  effects.remove_if([act, qq](const SpecialEffect& e) { return has_key(e, act, qq); });
}

int is_special_effect_list_empty() { return effects.empty() ? 1 : 0; }

int is_special_effect_done(std::uint16_t act, std::uint16_t qq) { return find_first(act, qq) ? 0 : 1; }

int get_special_effect_pos(std::uint16_t act, std::uint16_t qq, G3dVector* out) {
  const SpecialEffect* e = find_first(act, qq);
  if (!e) return 0;
  *out = path_point(*e);
  return 1;
}

int check_special_effect_event(std::uint16_t act, std::uint16_t qq, int picture) {
  SpecialEffect* e = find_first(act, qq);
  if (!e) return 0;
  if (picture != 0) return e->instance.picture == picture ? 1 : 0;
  if (e->hit_flag != 1) return 0;
  e->hit_flag = 0;
  return 1;
}

int special_effect_count() { return int(effects.size()); }
