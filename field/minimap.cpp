// The minimap.
#include "field/minimap.h"

#include "data/saturate.h"

Minimap minimap;

void Minimap::SetScreenSize(int, int) {}
void Minimap::SetRect(int left, int top, int right, int bottom) {
  box_[0] = left, box_[1] = top, box_[2] = right, box_[3] = bottom;
}
void Minimap::set_alpha(int level) { alpha_level_ = level; }
void Minimap::set_translucent(std::uint8_t on) { translucent_ = on; }
std::uint8_t Minimap::IsTranslucent() const { return translucent_; }
void Minimap::GetRect(int* left, int* top, int* right, int* bottom) const {
  *left = box_[0], *top = box_[1], *right = box_[2], *bottom = box_[3];
}

MinimapMarker* Minimap::AddMarker(int id, std::uint32_t colour, float x, float y, float angle, int size,
                                  std::uint8_t kind) {
  auto found = markers_.find(id);
  if (found != markers_.end()) return &found->second;
  MinimapMarker& m = markers_[id];
  m.id = id;
  m.colour = colour;
  m.x = saturate_i32(x * scale_);
  m.y = saturate_i32(y * scale_);
  m.angle = angle;
  m.size = size;
  m.kind = kind;
  return &m;
}

MinimapMarker* Minimap::FindMarker(int id) {
  auto found = markers_.find(id);
  return id < 0 || found == markers_.end() ? nullptr : &found->second;
}

void Minimap::SetMarkerLabel(int id, int label) {
  if (MinimapMarker* m = FindMarker(id)) m->label = label;
}

void Minimap::RemoveMarker(int id) { markers_.erase(id); }

void Minimap::Clear() { markers_.clear(); }

void Minimap::SetPicture(std::uint16_t, std::uint16_t) {}
void Minimap::SetPictureOffset(int, int) {}
void Minimap::SetScale(int) {}
void Minimap::SetTracked(int) {}
