#include "data/role_rows.h"

#include "data/map_role.h"
#include "data/saturate.h"
#include "field/map_file.h"

namespace {
constexpr std::uint32_t state_turning = 0x40000;
constexpr std::uint32_t state_turn_to_talk = 0x80000;

// Changes one row of the RoleID; 1 when it exists.
template <class Change>
int change_row(std::uint16_t RoleID, Change&& change) {
  long pos = find_maps_role_row(RoleID);
  if (pos < 0) return 0;
  MapsRoleRow row = read_maps_role_row(static_cast<std::size_t>(pos));
  change(row);
  write_maps_role_row(static_cast<std::size_t>(pos), row);
  return 1;
}
}  // namespace

MapsRoleRow read_maps_role_row(std::size_t p) {
  MapsRoleRow row;
  const ByteReader r = gmMapsPool.reader();
  if (r.has(p, maps_role_row_size)) record_image::read_value(r, p, row);
  return row;
}

void write_maps_role_row(std::size_t p, const MapsRoleRow& row) {
  if (!gmMapsPool.bytes || p > gmMapsPool.size || gmMapsPool.size - p < maps_role_row_size) return;
  record_image::write_value(row, std::span<std::uint8_t>(gmMapsPool.bytes, gmMapsPool.size), p);
}

long find_maps_role_row(std::uint16_t RoleID) {
  long found = -1;
  for_each_maps_role_row([&](std::size_t pos, const MapsRoleRow& row) {
    if (row.RoleID != RoleID) return true;
    found = static_cast<long>(pos);
    return false;
  });
  return found;
}

std::span<std::uint8_t> maps_role_row_block() {
  long start = maps_table_start(maps_role_rows);
  if (start < 0) return {};
  std::size_t end = static_cast<std::size_t>(start);
  for_each_maps_role_row([&](std::size_t pos, const MapsRoleRow&) {
    end = pos + maps_role_row_size;
    return true;
  });
  return {gmMapsPool.bytes + start, end - static_cast<std::size_t>(start)};
}

void save_maps_role(std::uint16_t map, const MapRole* role) {
  change_row(role->RoleID, [&](MapsRoleRow& row) {
    row.MapID = map;
    row.RoleID = role->RoleID;
    row.flagEx = role->flagEx;
    row.ACT = role->anim.act;
    row.QQ = role->anim.qq;
    row.DIR = float_to_word(role->DIR);
    row.X = float_to_word(role->X);
    row.Y = static_cast<std::int16_t>(float_to_word(role->Y));
    row.Z = float_to_word(role->Z);
    row.TALK = role->TALK;
    row.AI = role->AI;
    row.STATE = static_cast<std::uint16_t>(role->STATE);
  });
}

void save_all_maps_role() {
  for (int i = 0; i < gmMapRoleCount; ++i) {
    MapRole& role = gmMapRole[i];
    if (role.RoleID > party_role_limit) continue;
    if (role.STATE & state_turning) {
      role.STATE &= ~(state_turning | state_turn_to_talk);
      role.anim.qq = 0;
      role.turn_dir = role.DIR = role.kept_dir;
    }
    save_maps_role(map_record.map_number, &role);
  }
}

void set_maps_role_map(std::uint16_t RoleID, std::uint16_t map) {
  change_row(RoleID, [&](MapsRoleRow& row) { row.MapID = map; });
}

std::uint16_t get_maps_role_map(std::uint16_t RoleID) {
  long pos = find_maps_role_row(RoleID);
  return pos < 0 ? 0 : read_maps_role_row(static_cast<std::size_t>(pos)).MapID;
}

void set_maps_role_xyz(std::uint16_t RoleID, float x, float y, float z) {
  change_row(RoleID, [&](MapsRoleRow& row) {
    row.X = float_to_word(x);
    row.Y = static_cast<std::int16_t>(float_to_word(y));
    row.Z = float_to_word(z);
  });
}

int set_maps_role_state(std::uint16_t RoleID, std::uint16_t bits, int on) {
  return change_row(RoleID, [&](MapsRoleRow& row) {
    row.STATE = on == 1 ? static_cast<std::uint16_t>(row.STATE | bits) : static_cast<std::uint16_t>(row.STATE & ~bits);
  });
}

std::uint16_t get_maps_role_state(std::uint16_t RoleID) {
  long pos = find_maps_role_row(RoleID);
  return pos < 0 ? 0 : read_maps_role_row(static_cast<std::size_t>(pos)).STATE;
}

int set_maps_role_dir(std::uint16_t RoleID, float dir) {
  return change_row(RoleID, [&](MapsRoleRow& row) { row.DIR = float_to_word(dir); });
}

int set_maps_role_talk(std::uint16_t RoleID, std::uint16_t talk) {
  return change_row(RoleID, [&](MapsRoleRow& row) { row.TALK = talk; });
}

int set_maps_role_ai(std::uint16_t RoleID, std::uint16_t ai) {
  return change_row(RoleID, [&](MapsRoleRow& row) { row.AI = ai; });
}

int set_maps_role_qq(std::uint16_t RoleID, std::uint16_t qq) {
  return change_row(RoleID, [&](MapsRoleRow& row) { row.QQ = qq; });
}

int set_maps_role_act(std::uint16_t RoleID, std::uint16_t act) {
  return change_row(RoleID, [&](MapsRoleRow& row) { row.ACT = act; });
}

int set_maps_role_flagex(std::uint16_t RoleID, std::uint16_t bits) {
  return change_row(RoleID, [&](MapsRoleRow& row) { row.flagEx |= bits; });
}
