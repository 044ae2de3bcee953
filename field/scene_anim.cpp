// Scene animations.
#include "field/scene_anim.h"

#include <cmath>
#include <new>

#include "core/frame_timer.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "data/map_role.h"
#include "field/ani_model_draw.h"
#include "field/field_camera_state.h"
#include "field/map_file.h"
#include "g3d/act_draw.h"

AniNode gmAni;

namespace {
// add_ani(...)錯誤 無法配制 gmAni.next
constexpr const char* alloc_message = "add_ani(...)\xBF\xF9\xBB~ \xB5L\xAAk\xB0t\xA8\xEE gmAni.next";
// play_ani(..錯誤) \n  設定錯誤 \nact[%d] qq[%d]
constexpr const char* anim_message = "play_ani(..\xBF\xF9\xBB~) \n  \xB3]\xA9w\xBF\xF9\xBB~ \nact[%d] qq[%d]";
constexpr std::uint32_t blend_plain = 0, blend_alpha = 2;

void free_after(AniNode* prev) {
  AniNode* node = prev->next;
  prev->next = node->next;
  node->~AniNode();
  mem_free(node);
}

bool arrived(const AniNode& n) { return (n.flags & ani_arrived) != 0; }
bool finished(const AniNode& n) { return (n.flags & ani_counts_ended) || (n.instance.state & act_state_finished); }
bool is_anim(const AniNode& n, std::uint16_t act, std::uint16_t qq) { return n.instance.act == act && n.instance.qq == qq; }

void move_toward_target(AniNode& n) {
  if (arrived(n)) return;
  const float v[3] = {std::trunc(n.target_x) - std::trunc(n.x), std::trunc(n.target_y) - std::trunc(n.y),
                      std::trunc(n.target_z) - std::trunc(n.z)};
  const float dist = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (dist <= n.speed || !(dist > 0.0f)) {
    n.flags |= ani_arrived;
    n.x = n.target_x, n.y = n.target_y, n.z = n.target_z;
    return;
  }
  const float k = n.speed / dist;
  n.x += v[0] * k, n.y += v[1] * k, n.z += v[2] * k;
}

// The fade's next alpha; kept in 0..255 whatever the sign of the step.
std::uint8_t faded(const AniNode& n) {
  const float step = std::trunc(n.speed);
  const float a = (n.flags & ani_fading_out) ? float(n.alpha) - step : float(n.alpha) + step;
  if (!(a > 0.0f)) return 0;
  return a < 255.0f ? std::uint8_t(a) : 255;
}

// The role a following node rides on, or null when it is no longer on this map.
MapRole* followed_role(const AniNode& n) {
  if (!n.role || n.role < gmMapRole || n.role >= gmMapRole + map_role_capacity) return nullptr;
  if (n.map_id == map_record.map_number || n.role->RoleID == n.RoleID) return n.role;
  return nullptr;
}

void draw_node(AniNode& n, std::uint32_t colour, std::uint32_t blend) {
  ActInstance& a = n.instance;
  const std::uint32_t flags = blend | a.draw_flags;
  switch (a.kind) {
    case ani_kind_model:
      draw_ani_model(&n, n.x, n.y, n.z, n.rotation[0], n.rotation[1], n.rotation[2], n.scale[0], n.scale[1],
                     n.scale[2], colour, flags);
      break;
    case ani_kind_quad: {
      float x = n.x, z = n.z;
      if (n.flags & ani_faces_viewer) {
        const float t = std::fmod(270.0f + field_camera_state.current_angles[1], 360.0f) * g3d_deg_to_rad;
        x += std::cos(t) * n.facing_radius;
        z += std::sin(t) * n.facing_radius;
      }
      draw_act_3d(&a, x, n.y, z, n.rotation[0], n.rotation[1], n.rotation[2], n.scale[0], n.scale[1], n.scale[2],
                  colour, flags);
      break;
    }
    case ani_kind_sprite:
      draw_act_instance(&a, int(std::trunc(n.x)), int(std::trunc(n.y)), a.draw_flags);
      break;
    default:
      break;
  }
}

// One frame of a node; true when it is retired.
bool play_node(AniNode& n) {
  if (n.flags & ani_delayed) {
    if (game_clock - n.start_time >= n.delay) n.flags &= ~ani_delayed;
    return false;
  }
  if (!(n.flags & ani_moved_only) && !Take_3dActData(&n.instance))
    report_error(anim_message, n.instance.act, n.instance.qq);
  move_toward_target(n);
  std::uint32_t colour = n.instance.color, blend = blend_plain;
  if (n.flags & ani_fades) {
    blend = blend_alpha;
    n.alpha = faded(n);
    colour = std::uint32_t(n.alpha) << 24 | 0xFFFFFFu;
  }
  if (n.flags & ani_follows_role) {
    MapRole* r = followed_role(n);
    if (!r) return false;
    n.x = n.target_x = r->X;
    n.y = n.target_y = r->Y + r->head_height;
    n.z = n.target_z = r->Z;
  }
  if (!(n.flags & (ani_not_drawn | ani_moved_only))) draw_node(n, colour, blend);
  if (finished(n)) return arrived(n);
  return (n.flags & ani_remove_arrived) && arrived(n);
}
}  // namespace

void add_ani(const AniNode* node) {
  if (!node) return;
  void* block = mem_calloc(sizeof(AniNode));
  if (!block) {
    report_error("%s", alloc_message);
    return;
  }
  AniNode* copy = new (block) AniNode(*node);
  copy->next = nullptr;
  AniNode* tail = &gmAni;
  while (tail->next) tail = tail->next;
  tail->next = copy;
}

int del_ani(std::uint16_t act, std::uint16_t qq) {
  for (AniNode* prev = &gmAni; prev->next; prev = prev->next) {
    AniNode& n = *prev->next;
    if (!is_anim(n, act, qq)) continue;
    if ((n.flags & ani_fades) && n.alpha > 0) {
      n.flags |= ani_fading_out;
      return 0;
    }
    free_after(prev);
    return 1;
  }
  return 1;
}

void del_role_ani(std::uint16_t RoleID, std::uint16_t act, std::uint16_t qq) {
  for (AniNode* prev = &gmAni; prev->next; prev = prev->next)
    if (prev->next->RoleID == RoleID && is_anim(*prev->next, act, qq)) {
      free_after(prev);
      return;
    }
}

void del_all_ani() {
  while (gmAni.next) free_after(&gmAni);
}

int check_ani_end(std::uint16_t act, std::uint16_t qq) {
  int result = 1;
  for (const AniNode* n = gmAni.next; n; n = n->next) {
    // A wait on one animation is not held by another's moving nodes: only its own nodes count.
    if (!is_anim(*n, act, qq)) continue;
    if (n->flags & (ani_not_drawn | ani_moved_only))
      result = arrived(*n);
    else
      result = finished(*n) ? arrived(*n) : 0;
  }
  return result;
}

void play_ani() {
  for (AniNode* prev = &gmAni; prev->next;) {
    if (play_node(*prev->next))
      free_after(prev);
    else
      prev = prev->next;
  }
}
