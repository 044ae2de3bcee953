#pragma once
// Texture numbers and texture index files. TexNo 0-32767 lie in six category folders by range,
// each described by its "ALL_TEX.IDX"; 32768-65535 are listed in "ALL_TEX1.IDX" of the texture
// folder. An index file holds a file-name prefix and one presence flag per number.
#include <cstddef>
#include <cstdint>
#include <string>

using TexNo = std::uint16_t;

constexpr std::size_t tex_index_file_size = 65600;
constexpr std::size_t tex_index_prefix_offset = 8;
constexpr std::size_t tex_index_prefix_size = 56;
constexpr std::size_t tex_index_flags_offset = 64;
constexpr std::uint32_t tex_extra_first = 32768;  // numbers from here come from "ALL_TEX1.IDX"
constexpr int tex_category_count = 6;

struct TexCategory {
  const char* folder;
  std::uint32_t first;  // first TexNo
  std::uint32_t end;    // exclusive
};
extern const TexCategory tex_categories[tex_category_count];

// The category whose range holds n, or -1 for numbers of 32768 and above.
int tex_category_of(std::uint32_t n);

// One index file's bytes (always tex_index_file_size, zero past what the file held).
struct TexIndex {
  std::uint8_t bytes[tex_index_file_size] = {};
  std::string prefix() const;        // up to 56 bytes, ended by a zero or the field's end
  bool present(std::uint32_t n) const;  // presence flag n (0-32767) nonzero
};

// Zeroes buffer and reads up to tex_index_file_size bytes of path into it; 0 when the file
// cannot be found (shown in a box), else 1.
int g3d_load_idx_tex(const char* path, TexIndex* buffer);

// The texture file of a number: folder + "\" + prefix + five-digit number + ".TEX".
std::string tex_file_name(const std::string& folder, const std::string& prefix, std::uint32_t number);
