#pragma once
// The special effect list: the battle's stage for animated effects. Spell and weapon
// animations play at a point, fly with a velocity or along a path to a target, optionally turn
// into a follow-up animation on arrival, fade out, carry a particle emitter, and deliver the
// action's hits when their animation fires a hit event or when they arrive. Layer 0 is drawn
// before the battle HUD, layer 1 after it.
#include <cstdint>

#include "g3d/act_animation.h"
#include "g3d/effects/model_attachments.h"

class FightMan;
class Camera;

constexpr int special_motion_fade_out = 0x1;  // fade out after the animation ends
constexpr int special_motion_velocity = 0x2;  // move by the velocity for duration frames
constexpr int special_motion_path = 0x4;      // travel from position to target in duration frames
constexpr int special_motion_path_fade = 0x8;  // fade along the path (layer 0 models)
constexpr int special_max_targets = 16;

constexpr int special_add_front = 0x1;
constexpr int special_add_back = 0x2;

struct SpecialEffect {
  ActInstance instance;  // its act and qq are the effect's key
  G3dVector position{};  // path start; current point of a moving effect
  G3dVector target{};    // path end; draw point of an effect that does not move
  float velocity[3] = {};  // units per frame; y unused
  int motion = 0;
  std::uint32_t render_flags = 0;  // ORed into the draw flags
  EffectHandle emitter;  // kept on the draw point; wound down when the effect ends
  EffectSlots slots;     // effects the animation asks for at model points
  int target_count = 0;
  FightMan* actor = nullptr;
  FightMan* targets[special_max_targets] = {};
  std::int16_t duration = 0;  // frames
  int extra_yaw = 0;
  std::uint16_t follow_act = 0, follow_qq = 0;  // act 0: none
  std::uint16_t step = 0;
  std::uint16_t fade = 0;
  std::uint16_t delay = 0;  // frames before it starts
  std::uint8_t finished = 0;
  int layer = 0;
  int hit_flag = 0;  // a hit event was delivered (layer 0)
};

// What the battle does with a hit: the actor's action on its targets, with the event word.
// Without a registered handler effects deliver no hits.
using SpecialEffectHitHandler = void (*)(FightMan* actor, FightMan* const* targets, int target_count,
                                         std::uint32_t events);
void set_special_effect_hit_handler(SpecialEffectHitHandler handler);
// The camera whose heading turns standing quads; null: heading 0.
void set_special_effect_camera(const Camera* camera);

// Copies the template: at the front (0x1), at the end (0x2), or both.
void add_special_effect(const SpecialEffect* source, int where);
// The per-frame passes of layer 0 and layer 1: 1 when the list is empty, else 0.
int play_special_effect_back();
int play_special_effect_front();
// Removes the finished effects, or every effect with all = 1. Attached emitters are untouched.
void clear_special_effect_list(int all);
void del_special_effect(std::uint16_t act, std::uint16_t qq);
int is_special_effect_list_empty();
int is_special_effect_done(std::uint16_t act, std::uint16_t qq);
int get_special_effect_pos(std::uint16_t act, std::uint16_t qq, G3dVector* out);
int check_special_effect_event(std::uint16_t act, std::uint16_t qq, int picture);
int special_effect_count();
