#pragma once
// Battle units: the slots of both sides, the acting unit and the battle's counters.
#include <cstdint>

struct ItemData;

// A battle unit, with the fields and methods the battle AI uses.
class FightMan {
 public:
  // The unit's AI script and its state: offsets into the AI.gll body, ai_start 0 = not started.
  std::uint16_t ai_number = 0;
  std::uint32_t ai_start = 0;
  std::uint32_t ai_offset = 0;

  // What the unit is; set by the battle's set-up.
  int dead = 0;       // knocked out
  int guest = 0;      // the pet or a called monster on the party's side
  int pet = 0;
  int withdrawn = 0;  // sits out the fight
  int hp = 0, max_hp = 0;
  std::uint16_t turn_count = 0;
  std::uint16_t atk_number = 0;  // ATK script of the loaded action
  // What the unit's action choice allows: 1 takes every choice, 0 refuses.
  int can_act = 1;

  // Written by the AI.
  int target = -1;
  std::uint16_t command = 0;
  std::uint16_t act = 0;
  int fade_out = -1;  // the last fade started: 0 in, 1 out; -1 none
  std::uint8_t fade_step = 0;

  void SetTarget(int slot) { target = slot; }
  int IsDead() const { return dead; }
  int IsGuest() const { return guest; }
  int IsPet() const { return pet; }
  int IsWithdrawn() const { return withdrawn; }
  void GetHp(int* out_hp, int* out_max) const {
    *out_hp = hp;
    *out_max = max_hp;
  }
  std::uint16_t GetTurnCount() const { return turn_count; }
  void StartFade(int out, std::uint8_t step) {
    fade_out = out;
    fade_step = step;
  }
  void SetCommand(std::uint16_t c) { command = c; }
  // Loads the action of a choice (1 plain attack, 2 end the turn, 3-7 action slot choice - 3)
  // on the target into out: 1 taken, 0 not possible.
  int AiChooseAction(std::uint16_t choice, FightMan* target_unit, ItemData* out);
  std::uint16_t GetAtkNumber() const { return atk_number; }
  void SetAct(std::uint16_t a) { act = a; }
};

constexpr int fight_unit_slots = 16;  // 0-5 the party's side, 6-15 enemies
constexpr int fight_first_enemy = 6;
extern FightMan gmFightMan[fight_unit_slots];
extern int ActMan;  // slot of the acting unit

// The battle's counters that the AI reads.
extern std::int16_t fight_ally_count;
extern std::int16_t fight_enemy_count;
extern std::int16_t fight_guest_count;
extern std::int16_t fight_fallen_allies;
extern std::int16_t fight_fallen_enemies;
extern std::int16_t fight_fallen_called;
