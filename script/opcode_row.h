#pragma once
// What every interpreter's opcode table is made of: one row per opcode (number, name, operand
// size, handler) and the result by which a handler tells the interpreter how the slice goes on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

enum class SliceResult {
  GoOn,       // the next opcode runs in the same slice
  EndSlice,   // the slice ends; the script resumes at the cursor next time
  Wait,       // the slice ends without advancing: the same opcode runs again next time
  EventGone,  // the handler reset, parked or dropped the script itself: nothing is written back
};

// How far an opcode reaches past its fixed bytes.
enum class OperandTail : std::uint8_t {
  none,       // size bytes in all
  text,       // size bytes, then a text ended by "%Q"
  word_list,  // size bytes, then words ended by 0xFFFF
  table,      // size bytes, then 32-bit entries ended by -1 (a jump: the size is not used)
  jump,       // a jump or a step of size bytes
};

template <class Run>
struct OpcodeRow {
  std::uint16_t number;
  const char* name;
  std::uint8_t size;  // bytes from the opcode word to the next opcode, the tail not counted
  OperandTail tail;
  SliceResult (*run)(Run& run);
};

// The row of an opcode in a table sorted by number; null when the table has none.
template <class Run>
const OpcodeRow<Run>* find_opcode(std::span<const OpcodeRow<Run>> table, std::uint16_t number) {
  auto it = std::lower_bound(table.begin(), table.end(), number,
                             [](const OpcodeRow<Run>& row, std::uint16_t n) { return row.number < n; });
  return it != table.end() && it->number == number ? &*it : nullptr;
}

// True when the table is sorted by number without repeats (checked by the tests).
template <class Run>
bool opcode_table_sorted(std::span<const OpcodeRow<Run>> table) {
  for (std::size_t i = 1; i < table.size(); ++i)
    if (table[i - 1].number >= table[i].number) return false;
  return true;
}

// At most this many opcodes run in one slice of one script; a script that goes on longer is
// taken for a runaway loop, reported and stopped.
constexpr int slice_opcode_cap = 10000;
