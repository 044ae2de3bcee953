#pragma once
// The menu's animation and sound numbers, shared by the frame and its pages.
#include <cstdint>

// Animations.
constexpr std::uint16_t menu_cursor_qq = 9;             // of the cursor act 9001
constexpr std::uint16_t menu_background_act = 9011;     // frame = page-bar entry - 1; 7 in member choice
constexpr std::uint16_t menu_target_background = 7;
constexpr std::uint16_t status_card_act = 9017;
constexpr std::uint16_t portrait_act = 9018;            // frame = party slot
constexpr std::uint16_t page_bar_act = 9019;            // frames 0-6 highlighted entries, 7-13 the labels
constexpr std::uint16_t page_bar_label_qq = 7;
constexpr std::uint16_t item_list_panel_act = 9023;
constexpr std::uint16_t panel_pictures_act = 9026;      // 2 the help panel off the menu; 7-10 option icons
constexpr std::uint16_t info_panel_act = 9040;
constexpr std::uint16_t footer_act = 9041;
constexpr std::uint16_t item_scroll_bar_act = 9042;
constexpr std::uint16_t item_tab_act = 9060;            // frame = tab
constexpr std::uint16_t item_tab_selected_act = 9061;
constexpr std::uint16_t system_tab_act = 9067;          // frames 0-3 tabs, 4-7 the chosen tab
constexpr std::uint16_t close_button_act = 9069;        // frame 2, 3 while hovered
constexpr std::uint16_t close_button_qq = 2;
constexpr std::uint16_t gauge_act = 9080;               // frames 1-3 HP, MP, SP
constexpr std::uint16_t gauge_label_act = 9081;         // frames 0-2 HP, MP, SP
constexpr std::uint16_t slider_picture_act = 9070;      // frames 0-2 the knobs, 3 the bar
constexpr std::uint16_t mechanism_model_first = 46;     // models of mechanisms 0-2
constexpr std::uint16_t use_effect_type = 1020;         // the effect on a member's card

// Sounds.
constexpr int sfx_volume_sample = 32;    // played as the sound volume changes
constexpr int sfx_base_camp = 41;
constexpr int sfx_menu_open = 301;
constexpr int sfx_item_used = 306;
constexpr int sfx_bag_tidied = 307;
constexpr int sfx_item_discarded = 308;
constexpr int sfx_menu_entry_first = 325;  // 325-331: the seven page-bar entries
constexpr int sfx_use_effect = 714;
constexpr int sfx_leave_for_story = 732;
