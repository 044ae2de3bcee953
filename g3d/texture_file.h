#pragma once
// A texture file (.TEX): one LZO packed block whose data is a 16-bit run-length picture with
// RGB555 pixels.
#include <cstddef>
#include <cstdint>

// No texture of the game comes near these; larger stated sizes are damage.
constexpr std::uint32_t tex_max_unpacked_bytes = 64u << 20;
constexpr std::size_t tex_max_file_bytes = std::size_t(tex_max_unpacked_bytes) + 1024 * 1024;

enum class TexLoad { Ok, Missing, Damaged, NoMemory };

// The checked picture of a texture file's bytes: a heap block (MemMgr) still in RGB555, its
// size in *size; null with the reason in *status.
std::uint8_t* parse_tex_file(const std::uint8_t* bytes, std::size_t size, std::uint32_t* picture_size,
                             TexLoad* status);

// Reads and unpacks a texture file. A missing file gives null without a message, the heap
// failing gives null after a box, damaged data gives null (status Damaged) for the caller to
// report.
std::uint8_t* g3d_tex_load(const char* path, std::uint32_t* size, TexLoad* status = nullptr);
