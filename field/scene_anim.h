#pragma once
// Scene animations: objects, pictures and effects that talk scripts stage in a scene, moved,
// animated, drawn and retired once a frame by play_ani.
#include <cstdint>

#include "g3d/act_animation.h"
#include "g3d/effects/model_attachments.h"

struct MapRole;

// Node flags.
constexpr std::uint32_t ani_counts_ended = 0x1;    // ended for check_ani_end; removed once arrived
constexpr std::uint32_t ani_faces_viewer = 0x2;    // a quad shifted toward the viewer
constexpr std::uint32_t ani_remove_arrived = 0x8;  // removed once arrived
constexpr std::uint32_t ani_not_drawn = 0x10;      // moved and animated only
constexpr std::uint32_t ani_moved_only = 0x20;     // neither animated nor drawn
constexpr std::uint32_t ani_follows_role = 0x80;
constexpr std::uint32_t ani_delayed = 0x100;       // hidden until its delay has passed
constexpr std::uint32_t ani_fades = 0x200;         // fades in, or out with 0x400
constexpr std::uint32_t ani_fading_out = 0x400;
constexpr std::uint32_t ani_arrived = 0x10000000;  // set by play_ani

// Instance kinds.
constexpr std::uint8_t ani_kind_model = 0, ani_kind_quad = 1, ani_kind_sprite = 2;

struct AniNode {
  float x = 0, y = 0, z = 0;                      // world units, or screen pixels for a sprite
  float target_x = 0, target_y = 0, target_z = 0;
  float rotation[3] = {};                          // degrees
  float scale[3] = {};
  float speed = 0;          // distance a frame toward the target; alpha a frame of a fade
  float facing_radius = 0;  // how far a viewer-facing quad is shifted
  std::uint8_t alpha = 0;
  std::uint32_t delay = 0;       // milliseconds
  std::uint32_t start_time = 0;  // game_clock when the delay started
  std::uint16_t map_id = 0;
  std::uint16_t RoleID = 0;
  MapRole* role = nullptr;
  std::uint32_t flags = 0;
  ActInstance instance;
  EffectSlots slots = {};  // effects attached to the model's points
  AniNode* next = nullptr;
};

// The dummy head: gmAni.next is the first node.
extern AniNode gmAni;

// Appends a copy of the template.
void add_ani(const AniNode* node);
// 1 when the first node of that animation was removed (or none exists); 0 when it started
// fading out instead.
int del_ani(std::uint16_t act, std::uint16_t qq);
void del_role_ani(std::uint16_t RoleID, std::uint16_t act, std::uint16_t qq);
void del_all_ani();
// For a talk's wait: 1 when the nodes of that animation have ended (or there are none).
int check_ani_end(std::uint16_t act, std::uint16_t qq);
// Moves, animates, draws and retires every node, once a frame.
void play_ani();
