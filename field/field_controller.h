#pragma once
// The field mode's frame: the player's input and what it starts (run_field), then every role's
// turn, jump, pose and scripts (update_field_roles, field_role_update.cpp).
#include <cstdint>

struct MapRole;

void run_field();
void update_field_roles();
// One frame of a role's jump (STATE 0x1000000).
void step_role_jump(int index, MapRole* role);

// Walking frames since the last battle; battles, maps without encounters and the map change
// reset it.
extern int encounter_step_count;
// The role under the mouse (gmMapRole index, -1 none), shown by the debug panel.
extern int debug_picked_role;
// The role the player started a talk with (-1 none): its talk is queued when its turn ends.
extern int talk_partner_index;
// Frames since the mouse last moved; from 600 on the cursor is hidden.
extern int idle_cursor_frames;
// Counts down to the leader's next idle animation; its top bit marks one in progress.
extern std::uint32_t idle_timer;
// Set by a talk script: while 1, walking keeps the controlled role's kept direction.
extern int keep_direction_word;
// The role index talk scripts chose for the camera to follow during its jumps (-1 none).
extern int camera_follow_role;

// The controller's state back to its start values (walking frames, idle counters, the talk
// partner, the kept direction, the followed role, the mouse's drags, the menu icon's slide, the run mode): a new game
// starts as in a fresh process, whatever the last game left.
void reset_field_controller();

// The engine-state word that counts seconds of play (the frame timer counts it).
constexpr int state_word_play_seconds = 16;
