// The bounce and the jump.
#include "g3d/motion.h"

#include <cmath>

#include "g3d/ground_math.h"

namespace {

// A landing with repeat: the bounce speed halves; once it is spent the landings left count down.
int land_again(BounceMotion* b) {
  b->bounce_speed -= b->bounce_speed / 2;
  b->speed = b->bounce_speed;
  if (b->speed <= 1) {
    b->speed = 0;
    b->bounce_speed = 0;
    --b->bounces_left;
    if (b->bounces_left <= 0) return 1;
  }
  return 0;
}

}  // namespace

int step_bounce(BounceMotion* b) {
  if (!b->started) {
    b->current = b->rest;
    b->speed = b->bounce_speed;
    b->started = 1;
  }
  b->current.x += b->drift;
  if (b->direction == 1) {
    b->current.y -= b->speed;
    if (b->countdown_mode) {
      b->gravity -= 1;
      return b->gravity <= 0 ? 1 : 0;
    }
    b->speed -= b->gravity;
    if (b->current.y > b->rest.y) {
      b->current.y = b->rest.y;
      return b->repeat ? land_again(b) : 1;
    }
    return 0;
  }
  b->current.y += b->speed;
  b->speed -= b->gravity;
  if (b->current.y < b->rest.y) {
    if (!b->repeat) return 1;
    b->current = b->rest;
    return land_again(b);
  }
  return 0;
}

int step_jump(JumpMotion* j) {
  if (!j->started) {
    j->vertical_speed = j->speed;
    j->height = j->start.y;
    if (j->angle > 0) {
      float dx = 0, dz = 0;
      polar_offset(j->angle, j->distance, &dx, &dz);
      j->target = {j->start.x + dx, j->start.y, j->start.z + dz, j->target.w};
      j->frames = 2 * j->speed;
    } else {
      j->frames = 2 * j->gravity * j->speed;
      j->height_difference = j->start.y - j->target.y;
      // Without frames the arc has no length: the jump lands where it is aimed.
      if (j->frames != 0) j->frames += 2 * j->height_difference / j->frames;
    }
    j->started = 1;
  }
  if (!(j->frames > 0)) {
    j->current = j->target;
    return 1;
  }
  g3d_lerp_point(&j->current, j->start, j->target, j->frames, j->frame_counter);
  j->current.y = j->height + j->vertical_speed;
  j->height = j->current.y;
  j->vertical_speed -= j->gravity;
  j->frame_counter += 1;
  if (j->frame_counter < j->frames) return 0;
  if (j->current.y > j->target.y) {
    j->frame_counter -= 1;
    return 0;
  }
  j->current.y = j->target.y;
  return 1;
}
