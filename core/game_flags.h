#pragma once
// Every game and system flag number the code uses, named once for what the flag means. The code,
// the data kit and the tests all take their flag numbers from here; a later screen or script
// adds its flags here instead of a local constant. No two names share a number (scripts/test
// checks it).
//
// Game flags 0-16383 (the map flags are reached through the same numbers, core/flags.h); the
// system flags start at 8000.

// ---- Game flags --------------------------------------------------------------------------
constexpr int flag_mechanism_2 = 7;           // the third mechanism (the tower) is had
constexpr int flag_name_entry = 8;            // the title's name entry takes window messages first
// UI kit.
constexpr int flag_talk_boxes_hidden = 12;    // message boxes are neither updated nor drawn
constexpr int flag_loading_bar_hidden = 15;   // map loading shows no loading screen
constexpr int flag_music_off = 20;            // game.ini [SOUND] music_off=1
constexpr int flag_wav_off = 21;              // game.ini [SOUND] wav_off=1: sound effects off
constexpr int flag_ask_window = 22;           // game.ini [screen] window=1: ask for windowed mode
// Field drawing.
constexpr int flag_shadows_off = 41;          // no role shadows (the shadow option's third setting)
// Map change, trigger boxes and the world map.
constexpr int flag_mechanism_1 = 6;           // the second mechanism is had: outdoors the party rides ACT 50
constexpr int flag_notes_off = 17;            // the map's trigger boxes fire no talk
constexpr int flag_battle_sequence = 18;      // a battle sequence runs (game_state_words 1-8)
constexpr int flag_mission_hints = 38;        // the mission hints option is on
constexpr int flag_leader_mounted = 42;       // the controlled role is not in its walking animation
constexpr int flag_special_place = 3824;      // the world map's special marker and place are shown
// Field walking.
constexpr int flag_no_random_battles = 10;    // walking rolls no random battle; the step counter counts
constexpr int flag_field_world_grid = 16;     // the field world draws in grid mode with the occluder test

// ---- System flags ------------------------------------------------------------------------
constexpr int flag_developer_keys = 8005;     // developer keys on; errors shown in message boxes
constexpr int flag_paused = 8008;             // F8
constexpr int flag_debug_overlay = 8010;      // F10
constexpr int flag_flag_editor = 8011;        // F11
constexpr int flag_speed_up = 8012;           // F7: frame rate 1000 and fast movement
constexpr int flag_input_captured = 8015;     // console, summoning list or talk holds the input
constexpr int flag_battle = 8020;             // a battle runs
constexpr int flag_console_open = 8021;       // developer console open
constexpr int flag_talk_frozen = 8025;        // the talk interpreter returns at once
constexpr int flag_video = 8030;              // a video plays
constexpr int flag_talk_waits_path = 8031;    // a talk waits for a role path to end
constexpr int flag_talk_countdown = 8040;     // the talk countdown runs
constexpr int flag_collisions_off = 8042;     // role movement ignores collisions
constexpr int flag_event_scene = 8050;        // the frame runs event_scene_tick instead of the mode
constexpr int flag_scene_hidden = 8051;       // the field's and the battle's 3D scene are not drawn
constexpr int flag_wall_test_off = 8052;      // role movement ignores walls
constexpr int flag_edit_mode = 8053;          // F2
constexpr int flag_mark_point = 8054;         // F4 left a mark point
constexpr int flag_switch_9 = 8060;           // toggled by the key '9'; the title's game start sets it
constexpr int flag_switch_8 = 8061;           // toggled by the key '8'; the map's snow emitter runs
constexpr int flag_cursor_hidden = 8080;      // mouse cursor and menu icon hidden
constexpr int flag_minimap_hidden = 8041;     // the minimap is neither drawn nor dragged
constexpr int flag_rain = 8062;               // the map's rain emitter runs
constexpr int flag_field_fog_off = 8081;      // the field world draws without fog
constexpr int flag_field_wireframe = 8108;    // the field world draws as a wireframe
// The developer views of the field ('3', '1', '2', '4', '5'); 8101, the cell-count grid, is
// flag_load_transient_first.
constexpr int flag_edit_point_box = 8103;     // the edit mode's point (and, in role mode, the role) boxed
constexpr int flag_role_boxes = 8104;         // every role's box
constexpr int flag_note_boxes = 8105;         // the map notes' boxes
constexpr int flag_collision_view = 8106;     // the collision triangles
constexpr int flag_wall_boxes = 8107;         // the wall boxes
// The field edit mode's sub-modes.
constexpr int flag_edit_role_mode = 8055;     // the arrow keys move the edited role
constexpr int flag_edit_look_still = 8056;    // the look-at point stays where it is
constexpr int flag_edit_eye_still = 8057;     // the camera keeps its eye (camera mode 4)
constexpr int flag_edit_animation = 8058;     // the edited role shows the dialog's animation

// ---- Flags of the talk and AI interpreters ----------------------------------------------------
constexpr int flag_act_camera = 8032;         // the animated camera runs; field roles are not updated
constexpr int flag_video_no_wait = 8033;      // the next talk video lets its script go on at once
constexpr int flag_no_talk_battles = 11;      // talk scripts start no battle
// 8052, flag_wall_test_off, is also the mark that a talk runs: every queued talk sets it.

// ---- Party, fame and saves ---------------------------------------------------------------------
constexpr int flag_member_0 = 1;              // party character 0 is with the party
constexpr int flag_member_1 = 2;              // party character 1 is with the party
constexpr int flag_member_2 = 4;              // party character 2 is with the party
constexpr int flag_pet = 3;                   // the pet fights beside the party
constexpr int flag_battle_camera_held = 8000; // the battle's end and overview cameras stay put
// The menu.
constexpr int flag_mechanism_0 = 5;           // the first mechanism (the kite) is had
constexpr int flag_base_camp_open = 9;        // the menu's base-camp entry works
constexpr int flag_mechanism_listed_0 = 30;   // 30-32: mechanisms 0-2 are listed on the mechanisms page
constexpr int flag_mechanism_listed_1 = 31;
constexpr int flag_mechanism_listed_2 = 32;
constexpr int flag_travel_item_off = 43;      // the travel item cannot be used
constexpr int flag_story_item_off = 44;       // the story item cannot be used
constexpr int flag_game_cleared = 37;         // fame.dat records that the game was cleared once
constexpr int flag_old_saves = 8091;          // saves of version 5 may be loaded
constexpr int flag_load_transient_first = 8101;  // the first of eight flags (8101-8108) every load clears

// ---- The log page -----------------------------------------------------------------------------
constexpr int flag_picture_first = 200;           // 200-209: picture n of the log's gallery is shown
constexpr int flag_mission_accepted_first = 7001;  // 7001-7256: mission n is accepted
constexpr int flag_mission_finished_first = 7257;  // 7257-7512: mission n is finished
constexpr int flag_history_first = 7513;           // 7513-7998: history entry h is shown

// ---- Base building -------------------------------------------------------------------------
constexpr int flag_landmark_kite = 33;        // the kite landmark stands in the settlement
constexpr int flag_landmark_cottage = 36;     // the cottage landmark stands (a talk opens from it)
constexpr int flag_kind_unlock_first = 50;    // 50-61: house kinds 3, 5, 6, 8, 9, 11-17 may be built
constexpr int flag_kind_unlock_last = 61;
constexpr int flag_base_visited = 65;         // the base camp was entered
constexpr int flag_tutorial_overview = 70;    // 70-76: the base's tutorial talks, each started once
constexpr int flag_tutorial_build = 71;
constexpr int flag_tutorial_residents = 72;
constexpr int flag_tutorial_houses = 73;
constexpr int flag_tutorial_weapons = 74;
constexpr int flag_tutorial_workers = 75;
constexpr int flag_tutorial_built = 76;
