#pragma once
// The minimap.
class Minimap {
 public:
  void SetScreenSize(int width, int height);
  void SetRect(int left, int top, int right, int bottom);
  void RemoveMarker(int id);  // removes that marker when present
};
extern Minimap minimap;
