// The battle's state.
#include "battle/fight_globals.h"

#include "core/game_state_words.h"

int ActMan = -1;
int turn_unit = -1;
int fight_unit_count = 0;
std::uint16_t fight_unit_list[16] = {};
int fight_party_slot[4] = {0, 1, 2, 3};

FightBlock fight_block;
std::int16_t& fight_ally_count = fight_block.ally_count;
std::int16_t& fight_enemy_count = fight_block.enemy_count;
std::int16_t& fight_guest_count = fight_block.guest_count;
std::int16_t& fight_fallen_count = fight_block.fallen_count;
std::int16_t& fight_enemies_out = fight_block.enemies_out;
std::int16_t& fight_guardians_fallen = fight_block.guardians_fallen;
std::uint16_t& fight_pet_unit = fight_block.pet_unit;
std::uint16_t& fight_talk_number = fight_block.talk_number;
std::uint32_t& fight_flags = fight_block.flags;
int& battle_over = fight_block.battle_over;
int& fight_talk_hold = fight_block.talk_hold;
int& fight_turns_left = fight_block.turns_left;
int& fight_command_outcome = fight_block.command_outcome;
int& fight_main_target = fight_block.main_target;
int& fight_cam_follow = fight_block.cam_follow;
int& flee_granted = fight_block.flee_granted;
int& escape_forbidden = fight_block.escape_forbidden;
int& capture_banned = fight_block.capture_banned;
ItemData& chosen_action = fight_block.chosen_action;
std::int32_t& battle_exp = fight_block.exp;
std::int32_t& battle_money = fight_block.money;
std::int32_t& battle_metal = fight_block.metal;
std::int32_t& battle_wood = fight_block.wood;
std::int32_t& battle_coal = fight_block.coal;

int fight_last_hit_missed = 0;
std::int16_t fight_victory_wait = 60;
int fight_end_view = 0;
int rage_strike_pending = 0;
std::uint16_t guardians_called[2] = {};
std::uint32_t& battle_sequence_left = game_state_words[state_word_battles_left];
int fight_hp_changes_suspended = 0;
std::uint16_t pet_monster = 0;

void fight_clear_block() { fight_block = FightBlock{}; }
