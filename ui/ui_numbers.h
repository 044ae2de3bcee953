#pragma once
// The interface's animation numbers (ActId) with their QQ numbers, and its sound numbers.
#include <cstdint>

// Animations.
constexpr std::uint16_t cursor_act_number = 9001;  // the mouse cursor
constexpr std::uint16_t cursor_qq_normal = 0;
constexpr std::uint16_t cursor_qq_choice = 9;       // while text buttons or boxes are open
constexpr std::uint16_t window_frame_act = 9002;    // nine 32 x 32 frame pieces, QQ 0-8
constexpr std::uint16_t name_plate_qq = 9;          // of window_frame_act
constexpr std::uint16_t select_mark_act = 9003;     // the pulsing selection frame, QQ 0
constexpr std::uint16_t page_arrow_qq = 8;          // of select_mark_act
constexpr std::uint16_t select_bar_act = 9043;      // the translucent selection bar, QQ 1
constexpr std::uint16_t select_bar_qq = 1;
constexpr std::uint16_t scroll_arrow_act = 9069;    // QQ 0 up, 1 down
constexpr std::uint16_t menu_icon_act = 9015;
constexpr std::uint16_t loading_picture_act = 9027;
constexpr std::uint16_t loading_bar_act = 9070;     // QQ 3 the filled part, 4 the frame
constexpr std::uint16_t loading_bar_fill_qq = 3;
constexpr std::uint16_t menu_footer_act = 9041;     // QQ 0 the footer of the menu and the slot lists
constexpr std::uint16_t close_box_qq = 2;           // of scroll_arrow_act: the close box, + 1 under the mouse
constexpr std::uint16_t options_back_act = 9011;    // QQ 7 behind the title's options panel
constexpr std::uint16_t options_back_qq = 7;
constexpr std::uint16_t loading_bar_frame_qq = 4;

// Sounds (SfxId).
constexpr int sfx_config_move = 2;    // the configuration screens' cursor
constexpr int sfx_config_take = 3;    // a key taken or a button chosen
constexpr int sfx_config_leave = 4;
constexpr int sfx_cursor = 302;
constexpr int sfx_select = 303;
constexpr int sfx_back = 304;
constexpr int sfx_tab = 305;
constexpr int sfx_refuse = 309;
constexpr int sfx_page = 313;
constexpr int sfx_trade = 324;  // a purchase or a sale
constexpr int sfx_title_menu = 310;     // the title's menu shown
constexpr int sfx_title_cursor = 311;
constexpr int sfx_title_start = 312;    // the title's transition
constexpr int sfx_load = 10;            // a slot chosen on the load screen
constexpr int sfx_new_game = 11;
constexpr int sfx_prompt_answer = 30;   // the save screen's overwrite question answered
