#pragma once
// The field AI interpreter: roles on the field run their AI.gll scripts a slice a frame.
#include <span>

#include "script/ai_run.h"

struct MapRole;

// Runs one frame's slice of the role's AI script.
void run_role_ai(MapRole* role);
// The field AI's opcode table, sorted by number.
std::span<const AiOpRow> role_ai_opcodes();
// True when the role takes part in the field's per-frame AI run.
bool role_runs_ai(const MapRole& role);

// Field AI opcodes of their own (role_ai_ops.cpp).
SliceResult ai_timed_wait(AiRun& run);     // 16
SliceResult ai_box_colour(AiRun& run);     // 18
SliceResult ai_box_frame(AiRun& run);      // 19
SliceResult ai_wait_box(AiRun& run);       // 20
SliceResult ai_set_act(AiRun& run);        // 21
SliceResult ai_set_qq(AiRun& run);         // 22
SliceResult ai_keep_delay(AiRun& run);     // 23
SliceResult ai_free_delay(AiRun& run);     // 24
SliceResult ai_set_dir(AiRun& run);        // 25
SliceResult ai_set_speed(AiRun& run);      // 26
SliceResult ai_run_speed(AiRun& run);      // 27
SliceResult ai_place(AiRun& run);          // 28
SliceResult ai_walk_to(AiRun& run);        // 29
SliceResult ai_wait_path(AiRun& run);      // 30
SliceResult ai_hold_role(AiRun& run);      // 31
SliceResult ai_release_role(AiRun& run);   // 32
SliceResult ai_leave_map(AiRun& run);      // 33
SliceResult ai_return_map(AiRun& run);     // 34
SliceResult ai_set_bit_3(AiRun& run);      // 35
SliceResult ai_clear_bit_3(AiRun& run);    // 36
SliceResult ai_walk_frames(AiRun& run);    // 37
SliceResult ai_walk_pose(AiRun& run);      // 38
SliceResult ai_wait_anim(AiRun& run);      // 39
SliceResult ai_field_random(AiRun& run);   // 50
