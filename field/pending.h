#pragma once
// Placeholders for the field's records and operations that the game data calls, under their
// final names and signatures, with the least behaviour the data needs. The field's own units
// replace them.
#include <cstdint>
#include <map>
#include <span>

struct MapRole;

// The record of the current map, as far as the map database fills and reads it.
struct MapRecord {
  std::uint16_t map_number = 0;     // the current map number
  std::uint16_t map_flags = 0;      // from the map's MapIndex row
  std::uint16_t encounter_set = 0;  // 0: no random battles
  std::uint16_t uv_set = 0;         // texture scroll set; 0: none
  std::uint16_t uv_tex[32] = {};    // scroll texture numbers, then world texture indices
  std::uint16_t sky_set = 0;
  std::uint16_t sky_tex = 0;
  float uv_rate_u[32] = {};
  float uv_rate_v[32] = {};
  float sky_rate_u = 0.0f;
  float sky_rate_v = 0.0f;
};
extern MapRecord map_record;

// The index in gmMapRole of the role with that RoleID among the entries in use; 0xFFFF when none.
std::uint16_t find_role(std::uint16_t RoleID);
// Moves a role over the map; the placeholder has no map and leaves the role where it is.
int move_role(MapRole* role, float dx, float dy, float dz);

struct MinimapMarker {
  int id = 0;
  std::uint8_t kind = 0;
  int x = 0, y = 0;
  int size = 0;
  float angle = 0.0f;
  std::uint32_t colour = 0;
  int label = 0;
};

class Minimap {
 public:
  MinimapMarker* AddMarker(int id, std::uint32_t colour, float x, float y, float angle, int size, std::uint8_t kind);
  MinimapMarker* FindMarker(int id);
  void RemoveMarker(int id);
  void SetMarkerLabel(int id, int label);
  void Clear();

 private:
  std::map<int, MinimapMarker> markers_;
  float scale_ = 1.0f;
};
extern Minimap minimap;

// Builds the world-map place list from table 14 of the map database; 1 built, 0 on a bad record.
int read_game_map(std::span<const std::uint8_t> table);
