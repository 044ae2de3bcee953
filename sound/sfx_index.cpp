#include "sound/sfx_index.h"

#include <cstring>

#include "core/byte_reader.h"

namespace {

// The stored form of a type-0 entry starts at the 16-byte format block of the WAVE's fmt chunk.
constexpr std::size_t fmt_block_size = 16;
constexpr std::size_t riff_header_size = 20;  // "RIFF", size, "WAVE", "fmt ", 16

void put_riff_header(std::vector<std::uint8_t>& sound, std::size_t total) {
  std::memcpy(sound.data(), "RIFF", 4);
  put_u32le(sound.data() + 4, std::uint32_t(total - 8));
  std::memcpy(sound.data() + 8, "WAVEfmt ", 8);
  put_u32le(sound.data() + 16, fmt_block_size);
}

}  // namespace

void read_sfx_index(const std::uint8_t* index, std::size_t size, SfxEntry* table) {
  for (int k = 0; k < sfx_entry_count; ++k) {
    table[k] = SfxEntry{};
    ByteReader r(index, size);
    if (!r.seek(sfx_record_size * std::size_t(k)) || r.remaining() < sfx_record_size) continue;
    r.skip(20);
    std::uint32_t data_size = r.u32();
    std::uint32_t offset = r.u32();
    r.skip(4);
    std::uint32_t type = r.u32();
    table[k].offset = offset;
    table[k].size_type = (data_size & sfx_size_mask) | ((type & 3) << sfx_type_shift);
  }
}

bool build_sfx_sound(int type, const std::uint8_t* stored, std::size_t size, std::vector<std::uint8_t>& sound,
                     std::string& error) {
  sound.clear();
  if (type == 1) {
    if (size == 0) {
      error = "empty entry";
      return false;
    }
    sound.assign(stored, stored + size);
    return true;
  }
  if (type != 0) {
    // Types 2 and 3 would get the type-0 header written over their own bytes.
    error = "unknown storage type";
    return false;
  }
  // The smallest stored form: the format block, "data" and its length.
  if (size < fmt_block_size + 8) {
    error = "entry too short";
    return false;
  }
  // Stored as the WAVE had it: format block, "data", length, samples. Entries whose bytes do
  // not read so are taken as samples from byte 20 on, as the bank's first loader took them.
  std::uint32_t length = ByteReader(stored, size).u32_at(fmt_block_size + 4);
  bool natural =
      std::memcmp(stored + fmt_block_size, "data", 4) == 0 && length <= size - (fmt_block_size + 8);
  std::size_t samples_at = natural ? fmt_block_size + 8 : 20;
  std::size_t samples = natural ? length : size - 24;
  std::size_t total = riff_header_size + fmt_block_size + 8 + samples;
  sound.assign(total, 0);
  put_riff_header(sound, total);
  std::memcpy(sound.data() + riff_header_size, stored, fmt_block_size);
  std::memcpy(sound.data() + riff_header_size + fmt_block_size, "data", 4);
  put_u32le(sound.data() + riff_header_size + fmt_block_size + 4, std::uint32_t(samples));
  std::memcpy(sound.data() + riff_header_size + fmt_block_size + 8, stored + samples_at, samples);
  return true;
}
