#pragma once
// The battle's results: the spoils list the results screen shows, and the rules of the
// results screen (experience shares, experience and money counting, level-ups).
#include <cstdint>

#include "data/role_data.h"

// The spoils of the battle: up to ten entries shown on the results screen; the bag gets every
// piece even when the list is full.
constexpr int spoils_max = 10;
struct SpoilEntry {
  std::uint16_t id = 0;
  std::uint16_t count = 0;
  char name[32] = {};
};
extern SpoilEntry fight_spoils[spoils_max];
extern std::uint16_t fight_spoil_count;

void clear_spoils();
// Adds pieces to the party bag and to the spoils list (an entry of that object gets more).
void add_spoil(std::uint16_t id, std::uint16_t count);
// Each enemy's drop roll adds one piece; nothing after a granted flight or with 0x10000000.
void roll_monster_drops();

// The results' rules, run by the results screen: the division of the battle's experience, its
// counting into the members, the level-ups it brings and the counting of the money.
constexpr int result_level_cap = 60;  // a member at this level gains no more experience
extern std::int32_t result_exp_left[16];        // experience still to count into each unit
extern std::int16_t result_treasure_share[16];  // what each worn treasure of the unit received
extern int result_exp_done;                     // the experience was divided this battle
extern int result_levelup_slot;                 // gmRoleData index of the level-up shown, -1 none
extern RoleData result_levelup_backup;          // that member before its level rose
extern int result_learned;                      // the level brought a spell
extern char result_learned_name[32];

void result_reset();
// Once per battle: every standing party member gets the whole battle experience, less the tenth
// its worn treasures take (none at their top level: half each for two); then the treasures
// settle.
void result_divide_exp();
// One frame of counting: each member takes the rest, or a quarter of it while above 3; a member
// at the level cap loses it. 1 while any experience is left; else battle_exp becomes 0.
int result_count_exp();
// The next level-up, one level at a time: the first standing member below the cap whose
// experience reaches the next level rises one level (backup taken, spell learned). Its gmRoleData
// index, or -1 when none is left.
int result_next_level_up();
// One frame of counting the money won (or lost: negative amounts step the same way, and the
// party's money never goes below 0); the materials go over at once. 1 while money is left.
int result_count_money();
