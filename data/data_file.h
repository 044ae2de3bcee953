#pragma once
// The common form of the game's data files: a header the loader skips, then one body read into a
// pool that lookups walk in place (offset tables, 16-bit keys, end marks, "%Q"-ended Big5 texts).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/byte_reader.h"

// A loaded body: bytes from mem_calloc, null while the file is not loaded.
struct DataPool {
  std::uint8_t* bytes = nullptr;
  std::size_t size = 0;

  explicit operator bool() const { return bytes != nullptr; }
  ByteReader reader() const { return ByteReader(bytes, size); }
};

// A text inside a pool: from its first byte to the end of the pool, so that a reader can bound
// its walk to the "%Q" mark. Empty when there is no text.
using PoolText = std::span<const std::uint8_t>;

constexpr std::size_t data_file_header_length = 16;
constexpr std::uint16_t end_mark = 0xFFFF;         // ends the rows of the map database tables
constexpr std::uint16_t text_end_word = 0x5125;    // "%Q" read as a 16-bit word

// Reads game_dir\file_name whole; false when it cannot be read.
bool read_game_data_file(std::string_view file_name, std::vector<std::uint8_t>& out);

// Puts the body of a file image (the bytes after header_length) into a new pool. A file that is
// not longer than its header loads nothing and reports open_message; a failed allocation
// reports alloc_message. The pool is left null on failure.
bool make_data_pool(std::span<const std::uint8_t> file, std::size_t header_length, DataPool& pool,
                    const char* open_message, const char* alloc_message);
// Frees the pool when set and clears it.
void free_data_pool(DataPool& pool);

// Copies a "%Q"-ended text into dst (dst_size bytes, NUL included) and returns the number of
// source bytes consumed, the mark included. A source that reaches a 0xFFFF word, or the end of
// its bytes, before the mark returns 0 (no text), dst keeping the bytes before that point. A
// text longer than dst_size - 1 is cut on a Big5 character boundary; the whole text is still
// consumed.
int read_Item_str(std::span<const std::uint8_t> src, char* dst, std::size_t dst_size);

// Length of the text before its "%Q" mark, scanning at most src.size() bytes; -1 when the mark
// is missing. Unlike read_Item_str, a 0xFFFF word does not end the scan.
long find_text_end(std::span<const std::uint8_t> src);

// The longest prefix of the n bytes at s that fits in cap bytes without splitting a Big5
// character (a lead byte 0x81-0xFE and its trail byte).
std::size_t big5_fit(const std::uint8_t* s, std::size_t n, std::size_t cap);

// Copies the first n bytes of src into dst (dst_size bytes), cut to fit on a Big5 boundary, and
// ends it with NUL.
void copy_text_cut(const std::uint8_t* src, std::size_t n, char* dst, std::size_t dst_size);

// Writes a 16-bit word into a pool (the map database's editable rows); nothing outside it.
inline void pool_put_u16(DataPool& pool, std::size_t pos, std::uint16_t v) {
  if (pool.bytes && pos <= pool.size && pool.size - pos >= 2) {
    pool.bytes[pos] = static_cast<std::uint8_t>(v);
    pool.bytes[pos + 1] = static_cast<std::uint8_t>(v >> 8);
  }
}
