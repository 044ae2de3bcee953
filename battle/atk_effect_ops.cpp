// ATK commands: special effects and emitters at the actor and the targets.
#include "battle/atk_ops.h"

#include <cmath>

#include "battle/battlefield.h"
#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/log.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"
#include "g3d/effects/scripted_effects.h"
#include "field/role_move.h"

namespace {
constexpr char emitter_failed[] =
    "atk\xAB\xFC\xA5O[%d]\xBF\xF9\xBB~!!\xB8\xFC\xA4J[%d\xB8\xB9]\xB2\xC9\xA4l\xAF""S\xAE\xC4\xA5\xA2\xB1\xD1!!";

SpecialEffect effect_template;

G3dVector add(G3dVector a, const G3dVector& b) {
  a.x += b.x, a.y += b.y, a.z += b.z;
  return a;
}

// Living targets: null entries are passed over, and so are fallen enemies unless all count.
bool passes(const FightMan* t, bool all) { return !t || (!all && t->IsEnemy() && t->IsDead()); }

void begin_template(AtkRun& run, std::uint16_t act, std::uint16_t qq, int motion) {
  (void)run;
  effect_template = SpecialEffect{};
  effect_template.instance.act = act;
  effect_template.instance.qq = qq;
  effect_template.motion = motion;
  effect_template.actor = fight_action.actor;
}

// The hit data of one target and its start delay; the first effect starts at once.
void per_target(int i, bool first) {
  effect_template.target_count = 1;
  effect_template.targets[0] = i < 16 ? fight_action.targets[i] : nullptr;
  effect_template.delay = first ? 0 : std::uint16_t(atk_shared.delay);
  if (!first) atk_shared.delay = std::int16_t(atk_shared.delay + atk_shared.delay_step);
}

void turn_from(const G3dVector& from, const G3dVector& to) {
  effect_template.extra_yaw = int(std::trunc(calc_dir_angle(to, from)));
}

void end_effects() {
  atk_shared.offset = G3dVector{};
  atk_shared.delay = atk_shared.delay_step = 0;
}

ParticleEmitter* make_emitter(std::uint16_t type, const G3dVector& p, std::uint16_t part_act, std::uint16_t part_qq) {
  int id = -1;
  ParticleEmitter* e = fight_effects.add(type, p.x, p.y, p.z, &id);
  if (!e) return nullptr;
  if (part_act) e->act = part_act;
  if (part_qq) e->qq = part_qq;
  e->start();
  atk_shared.last_emitter = id;
  return e;
}

G3dVector actor_pos(AtkRun& run) { return run.slot->actor ? run.slot->actor->pos : G3dVector{}; }
}  // namespace

SliceResult atk_effect_at_targets(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  begin_template(run, act, qq, special_motion_fade_out);
  AtkTalkEvent& s = *run.slot;
  if (s.group) {
    effect_template.target_count = fight_action.target_count;
    for (int i = 0; i < fight_action.target_count && i < special_max_targets; ++i)
      effect_template.targets[i] = fight_action.targets[i];
    G3dVector place = atk_shared.at_actor ? actor_pos(run) : G3dVector{};
    if (fight_action.actor && fight_action.actor->IsGuest() && !fight_action.actor->IsPet())
      atk_shared.offset.z = -atk_shared.offset.z;
    place = add(place, atk_shared.offset);
    if (atk_shared.turn_effect && fight_action.actor) turn_from(fight_action.actor->pos, G3dVector{});
    effect_template.target = effect_template.position = place;
    effect_template.delay = std::uint16_t(atk_shared.delay);
    add_special_effect(&effect_template, special_add_front);
  } else {
    bool first = true;
    for (int i = 0; i < s.target_count; ++i) {
      if (passes(s.targets[i], true)) continue;
      per_target(i, first);
      FightMan* hit = effect_template.targets[0];
      G3dVector place = atk_shared.at_actor ? actor_pos(run) : (hit ? hit->pos : s.targets[i]->pos);
      if (atk_shared.turn_effect && fight_action.actor && hit) turn_from(fight_action.actor->pos, hit->pos);
      effect_template.target = effect_template.position = add(place, atk_shared.offset);
      add_special_effect(&effect_template, special_add_front);
      first = false;
    }
  }
  atk_shared.at_actor = atk_shared.turn_effect = 0;
  end_effects();
  return SliceResult::EndSlice;
}

SliceResult atk_effect_at_actor(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  begin_template(run, act, qq, special_motion_fade_out);
  AtkTalkEvent& s = *run.slot;
  bool first = true;
  for (int i = 0; i < s.target_count; ++i) {
    if (passes(s.targets[i], false)) continue;
    per_target(i, first);
    G3dVector place = atk_shared.at_model_point ? atk_shared.model_point : add(actor_pos(run), atk_shared.offset);
    FightMan* hit = effect_template.targets[0];
    if (atk_shared.turn_effect && fight_action.actor && hit) turn_from(fight_action.actor->pos, hit->pos);
    effect_template.target = effect_template.position = place;
    add_special_effect(&effect_template, special_add_front);
    first = false;
  }
  atk_shared.turn_effect = atk_shared.at_model_point = 0;
  end_effects();
  return SliceResult::EndSlice;
}

SliceResult atk_group(AtkRun& run) {
  run.slot->group = 1;
  return SliceResult::EndSlice;
}

SliceResult atk_wait_effect(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  return is_special_effect_done(act, qq) ? SliceResult::EndSlice : SliceResult::Wait;
}

SliceResult atk_emitter_at_targets(AtkRun& run) {
  const std::uint16_t type = run.cur.u16(), part_act = run.cur.u16(), part_qq = run.cur.u16();
  AtkTalkEvent& s = *run.slot;
  if (s.group) {
    if (ParticleEmitter* e = make_emitter(type, atk_shared.offset, part_act, part_qq)) (void)e;
  } else if (fight_last_hit_missed == 1) {
    fight_last_hit_missed = 0;
  } else {
    for (int i = 0; i < s.target_count; ++i) {
      FightMan* t = s.targets[i];
      if (passes(t, false)) continue;
      G3dVector p = t->pos;
      if (!atk_shared.keep_height) p.y = t->GetMidY();
      ParticleEmitter* e = make_emitter(type, add(p, atk_shared.offset), part_act, part_qq);
      if (!e) {
        report_error(emitter_failed, 6, int(type));
        break;
      }
      if (e->limit_height > 0) {
        G3dVector centre{0, 0, 0, 0};
        if (fight_ground_height(&centre, 0, 100, 0, 10, nullptr)) e->limit_height = centre.y;
      }
    }
  }
  atk_shared.keep_height = 0;
  atk_shared.offset = G3dVector{};
  return SliceResult::EndSlice;
}

SliceResult atk_emitter_at_actor(AtkRun& run) {
  const std::uint16_t type = run.cur.u16(), part_act = run.cur.u16(), part_qq = run.cur.u16();
  if (FightMan* a = run.slot->actor) {
    G3dVector p = a->pos;
    if (!atk_shared.keep_height) p.y = a->GetMidY();
    if (ParticleEmitter* e = make_emitter(type, add(p, atk_shared.offset), part_act, part_qq)) e->limit_height = 0;
  }
  atk_shared.keep_height = 0;
  atk_shared.offset = G3dVector{};
  return SliceResult::EndSlice;
}

namespace {
SliceResult travel(AtkRun& run, std::uint16_t act, std::uint16_t qq, std::int16_t duration, const G3dVector* from,
                   const G3dVector* to) {
  begin_template(run, act, qq, special_motion_path);
  effect_template.duration = duration;
  AtkTalkEvent& s = *run.slot;
  const G3dVector start = from ? add(*from, atk_shared.offset) : add(actor_pos(run), atk_shared.offset);
  bool first = true;
  for (int i = 0; i < s.target_count; ++i) {
    FightMan* t = s.targets[i];
    if (passes(t, false)) continue;
    per_target(i, first);
    const G3dVector end = to ? *to : add(t->pos, atk_shared.offset);
    if (fight_action.actor) turn_from(fight_action.actor->pos, end);
    effect_template.position = start;
    effect_template.target = end;
    add_special_effect(&effect_template, special_add_front);
    first = false;
  }
  end_effects();
  return SliceResult::EndSlice;
}
}  // namespace

SliceResult atk_effect_travel(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  const std::int16_t duration = run.cur.s16();
  return travel(run, act, qq, duration, nullptr, nullptr);
}

SliceResult atk_effect_between(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  const std::int16_t duration = run.cur.s16();
  float v[6];
  for (float& f : v) f = float(run.cur.i32());
  const G3dVector from{v[0], v[1], v[2], 0}, to{v[3], v[4], v[5], 0};
  return travel(run, act, qq, duration, &from, &to);
}

SliceResult atk_wait_emitter(AtkRun& run) {
  return fight_effects.get(run.cur.u16()) ? SliceResult::Wait : SliceResult::EndSlice;
}

SliceResult atk_emitter_slot(AtkRun& run) {
  const std::uint16_t type = run.cur.u16(), slot = run.cur.u16(), part_act = run.cur.u16(), part_qq = run.cur.u16();
  FightMan* a = run.slot->actor;
  if (!a) return SliceResult::GoOn;
  int id = -1;
  if (ParticleEmitter* e = fight_effects.add(type, a->pos.x, a->pos.y, a->pos.z, &id)) {
    if (part_act) e->act = part_act;
    if (part_qq) e->qq = part_qq;
    e->limit_height = 0;
    e->start();
    atk_shared.last_emitter = id;
    a->SetEffectSlot(id, slot);
  }
  return SliceResult::GoOn;
}

SliceResult atk_clear_slot(AtkRun& run) {
  const std::uint16_t slot = run.cur.u16();
  if (FightMan* a = atk_actor(run)) a->ClearEffectSlot(slot);
  return SliceResult::EndSlice;
}

SliceResult atk_set_offset(AtkRun& run) {
  const float x = float(run.cur.i32()), y = float(run.cur.i32()), z = float(run.cur.i32());
  atk_shared.offset.x = x, atk_shared.offset.y = y, atk_shared.offset.z = z;
  return SliceResult::EndSlice;
}

SliceResult atk_remove_effect(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  del_special_effect(act, qq);
  return SliceResult::EndSlice;
}

SliceResult atk_effect_delay(AtkRun& run) {
  atk_shared.delay = atk_shared.delay_step = run.cur.s16();
  return SliceResult::EndSlice;
}

SliceResult atk_rise_effects(AtkRun& run) {
  for (int i = 0; i < run.slot->target_count; ++i)
    if (FightMan* t = run.slot->targets[i]) t->SpawnRiseEffect();
  return SliceResult::EndSlice;
}

SliceResult atk_at_actor(AtkRun&) {
  atk_shared.at_actor = 1;
  return SliceResult::EndSlice;
}

SliceResult atk_turn_effect(AtkRun&) {
  atk_shared.turn_effect = 1;
  return SliceResult::EndSlice;
}

SliceResult atk_wait_effect_hit(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  return check_special_effect_event(act, qq, 0) == 1 ? SliceResult::EndSlice : SliceResult::Wait;
}

SliceResult atk_model_point(AtkRun& run) {
  run.cur.u16();
  atk_shared.at_model_point = 1;
  FightMan* a = run.slot->actor;
  atk_shared.model_point = a ? G3dVector{a->pos.x, a->GetTopY(), a->pos.z, 0} : G3dVector{};
  return SliceResult::EndSlice;
}

SliceResult atk_keep_height(AtkRun&) {
  atk_shared.keep_height = 1;
  return SliceResult::EndSlice;
}

SliceResult atk_wait_effect_frame(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16(), frame = run.cur.u16();
  return check_special_effect_event(act, qq, frame) == 1 ? SliceResult::EndSlice : SliceResult::Wait;
}
