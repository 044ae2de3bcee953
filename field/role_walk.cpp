// Role moves in their least form: no collisions yet, no cell counts, turns take one step.
#include "field/role_walk.h"

#include "data/map_role.h"

int walk_role(MapRole* role, float dx, float dy, float dz) {
  role->X += dx;
  role->Y += dy;
  role->Z += dz;
  return -1;
}

void set_role_turn(MapRole* role) {
  role->DIR = role->turn_dir;
  role->STATE &= ~state_turn_steps;
}
