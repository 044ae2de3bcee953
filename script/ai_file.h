#pragma once
// AI.gll: the field and battle AI scripts, one pool read at start-up. The body starts with a
// table of 32-bit offsets (entry n - 1 = the start of AI script n); the table ends where the
// earliest script begins.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/data_file.h"
#include "script/script_cursor.h"

extern DataPool gmAIPool;

// Loads AI.gll once; a second call while the pool is loaded keeps it (roles and units hold
// offsets into it).
void open_AI_data();
void close_AI_data();
// open_AI_data on a file image already read (tests and fuzzing); false when nothing loaded.
bool install_AI_data(std::span<const std::uint8_t> file);
// Entries of the offset table: the smallest non-zero offset / 4, bounded by the pool.
std::size_t ai_table_length();
// The start offset of AI script n; 0 (no script) for 0, a number past the table, an empty pool,
// or an offset where no opcode can start.
std::uint32_t ai_script_start(std::uint16_t n);
// A cursor over the pool at pos.
ScriptCursor ai_cursor(std::size_t pos);
