// Battle units: set-up from a party character, a monster or a complete record, the monster
// values a battle derives, the reset between battles and the stats given back at the end.
#include <cmath>
#include <cstring>

#include "battle/fame.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/random_r250.h"
#include "data/battle_fields.h"
#include "data/object_db.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"

namespace {
constexpr int ground_effect_type = 1001;
constexpr std::uint16_t rest_pose = 24, lying_pose = 31;
constexpr std::uint16_t tough_kind = 130, tough_portrait = 9, pet_portrait = 3;
constexpr std::uint16_t sure_guard_code = 70;
constexpr std::uint32_t sure_guard_bit = 0x10000000;
constexpr int knocked_out = 1;
}  // namespace

int monster_kind_factor(int kind) {
  static constexpr int factors[9] = {32, 33, 58, 48, 39, 56, 57, 64, 48};
  return kind >= 110 && kind <= 118 ? factors[kind - 110] : 0;
}

void derive_monster_values(ItemData* rec) {
  const int level = rec->level;
  float m = 1.0f;
  for (int k = 6; k < 100 && k <= level; k += 5) m *= k <= 60 ? 1.2f : 1.1f;
  rec->level_mult = m;
  int s[8];
  for (int i = 0; i < 8; ++i) {
    s[i] = int(std::trunc((rec->growth[i] * 15.0f * m + float(15 * level)) / 10.0f));
    rec->stats[i] = std::uint16_t(s[i]);
  }
  float p = 1.02f;
  for (int i = 0; i < level; ++i) p *= 1.02f;
  float hp = float(5 * s[0] + s[3] / 2 + s[6] / 2) * p;
  if (rec->kind == tough_kind) hp *= 5.0f;
  rec->max_hp = rec->hp = std::int32_t(std::trunc(hp));
  rec->max_sp = rec->sp = std::uint16_t(((5 * s[1] + s[4] / 2 + s[6] / 2) / 4) * 6);
  rec->max_mp = rec->mp = std::uint16_t(((5 * s[7] + (s[2] + s[5]) / 4 + s[6] / 2) / 4) * 6);
  rec->stats[8] = std::uint16_t(std::trunc(float(5 * s[1] + s[4] / 2 + s[6] / 2) / 2.5f));
  rec->stats[9] = std::uint16_t((5 * s[0] + s[3] / 2 + s[6] / 2) / 10);
  rec->stats[10] = std::uint16_t((2 * s[3] + s[4] + s[6]) / 4);
  rec->stats[12] = std::uint16_t((3 * s[2] + s[7] / 2 + s[6] / 2) / 3);
  rec->stats[13] = std::uint16_t((3 * s[5] + s[7] / 2 + s[6] / 2) / 10);
  rec->stats[14] = std::uint16_t((s[2] + s[3] + s[4] + s[6]) / 4);
  int sum = 0;
  for (int v : s) sum += v;
  rec->stats[15] = std::uint16_t(10 * level + 10 * monster_kind_factor(rec->kind) + sum);
}

void FightMan::start_ground_effect() {
  ParticleEmitter* e = fight_unit_effects.add(ground_effect_type, 0, 0, 0, &shadow_id);
  if (!e) {
    shadow_id = -1;
    return;
  }
  e->start();
  fx_last = shadow_id;
}

void FightMan::check_low_hp() {
  if (!role || role->hp > role->max_hp / 3) return;
  cond |= cond_low_hp;
  if (pinch_phase == 0) pinch_phase = 1;
}

void FightMan::SetupMember(std::uint16_t act_number, RoleData* member) {
  stats_restored = 0;
  role = member;
  role_backup = *member;
  act = act_number;
  portrait = act_number;
  body.act = act;
  body.qq = pose = rest_pose;
  start_ground_effect();
  speed = member->stats[stat_speed];
  if (member->flags & knocked_out) {
    dead = 1;
    body.qq = lying_pose;
    body.state |= 1;  // lies at the end of its fall from the first frame
    body.sound = 0;
  }
  anim_timer = 0;
  hp_bar = hp_bar_max = hp_bar_length;
  for (int i = 0; i < 2; ++i) {
    treasure[i] = member->equip[4 + i];
    ItemData t{};
    if (treasure[i] && read_Item(treasure[i], &t)) {
      treasure_command[i] = t.treasure_code;
      ApplyTreasureCode(&t);
    }
  }
  atb = 50 + int(rand_below(150));
  check_low_hp();
  ItemData own{};
  read_Item(act, &own);
  status_accept = std::uint8_t(item_status_accept(own) + role_accept_bonus(*member));
  buff_accept = std::uint8_t(item_buff_accept(own) + role_accept_bonus(*member));
  for (int i = 0; i < 6; ++i) {
    ItemData e{};
    if (member->equip[i] && read_Item(member->equip[i], &e) && e.treasure_code == sure_guard_code)
      treasure_bits |= sure_guard_bit;
  }
}

void FightMan::SetupMonster(std::uint16_t id) {
  dead = 0;
  std::memset(&monster, 0, sizeof monster);
  read_Item(id, &monster);
  act = id;
  body.act = id;
  body.qq = pose = rest_pose;
  // Monsters do not move in step: each starts somewhere in its idle cycle.
  const unsigned ticks = rand_below(30);
  for (unsigned i = 0; i < ticks; ++i)
    if (!Take_3dActData(&body)) break;
  idle_wait = std::uint8_t(1 + rand_below(6));
  speed = item_speed_value(monster);
  ai_number = item_ai_script(monster);
  weapon_act = item_held_model_act(monster);
  start_ground_effect();
  anim_timer = 0;
  hp_bar = hp_bar_max = hp_bar_length;
  portrait = std::uint16_t(monster.kind - 110);
  derive_monster_values(&monster);
  if (monster.kind == tough_kind) portrait = tough_portrait;
  status_accept = item_status_accept(monster);
  buff_accept = item_buff_accept(monster);
}

// A heap record for a unit built from an object record: its name, level, growth, stats and the
// three maxima with HP, SP and MP full.
void FightMan::own_role_from_monster() {
  owned_role_ = std::make_unique<RoleData>();
  std::memset(owned_role_.get(), 0, sizeof(RoleData));
  RoleData& r = *owned_role_;
  std::memcpy(r.name, monster.NAME, sizeof r.name);
  r.name[sizeof r.name - 1] = 0;
  r.stats[stat_level] = monster.level;
  for (int i = 0; i < 8; ++i) {
    r.growth[i] = monster.growth[i];
    r.stats[i] = monster.stats[i];
  }
  r.max_hp = r.hp = monster.max_hp;
  r.max_sp = r.sp = std::int16_t(monster.max_sp);
  r.max_mp = r.mp = std::int16_t(monster.max_mp);
  for (int i : {8, 9, 10, 12, 13, 14}) r.stats[i] = monster.stats[i];
  role = owned_role_.get();
}

void FightMan::SetupFromRecord(ItemData rec) {
  monster = rec;
  act = rec.object_id;
  body.act = act;
  body.qq = pose = rest_pose;
  speed = item_speed_value(rec);
  atk = rec.atk_script;
  weapon_act = item_held_model_act(rec);
  ai_number = item_ai_script(rec);
  portrait = std::uint16_t(rec.kind - 110);
  start_ground_effect();
  anim_timer = 0;
  hp_bar = hp_bar_max = hp_bar_length;
  own_role_from_monster();
  if (rec.kind == tough_kind) portrait = tough_portrait;
  status_accept = item_status_accept(rec);
  buff_accept = item_buff_accept(rec);
}

void FightMan::SetupPet() {
  pet = 1;
  portrait = pet_portrait;
  own_role_from_monster();
  weapon_act = item_held_model_act(monster);
  check_low_hp();
  status_accept = item_status_accept(monster);
  buff_accept = item_buff_accept(monster);
}

void FightMan::Reset() {
  // Statuses give back what they changed while the unit still knows its side and record.
  RemoveStatus(0, 0);
  if (owned_role_) {
    role = nullptr;
    owned_role_.reset();
  }
  guest = pet = 0;
  pet_fallen = 0;
  body = ActInstance{};
  tex_override_on = 0;
  std::memset(tex_override_part, 0, sizeof tex_override_part);
  std::memset(tex_override_act, 0, sizeof tex_override_act);
  std::memset(tex_override_qq, 0, sizeof tex_override_qq);
  std::memset(stat_mod, 0, sizeof stat_mod);
  treasure[0] = treasure[1] = 0;
  charge_attack = charge_defence = hit_bonus = 0;
  atk = pose = 0;
  move_speed = 0;
  side = 0;
  cond = cond_extra = treasure_bits = 0;
  rot_x = rot_y = rot_z = yaw = knockback = 0;
  hp_pending = 0, mp_pending = sp_pending = 0;
  atb = 0, state = prev_state = 0;
  anim_timer = 0;
  status_damage = 0;
  fade_step = 0, fx_pose = 0, anim_delay = 0, turns = 0, weapon_fx_count = 0;
  pulse_level = pulse_phase = 0;
  capture_phase = capture_won = 0;
  cmd_phase = 0;
  called_unit = -1;
  capture_fx = -1;
  ai_start = ai_pc = 0;
  atb_delay = 0, idle_wait = 0;
  invis_turns = liuhe_turns = qiankun_turns = 0;
  weak_hits = pinch_phase = 0;
  atb_full = trail_on = trail_new = defending = dying = dead = 0;
  fade_out = fading = companion = sure_hit = withdrawn = solo_hero = 0;
  target = -1;
  turn_done = 1;
  death_alpha = death_r = death_g = death_b = 255;
  alpha = 255;
  FreeHitNumbers();
  ClearEffectSlots();
  stop_slot_effects(attach_fx);
  // The ground effect's id means nothing once its manager is cleared or the slot is taken anew.
  shadow_id = -1;
  for (int& id : weapon_fx) release_effect(&id);
}

void FightMan::RestoreStats() {
  stats_restored = 1;
  RemoveStatus(0, 0);
  if (role && !pet && !guest)
    for (int i : {8, 9, 10, 12, 13, 14}) role->stats[i] = role_backup.stats[i];
  pinch_phase = 0;
  cond = 0;
  pulse_phase = pulse_level = 0;
}

int FightMan::TreasureLevelAllows(std::uint16_t level, std::uint16_t treasure_object) const {
  const FameNode* node = fame_find(treasure_object, fame_type_treasure);
  const int t = node ? node->level : 1;
  const std::int16_t d = std::int16_t(Level() - level);
  if (t <= 1) return d > 5;
  if (t == 2) return d >= 0 && d <= 5;
  return int(level) - Level() <= 5 * (t - 2);
}
