// The live role table and how it is built from the placement rows.
#include "data/map_role.h"

#include <cmath>

#include "core/log.h"
#include "data/maps_lookups.h"
#include "data/role_rows.h"
#include "data/role_vars.h"
#include "field/map_change.h"
#include "field/minimap.h"
#include "field/role_move.h"

MapRole gmMapRole[map_role_capacity];
int gmMapRoleCount = 0;
int player_role_index = 0;

namespace {
constexpr std::uint32_t state_no_marker = 0x1;
constexpr std::uint32_t state_box_radius = 0x100 | 0x2000 | 0x4000;
constexpr std::uint16_t marked_role_first = 1130, marked_role_last = 1139;
constexpr float default_radius = 50.0f;

// read_maps_role(...)錯誤!!角色ID[%d]重複
constexpr const char* duplicate_message = "read_maps_role(...)\xBF\xF9\xBB~!!\xA8\xA4\xA6\xE2ID[%d]\xAD\xAB\xBD\xC6";
// read_maps_role(...) 錯誤  角色 BUFFER 巳滿
constexpr const char* full_message = "read_maps_role(...) \xBF\xF9\xBB~  \xA8\xA4\xA6\xE2 BUFFER \xA4x\xBA\xA1";
// 錯誤 : 找不到指定之 角色ID:%d
constexpr const char* no_role_message = "\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:%d";
// 錯誤 : 角色ID:%d 沒有Cap資料
constexpr const char* no_cap_message = "\xBF\xF9\xBB~ : \xA8\xA4\xA6\xE2ID:%d \xA8S\xA6\xB3""Cap\xB8\xEA\xAE\xC6";

// The row's fields into a fresh entry.
void fill_from_row(MapRole& role, const MapsRoleRow& row) {
  role = MapRole{};
  role.RoleID = row.RoleID;
  role.flagEx = row.flagEx;
  role.anim.act = row.ACT;
  role.anim.qq = row.QQ;
  role.TALK = row.TALK;
  role.AI = row.AI;
  role.STATE = row.STATE;
  role.DIR = row.DIR;
  role.X = row.X;
  role.Y = row.Y;
  role.Z = row.Z;
  role.fade_alpha = 255;
}

// Collision radius, head height and the player's entry point, from the loaded animation box.
void settle_shape(MapRole& role, int index) {
  const G3dBox& box = role.anim.box;
  role.collision_radius = (role.STATE & state_box_radius) ? std::fabs(box.max.x) / 2.0f : default_radius;
  role.head_height = box.max.y + role.anim.base_height - 15.0f;
  if (role.STATE & state_player) {
    player_role_index = index;
    map_entry_pos.x = role.X;
    map_entry_pos.y = role.Y;
    map_entry_pos.z = role.Z;
  }
}

void add_marker(const MapRole& role) {
  if (role.RoleID < marked_role_first || role.RoleID > marked_role_last || (role.STATE & state_no_marker)) return;
  minimap.AddMarker(role.RoleID, 0xFFFF0000u, role.X, role.Z, std::fmod(role.DIR, 360.0f), 5, 0);
  minimap.SetMarkerLabel(role.RoleID, role.RoleID - (marked_role_first - 1));
}
}  // namespace

std::uint16_t* role_var(MapRole& role, int v) {
  if (v >= 1 && v <= 6) return &role.var[v - 1];
  if (v == 7) return &role.RoleID;
  if (v == 8) return &role.TALK;
  if (v == 9) return &role.AI;
  if (v >= 10 && v <= 16) return &role.var_high[v - 10];
  return nullptr;
}

int read_maps_role(std::uint16_t map) {
  for (int i = 0; i < 4; ++i) gmMapRole[i].RoleID = static_cast<std::uint16_t>(party_role_first + i);
  for (int i = 4; i < map_role_capacity; ++i) gmMapRole[i] = MapRole{};
  gmMapRoleCount = 4;
  for_each_maps_role_row([&](std::size_t, const MapsRoleRow& row) {
    if (row.MapID != map || row.RoleID == 0) return true;
    MapRole& role = gmMapRole[gmMapRoleCount];
    fill_from_row(role, row);
    if (find_role(role.RoleID) != 0xFFFF) {
      report_error(duplicate_message, role.RoleID);
      role = MapRole{};
      return true;
    }
    read_maps_act(role.anim.act, role.act_rows);
    apply_maps_role_scale(&role);
    load_role_vars(&role);
    Take_3dActData(&role.anim);
    add_marker(role);
    settle_shape(role, gmMapRoleCount);
    role.anim_size = role.anim.box.max.x;
    move_role(&role, 0.0f, 0.0f, 0.0f);
    if (++gmMapRoleCount == map_role_capacity) {
      report_error("%s", full_message);
      return false;
    }
    return true;
  });
  return 1;
}

int add_maps_role(std::uint16_t map, std::uint16_t RoleID) {
  if (RoleID == 0) return 0;
  long pos = find_maps_role_row(RoleID);
  if (pos < 0) return 1;
  MapsRoleRow row = read_maps_role_row(static_cast<std::size_t>(pos));
  row.MapID = map;
  write_maps_role_row(static_cast<std::size_t>(pos), row);
  if (gmMapRoleCount >= map_role_capacity) {
    report_error("%s", full_message);
    return 1;
  }
  MapRole& role = gmMapRole[gmMapRoleCount];
  fill_from_row(role, row);
  Take_3dActData(&role.anim);
  settle_shape(role, gmMapRoleCount);
  if (++gmMapRoleCount == map_role_capacity) report_error("%s", full_message);
  return 1;
}

int get_maps_role(std::uint16_t RoleID, MapRole* out, std::uint16_t* map_out) {
  if (RoleID == 0) return 0;
  for (int i = 0; i < gmMapRoleCount; ++i) {
    if (gmMapRole[i].RoleID == RoleID) {
      *out = gmMapRole[i];
      return 1;
    }
  }
  long pos = find_maps_role_row(RoleID);
  if (pos < 0) return 0;
  MapsRoleRow row = read_maps_role_row(static_cast<std::size_t>(pos));
  *map_out = row.MapID;
  out->RoleID = row.RoleID;
  out->flagEx = row.flagEx;
  out->anim.act = row.ACT;
  out->anim.qq = row.QQ;
  out->DIR = row.DIR;
  out->X = row.X;
  out->Y = row.Y;
  out->Z = row.Z;
  out->TALK = row.TALK;
  out->AI = row.AI;
  out->STATE = row.STATE;
  return 1;
}

void apply_cap(std::uint16_t RoleID, std::uint16_t) {
  std::uint16_t index = find_role(RoleID);
  if (index == 0xFFFF) {
    report_error(no_role_message, RoleID);
    return;
  }
  if (!gmMapRole[index].cap) report_error(no_cap_message, RoleID);
}
