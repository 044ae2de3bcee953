// Drawing one field role.
#include "field/role_draw.h"

#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/random_r250.h"
#include "core/user_cfg.h"
#include "data/map_role.h"
#include "data/role_rows.h"
#include "field/field_camera_state.h"
#include "field/map_effects.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "g3d/act_draw.h"
#include "g3d/effects/model_attachments.h"
#include "g3d/held_model.h"
#include "g3d/model_cache.h"
#include "g3d/part_textures.h"
#include "g3d/ply_model.h"
#include "g3d/renderer.h"

ActInstance shadow_instance;

namespace {

constexpr std::uint32_t blend_alpha = 2;
constexpr std::uint32_t blend_low_bits = 0xF;
constexpr std::uint32_t opaque_white = 0xFFFFFF;
constexpr std::uint32_t instance_colour = 0xFFFFFFFF;
constexpr std::uint32_t keep_fade_blend = 0x1;  // draw_flags bit: a fading role keeps its blend mode
constexpr unsigned expression_material = 5;
constexpr float leader_outdoor_scale = -0.4f;
constexpr std::uint16_t leader_role = 1;
constexpr int user_shadow_translucent = 1;

// 角色[%d]更換表情ACT[%d]QQ[%d]有問題!!
constexpr const char* expression_message =
    "\xA8\xA4\xA6\xE2[%d]\xA7\xF3\xB4\xAB\xAA\xED\xB1\xA1""ACT[%d]QQ[%d]\xA6\xB3\xB0\xDD\xC3""D!!";
// [角色%d][武器ACT:%d QQ:%d]動作資料錯誤!!
constexpr const char* weapon_message =
    "[\xA8\xA4\xA6\xE2%d][\xAAZ\xBE\xB9""ACT:%d QQ:%d]\xB0\xCA\xA7@\xB8\xEA\xAE\xC6\xBF\xF9\xBB~!!";

std::uint32_t alpha_colour(std::uint32_t alpha) { return alpha << 24 | opaque_white; }

bool outdoor_map() { return (map_record.map_flags & map_outdoor) != 0; }

// The view shakes: each coordinate moves by a random whole 0..9.
G3dVector shaken(float x, float y, float z) {
  if (!(map_record.display_flags & map_display_shake)) return {x, y, z, 1};
  const float dx = float(rand_below(10)), dy = float(rand_below(10)), dz = float(rand_below(10));
  return {x + dx, y + dy, z + dz, 1};
}

void apply_face_overrides(MapRole* r, G3dPoly* model, PartTextureSwaps& swaps) {
  if (r->face_override == 0) return;
  apply_part_textures(model, r->face_part, r->face_act, r->face_qq, swaps);
}

void apply_expression(MapRole* r, G3dPoly* model) {
  ActInstance& e = r->expression_anim;
  if (e.act == 0) return;
  if (Take_3dActData(&e) != 1) {
    report_error(expression_message, r->RoleID, e.act, e.qq);
    return;
  }
  if (expression_material >= model->materials.size()) return;
  if (r->expression_saved_key == 0) r->expression_saved_key = model->materials[expression_material].tex_no;
  show_picture_on_part(model, expression_material, e);
}

void restore_textures(MapRole* r, G3dPoly* model, const PartTextureSwaps& swaps) {
  if (r->expression_saved_key > 0 && expression_material < model->materials.size())
    model->materials[expression_material].tex_no = r->expression_saved_key;
  restore_part_textures(model, swaps);
}

// The weapon at the model point tagged 0; false after a failed weapon animation (reported).
bool draw_weapon(MapRole* r, G3dPoly* model) {
  if (draw_held_model(model, r->anim, &r->weapon_anim, r->X, r->Y, r->Z, r->DIR)) return true;
  report_error(weapon_message, r->RoleID, r->weapon_anim.act, r->weapon_anim.qq);
  return false;
}

// A finished animation takes the QQ the role asked for, also in its placement row.
void take_pending_qq(MapRole* r) {
  std::uint16_t& pending = *role_var(*r, role_var_qq_when_finished);
  if (!(r->anim.state & act_state_finished) || !(pending & role_var_pending)) return;
  r->anim.qq = std::uint16_t(pending & ~role_var_pending);
  set_maps_role_qq(r->RoleID, r->anim.qq);
  pending = 0;
}

float distance_between(const MapRole& a, const MapRole& b) {
  const float dx = a.X - b.X, dy = a.Y - b.Y, dz = a.Z - b.Z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

MapRole& field_player() {
  const int i = player_role_index < 0 || player_role_index >= map_role_capacity ? 0 : player_role_index;
  return gmMapRole[i];
}

float role_cull_limit(const MapRole& player) {
  return (player.STATE & state_wide_culling) || test_flag(flag_input_captured) ? role_cull_far : role_cull_near;
}

std::uint8_t grow_draw_alpha(std::uint8_t alpha) { return alpha >= 245 ? 255 : std::uint8_t(alpha + 10); }

void step_role_fade(MapRole& r) {
  if (r.fade_step == 0 || !r.fade_running) return;
  const int current = r.fade_alpha, target = r.fade_target, step = r.fade_step;
  if (std::abs(target - current) <= step) {
    r.fade_alpha = r.fade_target;
    r.fade_target = 0;
    r.fade_running = 0;
    if (r.fade_alpha == 255) r.fade_step = 0;
    return;
  }
  r.fade_alpha = std::uint8_t(current + (target > current ? step : -step));
}

bool role_is_translucent(const MapRole& r) {
  return (r.anim.draw_flags & blend_low_bits) != 0 || r.opacity != 0 || r.fade_step != 0 ||
         (r.anim.events & act_events_translucent) != 0;
}

std::uint16_t eight_direction_qq(float dir, float camera_yaw, std::uint16_t qq) {
  // The difference is brought into [0, 360) first, so that no sign of fmod gives a negative sector.
  double d = std::fmod(double(dir) - double(camera_yaw), 360.0);
  if (!(d >= 0)) d = std::isnan(d) ? 0 : d + 360.0;
  int sector = int(std::fmod(d + 22.5, 360.0)) / 45;
  if (sector > 7) sector = 7;
  return std::uint16_t(sector + 8 * (qq / 8));
}

float role_model_scale(const MapRole& r) {
  if (r.RoleID == leader_role && outdoor_map() && party_riding == 0) return leader_outdoor_scale;
  return r.scale;
}

bool role_casts_shadow(const MapRole& r) {
  return (r.STATE & state_drawn) && r.anim.kind == 0 && (r.STATE & state_casts_shadow) && !(r.STATE & state_no_shadow);
}

RolePaint role_paint(MapRole& r) {
  RolePaint p{0, 0};
  if (r.draw_alpha < 255) {
    r.draw_alpha = grow_draw_alpha(r.draw_alpha);
    p.blend = blend_alpha;
  }
  p.colour = alpha_colour(r.draw_alpha);
  return p;
}

RolePaint model_role_paint(MapRole& r, RolePaint p) {
  if (r.opacity != 0) {
    p.colour = alpha_colour(r.opacity);
    if (r.opacity != 255) p.blend = blend_alpha;
  }
  if (r.fade_step != 0) {
    step_role_fade(r);
    p.colour = alpha_colour(r.fade_alpha);
    if (!(r.anim.draw_flags & keep_fade_blend)) p.blend = blend_alpha;
  }
  return p;
}

void draw_field_role(MapRole* r) {
  const MapRole& player = field_player();
  r->STATE |= state_drawn;
  if ((r->STATE & state_distance_culled) && distance_between(player, *r) > role_cull_limit(player)) {
    r->STATE &= ~state_drawn;
    return;
  }
  RolePaint paint = role_paint(*r);
  ActInstance& a = r->anim;
  if (a.kind == 0) {
    const float scale = role_model_scale(*r);
    paint = model_role_paint(*r, paint);
    draw_role_model(r, r->X, r->Y, r->Z, 0, r->DIR, 0, scale, scale, scale, paint.colour, a.draw_flags | paint.blend);
  } else if (a.kind == 1) {
    if (!(a.events & act_events_single_sprite)) {
      const std::uint16_t wanted = eight_direction_qq(r->DIR, field_camera_state.current_angles[1], a.qq);
      if (wanted != a.qq) {
        a.qq = wanted;
        Take_3dActData(&a);
      }
    } else {
      Take_3dActData(&a);
    }
    draw_act_3d(&a, r->X, r->Y, r->Z, 0, 0, 0, 0, 0, 0, paint.colour, a.draw_flags | paint.blend);
  }
}

void draw_role_shadow(MapRole* r) {
  if (test_flag(flag_shadows_off) || !role_casts_shadow(*r)) return;
  if (user_options[option_shadows] == user_shadow_translucent) {
    draw_act_quad(r->shadow_quad, &shadow_instance, translucent_shadow_colour,
                  (shadow_instance.draw_flags & ~blend_low_bits) | blend_alpha);
    return;
  }
  draw_act_quad(r->shadow_quad, &shadow_instance, shadow_instance.color, shadow_instance.draw_flags);
}

void draw_role_model(MapRole* r, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                     float sz, std::uint32_t colour, std::uint32_t flags) {
  ActInstance& a = r->anim;
  if (a.resource == 0) return;
  if (outdoor_map() && a.act == mount_act) a.offset[1] = mount_offset_y;
  G3dPoly* model = GetPoly(a.resource);
  r->drawn_model = model;
  if (!model) return;
  const G3dVector at = shaken(x, y, z);
  G3dMatrix m;
  act_model_matrix(&a, &m, at.x, at.y, at.z, rx, ry, rz, sx, sy, sz);
  PartTextureSwaps swaps;
  apply_face_overrides(r, model, swaps);
  apply_expression(r, model);
  if (colour == instance_colour) colour = a.color;
  if (a.attach_count != 0) attach_role_effects(&m, r);
  renderer.draw_model(&m, a.picture, model, colour, flags);
  restore_textures(r, model, swaps);
  if (*role_var(*r, role_var_show_weapon) == 1 && !draw_weapon(r, model)) return;
  play_act_sound(&a);
  take_pending_qq(r);
}

void attach_role_effects(const G3dMatrix* m, MapRole* r) {
  attach_model_effects(&field_effects, m, &r->anim, r->drawn_model, r->effect_slots);
}

void clear_role_effects(MapRole* r) { stop_slot_effects(r->effect_slots); }
