#pragma once
// The one bounded reader of script bytecode (talk and AI scripts). A cursor walks a loaded
// script body between the end of its offset table and the body's end: every operand read, text,
// list, table and jump is checked against those bounds, and the first failed one fails the
// cursor for good, so an interpreter tests `ok` after each opcode and stops the script there.
//
// Scripts are read in place and unaligned. A few opcodes mark their progress in the loaded body
// itself, so the cursor may also write a word back.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/byte_reader.h"

class ScriptCursor {
 public:
  ScriptCursor() = default;
  // body: the loaded script body; table_end: first byte after its offset table; pos: the cursor.
  ScriptCursor(std::uint8_t* body, std::size_t size, std::size_t table_end, std::size_t pos);

  std::size_t pos() const { return pos_; }
  bool ok() const { return ok_; }
  std::size_t size() const { return reader_.size(); }
  std::size_t table_end() const { return table_end_; }
  // True when an opcode word can start at pos: inside [table end, size - 2].
  bool can_start(std::size_t pos) const;

  std::uint16_t u16();
  std::int16_t s16() { return static_cast<std::int16_t>(u16()); }
  std::int32_t i32();
  // The word at pos without moving (0 and a failure when outside).
  std::uint16_t u16_at(std::size_t pos);
  std::int32_t i32_at(std::size_t pos);
  void skip(std::size_t n);
  // A Big5 text ended by "%Q": the bytes from the cursor up to and including the mark; the
  // cursor moves past it. A missing mark fails.
  std::span<const std::uint8_t> text();
  // A list of words ended by 0xFFFF: the number of words before the mark; the cursor moves
  // past the mark. A missing mark fails.
  std::size_t word_list();
  // A table of 32-bit entries ended by -1, from the cursor: the number of entries before the
  // -1, the cursor not moved. A missing end fails.
  std::size_t table_count();
  // Moves to origin + displacement (64-bit arithmetic); fails unless an opcode can start there.
  bool jump(std::size_t origin, std::int64_t displacement);
  // Moves to pos, which must be a place an opcode can start.
  bool seek(std::size_t pos) { return jump(pos, 0); }
  // Writes a word back into the loaded body at pos (a running mark); nothing outside.
  void put_u16(std::size_t pos, std::uint16_t value);
  void fail() { ok_ = false; }

 private:
  bool take(std::size_t n);

  std::uint8_t* body_ = nullptr;
  ByteReader reader_;
  std::size_t table_end_ = 0;
  std::size_t pos_ = 0;
  bool ok_ = false;
};

// The scripts of a pool that starts with its offset table and stores no count (ATK.gll and
// FigTalk.GLL): the table ends where the first script begins, so the count is the least offset
// / 4 (0 without a whole first entry).
std::uint16_t script_table_count(const ByteReader& pool);
