// Battle units: the slots, construction, placement and the one-field accessors.
#include "battle/fight_man.h"

#include <cmath>
#include <cstring>

#include "battle/battlefield.h"
#include "battle/fight_globals.h"
#include "data/battle_fields.h"
#include "data/object_db.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"
#include "g3d/ground_math.h"

FightMan gmFightMan[fight_unit_slots];

namespace {
constexpr float ground_probe_lift = 200.0f;
constexpr float ground_quad_half = 30.0f;

// x or z strictly between -1 and 1 counts as 0.
float clean(float v) { return v > -1.0f && v < 1.0f ? 0.0f : v; }

void fill(int* ids, int n) {
  for (int i = 0; i < n; ++i) ids[i] = -1;
}
}  // namespace

FightMan::FightMan() {
  fill(fx_slot, fight_effect_slots);
  fill(weapon_fx, fight_weapon_fx_slots);
}

FightMan::~FightMan() = default;

void FightMan::release_effect(int* id) {
  if (*id < 0) return;
  // The manager retires an emitter once it has stopped emitting and its particles are gone.
  if (ParticleEmitter* e = fight_unit_effects.get(*id)) e->set_continuous(0);
  if (ParticleEmitter* e = fight_effects.get(*id)) e->set_continuous(0);
  *id = -1;
}

void FightMan::SetPosition(float x, float y, float z) {
  pos = {clean(x), y, clean(z), pos.w};
  SnapToGround();
}

void FightMan::SetPositionV(G3dVector* p) {
  p->x = clean(p->x);
  p->z = clean(p->z);
  pos = *p;
  SnapToGround();
}

void FightMan::MoveTo(float x, float y, float z) {
  pos = {x, y, z, pos.w};
  fight_ground_height(&pos, 0, ground_probe_lift, 0, ground_quad_half, ground_quad);
}

void FightMan::SnapToGround() {
  ground_half = ground_quad_half;
  fight_ground_height(&pos, 0, ground_probe_lift, 0, ground_half, ground_quad);
  home = pos;
}

void FightMan::SetFacing(float rx, float ry, float rz) {
  rot_x = rx, rot_y = ry, rot_z = rz;
  yaw = ry;
}

void FightMan::GetPos(float* x, float* y, float* z) const {
  *x = pos.x, *y = pos.y, *z = pos.z;
}

void FightMan::TurnToward(float x, float y, float z) {
  (void)y;
  const float tx = std::trunc(clean(x)), tz = std::trunc(clean(z));
  G3dVector d{tx - std::trunc(clean(pos.x)), 0, tz - std::trunc(clean(pos.z)), 0};
  const float len = std::sqrt(d.x * d.x + d.z * d.z);
  // A zero direction has no angle: the unit keeps its yaw.
  if (!(len > 0.0f)) return;
  d.x /= len, d.z /= len;
  float angle = vec_angle_deg(G3dVector{0, 0, -1, 0}, d);
  if (d.x < 0) angle = 360.0f - angle;
  if (angle != 360.0f) rot_y = angle;
}

int FightMan::GetWeaponRecord(ItemData* out) const {
  std::memset(out, 0, sizeof *out);
  return role ? read_Item(role->equip[0], out) : 0;
}

const char* FightMan::GetName() const { return IsAlly() && role ? role->name : monster.NAME; }

void FightMan::GetHp(int* hp, int* max) const {
  *hp = CurrentHp();
  *max = MaxHp();
}

int FightMan::CurrentHp() const { return IsAlly() && role ? role->hp : monster.hp; }
int FightMan::MaxHp() const { return IsAlly() && role ? role->max_hp : monster.max_hp; }

std::uint16_t FightMan::StatWord(int index) const {
  if (IsAlly() && role) return index >= 0 && index < 19 ? role->stats[index] : 0;
  return index >= 0 && index < 16 ? monster.stats[index] : 0;
}

void FightMan::SetStatWord(int index, std::uint16_t value) {
  if (IsAlly() && role) {
    if (index >= 0 && index < 19) role->stats[index] = value;
  } else if (!IsAlly() && index >= 0 && index < 16) {
    monster.stats[index] = value;
  }
}

int FightMan::Level() const { return IsAlly() && role ? role->stats[stat_level] : monster.level; }

std::uint8_t FightMan::GetAtkBranchFlag() const { return item_atk_branch_flag(monster); }

void FightMan::SetAnimDelay(std::uint16_t d) {
  anim_delay = d;
  body.delay = d;
  body.delay_count = std::int16_t(d);
  body.control |= 1;
}

void FightMan::SetMoveMode(std::uint16_t m) {
  move_mode = m;
  move_speed = 1.0f;
  jump = JumpMotion{};
}

int FightMan::SetEffectSlot(int effect_id, std::uint16_t slot) {
  if (slot >= fight_effect_slots) return 0;
  release_effect(&fx_slot[slot]);
  fx_slot[slot] = effect_id;
  return 1;
}

void FightMan::ClearEffectSlot(std::uint16_t slot) {
  if (slot < fight_effect_slots) release_effect(&fx_slot[slot]);
}

void FightMan::ClearEffectSlots() {
  for (int& id : fx_slot) release_effect(&id);
}

void FightMan::ClearWeaponEmitters() {
  for (int i = 0; i < weapon_fx_count && i < fight_weapon_fx_slots; ++i) release_effect(&weapon_fx[i]);
  weapon_fx_count = 0;
}

void FightMan::SetAfterimage(std::uint16_t on, std::uint8_t every, std::uint8_t fade) {
  afterimage_every = on == 1 ? every : 0;
  afterimage_fade = on == 1 ? fade : 0;
}

void FightMan::StartTrail(std::uint8_t life, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t fade) {
  trail_life = life, trail_r = r, trail_g = g, trail_b = b, trail_fade = fade;
  trail_on = trail_new = 1;
}

void FightMan::StartFade(int out, std::uint8_t step) {
  fade_out = out;
  fade_step = step;
  fading = 1;
  if (out == 0) alpha = 0;
}

void FightMan::AddCondition(std::uint32_t bits) {
  cond |= bits;
  if (bits & cond_body_bit4) body.state |= 0x10;
  if (bits & cond_invisible) invis_turns = 3;
  if (bits & cond_liuhe) liuhe_turns = 2;
  if (bits & cond_qiankun) qiankun_turns = 4;
}

void FightMan::ClearCondition(std::uint32_t bits) {
  cond &= ~bits;
  if (bits & cond_body_bit4) body.state &= std::uint16_t(~0x10u);
}

void fight_unit_clear(FightMan& u) {
  u.Reset();
  u.act = 0;
  u.role = nullptr;
  u.monster = ItemData{};
  u.action = ItemData{};
  u.role_backup = RoleData{};
  u.home = u.pos = u.dest = u.aim = G3dVector{};
  u.speed = 0;
  u.portrait = 0;
  u.face = ActInstance{};
  u.face_part = 0;
  u.weapon_act = 0;
  u.move_mode = 0;
  u.summon_slot = 0;
  u.script_flags = 0;
  u.shadow_id = -1;
  u.ai_number = 0;
  u.turn_done = 0;
  u.hit_state = 0;
  u.treasure_level = 1;
  u.treasure_command[0] = u.treasure_command[1] = 0;
}
