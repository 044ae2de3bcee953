// Fight-talk commands on units and the scene: monsters changed and called, scripted actions,
// poses and facings, the camera script, effects at units and the battlefield change.
#include "battle/atk_script.h"
#include "battle/fight.h"
#include "battle/fight_action.h"
#include "battle/fight_choice.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_talk_ops.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/object_db.h"
#include "g3d/effects/scripted_effects.h"
#include "g3d/renderer.h"

namespace {
constexpr std::uint16_t machine_monster = 501, machine_monster_late = 502;
constexpr int battlefield_records = 1000;
constexpr char bad_field[] = "fight talk %d: battlefield %d is past the records";

// Reads a unit operand; null (the command passes) for one past the units.
FightMan* unit_operand(FightTalkRun& run) {
  const std::uint16_t unit = run.cur.u16();
  return run.cur.ok() ? fight_talk_unit(run, unit) : nullptr;
}

int hp_percent(const FightMan& u) {
  int hp = 0, max = 0;
  u.GetHp(&hp, &max);
  // A unit without a maximum has no HP to speak of: 0 %.
  return max > 0 ? int(double(hp) / max * 100.0) : 0;
}

// The party formation of the close view: x by the number of units in the battle.
void place_close_formation() {
  static constexpr float xs[3][4] = {{-30, 30, 0, 0}, {-50, 0, 50, 0}, {-90, -30, 30, 90}};
  const int n = std::min(fight_unit_count, 4);
  if (n < 2) return;
  for (int k = 0; k < n; ++k) gmFightMan[k].SetPosition(xs[n - 2][k], 80, -400);
}
}  // namespace

SliceResult fight_talk_camera(FightTalkRun& run) {
  const std::uint16_t atk = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (!fight_talk_waiting) {
    fight_talk_hold = 1;
    fight_talk_waiting = 1;
    fight_talk_cam_atk = atk;
    fight_atk_start_cam(atk);
    return SliceResult::Wait;
  }
  const bool arrived =
      fight_camera.point_arrived() && fight_camera.angles_arrived() && fight_camera.distance_arrived();
  if (!(fight_flags & fight_camera_done) || !arrived) return SliceResult::Wait;
  fight_flags &= ~fight_camera_done;
  fight_talk_hold = 0;
  fight_talk_waiting = 0;
  return SliceResult::GoOn;
}

SliceResult fight_talk_change_monster(FightTalkRun& run) {
  const std::uint16_t unit = run.cur.u16(), monster = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  FightMan* u = fight_talk_unit(run, unit);
  if (!u) return SliceResult::EndSlice;
  const G3dVector pos = u->pos, home = u->home;
  u->Reset();
  u->SetupMonster(monster);
  u->SetSide(unit >= fight_first_enemy ? side_enemy : side_party);
  u->pos = pos;
  u->home = home;
  return SliceResult::EndSlice;
}

SliceResult fight_talk_solo_scene(FightTalkRun&) {
  fight_flags |= fight_solo_scene;
  fight_fallen_count = std::int16_t(fight_ally_count - 1 - fight_guest_count);
  FightMan& hero = gmFightMan[0];
  hero.SetSide(side_party);
  hero.SetSoloHero(1);
  read_monster(test_flag(flag_mechanism_2) ? machine_monster_late : machine_monster, &chosen_action);
  hero.SetupFromRecord(chosen_action);
  hero.SetPosition(0, 80, -400);
  hero.SetFacing(0, 180, 0);
  hero.SetPortrait(1);
  for (int k = 1; k < fight_ally_count && k < fight_first_enemy; ++k) {
    gmFightMan[k].SetWithdrawn(1);
    gmFightMan[k].ClearEffectSlots();
  }
  return SliceResult::EndSlice;
}

SliceResult fight_talk_close_formation(FightTalkRun&) {
  fight_flags |= fight_view_two;
  place_close_formation();
  return SliceResult::EndSlice;
}

SliceResult fight_talk_set_unit_flags(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t bits = run.cur.u16();
  if (u && run.cur.ok()) u->SetScriptFlags(bits);
  return SliceResult::EndSlice;
}

SliceResult fight_talk_clear_unit_flags(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t bits = run.cur.u16();
  if (u && run.cur.ok()) u->ClearScriptFlags(bits);
  return SliceResult::EndSlice;
}

SliceResult fight_talk_call_companion(FightTalkRun& run) {
  const std::uint16_t monster = run.cur.u16();
  if (run.cur.ok()) fight_call_companion(monster);
  return SliceResult::EndSlice;
}

SliceResult fight_talk_action(FightTalkRun& run) {
  const std::uint16_t actor = run.cur.u16(), target = run.cur.u16(), command = run.cur.u16(),
                      object = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  FightMan* a = fight_talk_unit(run, actor);
  FightMan* t = fight_talk_unit(run, target);
  if (!a || !t) return SliceResult::EndSlice;
  ActMan = actor;
  fight_main_target = target;
  read_Item(object, &chosen_action);
  a->SetAction(chosen_action);
  a->SetCommand(command);
  fight_action.target_count = 1;
  fight_action.actor = a;
  fight_action.targets[0] = t;
  fight_atk_start(a->GetAtkNumber(), fight_action.actor, fight_action.targets, 1);
  return SliceResult::EndSlice;
}

SliceResult fight_talk_if_dead(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  return fight_talk_jump_if(run, u && u->IsDead() == 1, SliceResult::GoOn);
}

SliceResult fight_talk_if_hp_below(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t percent = run.cur.u16();
  return fight_talk_jump_if(run, u && hp_percent(*u) <= percent, SliceResult::EndSlice);
}

SliceResult fight_talk_effect(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  if (!u || !run.cur.ok()) return SliceResult::EndSlice;
  SpecialEffect e;
  e.instance.act = act;
  e.instance.qq = qq;
  e.target = G3dVector{u->pos.x + fight_cam_follow_offset.x, u->pos.y + fight_cam_follow_offset.y,
                       u->pos.z + fight_cam_follow_offset.z, 1};
  e.position = e.target;
  add_special_effect(&e, 1);
  fight_cam_follow_offset = G3dVector{};
  return SliceResult::EndSlice;
}

SliceResult fight_talk_wait_effect(FightTalkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  if (run.cur.ok() && !is_special_effect_done(act, qq)) return SliceResult::Wait;
  return SliceResult::GoOn;
}

// The operands are unsigned 32-bit words made floats, as stored.
SliceResult fight_talk_effect_offset(FightTalkRun& run) {
  const auto x = std::uint32_t(run.cur.i32()), y = std::uint32_t(run.cur.i32()), z = std::uint32_t(run.cur.i32());
  if (run.cur.ok()) fight_cam_follow_offset = G3dVector{float(x), float(y), float(z), 0};
  return SliceResult::EndSlice;
}

SliceResult fight_talk_pose(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t pose = run.cur.u16();
  if (u && run.cur.ok()) u->SetPose(pose);
  return SliceResult::GoOn;
}

SliceResult fight_talk_wait_pose(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t frame = run.cur.u16();
  if (!u || !run.cur.ok()) return SliceResult::GoOn;
  const bool reached = frame ? u->body.frame >= frame : u->IsAnimDone() != 0;
  return reached ? SliceResult::GoOn : SliceResult::Wait;
}

SliceResult fight_talk_facing(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t yaw = run.cur.u16();
  run.cur.skip(2);  // reserved
  if (u && run.cur.ok()) u->SetFacing(0, yaw, 0);
  return SliceResult::GoOn;
}

SliceResult fight_talk_act(FightTalkRun& run) {
  FightMan* u = unit_operand(run);
  const std::uint16_t act = run.cur.u16();
  if (u && run.cur.ok()) u->SetAct(act);
  return SliceResult::GoOn;
}

SliceResult fight_talk_battlefield(FightTalkRun& run) {
  const std::uint16_t index = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (index >= battlefield_records) {
    report_error(bad_field, int(fight_talk_current), int(index));
    return SliceResult::GoOn;
  }
  load_field(&fight_talk_field, index);
  set_chart_map(&fight_talk_field.fog);
  // The new world replaces the scene's; the battle's own record numbers stay.
  load_field_world(fight_talk_field.world_act, fight_talk_field.world_qq);
  for (int i = 0; i < fight_unit_count; ++i) gmFightMan[fight_unit_list[i]].SnapToGround();
  return SliceResult::GoOn;
}
