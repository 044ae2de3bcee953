// Role-to-role collisions.
#include "field/role_walk.h"

#include <algorithm>
#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "data/map_role.h"
#include "field/role_move.h"
#include "g3d/geometry.h"
#include "g3d/ground_math.h"

namespace {
constexpr float turn_step = 5.0f;
constexpr float step_away_distance = 3.0f;
constexpr float push_reach = 100.0f, push_raise = 10.0f;
constexpr float stand_climb = 20.0f, stand_drop = 200.0f;

// A role that role-to-role tests consider at all.
bool collidable(const MapRole& r) { return r.RoleID <= party_role_limit && !(r.STATE & state_off_map); }

bool is_player(const MapRole& r) {
  return player_role_index >= 0 && player_role_index < gmMapRoleCount && r.RoleID == gmMapRole[player_role_index].RoleID;
}

G3dBox placed_box(const MapRole& r, float dx, float dy, float dz) {
  G3dBox box = r.anim.box;
  if (r.scale != 0.0f)
    for (float* v : {&box.min.x, &box.min.y, &box.min.z, &box.max.x, &box.max.y, &box.max.z}) *v *= 1.0f + r.scale;
  G3dMatrix m;
  g3d_mat_identity(&m);
  g3d_mat_rotate_y(r.DIR, &m);
  g3d_mat_set_translation(r.X + dx, r.Y + dy, r.Z + dz, &m);
  G3dBox out{};
  g3d_transform_box(&m, &box, &out);
  return out;
}

void tick(MapRole& r) { Take_3dActData(&r.anim); }

// The offset that leads a pushed role's probe by its box on the side it moves toward.
void push_lead(const MapRole& pushed, float d, float* sx, float* sz) {
  const G3dBox& b = pushed.anim.box;
  *sx = (d > 0.0f && d <= 180.0f) ? b.max.x : (d > 180.0f && d <= 359.0f) ? b.min.x : 0.0f;
  *sz = (d > 90.0f && d <= 270.0f) ? b.max.z : b.min.z;
}

// The player's answer to the blocking role i: true when the scan stops.
bool player_meets(MapRole& p, float dx, float dy, float dz, MapRole& other, bool* touched) {
  if (other.STATE & state_no_block) {
    *touched = false;
    return true;
  }
  if (!(other.STATE & state_pushable)) {
    step_away_from_role(&p, dy, &other);
    return true;
  }
  if (!(other.STATE & state_push_armed)) {
    other.STATE |= state_push_armed;  // the first contact only arms the push
    return true;
  }
  if (push_role(&p, dx, 0.0f, dz, &other) == 1) {
    if (move_role(&p, dx, dy, dz) == 0) p.STATE &= ~state_walking;
    return true;
  }
  if (other.STATE & state_stand_on) {
    if (stand_on_role(&p, &other, dx, dy, dz) == 0) {
      p.STATE &= ~state_standing_on_role;
      return false;
    }
    p.STATE |= state_standing_on_role;
  }
  p.STATE &= ~state_walking;
  return true;
}
}  // namespace

int test_role_overlap(const MapRole* a, float dx, float dy, float dz, const MapRole* b) {
  const G3dBox ba = placed_box(*a, dx, dy, dz), bb = placed_box(*b, 0, 0, 0);
  return g3d_box_overlap(&ba, &bb);
}

int walk_role(MapRole* role, float dx, float dy, float dz) {
  MapRole& r = *role;
  int hit = -1;
  bool touched = false;
  if (!test_flag(flag_wall_test_off)) {
    const bool player = is_player(r);
    for (int i = 0; i < gmMapRoleCount; ++i) {
      MapRole& o = gmMapRole[i];
      if (!collidable(o)) continue;
      if (player && (o.STATE & state_touch_talk) && test_role_overlap(&r, dx, 0.0f, dz, &o)) return i;
      if (o.RoleID == r.RoleID || (o.STATE & state_pass_through)) continue;
      if (!test_role_overlap(&r, dx, dy, dz, &o) || (o.flagEx & flagex_no_collide)) continue;
      hit = i;
      touched = true;
      if (!player || player_meets(r, dx, dy, dz, o, &touched)) break;
    }
  }
  if (r.STATE & state_no_block) {
    if (touched)
      move_role(&r, dx, dy, dz);
    else
      r.STATE &= ~state_no_block;  // it has left every role it passed through
    tick(r);
    return -1;
  }
  if (touched) {
    tick(r);
    return hit;
  }
  if (move_role(&r, dx, dy, dz) == 0) {
    r.STATE &= ~state_walking;
    return -2;
  }
  tick(r);
  return -1;
}

int push_role(MapRole* pusher, float dx, float dy, float dz, MapRole* pushed) {
  MapRole& p = *pusher;
  MapRole& q = *pushed;
  if (p.STATE & state_held) return 0;
  float ax = 0, az = 0;
  polar_offset(p.DIR, push_reach, &ax, &az);
  const G3dVector from{p.X, p.Y + push_raise, p.Z, 0}, to{p.X + ax, p.Y + push_raise, p.Z + az, 0};
  const G3dBox& b = q.anim.box;
  if (!g3d_line_hit_box(from, to, G3dVector{q.X, q.Y, q.Z, 0}, b.min, b.max.x, b.max.y, b.max.z)) return 0;
  for (int i = 0; i < gmMapRoleCount; ++i) {
    MapRole& c = gmMapRole[i];
    if (!collidable(c) || &c == &q || &c == &p) continue;
    if (stand_on_role(&q, &c, dx, dy, dz) == 1) return 1;
    if (test_role_overlap(&q, dx, dy, dz, &c)) return 0;
  }
  float sx = 0, sz = 0;
  push_lead(q, p.DIR, &sx, &sz);
  const float h0 = q.Y;
  if (move_role(&q, dx + sx, dy, dz + sz) != 1) return 0;
  q.X -= sx;
  q.Z -= sz;
  const float px = q.X, py = q.Y, pz = q.Z;
  q.Y = h0;
  // The floor under the rear edge may be higher than under the lead point.
  if (move_role(&q, 0.0f, 0.0f, b.min.z) == 1) q.Y = std::max(q.Y, py);
  q.X = px;
  q.Z = pz;
  return 1;
}

int stand_on_role(MapRole* a, MapRole* b, float dx, float dy, float dz) {
  (void)dy;
  if (a->STATE & state_held) return 0;
  const float top = b->Y + b->anim.box.max.y;
  if (!(top - a->Y <= stand_climb && a->Y - top <= stand_drop)) return 0;
  const float x = a->X + dx, z = a->Z + dz;
  const G3dBox& bb = b->anim.box;
  if (!(x >= b->X + bb.min.x && x <= b->X + bb.max.x && z >= b->Z + bb.min.z && z <= b->Z + bb.max.z)) return 0;
  a->X = x;
  a->Y = top;
  a->Z = z;
  const G3dVector n{0, 5, 0, 0}, c{a->X, top + 5.0f, a->Z, 0};
  make_normal_quad(&n, &c, a->anim.box.max.x, a->shadow_quad);
  return 1;
}

int step_away_from_role(MapRole* a, float dy, MapRole* b) {
  const float vx = std::trunc(b->X) - std::trunc(a->X), vz = std::trunc(b->Z) - std::trunc(a->Z);
  float yaw = 0.0f;
  if (!ground_yaw(vx, vz, &yaw)) return 0;  // on the same spot: no way is "away"
  const float t = std::fmod(yaw + 90.0f, 360.0f) * g3d_deg_to_rad;
  const float sx = std::cos(t) * step_away_distance, sz = std::sin(t) * step_away_distance;
  for (int i = 0; i < gmMapRoleCount; ++i) {
    const MapRole& c = gmMapRole[i];
    if (!collidable(c) || &c == a) continue;
    if (test_role_overlap(a, sx, dy, sz, &c)) return 0;
  }
  return move_role(a, sx, dy, sz);
}

void set_role_turn(MapRole* role) {
  // A half turn either way is a tie: it goes the way that leaves the smaller angle behind.
  const float target = role->turn_dir, dir = role->DIR;
  if (target > dir)
    role->turn_speed = target - dir < 180.0f ? turn_step : -turn_step;
  else
    role->turn_speed = dir - target < 180.0f ? -turn_step : turn_step;
}
