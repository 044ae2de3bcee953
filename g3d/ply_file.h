#pragma once
// Model index files and PLY files. A model index (one per model group) holds a header text, the
// file extension and file-name prefix of the group's worlds and models, and a file number per
// entry; a PLY file is one LZO packed block holding the model block. Pack storage keeps the
// packed blocks of a group in one pack file described by a pack index.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "g3d/ply_model.h"

constexpr std::size_t ply_index_file_size = 12128;
constexpr std::size_t ply_index_header_size = 40;
constexpr std::size_t ply_index_extension_offset = 40;
constexpr std::size_t ply_index_extension_size = 32;
constexpr std::size_t ply_index_prefix_offset = 72;
constexpr std::size_t ply_index_prefix_size = 56;
constexpr std::size_t ply_index_numbers_offset = 128;
constexpr int ply_entry_count = 3000;

constexpr std::size_t ply_pack_index_file_size = 40032;
constexpr std::size_t ply_pack_name_size = 32;
constexpr int ply_pack_entry_count = 5000;

// The largest unpacked model or world the loaders accept.
constexpr std::uint32_t ply_max_unpacked_bytes = 0x4000000;

// LZO1X gives at most about 255 bytes for each packed byte (a run's length grows by 255 with
// each further zero byte): a block that states more cannot unpack to it and is refused before
// its buffer is allocated.
inline bool lzo_sizes_plausible(std::uint64_t unpacked, std::uint64_t packed) {
  return unpacked <= 256 * packed + 1024;
}

// A model index file's bytes (zero past what the file held). The text fields are fixed-width
// and need not end with a zero: they are read up to a zero or the field's end.
struct PlyIndex {
  std::uint8_t bytes[ply_index_file_size] = {};
  std::string header() const;
  std::string extension() const;
  std::string prefix() const;
  // The file number of entry 1..3000 (element entry - 1); 0 for entries out of range.
  std::uint32_t file_number(int entry) const;
};

struct PlyPackIndex {
  std::uint8_t bytes[ply_pack_index_file_size] = {};
  std::string pack_name() const;
  // Offset and length of entry 1..5000 in the pack file; false for entries out of range.
  bool entry(int entry, std::uint32_t* offset, std::uint32_t* size) const;
};

// Zeroes buffer and reads up to 12128 bytes of the file. The name is used unchanged when it is
// absolute (second character ':', or a leading separator on this host), otherwise it is joined
// to the g3d model folder. 0 after a box for a missing file or a null buffer.
int g3d_load_idx_ply(PlyIndex* buffer, const char* name);
int g3d_load_pack_idx(PlyPackIndex* buffer, const char* name);

// The PLY file name of an entry: the group's prefix, the entry in five digits, ".PLY".
std::string ply_file_name(const PlyIndex& index, int entry);

// Loads entry of a group through its index: 0 for entry 0; otherwise the path is the directory
// (the g3d model folder when null) and the file name, loaded with g3d_ply_load.
int g3d_idx_ply_load(G3dPoly* out, const char* directory, const PlyIndex* index, int entry);
// Reads the PLY file, unpacks it and decodes the model; 1 on success. Missing files and
// allocation failures are shown in a box; a damaged file is reported once per path.
int g3d_ply_load(G3dPoly* out, const char* path);
// The same from a packed block already in memory (a pack entry); damaged blocks are reported
// under the name given.
int g3d_ply_load_block(G3dPoly* out, const std::uint8_t* bytes, std::size_t size, const char* name);
// Loads entry of a group from its pack file.
int g3d_pack_ply_load(G3dPoly* out, const char* directory, const PlyPackIndex* index, int entry);

// The bytes of a pack entry: the directory (a single "\\" when null) and the pack's name give
// the pack file. False when the entry is out of range or does not lie inside the file, or when
// the file is missing (shown in a box with missing_text).
bool read_pack_entry(const char* directory, const PlyPackIndex& index, int entry, const char* missing_text,
                     std::vector<std::uint8_t>* out);

// A model path: absolute names unchanged, others joined to the folder.
std::string g3d_join_model_path(const std::string& folder, const char* name);
