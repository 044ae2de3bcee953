#pragma once
// The talk opcodes by group; the table (talk_opcodes.cpp) names each with its size.
#include "script/talk_interpreter.h"

// Jumps by the offset at the cursor, counted from the offset's own place.
void talk_jump_here(TalkRun& run);
// Jumps when take, else steps over the offset.
void talk_jump_if(TalkRun& run, bool take);

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

// Scene, map change, hand-over and battle (talk_scene_ops.cpp).
extern int talk_alpha_fade_mark;  // 1 while an opcode 53 runs
SliceResult talk_role_ani(TalkRun& run);         // 48
SliceResult talk_del_role_ani(TalkRun& run);     // 49
SliceResult talk_map_change(TalkRun& run);       // 50
SliceResult talk_tint_fade(TalkRun& run);        // 51
SliceResult talk_screen_colour(TalkRun& run);    // 52
SliceResult talk_alpha_fade(TalkRun& run);       // 53
SliceResult talk_screen_ani(TalkRun& run);       // 55
SliceResult talk_map_note(TalkRun& run);         // 79
SliceResult talk_hand_over(TalkRun& run);        // 80
SliceResult talk_battle(TalkRun& run);           // 81
SliceResult talk_rearm_note(TalkRun& run);       // 82
SliceResult talk_tile_fade(TalkRun& run);        // 84
SliceResult talk_wait_tile_fade(TalkRun& run);   // 85
SliceResult talk_wait_role_anim(TalkRun& run);   // 87

// Videos, scene animations and the animated camera (talk_video_ops.cpp).
constexpr std::size_t video_name_size = 260;
extern char video_name[video_name_size];
SliceResult talk_video(TalkRun& run);            // 90
SliceResult talk_moving_ani(TalkRun& run);       // 91
SliceResult talk_ani_to_role(TalkRun& run);      // 92
SliceResult talk_ani_at_role(TalkRun& run);      // 93
SliceResult talk_wait_ani(TalkRun& run);         // 95
SliceResult talk_del_ani(TalkRun& run);          // 96
SliceResult talk_wait_video_frame(TalkRun& run); // 98
SliceResult talk_video_no_wait(TalkRun& run);    // 99
SliceResult talk_act_camera(TalkRun& run);       // 260
SliceResult talk_wait_act_camera(TalkRun& run);  // 261
SliceResult talk_act_camera_go(TalkRun& run);    // 262
SliceResult talk_act_camera_end(TalkRun& run);   // 263

// The random numbers of opcode 89: a linear congruential generator apart from the game's own.
void talk_rand_seed(std::uint32_t seed);
int talk_rand();  // 0 to 32767

// Sound effects and music (talk_sound_ops.cpp).
extern int music_fade_frames;  // the fade of the talk's music changes; 146 sets it back to 0
SliceResult talk_music_name(TalkRun& run);       // 103
SliceResult talk_play_sfx(TalkRun& run);         // 105
SliceResult talk_stop_sfx(TalkRun& run);         // 106
SliceResult talk_music(TalkRun& run);            // 144
SliceResult talk_map_music(TalkRun& run);        // 145
SliceResult talk_music_back(TalkRun& run);       // 146
SliceResult talk_music_fade(TalkRun& run);       // 147
SliceResult talk_wait_music(TalkRun& run);       // 148

// Role variables, items, money and residents (talk_value_ops.cpp).
SliceResult talk_item_jump(TalkRun& run);        // 280
SliceResult talk_money_below_jump(TalkRun& run); // 281
SliceResult talk_resident_room_jump(TalkRun& run);  // 290
SliceResult talk_add_resident(TalkRun& run);     // 291
SliceResult talk_del_resident(TalkRun& run);     // 292
SliceResult talk_residents_jump(TalkRun& run);   // 293
SliceResult talk_set_var(TalkRun& run);          // 300
SliceResult talk_add_var(TalkRun& run);          // 301
SliceResult talk_sub_var(TalkRun& run);          // 302
SliceResult talk_var_at_least_jump(TalkRun& run);  // 303
SliceResult talk_var_at_most_jump(TalkRun& run);   // 304
SliceResult talk_var_equal_jump(TalkRun& run);     // 305
SliceResult talk_script_value_var(TalkRun& run);   // 310

// The party's money, resources, bag, arts, health and treasures (talk_party_ops.cpp).
SliceResult talk_heal(TalkRun& run);             // 139
SliceResult talk_script_value_0(TalkRun& run);   // 149
SliceResult talk_battle_sequence(TalkRun& run);  // 161
SliceResult talk_treasure_event(TalkRun& run);   // 167
SliceResult talk_fame_cleared(TalkRun& run);     // 169
SliceResult talk_learn_art(TalkRun& run);        // 172
SliceResult talk_raise_treasures(TalkRun& run);  // 173
SliceResult talk_money_jump(TalkRun& run);       // 250
SliceResult talk_add_money(TalkRun& run);        // 251
SliceResult talk_add_item(TalkRun& run);         // 252
SliceResult talk_del_item(TalkRun& run);         // 253
SliceResult talk_add_wood(TalkRun& run);         // 254
SliceResult talk_add_metal(TalkRun& run);        // 255
SliceResult talk_add_coal(TalkRun& run);         // 256
SliceResult talk_pay_money(TalkRun& run);        // 257

// Texts, input, game screens and their marked forms (talk_screen_ops.cpp).
SliceResult talk_show_scene(TalkRun& run);       // 101
SliceResult talk_hide_scene(TalkRun& run);       // 102
SliceResult talk_text_slots(TalkRun& run);       // 116
SliceResult talk_name_plate_text(TalkRun& run);  // 117
SliceResult talk_input_wait(TalkRun& run);       // 121
SliceResult talk_input_release(TalkRun& run);    // 122
SliceResult talk_speed_up_off(TalkRun& run);     // 136
SliceResult talk_summon(TalkRun& run);           // 164
SliceResult talk_summon_marked(TalkRun& run);    // 8356
SliceResult talk_title(TalkRun& run);            // 200
SliceResult talk_shop(TalkRun& run);             // 202
SliceResult talk_shop_marked(TalkRun& run);      // 8394
SliceResult talk_save_screen(TalkRun& run);      // 203
SliceResult talk_load_screen(TalkRun& run);      // 204
SliceResult talk_pause(TalkRun& run);            // 210, 211, 212
SliceResult talk_pause_marked(TalkRun& run);     // 8402, 8403, 8404
SliceResult talk_cap_step(TalkRun& run);         // 270
