#pragma once
// The placement rows of the map database (table 2): one 24-byte row per role, the persistent
// state of every role while its map is not loaded. Rows are edited in place in the pool and
// saved with the game; a role's row is the first row with its RoleID.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/maps_db.h"
#include "data/record_image.h"

struct MapRole;

struct MapsRoleRow {
  std::uint16_t MapID = 0;
  std::uint16_t RoleID = 0;
  std::uint16_t flagEx = 0;
  std::uint16_t ACT = 0;
  std::uint16_t QQ = 0;
  std::uint16_t DIR = 0;  // whole degrees
  std::uint16_t X = 0;
  std::int16_t Y = 0;     // height, may be negative
  std::uint16_t Z = 0;
  std::uint16_t TALK = 0;
  std::uint16_t AI = 0;
  std::uint16_t STATE = 0;  // the low 16 bits of the role's state flags
};
constexpr std::size_t maps_role_row_size = 24;

// The stored layout: one row per field (name, offset, member).
template <>
struct record_image::Layout<MapsRoleRow> {
  static constexpr std::size_t size = maps_role_row_size;
  static constexpr auto fields = std::tuple{
      field("MapID", 0, &MapsRoleRow::MapID),
      field("RoleID", 2, &MapsRoleRow::RoleID),
      field("flagEx", 4, &MapsRoleRow::flagEx),
      field("ACT", 6, &MapsRoleRow::ACT),
      field("QQ", 8, &MapsRoleRow::QQ),
      field("DIR", 10, &MapsRoleRow::DIR),
      field("X", 12, &MapsRoleRow::X),
      field("Y", 14, &MapsRoleRow::Y),
      field("Z", 16, &MapsRoleRow::Z),
      field("TALK", 18, &MapsRoleRow::TALK),
      field("AI", 20, &MapsRoleRow::AI),
      field("STATE", 22, &MapsRoleRow::STATE),
  };
};

// Pool positions of the rows: decode, encode, and the first row of a RoleID (-1 when none).
MapsRoleRow read_maps_role_row(std::size_t pool_pos);
void write_maps_role_row(std::size_t pool_pos, const MapsRoleRow& row);
long find_maps_role_row(std::uint16_t RoleID);
// The rows before the end mark (what a save stores and restores).
std::span<std::uint8_t> maps_role_row_block();

// Calls f(pool_pos, row) for each row in table order until f returns false.
template <class F>
void for_each_maps_role_row(F&& f) {
  long start = maps_table_start(maps_role_rows);
  if (start < 0) return;
  ByteReader t = maps_table(maps_role_rows);
  for (std::size_t p = 0; t.has(p, maps_role_row_size) && t.u16_at(p) != end_mark; p += maps_role_row_size)
    if (!f(static_cast<std::size_t>(start) + p, read_maps_role_row(static_cast<std::size_t>(start) + p))) return;
}

// Writes a live role into its row (nothing when it has none).
void save_maps_role(std::uint16_t map, const MapRole* role);
// Saves every live non-party role of the current map, undoing a temporary turn first.
void save_all_maps_role();

void set_maps_role_map(std::uint16_t RoleID, std::uint16_t map);
std::uint16_t get_maps_role_map(std::uint16_t RoleID);  // 0 when absent
void set_maps_role_xyz(std::uint16_t RoleID, float x, float y, float z);
// on = 1 sets the bits, any other value clears them; 1 when the row was found.
int set_maps_role_state(std::uint16_t RoleID, std::uint16_t bits, int on);
std::uint16_t get_maps_role_state(std::uint16_t RoleID);  // 0 when absent
int set_maps_role_dir(std::uint16_t RoleID, float dir);
int set_maps_role_talk(std::uint16_t RoleID, std::uint16_t talk);
int set_maps_role_ai(std::uint16_t RoleID, std::uint16_t ai);
int set_maps_role_qq(std::uint16_t RoleID, std::uint16_t qq);
int set_maps_role_act(std::uint16_t RoleID, std::uint16_t act);
int set_maps_role_flagex(std::uint16_t RoleID, std::uint16_t bits);  // ORs the bits in
