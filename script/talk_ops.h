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

// Roles: animation, facing, place and map, walks, holding, the leader, STATE bits, AI
// (talk_role_ops.cpp).
constexpr float talk_default_speed = 8.0f;
extern float talk_walk_speed;   // the speed of the walks scripts start
extern float next_path_y_step;  // the view height of the next walk; each walk takes it back to 0
SliceResult talk_set_act(TalkRun& run);          // 20
SliceResult talk_set_qq(TalkRun& run);           // 21
SliceResult talk_keep_delay(TalkRun& run);       // 22
SliceResult talk_free_delay(TalkRun& run);       // 23
SliceResult talk_turn_role(TalkRun& run);        // 24
SliceResult talk_set_walk_speed(TalkRun& run);   // 25
SliceResult talk_default_walk_speed(TalkRun& run);  // 26
SliceResult talk_place_role(TalkRun& run);       // 27
SliceResult talk_move_to_map(TalkRun& run);      // 28
SliceResult talk_walk_to(TalkRun& run);          // 29
SliceResult talk_walk_view(TalkRun& run);        // 30
SliceResult talk_walk_up_to(TalkRun& run);       // 31
SliceResult talk_wait_path(TalkRun& run);        // 32
SliceResult talk_hold_role(TalkRun& run);        // 33
SliceResult talk_release_role(TalkRun& run);     // 34
SliceResult talk_take_off_map(TalkRun& run);     // 35
SliceResult talk_put_back(TalkRun& run);         // 36
SliceResult talk_set_bit_3(TalkRun& run);        // 37
SliceResult talk_clear_bit_3(TalkRun& run);      // 38
SliceResult talk_make_leader(TalkRun& run);      // 39
SliceResult talk_kind_14(TalkRun& run);          // 40
SliceResult talk_kind_13(TalkRun& run);          // 41
SliceResult talk_clear_kind(TalkRun& run);       // 42
SliceResult talk_bit_5(TalkRun& run);            // 43
SliceResult talk_bit_1(TalkRun& run);            // 44
SliceResult talk_occupy_cell(TalkRun& run);      // 45
SliceResult talk_bit_2(TalkRun& run);            // 46
SliceResult talk_move_to_role(TalkRun& run);     // 47
SliceResult talk_set_role_ai(TalkRun& run);      // 275

// Role jumps, turns, walks to a pose and the distance test (talk_walk_ops.cpp).
SliceResult talk_wait_role_act(TalkRun& run);    // 97
SliceResult talk_jump_role(TalkRun& run);        // 110
SliceResult talk_wait_jump(TalkRun& run);        // 111
SliceResult talk_landed_jump(TalkRun& run);      // 112
SliceResult talk_overlap_jump(TalkRun& run);     // 113
SliceResult talk_face_role(TalkRun& run);        // 118
SliceResult talk_wait_turn(TalkRun& run);        // 119
SliceResult talk_turn_by(TalkRun& run);          // 131
SliceResult talk_walk_pose(TalkRun& run);        // 137
SliceResult talk_near_jump(TalkRun& run);        // 142
SliceResult talk_keep_player_dir(TalkRun& run);  // 166
SliceResult talk_path_y_step(TalkRun& run);      // 171

// The field camera (talk_camera_ops.cpp). talk_camera_busy is 1 from the first run of a waiting
// camera opcode (68-71, 130) until one completes; every event shares it.
extern int talk_camera_busy;
SliceResult talk_camera_interp(TalkRun& run);    // 62
SliceResult talk_point_speed(TalkRun& run);      // 63
SliceResult talk_angle_speed(TalkRun& run);      // 64
SliceResult talk_distance_speed(TalkRun& run);   // 65
SliceResult talk_control_on(TalkRun& run);       // 66
SliceResult talk_control_off(TalkRun& run);      // 67
SliceResult talk_camera_point(TalkRun& run);     // 68
SliceResult talk_camera_angles(TalkRun& run);    // 69
SliceResult talk_camera_distance(TalkRun& run);  // 70
SliceResult talk_camera_follow(TalkRun& run);    // 71
SliceResult talk_camera_eye(TalkRun& run);       // 72
SliceResult talk_camera_mode(TalkRun& run);      // 73
SliceResult talk_eye_speed(TalkRun& run);        // 74
SliceResult talk_point_interp(TalkRun& run);     // 75
SliceResult talk_angle_interp(TalkRun& run);     // 76
SliceResult talk_distance_interp(TalkRun& run);  // 77
SliceResult talk_eye_mode(TalkRun& run);         // 78
SliceResult talk_view_zoom(TalkRun& run);        // 86
// Marks the camera as busy for the running event, which then owns the mark.
void set_camera_busy(const TalkRun& run);
// True while a waiting camera opcode's goal stands (a mark whose event left is cleared here).
bool camera_busy();
void clear_camera_busy();
// The talk waits for the camera unless the control mode says it does not; with flag 8031 too
// it does not even let a frame pass.
bool camera_go_on();
// The look-at goal, kept in the field's camera settings and given to the camera.
void set_camera_point_goal(float x, float y, float z);
// The rest of a camera opcode that looks at a point (71, 130), after its first run set the goal
// (goal_just_set) or on a later run: it passes once the camera arrived, or at once when the talk
// does not wait; with a snapping point the camera moves at once and the script goes on.
SliceResult camera_point_wait(bool goal_just_set);
// The event in the queue slot leaves: the camera mark it owns goes with it.
void undo_camera_marks(int slot);

// View, screen shade, effects and the return point (talk_view_ops.cpp).
extern int view_return_busy;  // opcode 115 runs
// The view's far distance, unless it is not beyond the near plane (opcodes 50, 134 and 163).
void set_far(float far_distance);
extern int view_return_snap;  // the next 115 snaps the camera back
extern int shade_busy;        // opcode 143 waits for the shade
extern float effect_offset[3];  // added to the role's place by the next effect at a role
SliceResult talk_walk_bounds(TalkRun& run);      // 114
SliceResult talk_view_return(TalkRun& run);      // 115
SliceResult talk_look_at_part(TalkRun& run);     // 130
SliceResult talk_far_distance(TalkRun& run);     // 134
SliceResult talk_view_return_snap(TalkRun& run); // 140
SliceResult talk_screen_shade(TalkRun& run);     // 143
SliceResult talk_wait_camera(TalkRun& run);      // 150
SliceResult talk_effect_offset(TalkRun& run);    // 153
SliceResult talk_role_effect(TalkRun& run);      // 154
SliceResult talk_save_return(TalkRun& run);      // 162
SliceResult talk_go_return(TalkRun& run);        // 163
// The event in the queue slot leaves: the view return's and the shade's marks it owns go too.
void undo_view_marks(int slot);

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

// Role looks, fades and settings (talk_look_ops.cpp).
extern int expression_mark;  // set by 120; the end opcode releases the device textures once
SliceResult talk_expression(TalkRun& run);       // 120
SliceResult talk_set_ai(TalkRun& run);           // 132
SliceResult talk_set_talk(TalkRun& run);         // 133
SliceResult talk_flagex_on(TalkRun& run);        // 135
SliceResult talk_weapon_ani(TalkRun& run);       // 138
SliceResult talk_keep_qq(TalkRun& run);          // 141
SliceResult talk_bit_7(TalkRun& run);            // 151
SliceResult talk_role_fade(TalkRun& run);        // 157
SliceResult talk_wait_role_fade(TalkRun& run);   // 158
SliceResult talk_turned_to_talk(TalkRun& run);   // 159
SliceResult talk_bit_21(TalkRun& run);           // 160
SliceResult talk_role_scale(TalkRun& run);       // 165
SliceResult talk_pose(TalkRun& run);             // 168
SliceResult talk_flagex_off(TalkRun& run);       // 170

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
SliceResult talk_world_map(TalkRun& run);        // 199
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
