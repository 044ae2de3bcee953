#pragma once
// RoleData: the 1444-byte record of one party character. Saves store all four records whole in
// the original 32-bit layout; the two list heads (offsets 588 and 1180) are written as 0.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/item_node.h"

constexpr std::size_t role_data_image_size = 1444;

// Indices of the stat words (RoleData::stats).
enum RoleStat { stat_attack = 8, stat_defence, stat_hit, stat_speed, stat_magic_attack, stat_magic_defence,
                stat_magic_hit, stat_level, stat_weapon_attack, stat_total };

struct RoleData {
  ItemNode arts;                        // 0: owner of the art list (head at 588)
  ItemNode second_list;                 // 592: owner of the second list (head at 1180)
  char name[32];                        // 1184
  float level_multiplier;               // 1216
  std::int32_t exp;                     // 1220
  std::int32_t next_exp;                // 1224: experience needed for the next level
  std::int32_t rage;                    // 1228: 0-100
  std::uint8_t unused_1232[12];         // 1232
  std::int32_t object_id;               // 1244: the character's object number (1, 2 or 4)
  std::int32_t hp;                      // 1248
  std::int32_t max_hp;                  // 1252
  std::int32_t flags;                   // 1256: bit 0 knocked out
  std::int16_t mp;                      // 1260
  std::int16_t max_mp;                  // 1262
  std::int16_t sp;                      // 1264
  std::int16_t max_sp;                  // 1266
  std::int16_t hp_bonus;                // 1268
  std::int16_t mp_bonus;                // 1270
  std::int16_t sp_bonus;                // 1272
  std::uint8_t unused_1274[16];         // 1274
  std::uint16_t equip[8];               // 1290: 0 weapon, 1 armour, 2-3 accessories, 4-5 treasures
  std::uint8_t unused_1306[2];          // 1306
  float growth[8];                      // 1308
  std::uint16_t stats[19];              // 1340: s0-s7, then RoleStat; stat_hit is shown as "Ave:%d"
  std::uint8_t battle_1378[4];          // 1378: used by battle
  std::int16_t attack_bonus;            // 1382
  std::int16_t defence_bonus;           // 1384
  std::uint8_t unused_1386[4];          // 1386
  std::int16_t magic_attack_bonus;      // 1390
  std::int16_t magic_defence_bonus;     // 1392
  std::uint8_t unused_1394[3];          // 1394: byte 1396 belongs to the battle
  std::int8_t equip_byte_a;             // 1397: sum of the equipment's byte 242, never below 0
  std::int8_t equip_byte_b;             // 1398: sum of the equipment's byte 251, never below 0
  std::uint8_t unused_1399[45];         // 1399
};

// The stored layout: one row per field (name, offset, member); the list heads have no row.
template <>
struct record_image::Layout<RoleData> {
  static constexpr std::size_t size = role_data_image_size;
  static constexpr auto fields = std::tuple{
      field("arts", 0, &RoleData::arts),
      field("second_list", 592, &RoleData::second_list),
      field("name", 1184, &RoleData::name),
      field("level_multiplier", 1216, &RoleData::level_multiplier),
      field("exp", 1220, &RoleData::exp),
      field("next_exp", 1224, &RoleData::next_exp),
      field("rage", 1228, &RoleData::rage),
      field("unused_1232", 1232, &RoleData::unused_1232),
      field("object_id", 1244, &RoleData::object_id),
      field("hp", 1248, &RoleData::hp),
      field("max_hp", 1252, &RoleData::max_hp),
      field("flags", 1256, &RoleData::flags),
      field("mp", 1260, &RoleData::mp),
      field("max_mp", 1262, &RoleData::max_mp),
      field("sp", 1264, &RoleData::sp),
      field("max_sp", 1266, &RoleData::max_sp),
      field("hp_bonus", 1268, &RoleData::hp_bonus),
      field("mp_bonus", 1270, &RoleData::mp_bonus),
      field("sp_bonus", 1272, &RoleData::sp_bonus),
      field("unused_1274", 1274, &RoleData::unused_1274),
      field("equip", 1290, &RoleData::equip),
      field("unused_1306", 1306, &RoleData::unused_1306),
      field("growth", 1308, &RoleData::growth),
      field("stats", 1340, &RoleData::stats),
      field("battle_1378", 1378, &RoleData::battle_1378),
      field("attack_bonus", 1382, &RoleData::attack_bonus),
      field("defence_bonus", 1384, &RoleData::defence_bonus),
      field("unused_1386", 1386, &RoleData::unused_1386),
      field("magic_attack_bonus", 1390, &RoleData::magic_attack_bonus),
      field("magic_defence_bonus", 1392, &RoleData::magic_defence_bonus),
      field("unused_1394", 1394, &RoleData::unused_1394),
      field("equip_byte_a", 1397, &RoleData::equip_byte_a),
      field("equip_byte_b", 1398, &RoleData::equip_byte_b),
      field("unused_1399", 1399, &RoleData::unused_1399),
  };
};

void role_data_to_image(const RoleData& role, std::span<std::uint8_t, role_data_image_size> out);
// Both list heads become null: the lists are rebuilt from the save's own records.
void role_data_from_image(std::span<const std::uint8_t, role_data_image_size> in, RoleData& role);
