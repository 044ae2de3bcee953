#pragma once
// Drawing one field role: distance culling, the fade-in of new roles, scripted translucency and
// fades, eight-direction sprites, the role's model with its face, expression and weapon
// overrides, the effects its animation attaches to model points, and its ground shadow. The
// rules that decide (culled, translucent, which sprite, which alpha) are plain functions.
#include <cstdint>

#include "field/role_move.h"  // mount_act
#include "g3d/act_animation.h"
#include "g3d/g3d_math.h"

struct MapRole;

// STATE bits the drawing reads and writes.
constexpr std::uint32_t state_not_drawn = 0x1 | 0x8;
constexpr std::uint32_t state_distance_culled = 0x2000;
constexpr std::uint32_t state_casts_shadow = 0x2000 | 0x4000;  // either bit
constexpr std::uint32_t state_no_shadow = 0x80;
constexpr std::uint32_t state_drawn = 0x20000;
constexpr std::uint32_t state_wide_culling = 0x80000000;  // on the player's role

constexpr float role_cull_near = 2500.0f;
constexpr float role_cull_far = 60000.0f;

// Animation instance bits the drawing reads.
constexpr std::uint32_t act_events_translucent = 0x1000000;
constexpr std::uint32_t act_events_single_sprite = 0x20000000;  // a quad role that is not an eight-direction sprite

// Animations of the field drawing.
constexpr std::uint16_t shadow_act = 9010;
constexpr std::uint16_t shadow_qq = 1;
constexpr std::uint16_t shadow_qq_translucent = 2;
constexpr float mount_offset_y = 700.0f;
constexpr std::uint32_t translucent_shadow_colour = 0x96FFFFFF;

// Role variables the drawing reads.
constexpr int role_var_qq_when_finished = 5;  // top bit set while pending
constexpr int role_var_show_weapon = 11;      // 1: the weapon is drawn
constexpr std::uint16_t role_var_pending = 0x8000;

// The shadow picture; the map change sets its ACT and QQ and advances it.
extern ActInstance shadow_instance;

void draw_field_role(MapRole* role);
void draw_role_shadow(MapRole* role);
// The role's model with its overrides; colour 0xFFFFFFFF takes the instance's colour.
void draw_role_model(MapRole* role, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                     float sz, std::uint32_t colour, std::uint32_t flags);
// Serves the animation's attachment requests at the model's tagged points and keeps the
// running effects on their points.
void attach_role_effects(const G3dMatrix* model_matrix, MapRole* role);
// Every attached effect stops emitting (it runs out and the field's manager deletes it) and
// its slot is emptied.
void clear_role_effects(MapRole* role);

// The controlled role (entry player_role_index, kept inside the table).
MapRole& field_player();

// ---- Rules -------------------------------------------------------------------------------
// The distance beyond which a role with STATE 0x2000 is not drawn.
float role_cull_limit(const MapRole& player);
// The draw alpha after one more drawn frame: +10, at most 255.
std::uint8_t grow_draw_alpha(std::uint8_t alpha);
// One frame of the role's scripted fade (nothing while its step is 0).
void step_role_fade(MapRole& role);
// Drawn after the world, so that blending sees the scenery.
bool role_is_translucent(const MapRole& role);
// The QQ an eight-direction sprite shows for its direction seen from the camera's yaw.
std::uint16_t eight_direction_qq(float dir, float camera_yaw, std::uint16_t qq);
// The model scale of a role: its own, or -0.4 for the leader walking on an outdoor map.
float role_model_scale(const MapRole& role);
bool role_casts_shadow(const MapRole& role);
// The colour and blend mode of a role draw. role_paint grows the draw alpha (every kind);
// model_role_paint adds the translucency byte and steps the scripted fade (model roles).
struct RolePaint {
  std::uint32_t colour;
  std::uint32_t blend;
};
RolePaint role_paint(MapRole& role);
RolePaint model_role_paint(MapRole& role, RolePaint paint);
