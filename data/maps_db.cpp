// maps.dat: loading, the table directory and the role-variable block.
#include "data/maps_db.h"

#include <vector>

#include "core/log.h"
#include "core/mem_mgr.h"
#include "field/world_map.h"

DataPool gmMapsPool;
std::uint8_t* gmRoleVar = nullptr;

namespace {
// open_maps_data(..)錯誤  無法開啟 MAPS.DAT
constexpr const char* maps_open_message = "open_maps_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 MAPS.DAT";
// open_maps_data(...) 無法配制 gmMapsPool 記憶體
constexpr const char* maps_alloc_message =
    "open_maps_data(...) \xB5L\xAAk\xB0t\xA8\xEE gmMapsPool \xB0O\xBE\xD0\xC5\xE9";
// open_maps_data(...) 無法配制gmRoleVar記憶體
constexpr const char* role_var_alloc_message =
    "open_maps_data(...) \xB5L\xAAk\xB0t\xA8\xEEgmRoleVar\xB0O\xBE\xD0\xC5\xE9";
// read_game_map(讀取大地圖移動點設定資料)失敗!!
constexpr const char* game_map_message =
    "read_game_map(\xC5\xAA\xA8\xFA\xA4j\xA6""a\xB9\xCF\xB2\xBE\xB0\xCA\xC2I\xB3]\xA9w\xB8\xEA\xAE\xC6)"
    "\xA5\xA2\xB1\xD1!!";
}  // namespace

std::size_t maps_header_length(std::span<const std::uint8_t> file) {
  return std::size_t(ByteReader(file).u16_at(8)) * 16;
}

bool install_maps_data(std::span<const std::uint8_t> file) {
  close_maps_data();
  // A file too short for its header word, or a header as long as the file, loads nothing.
  std::size_t header = file.size() >= 10 ? maps_header_length(file) : file.size();
  if (!make_data_pool(file, header, gmMapsPool, maps_open_message, maps_alloc_message)) return false;
  gmRoleVar = static_cast<std::uint8_t*>(mem_calloc(role_var_block_size));
  if (!gmRoleVar) report_error("%s", role_var_alloc_message);
  if (!read_game_map(maps_table(maps_world_places).bytes())) report_error("%s", game_map_message);
  return true;
}

void open_maps_data() {
  close_maps_data();
  std::vector<std::uint8_t> file;
  if (!read_game_data_file("maps.dat", file)) {
    report_error("%s", maps_open_message);
    return;
  }
  install_maps_data(file);
}

void close_maps_data() {
  free_data_pool(gmMapsPool);
  if (gmRoleVar) mem_free(gmRoleVar);
  gmRoleVar = nullptr;
}

long maps_table_start(int k) {
  if (!gmMapsPool || k < 1 || k > maps_table_count) return -1;
  ByteReader r = gmMapsPool.reader();
  if (!r.has(4 * std::size_t(k), 4)) return -1;
  std::int32_t off = r.i32_at(4 * std::size_t(k));
  if (off < 0 || static_cast<std::size_t>(off) >= r.size()) return -1;
  return off;
}

ByteReader maps_table(int k) {
  long start = maps_table_start(k);
  return start < 0 ? ByteReader() : gmMapsPool.reader().sub(static_cast<std::size_t>(start));
}
