#pragma once
// The new-game reset and the party set-up. reset_game clears the whole game state (flags,
// roles, party, money, lists, map, camera, boxes) and reads the map database again; the title
// runs it on entry and loading runs it before the saved state goes in. setup_party builds the
// three party characters of a new game from their object records.
#include <cstdint>

constexpr int party_setup_members = 3;
// The object records of party members 0, 1 and 2.
constexpr std::uint16_t party_member_objects[party_setup_members] = {1, 2, 4};

void reset_game();
void setup_party();

// The multiplier a new character's level gives its base stats: 1.2 for each of the thresholds
// 6, 11, ... 56 the level reaches; levels above 60 add nothing.
float party_level_multiplier(int level);
