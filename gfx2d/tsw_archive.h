#pragma once
// TSW sprite archives: an index of 3000 picture offsets, and per picture a block with a magic,
// a format, an optional palette, a frame directory and the LZO1X-packed frames. This file
// reads them; memoryer.h caches what it reads.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx2d/tsw_pic.h"
#include "platform/files.h"

constexpr int tsw_archive_count = 6;
constexpr int tsw_entry_count = 3000;
constexpr std::uint32_t tsw_index_offset = 28;
constexpr std::uint32_t tsw_index_record_size = 44;
constexpr std::uint32_t tsw_index_offset_field = 24;  // the u32 picture offset in a record
constexpr std::size_t tsw_header_read_size = 12000;   // header and directory are read at once
constexpr std::uint16_t tsw_picture_magic = 0xABCD;
constexpr std::uint16_t tsw_format_paletted = 8;
constexpr std::uint32_t tsw_palette_bytes = 512;
constexpr std::uint32_t tsw_frame_entry_size = 36;
// No frame of the game comes near this; a larger stated size is damage, not a picture.
constexpr std::uint32_t tsw_max_frame_bytes = 64u << 20;

// The archive files in archive order (TswId / 3000).
extern const char* const tsw_archive_names[tsw_archive_count];

// Where an archive's bytes come from: an existing file, or bytes in memory (tests, fuzzing).
class TswSource {
 public:
  bool open_file(const std::string& game_path);  // never creates a file
  void use_memory(const std::uint8_t* bytes, std::size_t size);
  void close();
  bool is_open() const { return file_.is_open() || memory_ != nullptr; }
  std::uint64_t size() const { return size_; }
  // Up to len bytes at offset: the count read (short at the end), or -1 on an error.
  long long read_at(std::uint64_t offset, void* buffer, std::size_t len);

 private:
  platform::File file_;
  const std::uint8_t* memory_ = nullptr;
  std::uint64_t size_ = 0;
};

// The picture offsets of records 0-2999; records that a short file does not hold read as 0.
void read_tsw_index(TswSource& source, std::uint32_t offsets[tsw_entry_count]);

struct TswFrameEntry {
  std::uint32_t offset = 0;  // of the packed data, from the start of the picture block
  std::uint32_t packed_size = 0;
  std::uint32_t unpacked_size = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
};

// Buffers a reader keeps between reads: the header read, the packed data (grows, is reused)
// and the palette of the last paletted picture.
struct TswReadBuffers {
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> packed;
  std::array<std::uint16_t, 256> palette{};
  void release();
};

enum class TswRead { Ok, Missing, Damaged, NoMemory };

// Reads frame `frame` of the picture whose block starts at block_offset. On Ok the picture
// holds a checked run-length image (a MemMgr block, still in RGB555 or palette indices, with
// the palette pointer set for an 8-bit one), the directory's width and height and the size.
// Missing: no picture there, or a frame past the directory; Damaged: the data is not a sound
// picture; NoMemory: the heap could not supply the image.
TswRead read_tsw_frame(TswSource& source, std::uint32_t block_offset, int frame, TswReadBuffers& buffers,
                       TswPic* picture);
