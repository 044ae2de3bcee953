#pragma once
// ItemData: one object of the object database decoded into its fixed 576-byte record. Item
// lists, battle units, shops and saves carry it by value; its stored image is the original
// 32-bit layout, written and read field by field (item_data_to_image, item_data_from_image).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

constexpr std::size_t item_data_image_size = 576;

struct ItemData {
  char NAME[32];                     // 0: Big5, NUL-terminated
  float level_multiplier;            // 32: monsters
  std::int32_t price;                // 36
  std::int32_t value_a;              // 40
  std::int32_t value_b;              // 44: monsters: maximum HP
  std::int32_t value_c;              // 48: monsters: current HP
  std::uint16_t value_d;             // 52: monsters: copy of MP
  std::uint16_t value_e;             // 54: monsters: MP
  std::uint16_t value_f;             // 56: monsters: copy of SP
  std::uint16_t value_g;             // 58: monsters: SP
  std::uint16_t attack_bonus;        // 60
  std::uint16_t defence_bonus;       // 62
  std::uint16_t word_64;             // 64
  std::uint16_t word_66;             // 66
  std::uint16_t speed_bonus;         // 68
  std::uint16_t magic_attack_bonus;  // 70
  std::uint16_t magic_defence_bonus; // 72
  std::uint16_t word_74;             // 74
  std::uint16_t hp_amount;           // 76
  std::uint16_t mp_amount;           // 78
  std::uint16_t sp_amount;           // 80
  std::uint16_t words_82[3];         // 82-86
  std::int16_t word_88;              // 88
  std::uint8_t unused_90[2];         // 90
  std::uint16_t number;              // 92: object number, bit 15 clear
  std::uint16_t word_94;             // 94
  std::uint16_t word_96;             // 96
  std::uint16_t word_98;             // 98
  std::uint16_t word_100;            // 100
  std::uint8_t unused_102[2];        // 102
  float growth[8];                   // 104
  std::uint16_t combat[16];          // 136: eight base values, attack, defence, Ave, speed, ...
  std::uint8_t unused_168[4];        // 168
  std::uint16_t kind;                // 172
  std::uint16_t level;               // 174
  std::uint16_t word_176;            // 176
  std::uint16_t action_slots[5];     // 178
  std::uint8_t action_counts[5];     // 188
  std::uint8_t unused_193;           // 193
  std::uint16_t left_object;         // 194
  std::uint16_t stealable_object;    // 196
  std::uint8_t leave_chance;         // 198
  std::uint8_t byte_199;             // 199
  std::uint16_t word_200;            // 200
  std::uint16_t word_202;            // 202
  std::uint16_t words_204[4];        // 204-210
  std::uint16_t words_212[5];        // 212-220
  std::uint8_t byte_222;             // 222
  std::uint8_t bytes_223[5];         // 223-227
  std::uint8_t byte_228;             // 228
  std::uint8_t unused_229;           // 229
  std::uint16_t word_230;            // 230
  std::uint8_t byte_232;             // 232
  std::uint8_t byte_233;             // 233
  std::uint8_t bytes_234[2];         // 234
  std::uint8_t bytes_236[2];         // 236
  std::uint8_t bytes_238[4];         // 238-241: 241 is the user class
  std::uint8_t byte_242;             // 242: equipment byte A
  std::uint8_t list_flags;           // 243
  std::uint8_t byte_244;             // 244
  std::uint8_t byte_245;             // 245
  std::uint8_t bytes_246[2];         // 246
  std::uint8_t flag_bits;            // 248
  std::uint8_t byte_249;             // 249
  std::uint8_t unused_250;           // 250
  std::uint8_t bytes_251[2];         // 251: 251 is equipment byte B
  std::uint8_t unused_253[2];        // 253
  char INFO[64];                     // 255
  char HELP[256];                    // 319
  std::uint8_t unused_575;           // 575

  std::uint8_t user_class() const { return bytes_238[3]; }
};

// Combat value indices (offset 136 + 2 * index).
enum CombatIndex { combat_attack = 8, combat_defence, combat_ave, combat_speed, combat_magic_attack,
                   combat_magic_defence, combat_value_14, combat_value_15 };

void item_data_to_image(const ItemData& item, std::span<std::uint8_t, item_data_image_size> out);
void item_data_from_image(std::span<const std::uint8_t, item_data_image_size> in, ItemData& item);

// The stored layout: every field with its offset in the image.
template <class Item, class Visit>
void visit_item_data(Item& d, Visit&& v) {
  v(0, d.NAME);
  v(32, d.level_multiplier);
  v(36, d.price);
  v(40, d.value_a);
  v(44, d.value_b);
  v(48, d.value_c);
  v(52, d.value_d);
  v(54, d.value_e);
  v(56, d.value_f);
  v(58, d.value_g);
  v(60, d.attack_bonus);
  v(62, d.defence_bonus);
  v(64, d.word_64);
  v(66, d.word_66);
  v(68, d.speed_bonus);
  v(70, d.magic_attack_bonus);
  v(72, d.magic_defence_bonus);
  v(74, d.word_74);
  v(76, d.hp_amount);
  v(78, d.mp_amount);
  v(80, d.sp_amount);
  v(82, d.words_82);
  v(88, d.word_88);
  v(90, d.unused_90);
  v(92, d.number);
  v(94, d.word_94);
  v(96, d.word_96);
  v(98, d.word_98);
  v(100, d.word_100);
  v(102, d.unused_102);
  v(104, d.growth);
  v(136, d.combat);
  v(168, d.unused_168);
  v(172, d.kind);
  v(174, d.level);
  v(176, d.word_176);
  v(178, d.action_slots);
  v(188, d.action_counts);
  v(193, d.unused_193);
  v(194, d.left_object);
  v(196, d.stealable_object);
  v(198, d.leave_chance);
  v(199, d.byte_199);
  v(200, d.word_200);
  v(202, d.word_202);
  v(204, d.words_204);
  v(212, d.words_212);
  v(222, d.byte_222);
  v(223, d.bytes_223);
  v(228, d.byte_228);
  v(229, d.unused_229);
  v(230, d.word_230);
  v(232, d.byte_232);
  v(233, d.byte_233);
  v(234, d.bytes_234);
  v(236, d.bytes_236);
  v(238, d.bytes_238);
  v(242, d.byte_242);
  v(243, d.list_flags);
  v(244, d.byte_244);
  v(245, d.byte_245);
  v(246, d.bytes_246);
  v(248, d.flag_bits);
  v(249, d.byte_249);
  v(250, d.unused_250);
  v(251, d.bytes_251);
  v(253, d.unused_253);
  v(255, d.INFO);
  v(319, d.HELP);
  v(575, d.unused_575);
}
