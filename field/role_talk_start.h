#pragma once
// Starting a talk with a role the player clicked or faced: the player turns to it (a click),
// the role turns to the player and its talk is queued once the turn has ended.
#include <cstdint>

struct MapRole;

// STATE bits a talk start reads.
constexpr std::uint32_t state_not_searched = 0x8;        // Space does not find it
constexpr std::uint32_t state_talks_at_once = 0x400 | 0x800;
constexpr std::uint32_t state_talk_keeps_dir = 0x1000;  // talks at once and keeps its direction
constexpr std::uint32_t state_turning = 0x40000;
constexpr std::uint32_t state_script_starts_talk = 0x80000;
constexpr std::uint32_t state_never_clicked = 0x4000000;

// The talk with gmMapRole[t] started by the controlled role p.
void start_role_talk(MapRole& p, int t, bool by_click);
