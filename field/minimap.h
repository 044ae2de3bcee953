#pragma once
// The minimap.
#include <cstdint>
#include <map>

struct MinimapMarker {
  int id = 0;
  std::uint8_t kind = 0;  // not 0: always shown
  int x = 0, y = 0;       // world X and Z times the scale
  int size = 0;
  float angle = 0.0f;
  std::uint32_t colour = 0;
  int label = 0;  // 0: none
};

class Minimap {
 public:
  void SetScreenSize(int width, int height);
  void SetRect(int left, int top, int right, int bottom);
  // The existing marker of that id, or a new one with x and y scaled.
  MinimapMarker* AddMarker(int id, std::uint32_t colour, float x, float y, float angle, int size, std::uint8_t kind);
  MinimapMarker* FindMarker(int id);  // null when absent
  void SetMarkerLabel(int id, int label);
  void RemoveMarker(int id);  // removes that marker when present
  void Clear();
  void SetPicture(std::uint16_t act, std::uint16_t qq);
  void SetPictureOffset(int x, int y);
  void SetScale(int n);
  void SetTracked(int id);
  void set_alpha(int level);
  void set_translucent(std::uint8_t on);
  std::uint8_t IsTranslucent() const;
  // The box on the screen: left, top, right, bottom.
  void GetRect(int* left, int* top, int* right, int* bottom) const;

 private:
  int box_[4] = {10, 10, 160, 160};
  int alpha_level_ = 8;
  std::uint8_t translucent_ = 0;
  std::map<int, MinimapMarker> markers_;
  float scale_ = 1.0f;
};
extern Minimap minimap;
