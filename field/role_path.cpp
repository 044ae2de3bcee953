// Scripted role paths, in their least form: a fixed list of walks straight to their targets.
#include "field/role_path.h"

#include <cmath>

#include "data/map_role.h"

namespace {
constexpr int path_capacity = 64;
constexpr std::uint32_t state_path_bits = state_on_path | 0x200000;  // bits 29 and 21
constexpr std::uint16_t flagex_path = 0x4;

RolePath paths[path_capacity];
int path_count = 0;

void remove_at(int i) {
  for (int j = i + 1; j < path_count; ++j) paths[j - 1] = paths[j];
  --path_count;
}

// One frame of a walk; true when it arrived.
bool step(RolePath& p) {
  MapRole& r = *p.role;
  if (p.flags & path_walk_frames) {
    if (p.frame_count == 0) return true;
    --p.frame_count;
    float rad = p.dir * 3.14159265f / 180.0f;
    r.X += std::sin(rad) * p.speed;
    r.Z += std::cos(rad) * p.speed;
    r.Y += p.height;
    return p.frame_count == 0;
  }
  float dx = p.target[0] - r.X, dz = p.target[2] - r.Z;
  float d = std::sqrt(dx * dx + dz * dz);
  if (d <= p.speed || p.speed <= 0.0f) {
    r.X = p.target[0];
    r.Y = p.target[1];
    r.Z = p.target[2];
    return true;
  }
  r.X += dx / d * p.speed;
  r.Z += dz / d * p.speed;
  return false;
}
}  // namespace

void add_role_path(const RolePath* path) {
  if (!path || !path->role || path_count == path_capacity) return;
  MapRole& r = *path->role;
  if (const std::uint16_t* v3 = role_var(r, 3); v3 && *v3) r.anim.qq = *v3;
  RolePath& p = paths[path_count++];
  p = *path;
  p.walk_qq[1] = p.walk_qq[0];
  r.STATE |= state_on_path;
  r.STATE &= ~state_bit_5;
}

void del_role_path(std::uint16_t RoleID) {
  for (int i = 0; i < path_count; ++i) {
    if (paths[i].role->RoleID != RoleID) continue;
    paths[i].role->STATE &= ~state_path_bits;
    paths[i].role->flagEx &= static_cast<std::uint16_t>(~flagex_path);
    remove_at(i);
    return;
  }
}

void clear_role_path_flags(std::uint16_t RoleID, std::uint32_t bits) {
  for (int i = 0; i < path_count; ++i)
    if (paths[i].role->RoleID == RoleID) {
      paths[i].flags &= ~bits;
      return;
    }
}

const RolePath* find_role_path(std::uint16_t RoleID) {
  for (int i = 0; i < path_count; ++i)
    if (paths[i].role->RoleID == RoleID) return &paths[i];
  return nullptr;
}

void run_role_paths() {
  for (int i = 0; i < path_count;) {
    RolePath& p = paths[i];
    const std::uint32_t state = p.role->STATE;
    bool paused = (state & (state_turn_steps | state_held)) ||
                  ((state & state_in_talk) && !(p.flags & path_talk_walk));
    if (!paused && step(p)) {
      p.role->STATE &= ~state_path_bits;
      remove_at(i);
      continue;
    }
    ++i;
  }
}

void del_all_role_path() {
  for (int i = 0; i < path_count; ++i) paths[i].role->STATE &= ~state_path_bits;
  path_count = 0;
}
