// ATK commands: the acting unit's walks, jumps, poses, fades and the hit.
#include "battle/atk_ops.h"

#include "battle/fight.h"
#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_guardians.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "battle/fight_numbers.h"
#include "sound/sfx_bank.h"

namespace {
constexpr char call_failed[] = "\xA9I\xB3\xEA\xA6P\xA6\xF1\xA5\xA2\xB1\xD1!!%Q";

G3dVector with_offset(const G3dVector& p) {
  return {p.x + atk_shared.offset.x, p.y + atk_shared.offset.y, p.z + atk_shared.offset.z, p.w};
}

// The acting unit walks (or jumps) toward the main target; the step goes on.
bool walk_toward_target(AtkRun& run, std::uint16_t speed, float* heading) {
  FightMan* u = atk_acting_unit(run);
  FightMan* t = atk_main_target(run);
  if (!u || !t) return false;
  u->SetCommand(56);
  const G3dVector p = with_offset(t->pos);
  *heading = u->SetMoveTarget(p.x, p.y, p.z, p.w, float(speed));
  atk_shared.offset = G3dVector{};
  return true;
}

SliceResult walk_home(AtkRun& run, std::uint16_t state, float speed) {
  FightMan* a = atk_actor(run);
  if (!a) return SliceResult::EndSlice;
  if (atk_first_time(run)) {
    fight_request_hp_pass(1);
    a->SetCommand(state);
    FightMan* t = fight_main_target >= 0 && fight_main_target < fight_unit_slots ? &gmFightMan[fight_main_target] : a;
    a->SetMoveTarget(t->pos.x, t->pos.y, t->pos.z, t->pos.w, speed);
    return SliceResult::Wait;
  }
  if (a->GetState() == state) return SliceResult::Wait;
  return atk_done(run);
}
}  // namespace

SliceResult atk_walk_to_target(AtkRun& run) {
  const std::uint16_t speed = run.cur.u16();
  float heading = 0;
  if (walk_toward_target(run, speed, &heading)) {
    FightMan* t = &gmFightMan[fight_main_target];
    if (!t->HasStatus(status_sleep) && !t->HasStatus(status_paralysis))
      t->SetFacing(0, float(int(heading + 180) % 360), 0);
  }
  return SliceResult::GoOn;
}

SliceResult atk_jump_home(AtkRun& run) { return walk_home(run, 57, 10.0f); }

SliceResult atk_walk_home(AtkRun& run) {
  const std::uint16_t speed = run.cur.u16();
  return walk_home(run, 58, float(speed));
}

SliceResult atk_jump_to_target(AtkRun& run) {
  const std::uint16_t n = run.cur.u16();
  float heading = 0;
  if (walk_toward_target(run, 10, &heading)) gmFightMan[ActMan].SetMoveMode(n);
  return SliceResult::EndSlice;
}

SliceResult atk_walk_to_point(AtkRun& run) {
  const std::uint16_t speed = run.cur.u16();
  if (FightMan* u = atk_acting_unit(run)) {
    u->SetCommand(56);
    u->SetMoveTarget(atk_shared.offset.x, atk_shared.offset.y, atk_shared.offset.z, 0, float(speed));
  }
  atk_shared.offset = G3dVector{};
  return SliceResult::GoOn;
}

SliceResult atk_set_act(AtkRun& run) {
  const std::uint16_t act = run.cur.u16();
  if (FightMan* u = atk_acting_unit(run)) u->SetAct(act);
  return SliceResult::EndSlice;
}

SliceResult atk_set_pose(AtkRun& run) {
  const std::uint16_t pose = run.cur.u16();
  if (FightMan* u = atk_acting_unit(run)) u->SetPose(pose);
  return SliceResult::EndSlice;
}

SliceResult atk_hit(AtkRun& run) {
  fight_apply_action(run.slot->actor, run.slot->targets, run.slot->target_count, apply_damage_rule);
  return SliceResult::EndSlice;
}

SliceResult atk_anim_delay(AtkRun& run) {
  const std::uint16_t d = run.cur.u16();
  if (FightMan* a = atk_actor(run)) a->SetAnimDelay(d);
  return SliceResult::EndSlice;
}

SliceResult atk_move_to(AtkRun& run) {
  const float x = run.cur.u16(), y = run.cur.u16(), z = run.cur.u16();
  if (FightMan* a = atk_actor(run)) a->MoveTo(x, y, z);
  return SliceResult::EndSlice;
}

SliceResult atk_fade_out(AtkRun& run) {
  const std::uint8_t step = std::uint8_t(run.cur.u16());
  if (FightMan* a = atk_actor(run)) a->StartFade(1, step);
  return SliceResult::EndSlice;
}

SliceResult atk_fade_in(AtkRun& run) {
  const std::uint8_t step = std::uint8_t(run.cur.u16());
  if (FightMan* a = atk_actor(run)) a->StartFade(0, step);
  return SliceResult::EndSlice;
}

SliceResult atk_freeze(AtkRun& run) {
  const std::uint16_t on = run.cur.u16();
  if (FightMan* u = atk_acting_unit(run)) {
    if (on == 1) u->AddCondition(cond_body_bit4);
    else u->ClearCondition(cond_body_bit4);
  }
  return SliceResult::EndSlice;
}

SliceResult atk_afterimage(AtkRun& run) {
  const std::uint16_t on = run.cur.u16(), every = run.cur.u16(), fade = run.cur.u16();
  if (FightMan* u = atk_acting_unit(run)) u->SetAfterimage(on, std::uint8_t(every), std::uint8_t(fade));
  return SliceResult::EndSlice;
}

SliceResult atk_fade_others(AtkRun& run) {
  const std::uint16_t out = run.cur.u16(), mode = run.cur.u16(), step = run.cur.u16();
  const AtkTalkEvent& s = *run.slot;
  auto is_target = [&](const FightMan* u) {
    for (int i = 0; i < s.target_count; ++i)
      if (s.targets[i] == u) return true;
    return false;
  };
  auto fade = [&](int k) {
    FightMan& u = gmFightMan[k];
    if (u.IsDead()) return;
    const bool skip = mode == 1 ? is_target(&u) : mode == 2 ? k == ActMan : mode == 3 ? k == ActMan || is_target(&u) : true;
    if (!skip) u.StartFade(out, std::uint8_t(step));
  };
  for (int k = 0; k < fight_ally_count && k < fight_first_enemy; ++k) fade(k);
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count && k < fight_unit_slots; ++k) fade(k);
  return SliceResult::EndSlice;
}

SliceResult atk_trail(AtkRun& run) {
  const std::size_t at = run.cur.pos();
  run.cur.skip(5);
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint8_t* b = gmAtkHead.data() + at;
  if (FightMan* a = atk_actor(run)) a->StartTrail(b[0], b[1], b[2], b[3], b[4]);
  return SliceResult::EndSlice;
}

SliceResult atk_call_companion(AtkRun& run) {
  run.cur.u16();
  if (fight_can_call_companion()) return SliceResult::EndSlice;
  play_sfx(309, 1);
  fight_message(call_failed, 100);
  return SliceResult::EndSlice;
}

SliceResult atk_dismiss_guardians(AtkRun&) {
  fight_dismiss_guardians();
  return SliceResult::EndSlice;
}
