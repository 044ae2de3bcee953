#pragma once
// The ATK commands by group; each reads its operands from the run's cursor and says how the
// step goes on (continue, yield, wait).
#include "battle/atk_script.h"

// Flow and waits (atk_flow_ops.cpp).
SliceResult atk_nothing(AtkRun& run);           // 0
SliceResult atk_jump(AtkRun& run);              // 1
SliceResult atk_wait_outcome(AtkRun& run);      // 16
SliceResult atk_wait_walk(AtkRun& run);         // 17
SliceResult atk_wait_anim(AtkRun& run);         // 18
SliceResult atk_wait_frame(AtkRun& run);        // 19
SliceResult atk_wait_time(AtkRun& run);         // 25
SliceResult atk_random_jump(AtkRun& run);       // 60
SliceResult atk_scene_hidden(AtkRun& run);      // 61
SliceResult atk_play_sound(AtkRun& run);        // 63
SliceResult atk_jump_if_branch(AtkRun& run);    // 67
SliceResult atk_jump_if_yang(AtkRun& run);      // 71
SliceResult atk_jump_if_yin(AtkRun& run);       // 72
SliceResult atk_jump_if_guest(AtkRun& run);     // 82
// Effects (atk_effect_ops.cpp).
SliceResult atk_effect_at_targets(AtkRun& run);  // 2
SliceResult atk_effect_at_actor(AtkRun& run);    // 3
SliceResult atk_group(AtkRun& run);              // 4
SliceResult atk_wait_effect(AtkRun& run);        // 5
SliceResult atk_emitter_at_targets(AtkRun& run); // 6
SliceResult atk_emitter_at_actor(AtkRun& run);   // 7
SliceResult atk_effect_travel(AtkRun& run);      // 8
SliceResult atk_effect_between(AtkRun& run);     // 9
SliceResult atk_wait_emitter(AtkRun& run);       // 11
SliceResult atk_emitter_slot(AtkRun& run);       // 12
SliceResult atk_clear_slot(AtkRun& run);         // 13
SliceResult atk_set_offset(AtkRun& run);          // 52
SliceResult atk_remove_effect(AtkRun& run);      // 53
SliceResult atk_effect_delay(AtkRun& run);       // 64
SliceResult atk_rise_effects(AtkRun& run);       // 74
SliceResult atk_at_actor(AtkRun& run);           // 75
SliceResult atk_turn_effect(AtkRun& run);        // 76
SliceResult atk_wait_effect_hit(AtkRun& run);    // 77
SliceResult atk_model_point(AtkRun& run);        // 79
SliceResult atk_keep_height(AtkRun& run);        // 80
SliceResult atk_wait_effect_frame(AtkRun& run);  // 83
// Units (atk_unit_ops.cpp).
SliceResult atk_walk_to_target(AtkRun& run);     // 14
SliceResult atk_jump_home(AtkRun& run);          // 15
SliceResult atk_set_act(AtkRun& run);            // 20
SliceResult atk_set_pose(AtkRun& run);           // 21
SliceResult atk_hit(AtkRun& run);                // 22
SliceResult atk_anim_delay(AtkRun& run);         // 26
SliceResult atk_move_to(AtkRun& run);            // 27
SliceResult atk_fade_out(AtkRun& run);           // 28
SliceResult atk_fade_in(AtkRun& run);            // 29
SliceResult atk_jump_to_target(AtkRun& run);     // 50
SliceResult atk_freeze(AtkRun& run);             // 51
SliceResult atk_afterimage(AtkRun& run);         // 54
SliceResult atk_fade_others(AtkRun& run);        // 55
SliceResult atk_trail(AtkRun& run);              // 59
SliceResult atk_walk_home(AtkRun& run);          // 65
SliceResult atk_call_companion(AtkRun& run);     // 70
SliceResult atk_dismiss_guardians(AtkRun& run);  // 78
SliceResult atk_walk_to_point(AtkRun& run);      // 81
// Camera (atk_camera_ops.cpp).
SliceResult atk_camera_free(AtkRun& run);        // 30
SliceResult atk_camera_done(AtkRun& run);        // 31
SliceResult atk_camera_interp(AtkRun& run);      // 32, 44, 45, 46
SliceResult atk_camera_speed(AtkRun& run);       // 33, 34, 35
SliceResult atk_camera_instant(AtkRun& run);     // 36, 37
SliceResult atk_camera_goal(AtkRun& run);        // 38, 39, 40, 41
SliceResult atk_camera_follow_target(AtkRun& run);  // 42
SliceResult atk_camera_follow(AtkRun& run);      // 43
SliceResult atk_camera_eye_mode(AtkRun& run);    // 47
SliceResult atk_camera_mode(AtkRun& run);        // 57
SliceResult atk_camera_overview(AtkRun& run);    // 62
SliceResult atk_camera_eye(AtkRun& run);         // 66
SliceResult atk_shake(AtkRun& run);              // 73
SliceResult atk_shake_hold(AtkRun& run);         // 84
// Screen and battlefield (atk_screen_ops.cpp).
SliceResult atk_tile_fade(AtkRun& run);          // 48
SliceResult atk_wait_tile_fade(AtkRun& run);     // 49
SliceResult atk_screen_fade(AtkRun& run);        // 56
SliceResult atk_scene_light(AtkRun& run);        // 58
SliceResult atk_world_change(AtkRun& run);       // 68
SliceResult atk_world_back(AtkRun& run);         // 69

// The start of a waiting command: true on its first execution (waiting set).
bool atk_first_time(AtkRun& run);
// The end of a waiting command: waiting cleared, the step yields past it.
SliceResult atk_done(AtkRun& run);
