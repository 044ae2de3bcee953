#pragma once
// Scripted role paths: walks that talk and AI scripts give roles, to a point or along a
// direction for a number of frames, advanced once a frame by run_role_paths.
#include <cstdint>

struct MapRole;

// Path flags set by the caller.
constexpr std::uint32_t path_collide = 0x1;         // collide with the map
constexpr std::uint32_t path_view_follows = 0x2;    // the field camera follows; ends flag 8031
constexpr std::uint32_t path_walk_frames = 0x4;     // walk a direction for a frame count
constexpr std::uint32_t path_talk_walk = 0x8;       // keeps walking while its role is in a talk
constexpr std::uint32_t path_turn_to_end = 0x10;    // with 0x20: turns to the end direction by steps
constexpr std::uint32_t path_end_pose = 0x20;       // takes the end QQ and direction at the end
// Path flags set by the runner.
constexpr std::uint32_t path_made_floating = 0x20000000;  // a free move failed: the role floats
constexpr std::uint32_t path_heading_set = 0x40000000;
constexpr std::uint32_t path_finished = 0x80000000;

// STATE bits of a role on a path.
constexpr std::uint32_t state_path_ended = 0x20;        // scripts wait on it
constexpr std::uint32_t state_keeps_facing = 0x200000;  // with 0x800: does not turn to its walk

struct RolePath {
  MapRole* role = nullptr;
  std::uint32_t flags = 0;
  std::uint16_t frames_done = 0, frame_count = 0;  // direction mode
  std::uint16_t walk_qq[2] = {};                   // the walking QQ, and its copy made when added
  std::uint16_t end_qq = 0, end_dir = 0;           // with path_end_pose
  std::int32_t delay_count = 0, delay = 0;          // the walker's animation pace when the AI queued it
  float target[3] = {};
  float height = 0.0f;  // direction mode: Y per frame; with path_view_follows: the focus height
  float dir = 0.0f;     // degrees, direction mode
  float speed = 0.0f;   // world units per frame
  RolePath* next = nullptr;
};

extern RolePath* lpTmpPath;
extern int role_path_count;

// Appends a copy of the template and marks its role as on a path.
void add_role_path(const RolePath* path);
// Removes the first path of that role and clears its path bits; nothing when it has none.
void del_role_path(std::uint16_t RoleID);
// Removes the n-th path (from 0); nothing when n is not below the count.
void del_role_path_at(int n);
void del_all_role_path();
// Clears bits in the flags of the role's first path.
void clear_role_path_flags(std::uint16_t RoleID, std::uint32_t bits);
// The first path of that role, or null.
const RolePath* find_role_path(std::uint16_t RoleID);
// Ends the paths finished last frame, then walks every path one frame.
void run_role_paths();
