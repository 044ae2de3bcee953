// build.DAT.
#include "base/build_data.h"

#include <vector>

#include "core/byte_reader.h"
#include "core/log.h"

DataPool gmBudPool;
const std::uint8_t* build_sections[build_section_count] = {};

namespace {
constexpr char open_message[] = "open_build_data(..)\xBF\xF9\xBB\x7E  \xB5\x4C\xAA\x6B\xB6\x7D\xB1\xD2 build.DAT";  // open_build_data(..)錯誤  無法開啟 build.DAT
constexpr char alloc_message[] = "open_build_data(...) \xB5\x4C\xAA\x6B\xB0\x74\xA8\xEE gmBudPool \xB0\x4F\xBE\xD0\xC5\xE9";  // open_build_data(...) 無法配制 gmBudPool 記憶體
constexpr std::size_t header_units_at = 8, header_unit = 16;
constexpr std::size_t section_table_size = build_section_count * 4;
}  // namespace

int open_build_data_image(std::span<const std::uint8_t> file) {
  close_build_data();
  const ByteReader r(file);
  const std::size_t header = std::size_t(r.u16_at(header_units_at)) * header_unit;
  // A header that reaches the end, or a pool too short for its six offsets, is no build.DAT.
  if (!r.has(header_units_at, 2) || header >= file.size() || file.size() - header < section_table_size) {
    report_error("%s", open_message);
    return 0;
  }
  if (!make_data_pool(file, header, gmBudPool, open_message, alloc_message)) return 0;
  const ByteReader pool = gmBudPool.reader();
  for (int k = 0; k < build_section_count; ++k) {
    const std::uint32_t off = pool.u32_at(std::size_t(k) * 4);
    build_sections[k] = off < gmBudPool.size ? gmBudPool.bytes + off : nullptr;
  }
  return 1;
}

int open_build_data() {
  std::vector<std::uint8_t> file;
  if (!read_game_data_file("build.DAT", file)) {
    report_error("%s", open_message);
    return 0;
  }
  return open_build_data_image(file);
}

void close_build_data() {
  free_data_pool(gmBudPool);
  for (const std::uint8_t*& s : build_sections) s = nullptr;
}
