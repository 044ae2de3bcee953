#pragma once
// The battle's state: the acting unit, the unit list and counts, the battle bits, the rewards
// and the battle's two effect managers. The block is cleared as one record at each battle's
// start and end (fight_clear_block), so that nothing of one battle reaches the next.
#include <cstdint>

#include "data/item_data.h"


// fight_flags bits.
constexpr std::uint32_t fight_victory = 0x1, fight_defeat = 0x2, fight_turn_ended = 0x4,
                        fight_view_two = 0x100000, fight_camera_done = 0x4000000, fight_may_lose = 0x1000000, fight_solo_scene = 0x8000000,
                        fight_victory_pose_22 = 0x10000000, fight_victory_allowed = 0x20000000,
                        fight_list_keys = 0x40000000, fight_decided = 0x80000000;

extern int ActMan;     // the unit whose action runs; -1 none
extern int turn_unit;  // the unit whose turn began last; -1 at start
extern int fight_unit_count;
extern std::uint16_t fight_unit_list[16];
extern int fight_party_slot[4];

// The block.
struct FightBlock {
  std::int16_t ally_count = 0;
  std::int16_t enemy_count = 0;
  std::int16_t guest_count = 0;
  std::int16_t fallen_count = 0;
  std::int16_t enemies_out = 0;
  std::int16_t guardians_fallen = 0;
  std::uint16_t pet_unit = 0;
  std::uint16_t talk_number = 0;
  std::uint32_t flags = 0;
  int battle_over = 0;
  int talk_hold = 0;
  int turns_left = 0;
  int command_outcome = 0;
  int main_target = -1;
  int cam_follow = 0;
  int flee_granted = 0;
  int escape_forbidden = 0;
  int capture_banned = 0;
  ItemData chosen_action{};
  std::int32_t exp = 0, money = 0, metal = 0, wood = 0, coal = 0;
};
extern FightBlock fight_block;

// The block's words by their own names.
extern std::int16_t& fight_ally_count;
extern std::int16_t& fight_enemy_count;
extern std::int16_t& fight_guest_count;
extern std::int16_t& fight_fallen_count;
extern std::int16_t& fight_enemies_out;
extern std::int16_t& fight_guardians_fallen;
extern std::uint16_t& fight_pet_unit;
extern std::uint16_t& fight_talk_number;
extern std::uint32_t& fight_flags;
extern int& battle_over;
extern int& fight_talk_hold;
extern int& fight_turns_left;
extern int& fight_command_outcome;
extern int& fight_main_target;
extern int& fight_cam_follow;
extern int& flee_granted;
extern int& escape_forbidden;
extern int& capture_banned;
extern ItemData& chosen_action;
extern std::int32_t& battle_exp;
extern std::int32_t& battle_money;
extern std::int32_t& battle_metal;
extern std::int32_t& battle_wood;
extern std::int32_t& battle_coal;

// Outside the block.
extern int fight_last_hit_missed;
extern std::int16_t fight_victory_wait;
extern int fight_end_view;
extern int rage_strike_pending;
extern std::uint16_t guardians_called[2];
extern std::uint32_t& battle_sequence_left;  // saved with the game
extern int fight_hp_changes_suspended;
extern std::uint16_t pet_monster;  // the pet's monster number; 0: object 3  // the debug switch that holds every HP change

void fight_clear_block();
