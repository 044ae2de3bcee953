#include "data/role_vars.h"

#include "core/log.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/saturate.h"

namespace {
// %s(...) 錯誤  gmRoleVar 已滿
constexpr const char* full_message = "%s(...) \xBF\xF9\xBB~  gmRoleVar \xA4w\xBA\xA1";

std::size_t row_pos(int row) { return std::size_t(row) * role_var_row_size; }

std::uint16_t get_word(std::size_t pos) { return ByteReader(gmRoleVar, role_var_block_size).u16_at(pos); }

void put_word(std::size_t pos, std::uint16_t v) {
  gmRoleVar[pos] = static_cast<std::uint8_t>(v);
  gmRoleVar[pos + 1] = static_cast<std::uint8_t>(v >> 8);
}

// The role's row, or the first free row (*existing = false); -1 when the block is missing or
// full.
int find_row(std::uint16_t RoleID, bool* existing) {
  *existing = false;
  if (!gmRoleVar) return -1;
  for (int i = 0; i < role_var_row_count; ++i) {
    std::uint16_t id = get_word(row_pos(i));
    if (id == RoleID) {
      *existing = true;
      return i;
    }
    if (id == 0) return i;
  }
  return -1;
}

// The role's row, making a new one when it has none; -1 (reported when full) when there is no
// room.
int take_row(std::uint16_t RoleID, bool* existing, const char* caller) {
  if (RoleID == 0) return -1;  // RoleID 0 marks a free row
  int row = find_row(RoleID, existing);
  if (row < 0) {
    if (gmRoleVar) report_error(full_message, caller);
    return -1;
  }
  if (!*existing) put_word(row_pos(row), RoleID);
  return row;
}

// Where value[index] of a row lies, from the row's stored layout.
std::size_t value_pos(int row, int index) {
  constexpr auto value = std::get<1>(record_image::Layout<RoleVarRow>::fields);
  return row_pos(row) + value.offset + sizeof(std::uint16_t) * std::size_t(index);
}
}  // namespace

int set_role_var_row(std::uint16_t RoleID, std::uint16_t index, std::uint16_t value) {
  if (index > 7) return 0;
  bool existing;
  int row = take_row(RoleID, &existing, "set_role_var_row");
  if (row < 0) return 0;
  put_word(value_pos(row, index), value);
  return existing ? 1 : 0;
}

int add_role_var_row(std::uint16_t RoleID, std::uint16_t index, std::uint16_t delta) {
  if (index > 7) return 0;
  bool existing;
  int row = take_row(RoleID, &existing, "add_role_var_row");
  if (row < 0) return 0;
  unsigned sum = unsigned(get_word(value_pos(row, index))) + delta;
  put_word(value_pos(row, index), static_cast<std::uint16_t>(sum > 0xFFFF ? 0xFFFF : sum));
  return existing ? 1 : 0;
}

int set_role_var_scale(std::uint16_t RoleID, float scale) {
  bool existing;
  int row = take_row(RoleID, &existing, "set_role_var_scale");
  if (row < 0) return 0;
  put_word(value_pos(row, 2), float_to_word(static_cast<double>(scale) * 100.0));
  return existing ? 1 : 0;
}

int load_role_vars(MapRole* role) {
  bool existing;
  int row = find_row(role->RoleID, &existing);
  if (row < 0 || !existing || role->RoleID == 0) return 0;
  role->var[0] = get_word(value_pos(row, 0));
  role->var[1] = get_word(value_pos(row, 1));
  role->scale = static_cast<float>(static_cast<std::int16_t>(get_word(value_pos(row, 2))) / 100.0);
  return 1;
}

int put_role_var(const std::uint16_t saved[4]) {
  bool existing;
  int row = take_row(saved[0], &existing, "put_role_var");
  if (row < 0) return 0;
  for (int i = 0; i < 3; ++i) put_word(value_pos(row, i), saved[1 + i]);
  return existing ? 1 : 0;
}
