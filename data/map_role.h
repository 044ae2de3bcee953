#pragma once
// The live roles of the current map: gmMapRole, rebuilt from the placement rows whenever a map
// is entered. Entries 0-3 are the party (RoleIDs 0xFF01-0xFF04) and survive map changes.
#include <cstdint>

#include "g3d/act_animation.h"
#include "g3d/effects/model_attachments.h"
#include "g3d/g3d_vertex.h"
#include "g3d/motion.h"

struct G3dPoly;

struct MapRole {
  std::uint16_t act_rows[10] = {};  // ACT block: [0] 1 when a row was found, then the 3 x 3 block
  // Role variables, which scripts address by number: 1-6 here, 7 `RoleID`, 8 `TALK`, 9 `AI`,
  // 10-16 in var_high (see role_var).
  std::uint16_t var[6] = {};
  std::uint16_t RoleID = 0;
  std::uint16_t TALK = 0;
  std::uint16_t AI = 0;
  std::uint16_t var_high[7] = {};
  std::uint32_t STATE = 0;
  std::uint16_t flagEx = 0;
  float kept_dir = 0.0f;
  float DIR = 0.0f;
  float turn_dir = 0.0f;
  float X = 0.0f, Y = 0.0f, Z = 0.0f;
  float collision_radius = 0.0f;
  float head_height = 0.0f;
  float scale = 0.0f;  // 0: normal size
  float anim_size = 0.0f;
  std::uint8_t fade_alpha = 0;
  ActInstance anim;  // its ACT and QQ are the role's
  void* cap = nullptr;  // no Cap record is ever attached
  std::uint8_t opacity = 0;  // 0 draws normally, other values below 255 translucent

  // Field AI script state: offsets into the AI.gll body; ai_start 0 = not started.
  std::uint32_t ai_start = 0;
  std::uint32_t ai_offset = 0;
  // Talk script state of a queued talk event: offsets into the body of talk file slot
  // talk_base (TalksCache); talk_start 0 = not started.
  std::uint32_t talk_start = 0;
  std::uint32_t talk_offset = 0;
  int talk_base = 0;
  // The event's timed wait (talk opcode 9): the armed word and its clock.
  std::uint16_t talk_wait_word = 0;
  std::uint32_t talk_wait_start = 0;
  std::uint32_t talk_wait_now = 0;
  std::uint8_t turned_to_talk = 0;  // 1: the end of a talk turns the role back gradually

  // Movement, turning and jumps.
  float turn_speed = 0.0f;              // +5 or -5 degrees a frame while STATE 0x40000 turns it
  JumpMotion jump{};                    // the arc of a jump while STATE 0x1000000
  float cell_centre[3] = {};            // the collision cell under the feet after the last floor move
  std::uint8_t missing_anim = 0;        // 1 once a failed animation of the role was reported

  // Drawing.
  // The ground shadow on four points, rebuilt by every floor probe.
  G3dVertex shadow_quad[4] = {};
  // Rises by 10 each drawn frame from 0 when the role is made: new roles fade in once.
  std::uint8_t draw_alpha = 0;
  // The scripted fade: fade_alpha is its current alpha; a step of 0 means no fade.
  std::uint8_t fade_target = 0;
  std::uint8_t fade_step = 0;
  std::uint8_t fade_running = 0;
  // Face overrides: while face_override is not 0, each entry whose ACT is not 0 shows that
  // animation's picture on the named model material.
  std::uint32_t face_override = 0;
  std::uint16_t face_part[3] = {};
  std::uint16_t face_act[3] = {};
  std::uint16_t face_qq[3] = {};
  // The expression: its pictures replace the texture of model material 5; the material's own
  // texture key is kept to put it back (0: not taken yet).
  ActInstance expression_anim;
  std::uint32_t expression_saved_key = 0;
  ActInstance weapon_anim;  // drawn at the model point tagged 0 while role variable 11 is 1
  EffectSlots effect_slots = {};  // effects the animation attached to the model's points
  G3dPoly* drawn_model = nullptr;  // the model of the last draw, for the attachments
};

// Role variable v (1-16) of a role; null for any other number.
std::uint16_t* role_var(MapRole& role, int v);

constexpr int map_role_capacity = 256;
constexpr std::uint16_t party_role_first = 0xFF01;
constexpr std::uint16_t party_role_limit = 0xFF00;  // RoleIDs above belong to the party (or are retired)
constexpr std::uint32_t state_player = 0x8000;

// STATE bits that the script interpreters set, clear or test.
constexpr std::uint32_t state_off_map = 0x1;            // bit 0: out of the per-frame update
constexpr std::uint32_t state_bit_3 = 0x8;              // field AI opcodes 35 and 36
constexpr std::uint32_t state_bit_5 = 0x20;
constexpr std::uint32_t state_rising = 0x40;            // bit 6: a walk with a vertical step
constexpr std::uint32_t state_no_cell = 0x40;           // bit 6 as the talk's roles read it: no grid cell
constexpr std::uint32_t state_bit_8 = 0x100;
constexpr std::uint32_t state_keep_qq = 0x1000;         // bit 12: keeps its QQ when a talk ends
constexpr std::uint32_t state_turns_back = 0x2000;      // bit 13: turned back when a talk ends
constexpr std::uint32_t state_leader_kind = 0x4000;     // bit 14
constexpr std::uint32_t state_turn_steps = 0xC0000;     // bits 18 and 19: turning
constexpr std::uint32_t state_turn_under_way = 0x40000;  // bit 18: the field still turns it
constexpr std::uint32_t state_in_talk = 0x4000000;      // bit 26
constexpr std::uint32_t state_box_open = 0x8000000;     // bit 27: the role's message box is open
constexpr std::uint32_t state_on_path = 0x20000000;     // bit 29
constexpr std::uint32_t state_bit_30 = 0x40000000;
constexpr std::uint32_t state_held = 0x80000000;        // bit 31: no AI, no player control

extern MapRole gmMapRole[map_role_capacity];
extern int gmMapRoleCount;
extern int player_role_index;

// Rebuilds the table for a map from its placement rows; 1.
int read_maps_role(std::uint16_t map);
// Moves one role to a map and appends it to the live table: 0 for RoleID 0, else 1.
int add_maps_role(std::uint16_t map, std::uint16_t RoleID);
// A role's current state, live (whole record) or from its placement row (*map_out = its map);
// 1 found, 0 not.
int get_maps_role(std::uint16_t RoleID, MapRole* out, std::uint16_t* map_out);
// The Cap step of a talk opcode: reports that the role is absent or has no Cap record.
void apply_cap(std::uint16_t RoleID, std::uint16_t step);
