#pragma once
// Scripted role paths: walks that the AI and talk scripts queue for roles.
#include <cstdint>

struct MapRole;

// Path flags.
constexpr std::uint32_t path_view_follows = 0x2;    // the field view follows the walker
constexpr std::uint32_t path_walk_frames = 0x4;     // walk a direction for a frame count
constexpr std::uint32_t path_talk_walk = 0x8;       // keeps walking while its role is in a talk
constexpr std::uint32_t path_turn_to_end = 0x10;    // turns to the end direction by steps
constexpr std::uint32_t path_end_pose = 0x20;       // takes the end QQ and direction at the end

struct RolePath {
  MapRole* role = nullptr;
  std::uint32_t flags = 0;
  std::uint16_t frame_count = 0;
  std::int16_t walk_qq[2] = {};
  std::int16_t end_qq = 0;
  std::uint16_t end_dir = 0;
  std::int32_t delay_count = 0;  // the role's animation delay countdown and frame delay
  std::int32_t delay = 0;
  float target[3] = {};
  float height = 0.0f;  // view height, or the vertical step per frame
  float dir = 0.0f;     // degrees
  float speed = 0.0f;
};

// Advances every path one frame and ends the ones that arrived.
void run_role_paths();
void del_all_role_path();
// Queues a copy of the path and sets its role's on-path bit (STATE bit 29).
void add_role_path(const RolePath* path);
// Removes the first queued path of that role and clears its path bits.
void del_role_path(std::uint16_t RoleID);
// Clears bits in the flags of the role's first queued path.
void clear_role_path_flags(std::uint16_t RoleID, std::uint32_t bits);
// The first queued path of that role, or null.
const RolePath* find_role_path(std::uint16_t RoleID);
