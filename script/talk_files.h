#pragma once
// The six talk script files, each read whole into one slot of TalksCache. A talk number
// (1-8000) decides the file and the entry of that file's offset table (indexed by the global
// number - 1).
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/data_file.h"
#include "script/script_cursor.h"

struct TalksSlot {
  DataPool buf;
};
constexpr int talk_file_count = 6;
extern TalksSlot TalksCache[talk_file_count];

constexpr std::uint16_t last_talk_number = 8000;

void open_talk_data();
void open_talk1_data();  // Talks1-1.gll to Talks1-4.gll, slots 0-3
void open_talk2_data();  // Talks2.gll, slot 4
void open_talk3_data();  // Talks3.gll, slot 5
void close_talk_data();
// close_talk_data, open_talk_data, then the map database again; the queued talks restart.
void reload_story_data();
// Loads a file image already read into a slot (tests and fuzzing); false when nothing loaded.
bool install_talk_file(int slot, std::span<const std::uint8_t> file);

// The slot of a talk number; -1 for 0 and numbers above 8000.
int talk_slot(std::uint16_t n);
// The highest talk number of a slot.
std::uint16_t talk_slot_last(int slot);
// The end of a slot's offset table: 4 x the slot's last number.
std::size_t talk_table_end(int slot);
// The start offset of talk n; 0 when it cannot start (no file, no entry, an offset where no
// opcode can start).
std::uint32_t talk_script_start(std::uint16_t n);
// A cursor over a slot's body at pos (failed when the slot is empty or pos cannot start).
ScriptCursor talk_cursor(int slot, std::size_t pos);
