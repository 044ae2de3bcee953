// The field controller's rules.
#include "field/field_input_rules.h"

#include <cmath>

#include "data/map_role.h"
#include "field/role_move.h"
#include "g3d/g3d_math.h"

namespace {
struct KeyRule {
  bool WalkKeys::*a;
  bool WalkKeys::*b;  // null: a alone
  bool WalkKeys::*ja;
  bool WalkKeys::*jb;
  float angle;
};
constexpr KeyRule key_rules[] = {
    {&WalkKeys::up, nullptr, &WalkKeys::joy_up, nullptr, 180.0f},
    {&WalkKeys::down, nullptr, &WalkKeys::joy_down, nullptr, 0.0f},
    {&WalkKeys::left, nullptr, &WalkKeys::joy_left, nullptr, 270.0f},
    {&WalkKeys::right, nullptr, &WalkKeys::joy_right, nullptr, 90.0f},
    {&WalkKeys::left, &WalkKeys::up, &WalkKeys::joy_left, &WalkKeys::joy_up, 225.0f},
    {&WalkKeys::right, &WalkKeys::down, &WalkKeys::joy_right, &WalkKeys::joy_down, 45.0f},
    {&WalkKeys::down, &WalkKeys::left, &WalkKeys::joy_down, &WalkKeys::joy_left, 315.0f},
    {&WalkKeys::up, &WalkKeys::right, &WalkKeys::joy_up, &WalkKeys::joy_right, 135.0f},
};

// The last bound is 337.2, not 337.5: the sector of QQ 7 ends there.
constexpr float sector_bounds[] = {22.5f, 67.5f, 112.5f, 157.5f, 202.5f, 247.5f, 292.5f, 337.2f};

bool held(const WalkKeys& k, bool WalkKeys::*a, bool WalkKeys::*b) { return k.*a && (!b || k.*b); }
}  // namespace

bool walk_key_angle(const WalkKeys& keys, float* angle) {
  bool any = false;
  for (const KeyRule& r : key_rules)
    if (held(keys, r.a, r.b) || held(keys, r.ja, r.jb)) {
      *angle = r.angle;
      any = true;
    }
  return any;
}

int cursor_sector_qq(float angle) {
  float a = std::fmod(angle, 360.0f);
  if (a < 0.0f) a += 360.0f;
  if (!(a >= sector_bounds[0] && a < sector_bounds[7])) return 0;
  int k = 0;
  while (a >= sector_bounds[k + 1]) ++k;
  return k + 1;
}

void walk_step(float dir, float speed_x, float speed_z, float* dx, float* dz) {
  const float r = std::fmod(dir + 270.0f, 360.0f) * g3d_deg_to_rad;
  *dx = std::cos(r) * speed_x;
  *dz = std::sin(r) * speed_z;
}

bool role_too_far(const MapRole& p, const MapRole& t) {
  const float dx = std::trunc(p.X) - std::trunc(t.X), dz = std::trunc(p.Z) - std::trunc(t.Z);
  return std::sqrt(dx * dx + dz * dz) > click_talk_reach;
}

bool facing_dir(const MapRole& p, const MapRole& t, float* dir) {
  float yaw = 0.0f;
  if (!ground_yaw(p.X - t.X, p.Z - t.Z, &yaw)) return false;
  *dir = std::fmod(yaw + 180.0f, 360.0f);
  return true;
}
