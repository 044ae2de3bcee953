// Model index files, PLY files and pack files.
#include "g3d/ply_file.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "core/byte_reader.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "g3d/lzo_block.h"
#include "g3d/texture_file_cache.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {


void show_error(const std::string& text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

std::string field_text(const std::uint8_t* bytes, std::size_t offset, std::size_t width) {
  const char* p = reinterpret_cast<const char*>(bytes + offset);
  return std::string(p, strnlen(p, width));
}

bool is_absolute(const char* name) {
  return (name[0] && name[1] == ':') || name[0] == '/' || name[0] == '\\';
}

// Zeroes the buffer and reads up to size bytes of the file; false when it cannot be opened.
bool read_index_file(const char* name, std::uint8_t* bytes, std::size_t size) {
  std::memset(bytes, 0, size);
  platform::File file;
  if (!file.open(g3d_join_model_path(g3d_model_path(), name), platform::File::Mode::Read)) return false;
  std::size_t done = 0;
  while (done < size) {
    long long got = file.read(bytes + done, size - done);
    if (got <= 0) break;
    done += std::size_t(got);
  }
  return true;
}

// Paths already reported as damaged: a model asked for every frame is reported once.
std::set<std::string>& reported_damage() {
  static std::set<std::string> reported;
  return reported;
}

}  // namespace

std::string PlyIndex::header() const { return field_text(bytes, 0, ply_index_header_size); }
std::string PlyIndex::extension() const {
  return field_text(bytes, ply_index_extension_offset, ply_index_extension_size);
}
std::string PlyIndex::prefix() const { return field_text(bytes, ply_index_prefix_offset, ply_index_prefix_size); }

std::uint32_t PlyIndex::file_number(int entry) const {
  if (entry < 1 || entry > ply_entry_count) return 0;
  return ByteReader(bytes, sizeof bytes).u32_at(ply_index_numbers_offset + 4 * std::size_t(entry - 1));
}

std::string PlyPackIndex::pack_name() const { return field_text(bytes, 0, ply_pack_name_size); }

bool PlyPackIndex::entry(int entry, std::uint32_t* offset, std::uint32_t* size) const {
  if (entry < 1 || entry > ply_pack_entry_count) return false;
  std::size_t i = std::size_t(entry - 1);
  *offset = ByteReader(bytes, sizeof bytes).u32_at(ply_pack_name_size + 4 * i);
  *size = ByteReader(bytes, sizeof bytes).u32_at(ply_pack_name_size + 4 * ply_pack_entry_count + 4 * i);
  return true;
}

std::string g3d_join_model_path(const std::string& folder, const char* name) {
  if (is_absolute(name)) return name;
  std::string path = folder;
  append_path(path, name);
  return path;
}

int g3d_load_idx_ply(PlyIndex* buffer, const char* name) {
  if (!buffer) {
    show_error("lpPlyIDX \xa8\x53\xa6\xb3\xb0\x74\xa8\xee\xb0\x4f\xbe\xd0\xc5\xe9");  // "lpPlyIDX 沒有配制記憶體"
    return 0;
  }
  if (name && read_index_file(name, buffer->bytes, sizeof buffer->bytes)) return 1;
  // "g3d_load_idx_ply(..)錯誤  找不到檔案"
  show_error("g3d_load_idx_ply(..)\xbf\xf9\xbb\x7e  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7");
  return 0;
}

int g3d_load_pack_idx(PlyPackIndex* buffer, const char* name) {
  if (buffer && name && read_index_file(name, buffer->bytes, sizeof buffer->bytes)) return 1;
  // "g3d_load_pack_idx(..)錯誤  找不到檔案"
  show_error("g3d_load_pack_idx(..)\xbf\xf9\xbb\x7e  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7");
  return 0;
}

std::string ply_file_name(const PlyIndex& index, int entry) {
  return make_numbered_name(index.prefix(), ".PLY", entry, 5);
}

int g3d_idx_ply_load(G3dPoly* out, const char* directory, const PlyIndex* index, int entry) {
  if (entry == 0 || !index) return 0;
  std::string path = directory ? directory : g3d_model_path();
  append_path(path, ply_file_name(*index, entry));
  return g3d_ply_load(out, path.c_str());
}

int g3d_ply_load_block(G3dPoly* out, const std::uint8_t* bytes, std::size_t size, const char* name) {
  std::uint32_t unpacked = 0;
  LzoUnpack status = LzoUnpack::BadBlock;
  LzoBlockHeader header;
  std::uint8_t* block = nullptr;
  if (read_lzo_block_header(bytes, size, &header) && lzo_sizes_plausible(header.unpacked_size, header.packed_size))
    block = unpack_lzo_block(bytes, size, ply_max_unpacked_bytes, &unpacked, &status);
  if (status == LzoUnpack::NoMemory) {
    // "g3d_ply_load(..)錯誤  無法配制記憶體"
    show_error("g3d_ply_load(..)\xbf\xf9\xbb\x7e  \xb5\x4c\xaa\x6b\xb0\x74\xa8\xee\xb0\x4f\xbe\xd0\xc5\xe9");
    return 0;
  }
  int ok = block && g3d_chang_LinerBuf_DrawModel(block, unpacked, out);
  MemMgr_Free(block);
  if (ok) {
    out->bytes = unpacked;
    return 1;
  }
  if (reported_damage().insert(name).second)
    // "g3d_ply_load(%s)錯誤  模型檔案損壞"
    report_error("g3d_ply_load(%s)\xbf\xf9\xbb\x7e  \xbc\xd2\xab\xac\xc0\xc9\xae\xd7\xb7\x6c\xc3\x61", name);
  return 0;
}

int g3d_ply_load(G3dPoly* out, const char* path) {
  std::vector<std::uint8_t> file;
  if (!path || !platform::file_exists(path)) {
    char text[300];
    // "找不到所選擇之模型檔案[%s]"
    std::snprintf(text, sizeof text, "\xa7\xe4\xa4\xa3\xa8\xec\xa9\xd2\xbf\xef\xbe\xdc\xa4\xa7\xbc\xd2\xab\xac\xc0\xc9\xae\xd7[%s]",
                  path ? path : "");
    show_error(text);
    return 0;
  }
  platform::read_whole_file(path, file, std::size_t(ply_max_unpacked_bytes));
  return g3d_ply_load_block(out, file.data(), file.size(), path);
}

bool read_pack_entry(const char* directory, const PlyPackIndex& index, int entry, const char* missing_text,
                     std::vector<std::uint8_t>* out) {
  std::uint32_t offset = 0, size = 0;
  if (!index.entry(entry, &offset, &size)) return false;
  std::string path = directory ? directory : "\\";
  append_path(path, index.pack_name());
  platform::File file;
  if (!file.open(path, platform::File::Mode::Read)) {
    show_error(missing_text);
    return false;
  }
  if (std::uint64_t(offset) + size > std::uint64_t(file.size()) || file.seek(offset, 0) != offset) return false;
  out->resize(size);
  return file.read(out->data(), size) == (long long)size;
}

int g3d_pack_ply_load(G3dPoly* out, const char* directory, const PlyPackIndex* index, int entry) {
  std::vector<std::uint8_t> bytes;
  if (!index || !read_pack_entry(directory, *index, entry,
                                 // "找不到所選擇之模型檔案[%s]"
                                 "\xa7\xe4\xa4\xa3\xa8\xec\xa9\xd2\xbf\xef\xbe\xdc\xa4\xa7\xbc\xd2\xab\xac\xc0\xc9\xae\xd7",
                                 &bytes))
    return 0;
  return g3d_ply_load_block(out, bytes.data(), bytes.size(), index->pack_name().c_str());
}
