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
