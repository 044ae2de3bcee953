#pragma once
// The talk opcodes by group; the table (talk_opcodes.cpp) names each with its size.
#include "script/talk_interpreter.h"

// Flow control, flags and waits (talk_flow_ops.cpp).
SliceResult talk_nothing(TalkRun& run);          // 0, 0x4000
SliceResult talk_jump(TalkRun& run);             // 1
SliceResult talk_jump_if_set(TalkRun& run);      // 2
SliceResult talk_jump_if_clear(TalkRun& run);    // 3
SliceResult talk_jump_if_all(TalkRun& run);      // 4
SliceResult talk_jump_if_any(TalkRun& run);      // 5
SliceResult talk_set_flag(TalkRun& run);         // 6
SliceResult talk_clear_flag(TalkRun& run);       // 7
SliceResult talk_set_timer(TalkRun& run);        // 8
SliceResult talk_timed_wait(TalkRun& run);       // 9
SliceResult talk_running_flag(TalkRun& run);     // 54
SliceResult talk_scene_effect(TalkRun& run);     // 58
SliceResult talk_player_free(TalkRun& run);      // 59
SliceResult talk_wait_path_on(TalkRun& run);     // 60
SliceResult talk_wait_path_off(TalkRun& run);    // 61
SliceResult talk_clear_flags(TalkRun& run);      // 83
SliceResult talk_draw_off(TalkRun& run);         // 88
SliceResult talk_random_jump(TalkRun& run);      // 89

// Message boxes and choices (talk_box_ops.cpp).
SliceResult talk_message_box(TalkRun& run);      // 10
SliceResult talk_set_box_colour(TalkRun& run);       // 11
SliceResult talk_box_frame(TalkRun& run);        // 12
SliceResult talk_wait_box(TalkRun& run);         // 13
SliceResult talk_set_char_spacing(TalkRun& run);     // 14
SliceResult talk_line_spacing(TalkRun& run);     // 15
SliceResult talk_text_colour(TalkRun& run);      // 16
SliceResult talk_choice(TalkRun& run);           // 17
SliceResult talk_close_box(TalkRun& run);        // 18

// Scene and map change (talk_scene_ops.cpp).
SliceResult talk_map_change(TalkRun& run);       // 50

// The random numbers of opcode 89: a linear congruential generator apart from the game's own.
void talk_rand_seed(std::uint32_t seed);
int talk_rand();  // 0 to 32767
