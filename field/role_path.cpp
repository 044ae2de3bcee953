// Scripted role paths.
#include "field/role_path.h"

#include <cmath>
#include <new>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "data/map_role.h"
#include "field/field_camera_state.h"
#include "field/role_move.h"
#include "field/role_walk.h"

RolePath* lpTmpPath = nullptr;
int role_path_count = 0;

namespace {
// 無法配制路徑資料記憶體
constexpr const char* first_alloc_message = "\xB5L\xAAk\xB0t\xA8\xEE\xB8\xF4\xAE|\xB8\xEA\xAE\xC6\xB0O\xBE\xD0\xC5\xE9";
// add_role_path(...) 無法配制 lpTmpPath->next 記憶體
constexpr const char* next_alloc_message =
    "add_role_path(...) \xB5L\xAAk\xB0t\xA8\xEE lpTmpPath->next \xB0O\xBE\xD0\xC5\xE9";
constexpr std::uint32_t state_turning = 0x40000;
constexpr std::uint32_t state_turning_to_target = 0xC0000;
constexpr int kept_qq_var = 3;
constexpr std::uint32_t state_always_collides = 0x4;  // walks its paths with map collision

std::uint16_t& kept_qq(MapRole& r) { return *role_var(r, kept_qq_var); }

// The link that points at the n-th node (the head for 0), walked at most role_path_count times.
RolePath** link_at(int n) {
  RolePath** link = &lpTmpPath;
  for (int i = 0; i < n && *link; ++i) link = &(*link)->next;
  return link;
}

void unlink(RolePath** link) {
  RolePath* node = *link;
  *link = node->next;
  node->~RolePath();
  mem_free(node);
  --role_path_count;
}

void end_path(const RolePath& p) {
  MapRole& r = *p.role;
  if (p.flags & path_view_follows) clear_flag(flag_talk_waits_path);
  kept_qq(r) = r.anim.qq;
  r.anim.qq = 0;
  if (p.flags & path_end_pose) {
    kept_qq(r) = r.anim.qq = p.end_qq;
    if (p.flags & path_turn_to_end) {
      r.STATE |= state_turning_to_target;
      r.turn_dir = p.end_dir;
      set_role_turn(&r);
    } else {
      r.DIR = p.end_dir;
    }
  }
  r.STATE = (r.STATE & ~state_keeps_facing) | state_path_ended;
  if (p.flags & path_made_floating) r.STATE &= ~state_floats;
  r.flagEx &= static_cast<std::uint16_t>(~flagex_no_collide);
}

// Ends and removes finished nodes, scanning again from the head after each.
void end_finished() {
  for (bool found = true; found;) {
    found = false;
    int n = 0;
    for (RolePath* p = lpTmpPath; p; p = p->next, ++n) {
      if (!(p->flags & path_finished)) continue;
      end_path(*p);
      del_role_path_at(n);
      found = true;
      break;
    }
  }
}

// This frame's step of a node; marks it finished when it arrives.
void path_step(RolePath& p, float step[3]) {
  MapRole& r = *p.role;
  if (p.flags & path_walk_frames) {
    if (!(p.flags & path_heading_set)) {
      r.DIR = p.dir;
      p.flags |= path_heading_set;
    }
    const float d = std::fmod(p.dir + 270.0f, 360.0f) * g3d_deg_to_rad;
    step[0] = std::cos(d) * p.speed;
    step[1] = p.height;
    step[2] = std::sin(d) * p.speed;
    if (++p.frames_done >= p.frame_count) p.flags |= path_finished;
    return;
  }
  const float v[3] = {std::trunc(p.target[0]) - std::trunc(r.X),
                      (r.STATE & state_floats) ? std::trunc(p.target[1]) - std::trunc(r.Y) : 0.0f,
                      std::trunc(p.target[2]) - std::trunc(r.Z)};
  const float dist = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (!(p.flags & path_heading_set)) {
    float yaw = 0.0f;
    // At its target already the role keeps its direction.
    if (!(r.STATE & (state_stand_on | state_keeps_facing)) && ground_yaw(v[0], v[2], &yaw)) r.DIR = yaw;
    p.flags |= path_heading_set;
  }
  const float scale = dist <= p.speed ? 1.0f : p.speed / dist;
  if (dist <= p.speed) p.flags |= path_finished;
  for (int i = 0; i < 3; ++i) step[i] = dist > 0.0f ? v[i] * scale : 0.0f;
}

void walk(RolePath& p) {
  MapRole& r = *p.role;
  if ((r.STATE & (state_turning | state_held)) || ((r.STATE & state_in_talk) && !(p.flags & path_talk_walk))) return;
  r.anim.qq = p.walk_qq[0];
  r.flagEx |= flagex_no_collide;
  float step[3] = {};
  path_step(p, step);
  if ((p.flags & path_collide) || (r.STATE & state_always_collides)) {
    const float x = r.X, y = r.Y, z = r.Z;
    if (move_role(&r, step[0], step[1], step[2]) == 1) {
      Take_3dActData(&r.anim);
    } else {
      r.X = x, r.Y = y, r.Z = z;
      p.flags |= path_finished;  // a blocked path ends where it stands
    }
  } else {
    Take_3dActData(&r.anim);
    if (move_role(&r, step[0], step[1], step[2]) == 0) {
      p.flags |= path_made_floating;
      r.STATE |= state_floats;
    }
  }
  if (p.flags & path_view_follows) {
    field_camera_state.target_point[0] = r.X;
    field_camera_state.target_point[1] = r.Y + p.height;
    field_camera_state.target_point[2] = r.Z;
  }
}
}  // namespace

void add_role_path(const RolePath* path) {
  if (!path || !path->role) return;
  MapRole& r = *path->role;
  if (kept_qq(r) != 0) r.anim.qq = kept_qq(r);
  void* block = mem_calloc(sizeof(RolePath));
  if (!block) {
    report_error("%s", lpTmpPath ? next_alloc_message : first_alloc_message);
    return;
  }
  RolePath* node = new (block) RolePath(*path);
  node->walk_qq[1] = node->walk_qq[0];
  node->next = nullptr;
  r.STATE &= ~state_path_ended;
  *link_at(role_path_count) = node;
  r.STATE |= state_on_path;
  ++role_path_count;
}

void del_role_path(std::uint16_t RoleID) {
  RolePath** link = &lpTmpPath;
  for (int i = 0; i < role_path_count && *link; ++i, link = &(*link)->next) {
    MapRole& r = *(*link)->role;
    if (r.RoleID != RoleID) continue;
    r.STATE &= ~(state_on_path | state_keeps_facing);
    r.flagEx &= static_cast<std::uint16_t>(~flagex_no_collide);
    unlink(link);
    return;
  }
}

void del_role_path_at(int n) {
  if (n < 0 || n >= role_path_count) return;
  RolePath** link = link_at(n);
  if (!*link) return;
  (*link)->role->STATE &= ~state_on_path;
  unlink(link);
}

void del_all_role_path() {
  while (lpTmpPath) unlink(&lpTmpPath);
  role_path_count = 0;
}

void clear_role_path_flags(std::uint16_t RoleID, std::uint32_t bits) {
  for (RolePath* p = lpTmpPath; p; p = p->next)
    if (p->role->RoleID == RoleID) {
      p->flags &= ~bits;
      return;
    }
}

const RolePath* find_role_path(std::uint16_t RoleID) {
  for (RolePath* p = lpTmpPath; p; p = p->next)
    if (p->role->RoleID == RoleID) return p;
  return nullptr;
}

void run_role_paths() {
  if (role_path_count < 1) return;
  end_finished();
  for (RolePath* p = lpTmpPath; p; p = p->next) walk(*p);
}
