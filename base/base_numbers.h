#pragma once
// The base camp's animation, monster and sound numbers, shared by the frame and its pages.
#include <cstdint>

// Animations.
constexpr std::uint16_t base_panel_act = 9925;    // bars, panel halves, boxes and buttons
constexpr std::uint16_t base_icon_act = 9926;     // top-bar buttons, cost and command icons, badges
constexpr std::uint16_t upgrade_effect_act = 7102;
constexpr std::uint16_t base_cursor_busy = 9;     // cursor QQs of act 9001
constexpr std::uint16_t base_cursor_turn = 11;
constexpr std::uint16_t base_model_qq = 50;       // the pose monsters show beside the pages' cards
// Effect.dat effects.
constexpr int build_dust_effect = 900;
constexpr int formation_guard_effect = 2002, formation_reserve_effect = 2003, workshop_fire_effect = 2005;
// The monster of a new settlement.
constexpr std::uint16_t default_resident = 134;
// Talks the landmarks start.
constexpr std::uint16_t cottage_talk = 7480, palace_talk = 7490;

// Sounds.
constexpr int sfx_no_worker = 10;
constexpr int sfx_base_money = 29;       // developer key X
constexpr int sfx_base_open = 30;        // open or accept
constexpr int sfx_base_back = 31;
constexpr int sfx_base_cursor = 32;
constexpr int sfx_base_switch = 33;      // switch page, turn, tutorial
constexpr int sfx_base_box_leave = 34;
constexpr int sfx_base_slide = 35;       // the panels slide
constexpr int sfx_base_built = 37;
constexpr int sfx_base_upgrade = 38;
constexpr int sfx_base_refused = 39;
constexpr int sfx_base_order_done = 40;   // a production order confirmed
constexpr int sfx_base_leave = 41;
constexpr int sfx_base_demolished = 42;
constexpr int sfx_base_quantity = 44;     // an order's quantity changed

// Keys of the overview.
constexpr int key_q = 113, key_x = 120, key_z = 122, key_c = 99, key_v = 118, key_s = 115, key_d = 100, key_b = 98, key_m = 109;
constexpr int key_9 = 57, key_8 = 56;
