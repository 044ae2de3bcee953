#pragma once
// Battle units: FightMan, one combatant of a battle, and gmFightMan, the 16 slots of both sides
// (0-5 the party's side, 6-15 the enemies). A slot's index is the unit's identity in the whole
// battle. Other battle code reaches a unit through its methods; the battle AI also reads and
// writes the target and the AI words.
#include <cstdint>
#include <list>
#include <memory>

#include "battle/hit_number.h"
#include "battle/status_entry.h"
#include "data/item_data.h"
#include "data/role_data.h"
#include "g3d/act_animation.h"
#include "g3d/effects/model_attachments.h"
#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"
#include "g3d/motion.h"

// Side bits.
constexpr std::uint16_t side_party = 1, side_enemy = 2;

// Condition bits (FightMan::cond).
constexpr std::uint32_t cond_rage_pose = 0x2, cond_low_hp = 0x4, cond_revived = 0x8, cond_rise = 0x10,
                        cond_charged = 0x20, cond_dodge = 0x40, cond_invisible = 0x80, cond_money_shield = 0x100,
                        cond_liuhe = 0x200, cond_qiankun = 0x400, cond_fall_next = 0x10000,
                        cond_reflect = 0x01000000, cond_body_bit4 = 0x10000000, cond_turn_marks = 0xE0000000;

// Script flags set by fight-talk.
constexpr std::uint16_t script_untargetable = 1, script_stays_drawn = 4, script_no_weapon = 8;

constexpr int fight_effect_slots = 15;
constexpr int fight_weapon_fx_slots = 10;
constexpr int hp_bar_length = 84;

class FightMan {
 public:
  FightMan();
  ~FightMan();
  FightMan(const FightMan&) = delete;
  FightMan& operator=(const FightMan&) = delete;

  // Set-up.
  void SetupMember(std::uint16_t act_number, RoleData* member);
  void SetupMonster(std::uint16_t id);
  void SetupFromRecord(ItemData rec);
  void SetupPet();
  void Reset();
  void RestoreStats();
  int TreasureLevelAllows(std::uint16_t level, std::uint16_t treasure) const;

  // Placement.
  void SetPosition(float x, float y, float z);
  void SetPositionV(G3dVector* p);
  void MoveTo(float x, float y, float z);
  void SnapToGround();
  void SetFacing(float rx, float ry, float rz);
  void GetPos(float* x, float* y, float* z) const;
  void GetPos4(G3dVector* out) const { *out = pos; }
  void TurnToward(float x, float y, float z);

  // Accessors.
  void SetAct(std::uint16_t a) { act = a; }
  void SetWeaponAct(std::uint16_t a) { weapon_act = a; }
  void SetSide(std::uint16_t s) { side = s; }
  void SetGuest(int g) { guest = g; }
  void SetSoloHero(int s) { solo_hero = s; }
  void SetSpeed(int s) { speed = s; }
  void SetPortrait(std::uint16_t p) { portrait = p; }
  void SetWithdrawn(int w) { withdrawn = w; }
  void SetSummonSlot(std::uint16_t s) { summon_slot = s; }
  void SetDead(int d) { dead = d; }
  void SetTurnDone(int d) { turn_done = d; }
  void SetPetFallen(std::uint8_t f) { pet_fallen = f; }
  void SetCompanion() { companion = 1; }
  int IsAlly() const { return side & side_party; }
  int IsEnemy() const { return (side & side_enemy) >> 1; }
  int IsGuest() const { return guest; }
  int IsPet() const { return pet; }
  int IsSoloHero() const { return solo_hero; }
  int IsDead() const { return dead; }
  int IsWithdrawn() const { return withdrawn; }
  int IsDefending() const { return defending; }
  int IsFading() const { return fading; }
  int IsTurnDone() const { return turn_done; }
  int IsPetFallen() const { return pet_fallen; }
  int IsCompanion() const { return companion; }
  int IsFallen() const { return dead == 1 && dying == 0; }
  std::uint16_t GetState() const { return state; }
  int GetTarget() const { return target; }
  void SetTarget(int slot) { target = slot; }
  std::uint16_t GetAtkNumber() const { return atk; }
  std::uint16_t GetTurnCount() const { return turns; }
  std::uint16_t GetSummonSlot() const { return summon_slot; }
  std::uint32_t GetTreasureBits() const { return treasure_bits; }
  RoleData* GetRole() const { return role; }
  std::uint16_t GetTreasure(int i) const { return i == 0 || i == 1 ? treasure[i] : 0; }
  std::uint32_t TestCondition(std::uint32_t bits) const { return cond & bits; }
  void SetScriptFlags(std::uint16_t bits) { script_flags |= bits; }
  void ClearScriptFlags(std::uint16_t bits) { script_flags &= std::uint16_t(~bits); }
  std::uint16_t GetScriptFlags() const { return script_flags; }
  void SetFace(std::uint16_t a, std::uint16_t part) {
    face.act = a;
    face_part = part;
  }
  void SetAction(ItemData rec) { action = rec; }
  void GetMonsterRecord(ItemData* out) const { *out = monster; }
  int GetWeaponRecord(ItemData* out) const;
  const char* GetName() const;
  void GetHp(int* hp, int* max) const;
  std::uint8_t GetAtkBranchFlag() const;
  int IsAnimDone() const { return body.state & 1; }
  void SetAnimDelay(std::uint16_t d);
  void SetMoveMode(std::uint16_t m);
  int SetEffectSlot(int effect_id, std::uint16_t slot);
  void ClearEffectSlot(std::uint16_t slot);
  void ClearEffectSlots();
  void ClearWeaponEmitters();
  void SetAfterimage(std::uint16_t on, std::uint8_t every, std::uint8_t fade);
  void StartTrail(std::uint8_t life, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t fade);
  void StartFade(int out, std::uint8_t step);
  // Ghost copies of the unit that fly off: up out of the battle, or away behind it fading.
  void SpawnRiseEffect() const;
  void SpawnLeaveEffect() const;
  // The ground effect under the unit winds down (a unit that leaves the battle).
  void ReleaseGroundEffect() { release_effect(&shadow_id); }

  // Conditions and the gauge delay.
  void AddCondition(std::uint32_t bits);
  void ClearCondition(std::uint32_t bits);
  std::uint32_t GetCondition() const { return cond; }
  void SetAtbDelay(std::int16_t d) { atb_delay = d; }

  // Stats as the rules read them: a party-side unit's RoleData words, an enemy's monster words.
  // A stat word index as RoleData::stats counts them (8 attack .. 14 magic hit).
  std::uint16_t StatWord(int index) const;
  void SetStatWord(int index, std::uint16_t value);
  int Level() const;
  int CurrentHp() const;
  int MaxHp() const;

  // The damage and hit rule (fight_damage.cpp).
  int CalcDamage(FightMan* t, std::int32_t* hp, std::int16_t* mp, std::int16_t* sp);
  int ChangeHp(std::int32_t h, std::int16_t m, std::int16_t s);
  void GainRage(std::uint16_t kind, std::uint16_t level, std::int32_t amount);
  std::uint16_t GetEffectiveDefence() const;

  // Statuses and stat changes (fight_status.cpp).
  int ApplyStatus(const ItemData* a);
  int ApplyBuffs(const ItemData* a);
  void ApplyStatChange(StatusEntry e);
  std::uint32_t GetStatChangeBits(const ItemData* a) const;
  int HasStatus(std::uint32_t bits) const;
  int HasStatChange(std::uint32_t bits) const;
  int GetStance(YinYangRecord* out) const;
  int GetYinYangGuard(YinYangRecord* out) const;
  static std::int16_t YinYangRatio(const YinYangRecord& a, const YinYangRecord& b);
  void TickStatuses();
  void RemoveStatus(std::uint32_t bits, std::uint32_t key);
  int ShowPendingDamage();

  // Special rules (fight_tactics.cpp).
  void ApplyTreasureCode(const ItemData* treasure_record);
  void DefendPassives();
  std::uint16_t TreasureLevel(std::uint16_t command);
  void SetupTreasureCommand(std::uint16_t command);
  int IsUncatchable() const;  // kinds and ACTs that no capture takes
  int CaptureChance(const FightMan* monster_unit) const;
  // The capture (fight_capture.cpp): its effect started on the monster, and its animation run
  // each frame of the capture state; 1 when it is over.
  void StartCapture(FightMan* monster_unit);
  int RunCapture(FightMan* monster_unit, int captured);
  int FleeChance(std::uint16_t level) const;
  std::uint16_t RollDrop() const;
  std::uint16_t Steal(FightMan* monster_unit);
  int Dispel(FightMan* target_unit);
  void SetGuard(std::uint32_t bit, std::uint8_t row, std::uint8_t column);
  int HpTier() const;
  void TryAutoRevive();
  int TryInvisibleDodge();
  int TryMoneyShield(std::int32_t damage);
  int ApplyLiuheCut(int* damage) const;
  void EndCharge();

  // Turns (fight_man_turns.cpp).
  int TickAtb();
  void SetCommand(std::uint16_t cmd);
  void EndTurn();
  // The battle AI's choice (1 plain attack, 2 end the turn, 3-7 the action slots) on a target,
  // loaded into out: 1 taken, 0 not possible.
  int AiChooseAction(std::uint16_t choice, FightMan* target_unit, ItemData* out);
  // 1 when the unit (a party member or guest) can pay the action's HP, MP, SP, rage and, for a
  // resource art, the party's resources; PayCost pays the current action's, none below 0.
  int CanPayCost(const ItemData* a) const;
  void PayCost();

  // Floating numbers (fight_numbers.cpp).
  int AddHitNumber(std::uint16_t kind, std::int32_t amount, std::int16_t delay);
  void AddStatIcon(std::uint16_t icon_act, std::uint16_t pose_qq, std::int16_t delay);
  void UpdateHitNumbers();
  int HitNumberCount() const { return hit_count; }
  void FreeHitNumbers();
  void OnHit();

  // Picking under the pointer, screen points and the HUD's pictures of the unit (the command
  // menu and the HUD call them).
  int PickTest(int x, int y, float* depth) const;
  void GetScreenPos(int* x, int* y) const;
  void GetPartPoint(G3dVector* out, int part) const;
  void DrawHpBar(int x, int y) const;
  float GetRageBar() const;
  void DrawGauge(int x, int y, int highlight);

  // Motion, animation and drawing (fight_man_motion.cpp, fight_man_anim.cpp).
  void UpdateAnim();
  std::uint32_t AnimAttack();
  std::uint32_t AnimCast();
  std::uint32_t AnimAction();
  // The cast that starts a special effect of the ACT at the unit when its event bit 28 comes.
  std::uint32_t AnimCastFx(std::uint16_t fx_act);
  void AnimHurt();
  void AnimStagger();
  void Defend();
  int AnimFleeTry(int granted);
  int AnimEscape();
  void SetPose(std::uint16_t qq);
  float SetMoveTarget(float x, float y, float z, float w, float step);
  int WalkToTarget();
  int ReturnJump();
  int WalkBack();
  int RunDeath();
  void Draw();
  void DrawGhost();
  bool DrawWeapon();      // false when the weapon's animation has no data
  // The face picture's pose: at rest, low on HP, out, hurt, at the victory.
  std::uint16_t FacePose() const;
  // The icons of the statuses over an enemy standing idle.
  void DrawStatusIcons();
  void AddAfterimage();
  float GetMidY() const;
  float GetTopY() const;

  // --- The record (field order as the design lists it). ---
  std::uint16_t tex_override_on = 0;
  std::uint16_t tex_override_part[3] = {};
  std::uint16_t tex_override_act[3] = {};
  std::uint16_t tex_override_qq[3] = {};
  ActInstance body{};
  ActInstance ghost{};
  ActInstance weapon{};
  ActInstance spare_anim[2]{};
  ActInstance gauge{};
  ActInstance face{};
  EffectSlots attach_fx{};       // the body ACT's attached effects, in fight_unit_effects
  RoleData role_backup{};
  RoleData* role = nullptr;
  ItemData monster{};
  ItemData action{};
  std::int32_t stat_mod[13] = {};
  std::list<StatusEntry> statuses;
  JumpMotion jump{};
  G3dVector home{}, pos{}, dest{}, aim{};
  int trail = -1;
  G3dVertex ground_quad[4]{};
  float move_speed = 0;
  float anim_timer = 0;
  float ground_half = 0;
  float step_x = 0, step_z = 0;
  std::uint32_t cond = 0;
  std::uint32_t cond_extra = 0;
  std::uint32_t treasure_bits = 0;
  std::uint16_t script_flags = 0;
  std::uint16_t act = 0;
  std::uint16_t treasure[2] = {};
  std::uint16_t treasure_command[2] = {};
  std::uint16_t treasure_level = 1;
  std::uint16_t face_part = 0;
  std::uint16_t fx_pose = 0;
  std::uint16_t turns = 0;
  std::int32_t shadow_id = -1;
  std::int32_t target = -1;
  std::int32_t status_damage = 0;
  float rot_x = 0, rot_y = 0, rot_z = 0;
  float yaw = 0;
  float knockback = 0;
  std::int32_t hp_bar = 0;
  std::int32_t hp_bar_max = 0;
  std::int32_t atb = 0;
  std::int32_t speed = 0;
  std::int32_t hp_pending = 0;
  std::int16_t mp_pending = 0, sp_pending = 0;
  std::int16_t alpha = 255;
  std::int16_t atb_delay = 0;
  std::int16_t pulse_level = 0, pulse_phase = 0;
  std::int16_t charge_attack = 0, charge_defence = 0, hit_bonus = 0;
  std::int16_t charge_words[2] = {};
  std::uint16_t atk = 0;
  std::uint16_t pose_loops = 0;
  std::uint8_t capture_phase = 0, capture_won = 0;  // the capture state's first frame passed; its outcome
  std::uint8_t cmd_phase = 0;  // the running command has had its hit (a guardian call, a treasure)
  std::int8_t called_unit = -1;  // the slot the call filled, while its fade-in runs
  std::uint16_t state = 0;
  std::uint16_t prev_state = 0;
  std::uint16_t pose = 0;
  std::uint16_t side = 0;
  std::uint16_t weapon_act = 0;
  std::uint16_t anim_delay = 0;
  std::uint16_t move_mode = 0;
  std::uint16_t portrait = 0;
  std::uint16_t summon_slot = 0;
  std::uint16_t weapon_fx_count = 0;
  std::int32_t turn_done = 0;
  std::int32_t atb_full = 0;
  std::int32_t trail_on = 0;
  std::int32_t trail_new = 0;
  std::int32_t moving = 0;
  std::int32_t defending = 0;
  std::int32_t dying = 0;
  std::int32_t dead = 0;
  std::int32_t guest = 0;
  std::int32_t solo_hero = 0;
  std::int32_t pet = 0;
  std::int32_t fade_out = 0;
  std::int32_t fading = 0;
  std::int32_t companion = 0;
  std::int32_t sure_hit = 0;
  std::int32_t withdrawn = 0;
  std::uint8_t pet_fallen = 0;
  std::uint8_t hit_state = 0;
  std::uint8_t death_alpha = 255, death_r = 255, death_g = 255, death_b = 255;
  std::uint8_t fade_step = 0;
  std::uint8_t afterimage_every = 0, afterimage_fade = 0;
  std::uint8_t trail_life = 0, trail_r = 0, trail_g = 0, trail_b = 0, trail_fade = 0;
  std::uint8_t pinch_phase = 0;
  std::uint8_t idle_wait = 0;
  std::uint8_t status_accept = 0;
  std::uint8_t buff_accept = 0;
  std::uint8_t invis_turns = 0, liuhe_turns = 0, qiankun_turns = 0;
  std::uint8_t liuhe_cut = 0, qiankun_stat = 0, qiankun_value = 0;
  std::uint8_t weak_hits = 0;
  int fx_last = -1;
  int capture_fx = -1;
  int fx_slot[fight_effect_slots];
  int weapon_fx[fight_weapon_fx_slots];
  // The floating numbers, newest first; hit_count counts every change they carried, also one
  // whose node could not be made.
  std::list<HitNumber> hit_numbers;
  int hit_count = 0;
  int stats_restored = 0;  // RestoreStats has run for this battle
  std::uint32_t ai_start = 0;  // 0: not started
  std::uint32_t ai_pc = 0;
  std::uint16_t ai_number = 0;
  float matrix[16] = {};
  std::int32_t cell_rect[4] = {};

 private:
  // The heap record of a guest, the pet or a solo hero: owned here, freed once by Reset.
  std::unique_ptr<RoleData> owned_role_;
  void own_role_from_monster();
  void draw_body_model(std::uint32_t colour, std::uint32_t blend);
  // The colour and blend the body was drawn with this frame; the weapon takes them while the
  // body blends.
  std::uint32_t drawn_colour = 0xFFFFFFFF;
  std::uint32_t drawn_blend = 0;
  void start_ground_effect();
  void release_effect(int* id);
  void check_low_hp();
};

constexpr int fight_unit_slots = 16;  // 0-5 the party's side, 6-15 enemies
constexpr int fight_first_enemy = 6;
extern FightMan gmFightMan[fight_unit_slots];

// The monster combat values a battle derives from an object record's growth and level (written
// into the record): the level multiplier, stats 0-10 and 12-15, HP, SP and MP.
void derive_monster_values(ItemData* rec);
// A unit as constructed: a reset that also clears what a reset keeps (its object, records,
// positions and speeds), for a slot that starts afresh.
void fight_unit_clear(FightMan& u);

// A mood action (status_high bit n gives mood 0x10000 << n) lasting turns, announced with the
// unit's name when it lands: 1 then.
int fight_apply_mood(FightMan& u, std::uint8_t high, std::uint8_t turns, const char* message);
// The excitement and madness triggers of a party character whose turn begins in the slot.
void fight_ally_mood_rolls(FightMan& u, int slot);
// The sadness trigger of the acting party member, and its end for every ally.
void fight_check_sadness();
void fight_end_sadness();
extern std::uint8_t fight_sadness_counter;

// The kind factor of a monster kind (110-118), 0 for other kinds.
int monster_kind_factor(int kind);
