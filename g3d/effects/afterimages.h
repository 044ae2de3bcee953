#pragma once
// Afterimages: fading copies of a battle unit's current animation frame. The unit drawer drops
// a copy into the list every frame while a fast move plays; the list draws the copies, each
// losing alpha until it disappears.
#include <cstdint>
#include <list>

#include "g3d/act_animation.h"

constexpr std::uint16_t afterimage_animate = 0x1;      // keep animating the copy
constexpr std::uint16_t afterimage_skip_repeat = 0x2;  // skip a copy of the last added picture

struct Afterimage {
  ActInstance instance;
  float x = 0, y = 0, z = 0, yaw = 0;  // yaw: extra yaw of a model
  std::uint16_t shown_resource = 0, shown_picture = 0;  // written while animating
  std::uint16_t flags = 0;
  std::int16_t alpha = 0;  // 0..255
  std::uint16_t red = 0, green = 0, blue = 0;
  std::uint16_t alpha_step = 0;  // subtracted per frame
};

class AfterimageList {
 public:
  void add(const Afterimage* source);
  // 1 when the list was empty, else 0 (also when a missing animation cut the pass short).
  int draw();
  // Removes every copy (battle end).
  void clear();
  int size() const { return count; }

  int events = 0;  // animation events of animated copies, for the battle to read
  std::uint16_t count = 0;
  std::uint16_t last_resource = 0, last_picture = 0, last_cell = 0, last_frame = 0;

 private:
  bool repeats_last(const Afterimage& a) const;
  std::list<Afterimage> records_;
};

extern AfterimageList afterimage_list;
