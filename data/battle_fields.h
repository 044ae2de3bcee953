#pragma once
// The battle's names for fields of the object and character records. The records keep one
// layout (item_data.h, role_data.h); these accessors name the words the battle reads by what
// they mean there, so that no field is copied and each meaning is written once.
#include <cstdint>

#include "data/item_data.h"
#include "data/role_data.h"

// ItemData as a monster, an action or a treasure is read by the battle.
inline std::uint16_t& item_speed_value(ItemData& r) { return r.stats[11]; }  // tag 2022 byte
inline std::uint16_t item_speed_value(const ItemData& r) { return r.stats[11]; }
inline std::uint16_t& item_ai_script(ItemData& r) { return r.word_98; }
inline std::uint16_t item_ai_script(const ItemData& r) { return r.word_98; }
inline std::uint16_t& item_held_model_act(ItemData& r) { return r.word_94; }
inline std::uint16_t item_held_model_act(const ItemData& r) { return r.word_94; }
inline std::uint8_t item_atk_branch_flag(const ItemData& r) { return r.story_flag; }
inline std::uint8_t& item_status_accept(ItemData& r) { return r.bytes_236[0]; }
inline std::uint8_t item_status_accept(const ItemData& r) { return r.bytes_236[0]; }
inline std::uint8_t& item_buff_accept(ItemData& r) { return r.bytes_236[1]; }
inline std::uint8_t item_buff_accept(const ItemData& r) { return r.bytes_236[1]; }
inline std::uint8_t item_buff_chance(const ItemData& r) { return r.bytes_251[1]; }
inline std::uint8_t item_target_start(const ItemData& r) { return r.byte_240; }
inline std::uint16_t item_exp_value(const ItemData& r) { return r.word_200; }
inline std::uint16_t item_money_value(const ItemData& r) { return r.word_176; }
inline std::uint16_t item_rank(const ItemData& r) { return r.teach_spell; }
inline std::uint16_t item_cost_metal(const ItemData& r) { return r.cost_metal; }
inline std::uint16_t item_cost_wood(const ItemData& r) { return r.cost_wood; }
inline std::uint16_t item_cost_coal(const ItemData& r) { return r.cost_coal; }
// The signed readings of the amounts and stat changes (beyond +-10000 a percentage).
inline std::int16_t item_hp_amount(const ItemData& r) { return std::int16_t(r.hp_amount); }
inline std::int16_t item_mp_amount(const ItemData& r) { return std::int16_t(r.mp_amount); }
inline std::int16_t item_sp_amount(const ItemData& r) { return std::int16_t(r.sp_amount); }
inline std::int16_t item_power(const ItemData& r) { return std::int16_t(r.power); }
inline std::int16_t item_yin(const ItemData& r) { return std::int16_t(r.yin); }
inline std::int16_t item_yang(const ItemData& r) { return std::int16_t(r.yang); }
inline std::int16_t item_status_value(const ItemData& r) { return std::int16_t(r.status_value); }
// The action's target bytes 238 and 239: bit 0 of the first lists every unit of the side; bit
// 0x40 of the second lets the fallen be listed too.
inline bool item_targets_area(const ItemData& r) { return (r.target_mode & 1) != 0; }
inline bool item_targets_fallen(const ItemData& r) { return (r.turns & 0x40) != 0; }

// RoleData words the battle keeps on the character.
inline std::uint8_t& role_rage_turns(RoleData& r) { return r.battle_1378[0]; }
inline std::uint8_t& role_madness_count(RoleData& r) { return r.battle_1378[1]; }
inline std::uint8_t& role_rage_bonus(RoleData& r) { return r.battle_1378[2]; }
inline std::uint8_t& role_strike_counter(RoleData& r) { return r.battle_1378[3]; }
inline std::uint8_t& role_accept_bonus(RoleData& r) { return r.unused_1394[2]; }  // byte 1396
