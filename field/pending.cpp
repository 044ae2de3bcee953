#include "field/pending.h"

#include "data/map_role.h"

MapRecord map_record;
Minimap minimap;

std::uint16_t find_role(std::uint16_t RoleID) {
  for (int i = 0; i < gmMapRoleCount; ++i)
    if (gmMapRole[i].RoleID == RoleID) return static_cast<std::uint16_t>(i);
  return 0xFFFF;
}

int move_role(MapRole*, float, float, float) { return 1; }

MinimapMarker* Minimap::AddMarker(int id, std::uint32_t colour, float x, float y, float angle, int size,
                                  std::uint8_t kind) {
  auto found = markers_.find(id);
  if (found != markers_.end()) return &found->second;
  MinimapMarker& m = markers_[id];
  m.id = id;
  m.colour = colour;
  m.x = static_cast<int>(x * scale_);
  m.y = static_cast<int>(y * scale_);
  m.angle = angle;
  m.size = size;
  m.kind = kind;
  return &m;
}

MinimapMarker* Minimap::FindMarker(int id) {
  auto found = markers_.find(id);
  return found == markers_.end() || id < 0 ? nullptr : &found->second;
}

void Minimap::RemoveMarker(int id) { markers_.erase(id); }

void Minimap::SetMarkerLabel(int id, int label) {
  if (MinimapMarker* m = FindMarker(id)) m->label = label;
}

void Minimap::Clear() { markers_.clear(); }

int read_game_map(std::span<const std::uint8_t>) { return 1; }
