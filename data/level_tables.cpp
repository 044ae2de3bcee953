#include "data/level_tables.h"

#include <vector>

#include "core/log.h"
#include "data/equip_bonus.h"
#include "data/object_db.h"
#include "data/party_stats.h"
#include "data/role_data.h"

DataPool gmExpPool;

namespace {
int exp_handle = 0;  // non-zero once loaded, until the closer
long table_start[level_table_count] = {-1, -1, -1, -1};

// open_exp_data(..)錯誤  無法開啟 EXP.DAT
constexpr const char* exp_open_message = "open_exp_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 EXP.DAT";
// open_exp_data(...) 無法配制 gmExpPool 記憶體
constexpr const char* exp_alloc_message =
    "open_exp_data(...) \xB5L\xAAk\xB0t\xA8\xEE gmExpPool \xB0O\xBE\xD0\xC5\xE9";

// Pool position of the table's row for the level; -1 when none.
long find_level_row(int table, std::uint16_t level) {
  if (table < 0 || table >= level_table_count || table_start[table] < 0) return -1;
  ByteReader r = gmExpPool.reader();
  for (std::size_t p = static_cast<std::size_t>(table_start[table]);
       r.has(p, 2) && r.u16_at(p) != record_end_tag && r.has(p, level_row_size); p += level_row_size)
    if (r.u16_at(p) == level) return static_cast<long>(p);
  return -1;
}
}  // namespace

bool install_exp_data(std::span<const std::uint8_t> file) {
  close_exp_data();
  if (!make_data_pool(file, data_file_header_length, gmExpPool, exp_open_message, exp_alloc_message)) return false;
  ByteReader r = gmExpPool.reader();
  for (int t = 0; t < level_table_count; ++t) {
    std::int32_t off = r.has(4 * std::size_t(t), 4) ? r.i32_at(4 * std::size_t(t)) : -1;
    table_start[t] = off >= 0 && static_cast<std::size_t>(off) < r.size() ? off : -1;
  }
  exp_handle = 1;
  return true;
}

void open_exp_data() {
  if (exp_handle) return;
  std::vector<std::uint8_t> file;
  if (!read_game_data_file("LEVEL.gll", file)) {
    report_error("%s", exp_open_message);
    return;
  }
  install_exp_data(file);
}

void close_exp_data() {
  free_data_pool(gmExpPool);
  for (long& start : table_start) start = -1;
  exp_handle = 0;
}

std::uint32_t get_level_exp(int table, std::uint16_t level) {
  long row = find_level_row(table, level);
  return row < 0 ? 0 : gmExpPool.reader().u32_at(static_cast<std::size_t>(row) + 20);
}

int apply_level_up(int table, std::uint16_t level, RoleData* role, std::uint16_t* art_out) {
  long row = find_level_row(table, level);
  if (row < 0) return 1;
  ByteReader r = gmExpPool.reader();
  std::size_t p = static_cast<std::size_t>(row);
  std::uint16_t increments[8];
  for (int i = 0; i < 8; ++i) increments[i] = r.u16_at(p + 2 + 2 * std::size_t(i));
  calc_level_stats(role, increments);
  // The equipment bytes are sums over the equipment, which is added again below; without this
  // every level-up would count them once more.
  role->equip_byte_a = 0;
  role->equip_byte_b = 0;
  add_equip_bonus(role, -1);
  *art_out = r.u16_at(p + 18);
  role->next_exp = static_cast<std::int32_t>(r.u32_at(p + 20));
  return 1;
}
