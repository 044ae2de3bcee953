#pragma once
// The party's records and possessions: the four character records, the shared bag and the
// money, with the party-wide item helpers.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/game_flags.h"
#include "data/item_node.h"
#include "data/role_data.h"

constexpr int party_record_count = 4;  // members 0-2 are the party; all four are saved
// The game flag of each party slot 0-2: the member is with the party while it is set.
inline constexpr int party_member_flags[3] = {flag_member_0, flag_member_1, flag_member_2};

extern RoleData gmRoleData[party_record_count];
extern ItemNode party_bag;      // owner of the shared bag
extern int party_bag_count;     // the bag's node count when the game is saved
extern std::int32_t party_money;

// The party's magic area: 20 records shaped like ItemNode, of which the first 8 are the magic
// slots (object 0 = empty). Saved and cleared whole.
constexpr int party_magic_records = 20;
constexpr int party_magic_slots = 8;
constexpr std::size_t party_magic_image_size = party_magic_records * item_node_image_size;
extern ItemNode party_magic[party_magic_records];

// The area's image: the records one after another, each in the ItemNode layout, next as 0.
void party_magic_to_image(std::span<std::uint8_t, party_magic_image_size> out);
void party_magic_from_image(std::span<const std::uint8_t, party_magic_image_size> in);

constexpr int party_member_count = 3;  // the party slots
// The class bit of each party slot in an object's user_class mask (who may wear it).
inline constexpr std::uint8_t member_class_bits[party_member_count] = {1, 2, 8};
// The party slots whose member flag is set (the members with the party), in slot order; returns
// how many.
int present_party_members(int out[party_member_count]);
// 1 when the bag holds at least n pieces, or n is 1 and member 0-2 has the object equipped.
int has_party_item(std::uint16_t object, std::uint16_t n);
// Frees the bag, the art lists of all four records and the magic study list.
void free_party_items();
