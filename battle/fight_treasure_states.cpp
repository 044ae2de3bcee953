// The states of the treasure commands (15-22, 25) and of an enemy calling a companion (59): each
// plays its cast, acts once its hit comes, and ends the turn when its animation and its effect
// are over. A cast without animation data hits at once, so that no turn waits for ever.
#include "battle/fight_treasure_states.h"

#include "battle/fight_action.h"
#include "battle/fight_choice.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "battle/fight_numbers.h"
#include "battle/monster_panel.h"
#include "g3d/act_archive.h"
#include "g3d/effects/scripted_effects.h"
#include "script/fight_ai.h"

namespace {
constexpr std::uint32_t hit_event = 0x80000000, react_event = 0x40000000, companion_event = 0x10000000;
constexpr std::uint16_t cast_pose = 26, attack_pose = 25;
constexpr std::uint16_t cast_effect = 6513, dispel_effect = 6014, group_effect = 6056;
constexpr std::uint16_t stat_icon_act = 9142, attack_up_icon = 0;
constexpr int group_effect_rise = 80;
constexpr std::uint32_t box_time = 130;
constexpr char flawless_off[] = "\xB8\xD1\xB0\xA3\xA7\xB9\xC2z\xA5\\\xAF\xE0!!%Q";
constexpr char flawless_on[] = "\xB1\xD2\xB0\xCA\xA7\xB9\xC2z\xA5\\\xAF\xE0!!%Q";
constexpr char liuhe_on[] = "\xB1\xD2\xB0\xCA\xA4\xBB\xA6X\xA5\\\xAF\xE0!!%Q";
constexpr char resistance_on[] = "\xB1\xD2\xB0\xCA\xA7\xEF\xC5\xDC\xA7\xDC\xA9\xCA\xA5\\\xAF\xE0!!%Q";
constexpr char invisible_on[] = "\xB1\xD2\xB0\xCA\xC1\xF4\xA8\xAD\xA5\\\xAF\xE0!!%Q";

bool no_animation(const FightMan& u, std::uint16_t qq) {
  return Get3dAct(u.act, u.pose ? u.pose : qq).data == nullptr;
}

// The frame's hit: the event word's hit bit, or once when the pose cannot raise it.
bool hit_now(FightMan& u, std::uint32_t word, std::uint16_t qq) {
  const bool hit = (word & hit_event) || (u.cmd_phase == 0 && no_animation(u, qq));
  if (hit) u.cmd_phase = 1;
  return hit;
}

// The pose has played out (or cannot play) and the command's effect, if any, is gone.
bool over(const FightMan& u, std::uint16_t qq, std::uint16_t effect) {
  return (u.IsAnimDone() || no_animation(u, qq)) && (effect == 0 || is_special_effect_done(effect, 0));
}

void end_command(FightMan& u) {
  u.cmd_phase = 0;
  u.EndTurn();
}

FightMan* main_target() {
  return fight_main_target >= 0 && fight_main_target < fight_unit_slots ? &gmFightMan[fight_main_target] : nullptr;
}

// The cast's effect, fading out after its animation, at every target of the action.
void cast_effect_at_targets() {
  for (int i = 0; i < fight_action.target_count && i < 16; ++i)
    if (const FightMan* t = fight_action.targets[i]) {
      SpecialEffect fx{};
      fx.instance.act = cast_effect;
      fx.motion = special_motion_fade_out;
      fx.position = fx.target = t->pos;
      add_special_effect(&fx, special_add_front);
    }
}

// 視破: the monster data panel opens on the hit; the turn ends once it is closed.
void see_through(FightMan& u) {
  const std::uint32_t w = u.AnimCastFx(cast_effect);
  const bool opened = u.cmd_phase == 1;
  if (hit_now(u, w, cast_pose) && !opened) monster_info_shown = 1;
  else if (opened && monster_info_shown == 0) end_command(u);
}

void charge(FightMan& u) {
  if (hit_now(u, u.AnimCastFx(cast_effect), cast_pose)) u.AddStatIcon(stat_icon_act, attack_up_icon, 0);
  if (over(u, cast_pose, cast_effect)) end_command(u);
}

void steal(FightMan& u) {
  if (hit_now(u, u.AnimCast(), cast_pose)) u.Steal(main_target());
  if (over(u, cast_pose, 0)) end_command(u);
}

// 完璧: the money shield toggles.
void flawless(FightMan& u) {
  if (hit_now(u, u.AnimCastFx(cast_effect), cast_pose)) {
    const bool was_on = u.TestCondition(cond_money_shield) != 0;
    if (was_on) u.ClearCondition(cond_money_shield);
    else u.AddCondition(cond_money_shield);
    fight_message(was_on ? flawless_off : flawless_on, box_time);
  }
  if (over(u, cast_pose, cast_effect)) end_command(u);
}

// 六合 and 乾坤: the cast's effect over every target, and the announcement.
void guard_on_targets(FightMan& u, const char* message) {
  if (hit_now(u, u.AnimCast(), cast_pose)) {
    cast_effect_at_targets();
    fight_message(message, box_time);
  }
  if (over(u, cast_pose, cast_effect)) end_command(u);
}

void dispel(FightMan& u) {
  if (hit_now(u, u.AnimCast(), cast_pose)) {
    fight_effect_on_targets(dispel_effect, 0, 0, 0);
    u.Dispel(main_target());
  }
  if (over(u, cast_pose, dispel_effect)) end_command(u);
}

void vanish(FightMan& u) {
  if (hit_now(u, u.AnimCastFx(cast_effect), cast_pose)) {
    fight_message(invisible_on, box_time);
    u.AddCondition(cond_invisible);
  }
  if (over(u, cast_pose, cast_effect)) end_command(u);
}

// 群攻: the strike applies on every frame; its hit raises an effect over every target.
void group_attack(FightMan& u) {
  const std::uint32_t w = u.AnimAttack();
  if (w) fight_command_outcome = int(w);
  if (hit_now(u, w, attack_pose)) fight_effect_on_targets(group_effect, 0, group_effect_rise, 0);
  fight_apply_action(&u, fight_action.targets, fight_action.target_count, w & (hit_event | react_event));
  if (over(u, attack_pose, 0)) end_command(u);
}

// The AI's companion joins on the cast's companion event, or when the cast has played out.
void call_companion(FightMan& u) {
  const std::uint32_t w = u.AnimCast();
  if (w != companion_event && !u.IsAnimDone() && !no_animation(u, cast_pose)) return;
  fight_call_companion(ai_companion);
  ai_companion = 0;
  end_command(u);
}
}  // namespace

void fight_effect_on_targets(std::uint16_t act, std::uint16_t qq, int dy, int follow) {
  for (int i = 0; i < fight_action.target_count && i < 16; ++i) {
    FightMan* t = fight_action.targets[i];
    if (!t) continue;
    SpecialEffect fx{};
    fx.instance.act = act;
    fx.instance.qq = qq;
    fx.motion = special_motion_fade_out;
    fx.position = fx.target = G3dVector{t->pos.x, t->pos.y + float(dy), t->pos.z, t->pos.w};
    if (follow == 1) {
      fx.actor = fight_action.actor;
      fx.targets[0] = t;
      fx.target_count = 1;
    }
    add_special_effect(&fx, special_add_front);
  }
}

bool fight_treasure_state(FightMan& u) {
  switch (u.GetState()) {
    case 15: see_through(u); break;
    case 16: charge(u); break;
    case 17: steal(u); break;
    case 18: flawless(u); break;
    case 19: guard_on_targets(u, liuhe_on); break;
    case 20: dispel(u); break;
    case 21: guard_on_targets(u, resistance_on); break;
    case 22: vanish(u); break;
    case 25: group_attack(u); break;
    case 59: call_companion(u); break;
    default: return false;
  }
  return true;
}
