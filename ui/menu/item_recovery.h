#pragma once
// The rules of using an item on a party member, apart from any screen: which object fields say
// what, whether an item can be used from the menu, and what it does to the member.
#include <cstdint>

#include "data/item_data.h"

struct RoleData;

// Object types of the bag.
constexpr std::uint16_t object_type_consumable = 201;
constexpr std::uint16_t object_type_weapon = 202;
constexpr std::uint16_t object_type_armour = 203;
constexpr std::uint16_t object_type_accessory = 204;
constexpr std::uint16_t object_type_story = 205;
constexpr std::uint16_t object_type_treasure = 206;

// Objects the items page treats apart.
constexpr std::uint16_t object_battle_item = 3058;
constexpr std::uint16_t object_save_item = 3071;
constexpr std::uint16_t object_level_up_item = 3074;
constexpr std::uint16_t object_travel_item = 3075;
constexpr std::uint16_t object_story_item = 3076;
constexpr std::uint16_t object_placement_item = 4155;

constexpr int max_member_level = 60;
constexpr std::uint8_t item_flag_permanent = 0x10;  // of the list flags
constexpr std::uint8_t item_flag_revives = 0x10;    // of status_low
constexpr std::uint32_t member_knocked_out = 0x1;   // of RoleData::flags

// The object fields the menu reads, by what they mean.
inline bool item_targets_all(const ItemData& d) { return d.target_mode == 1; }
inline std::uint8_t item_use_context(const ItemData& d) { return d.byte_244; }  // 0 anywhere, 1 menu only
inline std::uint16_t item_talk_number(const ItemData& d) { return d.word_94; }  // story items
inline bool item_is_permanent_boost(const ItemData& d) { return (d.action_flags & item_flag_permanent) != 0; }
inline bool item_revives(const ItemData& d) { return (d.status_low & item_flag_revives) != 0; }

// 1 when the items page lets the item be used: a consumable usable in the menu, or any object
// usable anywhere.
int item_is_usable(const ItemData& d);

// Raises party slot s by one level (refused at max_member_level): experience to the next
// level's, the level row applied, the member revived, a new art added to its list. 1 when raised.
int raise_member_level(int slot);
// The recovery rule alone: restores HP, MP and SP up to their maxima and revives with the
// revive bit; 1 when the member changed. A member still knocked out afterwards is not healed.
int apply_recovery(RoleData& member, const ItemData& item);
// Adds the item's amounts and bonuses to the member for good, maxima and current values
// together; every value stops at the limit of its field.
void apply_permanent_boost(RoleData& member, const ItemData& item);
// The level-up item, a permanent boost or the recovery rule on party slot s; 1 when the member
// changed.
int apply_item_to_member(int slot, const ItemData* item);
