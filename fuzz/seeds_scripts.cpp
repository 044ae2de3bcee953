// Seeds for the script targets: assembled talk bodies, the sample game's talk files and AI.gll.
#include "fuzz/seeds.h"
#include "tests/fixtures/sample_scripts.h"
#include "tests/fixtures/script_assembler.h"

namespace {
using namespace fixtures;
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

// A talk seed: three control bytes (confirmation rhythm, button, clock step), then the body.
Bytes talk_seed(std::uint8_t confirm, std::uint8_t choice, const Bytes& body) {
  Bytes out{confirm, choice, 5};
  append(out, body);
  return out;
}

void talk_seeds(Seeds& seeds) {
  seeds.emplace_back("story.bin", talk_seed(3, 1, assemble_talk(sample_story_source)));
  seeds.emplace_back("flow.bin", talk_seed(0, 0, assemble_talk(R"(
    set_flag 600; 4 {600 601} @a; 5 {600} @a; a: timed_wait 20; set_timer 5 7
    89 [@b @c]; b: clear_flags 1 700; c: jump_if_set 600 @d; d: 59 1; 58 1; end)")));
  seeds.emplace_back("boxes.bin", talk_seed(1, 2, assemble_talk(R"(
    box_colour 255 1 2 3; box_frame 1 2; char_spacing 2; line_spacing 3; text_colour 5
    message_box 1001 10 1 2 3 4 5 6 7 1 "\xA4\x40%B1.%B2."; choice [@x @y]; x: close_box 1001
    y: wait_box 1001; 350 1; 351 1 2; 103 "name"; 202 {1 2 3}; end)")));
  seeds.emplace_back("sound.bin", talk_seed(0, 0, assemble_talk(R"(
    music_name "\xA4\x40.wav"; play_sfx 3; stop_sfx 3; talk_music 2 1 3 0 1; map_music 10 1 2 3 4
    music_fade 70; music_back 1; music_back 0; wait_music; end)")));
  seeds.emplace_back("values.bin", talk_seed(0, 0, assemble_talk(R"(
    set_var 1001 3 9; add_var 1001 3 65535; sub_var 1001 3 4; add_var 2002 2 5; set_var 1001 9 1
    var_at_least_jump 1001 3 1 @a; a: var_at_most_jump 1001 3 1 @b; b: var_equal_jump 2002 1 1 @c
    c: script_value_var 31 1001 8; script_value_var 32 1001 1; item_jump 3 1 @d; d: money_below_jump 0 @e
    e: resident_room_jump @f; f: add_resident 3; residents_jump 3 3 @g; g: del_resident 3; end)")));
  seeds.emplace_back("party.bin", talk_seed(0, 0, assemble_talk(R"(
    add_money 2147483647L; add_money 1L; pay_money -2147483648L; money_jump 300L @a; a: add_wood -5L
    add_metal 7L; add_coal 9L; add_item 3 5; del_item 3 9; heal 1 -9999L 70000L -30L; heal 0 1L 1L 1L
    learn_art 3 2; learn_art 0 2; raise_treasures 1; treasure_event; fame_cleared; script_value_0 7
    battle_sequence 2 1 2 3 4 5 6 7; cap_step 1001 1; cap_step 2002 1; end)")));
  seeds.emplace_back("screens.bin", talk_seed(0xC0, 0xC0, assemble_talk(R"(
    show_scene; hide_scene; text_slots "abc"; text_slots "\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40"
    text_slots "0x"; name_plate 3; input_wait; input_release; speed_up_off; summon; shop {1 2 3}
    pause_210; pause_211; pause_212; save_screen; load_screen; nothing_201; end)")));
  seeds.emplace_back("roles.bin", talk_seed(0, 0, assemble_talk(R"(
    set_act 1001 3; set_qq 1001 8; keep_delay 1001 2; free_delay 1001; turn_role 1001 90 1; turn_role 4004 9 0
    walk_speed 3; path_y_step 300 0; walk_to 1001 10L 0L 20L; run_speed; walk_view 1002 5L 0L 5L 40
    walk_up_to 1003 1001 1; wait_path 1001; wait_path 4004; place_role 1002 1L 2L 3L; move_to_map 1003 7 1L 1L 1L
    move_to_map 1003 0 4L 5L 6L; hold_role 1001; release_role 1001; take_off_map 1002; put_back 1002
    set_bit_3 1001; clear_bit_3 4004; make_leader 1001; kind_14 1001; kind_13 1002; clear_kind 4004
    bit_5 1001 1; bit_1 4004 1; occupy_cell 1001 0; occupy_cell 1001 1; bit_2 1001 1; move_to_role 1001 4004
    set_role_ai 1001 2; end)")));
  seeds.emplace_back("walks.bin", talk_seed(0, 0, assemble_talk(R"(
    jump_role 1001 100 0 100 5 1; wait_jump 1001; landed_jump 1001 @a; a: overlap_jump 1001 1002 @b
    b: face_role 1001 1002 1; wait_turn 1001; turn_by 1002 -90L 0; turn_by 4004 5L 1; path_y_step 50 0
    walk_pose 1003 10L 0L 10L 7 180 1; near_jump 1001 500 @c; c: keep_player_dir; wait_role_act 1001 0
    wait_role_act 4004 0; end)")));
  seeds.emplace_back("camera.bin", talk_seed(0, 0, assemble_talk(R"(
    camera_interp 2; point_speed 50; angle_speed -1; distance_speed 0; control_off; camera_point 10L -20L 300L
    camera_angles 10 -20 30 1; camera_distance 500; camera_follow 1 1001 30; camera_follow 3 2002 0; control_on
    camera_eye 1 2 3; camera_mode 4; eye_speed 9; point_interp 3; angle_interp 1; distance_interp 2; eye_mode 2
    view_zoom 2 10 20; view_zoom 1 0 -5; end)")));
  seeds.emplace_back("view.bin", talk_seed(0, 0, assemble_talk(R"(
    walk_bounds 0 0 1000 1000 1; view_return_snap; view_return; look_at_part 1001 0; look_at_part 2002 1
    far_distance 0; far_distance 30000; screen_shade 0 255 15; screen_shade 255 0 0; wait_camera
    effect_offset 5L -6L 7L; role_effect 1001 3; role_effect 2002 3; go_return; save_return; go_return; end)")));
  seeds.emplace_back("looks.bin", talk_seed(0, 0, assemble_talk(R"(
    expression 1001 33 2; expression 1001 0 0; expression 3003 1 1; set_ai 1001 0; set_ai 2002 9
    set_talk 1001 7; flagex_on 1001; flagex_on 3003; flagex_off 1001; weapon_ani 1 0 0 1
    weapon_ani 1001 5 1 2; keep_qq 1001 1; keep_qq 2002 0; bit_7 1001 1; role_fade 1001 0 255 0
    wait_role_fade 1001; turned_to_talk 257; bit_21 1001; role_scale 1001 2147483647L
    role_scale 1001 -2147483648L; pose 1001 4 2; pose 2002 4 2; role_fade 1001 255 0 1
    wait_role_fade 3003; end)")));
  seeds.emplace_back("scene.bin", talk_seed(0, 0, assemble_talk(R"(
    role_ani 1001 9 2; del_role_ani 1001 9 2; screen_ani 9 3 -40 60 15; tint_fade 10 200 1 0
    screen_colour 1 2 3; alpha_fade 64 1 2 3 0 255; alpha_fade 0 0 0 0 255 0; map_note 300 0; rearm_note
    tile_fade 12; wait_tile_fade; wait_role_anim 1001 0; wait_role_anim 4321 5; battle 7; hand_over 6; end)")));
  seeds.emplace_back("video.bin", talk_seed(0, 0, assemble_talk(R"(
    video_no_wait; video "intro.bik"; wait_video_frame 30; moving_ani -1 2 3 40 50 60 7 9 1
    ani_to_role 4 5 6 1001 -3 9 2; ani_at_role 1001 9 3; wait_ani 9 1; del_ani 9 1; act_camera 40 2
    wait_act_camera 5; act_camera_go; wait_act_camera 0; act_camera_end; end)")));
}

void ai_seeds(Seeds& seeds) {
  for (const auto& [name, bytes] : sample_script_files())
    if (name == "AI.gll") seeds.emplace_back("sample_ai.gll", bytes);
  seeds.emplace_back("battle_ai.gll", ai_gll_image({
      {1, assemble_ai("side 1; criterion 5; act 1; restart")},
      {2, assemble_ai("500 [30L @a 70L @b]; a: 501 50 @b; b: 410 50; 403 3; 502 1 @c; c: 413 9; end")},
      {3, assemble_ai("nothing; timed_wait 3; set_speed 9; walk_frames 90 3 2L; wait_path; park")},
      {4, assemble_ai("17 1001 5 1 2 3 4 5 6 7 1 \"hi\"; 18 255 1 2 3; 19 9 9; wait_box; 414 1 2; 415; 416 1 2; 417; 418 0; act 8")},
  }));
}

void file_seeds(Seeds& seeds) {
  for (const auto& [name, bytes] : sample_script_files()) seeds.emplace_back(name, bytes);
}

QORV_FUZZ_SEEDS("talk_script", talk_seeds);
QORV_FUZZ_SEEDS("ai_script", ai_seeds);
QORV_FUZZ_SEEDS("script_files", file_seeds);

}  // namespace
