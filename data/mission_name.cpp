#include "data/mission_name.h"

#include <vector>

#include "core/log.h"
#include "data/offset_table.h"

DataPool gmMission;
DataPool gmName;

namespace {
int mission_handle = 0;  // non-zero once loaded, until the closer
int name_handle = 0;
std::size_t mission_entries = 0;
std::size_t name_entries = 0;

// open_mission_data(..)錯誤  無法開啟 mission.gll
constexpr const char* mission_open_message =
    "open_mission_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 mission.gll";
// open_mission_data(...) 無法配制 gmMission 記憶體
constexpr const char* mission_alloc_message =
    "open_mission_data(...) \xB5L\xAAk\xB0t\xA8\xEE gmMission \xB0O\xBE\xD0\xC5\xE9";
// open_Name_data(..)錯誤  無法開啟 Name.gll
constexpr const char* name_open_message = "open_Name_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 Name.gll";
// open_Name_data(...) 無法配制 gmName 記憶體
constexpr const char* name_alloc_message =
    "open_Name_data(...) \xB5L\xAAk\xB0t\xA8\xEE gmName \xB0O\xBE\xD0\xC5\xE9";

bool install(std::span<const std::uint8_t> file, DataPool& pool, std::size_t& entries, int& handle,
             const char* open_message, const char* alloc_message) {
  free_data_pool(pool);
  entries = 0;
  handle = 0;
  if (!make_data_pool(file, data_file_header_length, pool, open_message, alloc_message)) return false;
  entries = count_offset_entries(pool);
  handle = 1;
  return true;
}

void open(const char* file_name, DataPool& pool, std::size_t& entries, int& handle,
          const char* open_message, const char* alloc_message) {
  if (handle) return;
  std::vector<std::uint8_t> file;
  if (!read_game_data_file(file_name, file)) {
    report_error("%s", open_message);
    return;
  }
  install(file, pool, entries, handle, open_message, alloc_message);
}
}  // namespace

bool install_mission_data(std::span<const std::uint8_t> file) {
  return install(file, gmMission, mission_entries, mission_handle, mission_open_message, mission_alloc_message);
}

bool install_Name_data(std::span<const std::uint8_t> file) {
  return install(file, gmName, name_entries, name_handle, name_open_message, name_alloc_message);
}

void open_mission_data() {
  open("Mission.gll", gmMission, mission_entries, mission_handle, mission_open_message, mission_alloc_message);
}

void close_mission_data() {
  free_data_pool(gmMission);
  mission_entries = 0;
  mission_handle = 0;
}

PoolText get_mission(std::uint16_t n) { return offset_table_text(gmMission, mission_entries, n, false); }

void open_Name_data() {
  open("Name.gll", gmName, name_entries, name_handle, name_open_message, name_alloc_message);
}

void close_Name_data() {
  free_data_pool(gmName);
  name_entries = 0;
  name_handle = 0;
}

PoolText get_Name(std::uint16_t n) { return offset_table_text(gmName, name_entries, n, true); }
