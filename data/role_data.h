#pragma once
// RoleData: the 1444-byte record of one party character. Saves store all four records whole in
// the original 32-bit layout; the two list heads (offsets 588 and 1180) are written as 0.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/item_node.h"

constexpr std::size_t role_data_image_size = 1444;

struct RoleData {
  ItemNode arts;                        // 0: owner of the art list (head at 588)
  ItemNode second_list;                 // 592: owner of the second list (head at 1180)
  char name[32];                        // 1184
  float level_multiplier;               // 1216
  std::int32_t exp;                     // 1220
  std::int32_t next_exp;                // 1224: experience needed for the next level
  std::int32_t rage;                    // 1228: 0-100
  std::uint8_t unused_1232[12];
  std::int32_t object;                  // 1244: the character's object number (1, 2 or 4)
  std::int32_t hp;                      // 1248
  std::int32_t max_hp;                  // 1252
  std::int32_t state;                   // 1256: bit 0 knocked out
  std::int16_t mp;                      // 1260
  std::int16_t max_mp;                  // 1262
  std::int16_t sp;                      // 1264
  std::int16_t max_sp;                  // 1266
  std::int16_t hp_bonus;                // 1268
  std::int16_t mp_bonus;                // 1270
  std::int16_t sp_bonus;                // 1272
  std::uint8_t unused_1274[16];
  std::uint16_t equip[8];               // 1290: 0 weapon, 1 armour, 2-3 accessories, 4-5 treasures
  std::uint8_t unused_1306[2];
  float growth[8];                      // 1308
  std::uint16_t base[8];                // 1340: s0-s7
  std::uint16_t attack;                 // 1356
  std::uint16_t defence;                // 1358
  std::uint16_t ave;                    // 1360: shown as "Ave:%d" by the battle's overlay
  std::uint16_t speed;                  // 1362
  std::uint16_t magic_attack;           // 1364
  std::uint16_t magic_defence;          // 1366
  std::uint16_t value_14;               // 1368
  std::uint16_t level;                  // 1370
  std::uint16_t weapon_attack;          // 1372
  std::uint16_t value_17;               // 1374
  std::uint8_t battle_1376[6];
  std::int16_t attack_bonus;            // 1382
  std::int16_t defence_bonus;           // 1384
  std::uint8_t unused_1386[4];
  std::int16_t magic_attack_bonus;      // 1390
  std::int16_t magic_defence_bonus;     // 1392
  std::uint8_t unused_1394[3];          // byte 1396 belongs to the battle
  std::int8_t equip_byte_a;             // 1397: sum of the equipment's byte 242, never below 0
  std::int8_t equip_byte_b;             // 1398: sum of the equipment's byte 251, never below 0
  std::uint8_t unused_1399[45];
};

template <class Role, class Visit>
void visit_role_data(Role& r, Visit&& v) {
  visit_item_node(r.arts, v);
  visit_item_node(r.second_list, [&](std::size_t off, auto& field) { v(592 + off, field); });
  v(1184, r.name);
  v(1216, r.level_multiplier);
  v(1220, r.exp);
  v(1224, r.next_exp);
  v(1228, r.rage);
  v(1232, r.unused_1232);
  v(1244, r.object);
  v(1248, r.hp);
  v(1252, r.max_hp);
  v(1256, r.state);
  v(1260, r.mp);
  v(1262, r.max_mp);
  v(1264, r.sp);
  v(1266, r.max_sp);
  v(1268, r.hp_bonus);
  v(1270, r.mp_bonus);
  v(1272, r.sp_bonus);
  v(1274, r.unused_1274);
  v(1290, r.equip);
  v(1306, r.unused_1306);
  v(1308, r.growth);
  v(1340, r.base);
  v(1356, r.attack);
  v(1358, r.defence);
  v(1360, r.ave);
  v(1362, r.speed);
  v(1364, r.magic_attack);
  v(1366, r.magic_defence);
  v(1368, r.value_14);
  v(1370, r.level);
  v(1372, r.weapon_attack);
  v(1374, r.value_17);
  v(1376, r.battle_1376);
  v(1382, r.attack_bonus);
  v(1384, r.defence_bonus);
  v(1386, r.unused_1386);
  v(1390, r.magic_attack_bonus);
  v(1392, r.magic_defence_bonus);
  v(1394, r.unused_1394);
  v(1397, r.equip_byte_a);
  v(1398, r.equip_byte_b);
  v(1399, r.unused_1399);
}

void role_data_to_image(const RoleData& role, std::span<std::uint8_t, role_data_image_size> out);
// Both list heads become null: the lists are rebuilt from the save's own records.
void role_data_from_image(std::span<const std::uint8_t, role_data_image_size> in, RoleData& role);
