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
  tag_atb_delay = 1001,
  tag_byte_222 = 1010,
  tag_word_98 = 1020,
  tag_ai_actions = 1030,
  tag_ai_uses = 1040,
  tag_treasure_code = 1050,
  tag_drop_and_steal = 1100,  // drop chance, drop item, byte 199, steal item
  tag_words_200_204_176 = 1101,
  tag_bytes_251 = 1200,           // equipment byte B and byte 252
  tag_byte_249_a = 1300,
  tag_bytes_223 = 1500,           // all five
  tag_price = 2001,               // byte 245, then the price
  tag_action_flags = 2002,        // action flags, target side, element
  tag_stats = 2003,               // attack, defence, speed, magic attack, magic defence
  tag_costs = 2004,               // HP, MP and SP costs, rage cost
  tag_target_mode = 2005,         // target mode, turns, byte 240, user class
  tag_power = 2006,
  tag_status_low = 2007,
  tag_status_low_upper = 2008,
  tag_hp_sp_amounts = 2009,       // HP and SP amounts, attack, defence, hit
  tag_mp_amounts = 2010,          // MP amount, magic attack and defence, magic hit, speed
  tag_yin_yang = 2011,
  tag_rage_add = 2012,
  tag_talisman = 2013,
  tag_byte_242 = 2015,            // equipment byte A
  tag_status_high = 2019,         // status high and its value
  tag_word_202 = 2020,
  tag_max_hp = 2021,              // max HP, MP, bytes 236 and 237
  tag_monster_speed = 2022,       // defence, hit, rage add, combat speed
  tag_byte_244 = 2050,
  tag_byte_249_b = 2051,
  tag_words_204 = 2100,           // all four
  tag_yin_yang_and_words_216 = 2101, // yin, yang, words 216-220
  tag_bytes_223_to_226 = 2103,
  tag_byte_232 = 2200,
  tag_atk_script = 2500,
  tag_name = 9906,
  tag_level = 9907,
  tag_growth = 9908,
  tag_kind = 9909,
  tag_help = 9910,
  tag_info = 9911,
  tag_word_94 = 9912,
};
