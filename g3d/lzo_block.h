#pragma once
// LZO packed blocks: one storage form for every packed file of the game (textures, models,
// worlds, sprite frames, save files, the fame records). A block is a u32 unpacked size, a u32
// packed size, then the LZO1X data.
#include <cstddef>
#include <cstdint>

constexpr std::uint32_t lzo_block_header_size = 8;

// Packs size bytes with LZO1X-1. The result is a heap block (MemMgr) holding only the packed
// data, its length in *packed_size; the caller frees it with MemMgr_Free. Null on failure
// (shown in a box).
std::uint8_t* g3d_compress_lzo(const void* source, std::uint32_t size, int* packed_size);

// Unpacks packed_size bytes into destination, whose capacity is *unpacked_size; the library's
// result code (0 on success) and the bytes written in *unpacked_size. Never writes past the
// capacity nor reads past the packed bytes.
int g3d_decompress_lzo(const void* packed, std::uint32_t packed_size, void* destination,
                       std::uint32_t* unpacked_size);

struct LzoBlockHeader {
  std::uint32_t unpacked_size = 0;
  std::uint32_t packed_size = 0;
};

// The two sizes of the block in bytes[0, size); false when the header is cut short or the
// packed data it announces does not lie inside the bytes.
bool read_lzo_block_header(const std::uint8_t* bytes, std::size_t size, LzoBlockHeader* header);

enum class LzoUnpack { Ok, BadBlock, NoMemory };

// Unpacks a whole block read into memory. The result is a zero-filled heap block (MemMgr) of
// exactly the stated unpacked size, in *unpacked_size. Null when the header is bad, the
// stated size is 0 or above max_unpacked, or the data does not unpack to exactly the stated
// size (BadBlock), or when the heap cannot supply the buffer (NoMemory). Reports nothing: the
// callers have their own messages.
std::uint8_t* unpack_lzo_block(const std::uint8_t* bytes, std::size_t size, std::uint32_t max_unpacked,
                               std::uint32_t* unpacked_size, LzoUnpack* status = nullptr);

// Writing a block, as the save file and the fame records do: the two sizes, then the data
// packed by g3d_compress_lzo. A heap block (MemMgr) of *block_size bytes, or null.
std::uint8_t* pack_lzo_block(const void* source, std::uint32_t size, std::uint32_t* block_size);
