#pragma once
// Two per-frame motions: a bounce that settles (menu cursors, tab icons, floating numbers) and a
// jump along an arc (battle units and field roles). Callers fill the records in place.
#include <cstdint>

#include "g3d/g3d_math.h"

struct BounceMotion {
  G3dVector rest{};        // y is the rest line
  G3dVector current{};
  float bounce_speed = 0;  // starting speed of each bounce; halved at each landing
  float speed = 0;         // current vertical speed
  float gravity = 0;       // speed lost per frame; in countdown mode a frame count
  float drift = 0;         // x added per frame
  std::int16_t bounces_left = 0;  // landings allowed after the bounce has died out
  int started = 0;
  int repeat = 0;          // 0: stop at the first landing
  int direction = 0;       // 1: upward on the screen (y decreasing) first
  int countdown_mode = 0;  // 1: rise at constant speed for `gravity` frames
};

struct JumpMotion {
  G3dVector start{}, target{}, current{};
  float angle = 0;     // degrees; <= 0: a vertical jump to the given target
  float distance = 0;
  float speed = 0;     // initial vertical speed
  float frames = 0;
  float frame_counter = 0;
  float vertical_speed = 0;
  float gravity = 0;
  float height = 0;    // current y
  float height_difference = 0;
  int started = 0;
};

// 1 when the bounce finished, else 0.
int step_bounce(BounceMotion* b);
// 1 on landing, else 0. A jump whose frame count comes out as 0 (or not a number) lands at once.
int step_jump(JumpMotion* j);
