#pragma once
// The effect bank file all.snd: its index of 3000 records and the making of a playable sound
// from an entry's stored bytes. Pure functions over bytes, so the fuzz target drives them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int sfx_entry_count = 3000;
constexpr std::size_t sfx_index_offset = 28;
constexpr std::size_t sfx_record_size = 44;
constexpr std::size_t sfx_index_size = sfx_record_size * sfx_entry_count;  // 132000
constexpr std::uint32_t sfx_size_mask = 0x3FFFFFF;                         // the low 26 bits
constexpr int sfx_type_shift = 26;

// One effect of the bank. The stored size and type share one word as the bank keeps them.
struct SfxEntry {
  std::uint32_t offset = 0;  // 0: no entry
  std::uint32_t size_type = 0;
  int refs = 0;                    // samples of this entry now playing
  std::vector<std::uint8_t> data;  // the loaded sound; empty when not loaded

  std::uint32_t size() const { return size_type & sfx_size_mask; }
  int type() const { return int(size_type >> sfx_type_shift); }
};

// Fills table (sfx_entry_count entries) from the index bytes that follow the header; records
// the bytes do not hold whole stay empty.
void read_sfx_index(const std::uint8_t* index, std::size_t size, SfxEntry* table);

// Makes the sound given to the library from an entry's stored bytes (as many as the file
// gave). Type 1 is a whole sound file. Type 0 is a PCM WAVE without its first 20 bytes: its
// RIFF header is put back. False with error set for entries that cannot be played.
bool build_sfx_sound(int type, const std::uint8_t* stored, std::size_t size, std::vector<std::uint8_t>& sound,
                     std::string& error);
