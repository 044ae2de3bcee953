#pragma once
// ItemData: one object of the object database decoded into its fixed 576-byte record. Item
// lists, battle units, shops and saves carry it by value; its stored image is the original
// 32-bit layout, written and read field by field (item_data_to_image, item_data_from_image).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/record_image.h"

constexpr std::size_t item_data_image_size = 576;

struct ItemData {
  char NAME[32];                     // 0: Big5, NUL-terminated
  float level_mult;                  // 32: monsters
  std::int32_t price;                // 36
  std::int32_t atb_delay;            // 40: an action's active-time delay; monsters: derived
  std::int32_t max_hp;               // 44: monsters
  std::int32_t hp;                   // 48: monsters
  std::uint16_t max_mp;              // 52: monsters: copy of the MP at 54
  std::uint16_t mp;                  // 54
  std::uint16_t max_sp;              // 56: monsters: copy of the SP at 58
  std::uint16_t sp;                  // 58
  std::uint16_t attack;              // 60: equipment bonus or an action's stat change
  std::uint16_t defence;             // 62
  std::uint16_t hit;                 // 64
  std::uint16_t treasure_code;       // 66: a magic treasure's command, passive or growth code
  std::uint16_t speed;               // 68
  std::uint16_t magic_attack;        // 70
  std::uint16_t magic_defence;       // 72
  std::uint16_t magic_hit;           // 74
  std::uint16_t hp_amount;           // 76
  std::uint16_t mp_amount;           // 78
  std::uint16_t sp_amount;           // 80
  std::uint16_t hp_cost;             // 82
  std::uint16_t mp_cost;             // 84
  std::uint16_t sp_cost;             // 86
  std::int16_t rage_cost;            // 88: from a sign-extended byte
  std::uint8_t unused_90[2];         // 90
  std::uint16_t object_id;           // 92: object number, bit 15 clear
  std::uint16_t word_94;             // 94: tag 9912; its meaning belongs to its readers
  std::uint16_t atk_script;          // 96
  std::uint16_t word_98;             // 98: tag 1020; monsters: the weapon's act; spells: the
                                     //   training goal (item_study_goal)
  std::uint16_t power;               // 100
  std::uint8_t unused_102[2];        // 102
  float growth[8];                   // 104
  std::uint16_t stats[16];           // 136: eight base values, attack, defence, hit, speed, ...;
                                     //      stat words 18 and 19 are kind and level
  std::uint8_t unused_168[4];        // 168
  std::uint16_t kind;                // 172
  std::uint16_t level;               // 174
  std::uint16_t word_176;            // 176: tag 1101; monsters: derived
  std::uint16_t ai_actions[5];       // 178
  std::uint8_t ai_uses[5];           // 188
  std::uint8_t unused_193;           // 193
  std::uint16_t drop_item;           // 194
  std::uint16_t steal_item;          // 196
  std::uint8_t drop_chance;          // 198: percent
  std::uint8_t byte_199;             // 199: tag 1100; its meaning belongs to its readers
  std::uint16_t word_200;            // 200: tag 1101; monsters: derived
  std::uint16_t teach_spell;         // 202: tag 2020; the spell a monster teaches, 0 none
  std::uint16_t cost_metal;          // 204: tags 1101 and 2100; what a house, an upgrade or a
  std::uint16_t cost_wood;           // 206:   produced piece costs; a monster's spoils
  std::uint16_t cost_coal;           // 208
  std::uint16_t cost_money;          // 210: tag 2100
  std::uint16_t yin;                 // 212
  std::uint16_t yang;                // 214
  std::uint16_t words_216[3];        // 216-220: tag 2101 (with yin and yang: item_material)
  std::uint8_t story_flag;           // 222: tag 1010; 1 a story character the base keeps
  std::uint8_t skill_need[4];        // 223-226: tags 1500 and 2103; workshop skills 冶金, 整備,
                                     //   製藥, 神技 a piece needs; a monster's own skills
  std::uint8_t byte_227;             // 227: tag 1500
  std::uint8_t status_high;          // 228
  std::uint8_t unused_229;           // 229
  std::uint16_t status_value;        // 230
  std::uint8_t byte_232;             // 232: tag 2200; its meaning belongs to its readers
  std::uint8_t rage_add;             // 233
  std::uint8_t talisman_element;     // 234
  std::uint8_t talisman_count;       // 235
  std::uint8_t bytes_236[2];         // 236: tag 2021; their meaning belongs to their readers
  std::uint8_t target_mode;          // 238
  std::uint8_t turns;                // 239
  std::uint8_t byte_240;             // 240: tag 2005; its meaning belongs to its readers
  std::uint8_t user_class;           // 241: 0 suits every user
  std::uint8_t byte_242;             // 242: equipment byte A
  std::uint8_t action_flags;         // 243: the list flags
  std::uint8_t byte_244;             // 244: tag 2050; its meaning belongs to its readers
  std::uint8_t byte_245;             // 245: tag 2001; its meaning belongs to its readers
  std::uint8_t target_side;          // 246
  std::uint8_t element;              // 247
  std::uint8_t status_low;           // 248: items: bit 0x10 revives
  std::uint8_t byte_249;             // 249: tags 1300 and 2051; its meaning belongs to its readers
  std::uint8_t unused_250;           // 250
  std::uint8_t bytes_251[2];         // 251: tag 1200; 251 is equipment byte B
  std::uint8_t unused_253[2];        // 253
  char INFO[64];                     // 255
  char HELP[256];                    // 319
  std::uint8_t unused_575;           // 575
};

// Indices of the stat words (offset 136 + 2 * index).
enum CombatIndex { combat_attack = 8, combat_defence, combat_ave, combat_speed, combat_magic_attack,
                   combat_magic_defence, combat_value_14, combat_value_15 };

// A spell's training points to learn it in the training house.
inline std::uint16_t item_study_goal(const ItemData& spell) { return spell.word_98; }

// The five special materials a produced piece consumes (tag 2101 fills them; 0 an empty slot).
// They share offsets 212-220 with yin and yang, which only battle actions use.
constexpr int item_material_slots = 5;
inline std::uint16_t item_material(const ItemData& d, int slot) {
  if (slot == 0) return d.yin;
  if (slot == 1) return d.yang;
  return slot >= 2 && slot < item_material_slots ? d.words_216[slot - 2] : 0;
}

void item_data_to_image(const ItemData& item, std::span<std::uint8_t, item_data_image_size> out);
void item_data_from_image(std::span<const std::uint8_t, item_data_image_size> in, ItemData& item);

// The stored layout: one row per field (name, offset, member).
template <>
struct record_image::Layout<ItemData> {
  static constexpr std::size_t size = item_data_image_size;
  static constexpr auto fields = std::tuple{
      field("NAME", 0, &ItemData::NAME),
      field("level_mult", 32, &ItemData::level_mult),
      field("price", 36, &ItemData::price),
      field("atb_delay", 40, &ItemData::atb_delay),
      field("max_hp", 44, &ItemData::max_hp),
      field("hp", 48, &ItemData::hp),
      field("max_mp", 52, &ItemData::max_mp),
      field("mp", 54, &ItemData::mp),
      field("max_sp", 56, &ItemData::max_sp),
      field("sp", 58, &ItemData::sp),
      field("attack", 60, &ItemData::attack),
      field("defence", 62, &ItemData::defence),
      field("hit", 64, &ItemData::hit),
      field("treasure_code", 66, &ItemData::treasure_code),
      field("speed", 68, &ItemData::speed),
      field("magic_attack", 70, &ItemData::magic_attack),
      field("magic_defence", 72, &ItemData::magic_defence),
      field("magic_hit", 74, &ItemData::magic_hit),
      field("hp_amount", 76, &ItemData::hp_amount),
      field("mp_amount", 78, &ItemData::mp_amount),
      field("sp_amount", 80, &ItemData::sp_amount),
      field("hp_cost", 82, &ItemData::hp_cost),
      field("mp_cost", 84, &ItemData::mp_cost),
      field("sp_cost", 86, &ItemData::sp_cost),
      field("rage_cost", 88, &ItemData::rage_cost),
      field("unused_90", 90, &ItemData::unused_90),
      field("object_id", 92, &ItemData::object_id),
      field("word_94", 94, &ItemData::word_94),
      field("atk_script", 96, &ItemData::atk_script),
      field("word_98", 98, &ItemData::word_98),
      field("power", 100, &ItemData::power),
      field("unused_102", 102, &ItemData::unused_102),
      field("growth", 104, &ItemData::growth),
      field("stats", 136, &ItemData::stats),
      field("unused_168", 168, &ItemData::unused_168),
      field("kind", 172, &ItemData::kind),
      field("level", 174, &ItemData::level),
      field("word_176", 176, &ItemData::word_176),
      field("ai_actions", 178, &ItemData::ai_actions),
      field("ai_uses", 188, &ItemData::ai_uses),
      field("unused_193", 193, &ItemData::unused_193),
      field("drop_item", 194, &ItemData::drop_item),
      field("steal_item", 196, &ItemData::steal_item),
      field("drop_chance", 198, &ItemData::drop_chance),
      field("byte_199", 199, &ItemData::byte_199),
      field("word_200", 200, &ItemData::word_200),
      field("teach_spell", 202, &ItemData::teach_spell),
      field("cost_metal", 204, &ItemData::cost_metal),
      field("cost_wood", 206, &ItemData::cost_wood),
      field("cost_coal", 208, &ItemData::cost_coal),
      field("cost_money", 210, &ItemData::cost_money),
      field("yin", 212, &ItemData::yin),
      field("yang", 214, &ItemData::yang),
      field("words_216", 216, &ItemData::words_216),
      field("story_flag", 222, &ItemData::story_flag),
      field("skill_need", 223, &ItemData::skill_need),
      field("byte_227", 227, &ItemData::byte_227),
      field("status_high", 228, &ItemData::status_high),
      field("unused_229", 229, &ItemData::unused_229),
      field("status_value", 230, &ItemData::status_value),
      field("byte_232", 232, &ItemData::byte_232),
      field("rage_add", 233, &ItemData::rage_add),
      field("talisman_element", 234, &ItemData::talisman_element),
      field("talisman_count", 235, &ItemData::talisman_count),
      field("bytes_236", 236, &ItemData::bytes_236),
      field("target_mode", 238, &ItemData::target_mode),
      field("turns", 239, &ItemData::turns),
      field("byte_240", 240, &ItemData::byte_240),
      field("user_class", 241, &ItemData::user_class),
      field("byte_242", 242, &ItemData::byte_242),
      field("action_flags", 243, &ItemData::action_flags),
      field("byte_244", 244, &ItemData::byte_244),
      field("byte_245", 245, &ItemData::byte_245),
      field("target_side", 246, &ItemData::target_side),
      field("element", 247, &ItemData::element),
      field("status_low", 248, &ItemData::status_low),
      field("byte_249", 249, &ItemData::byte_249),
      field("unused_250", 250, &ItemData::unused_250),
      field("bytes_251", 251, &ItemData::bytes_251),
      field("unused_253", 253, &ItemData::unused_253),
      field("INFO", 255, &ItemData::INFO),
      field("HELP", 319, &ItemData::HELP),
      field("unused_575", 575, &ItemData::unused_575),
  };
};
