#pragma once
// The object database ObjData.GLL: every item, weapon, armour, art, monster and party character
// is a record of tagged fields; read_Item decodes one into an ItemData, read_monster also derives
// a monster's combat values from its level.
#include <cstdint>
#include <span>

#include "data/data_file.h"
#include "data/item_data.h"

extern DataPool gmItemPool;
extern int gmItemCount;  // objects 1..gmItemCount are valid numbers

// Start-up's first call: game_dir = the current directory, and ObjData.GLL is opened and kept
// open for open_item_data.
void SFINIT0_open_item_data();
// Reads the kept file into gmItemPool and counts the objects. A missing file leaves the pool
// empty (every read_Item then answers 0) and is reported.
void open_item_data();
void close_item_data();
// Loads a file image already in memory (the fuzz target uses it).
bool install_item_data(std::span<const std::uint8_t> file);

// Decodes object `number` (bit 15 ignored) into *out: 1 when the record was read to its end tag,
// 0 for an unknown number (out untouched, no message), an empty record or a bad tag (reported).
int read_Item(std::uint16_t number, ItemData* out);
// Reads a monster and derives its level multiplier, HP, MP, SP and combat values; returns out.
ItemData* read_monster(std::uint16_t number, ItemData* out);

// The tag that ends an object record (and a level table).
constexpr std::uint16_t record_end_tag = 9905;

// The tags of an object record, named for the fields they fill (offsets in ItemData where the
// field has no other name).
enum ObjectTag : std::uint16_t {
  tag_value_a = 1001,
  tag_byte_222 = 1010,
  tag_word_98 = 1020,
  tag_action_slots = 1030,
  tag_action_counts = 1040,
  tag_word_66 = 1050,
  tag_left_and_stealable = 1100,  // leave chance, left object, byte 199, stealable object
  tag_words_200_204_176 = 1101,
  tag_bytes_251 = 1200,           // equipment byte B and byte 252
  tag_byte_249_a = 1300,
  tag_bytes_223 = 1500,           // all five
  tag_price = 2001,               // byte 245, then the price
  tag_list_flags = 2002,          // list flags, bytes 246 and 247
  tag_bonuses = 2003,             // attack, defence, speed, magic attack, magic defence
  tag_words_82 = 2004,            // words 82-86 and word 88
  tag_bytes_238 = 2005,           // bytes 238-240 and the user class
  tag_word_100 = 2006,
  tag_flag_bits_low = 2007,
  tag_flag_bits_high = 2008,
  tag_hp_sp_amounts = 2009,       // HP and SP amounts, attack and defence bonuses, word 64
  tag_mp_amounts = 2010,          // MP amount, magic bonuses, word 74, speed bonus
  tag_words_212_214 = 2011,
  tag_byte_233 = 2012,
  tag_bytes_234 = 2013,
  tag_byte_242 = 2015,            // equipment byte A
  tag_byte_228 = 2019,            // byte 228 and word 230
  tag_word_202 = 2020,
  tag_value_b = 2021,             // value B, value E, bytes 236 and 237
  tag_monster_speed = 2022,       // defence bonus, word 64, byte 233, combat speed
  tag_byte_244 = 2050,
  tag_byte_249_b = 2051,
  tag_words_204 = 2100,           // all four
  tag_words_212 = 2101,           // all five
  tag_bytes_223_to_226 = 2103,
  tag_byte_232 = 2200,
  tag_word_96 = 2500,
  tag_name = 9906,
  tag_level = 9907,
  tag_growth = 9908,
  tag_kind = 9909,
  tag_help = 9910,
  tag_info = 9911,
  tag_word_94 = 9912,
};
