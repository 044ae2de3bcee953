#pragma once
// The current game mode, the mode-switch convention of every screen's entry function, and the
// quit request.
//
// Every mode-entry function takes (flags, int, int). With MODE_ENTER it does nothing when its
// mode is already current; otherwise it copies GameMode into SavedGameMode, sets its screen up
// and makes its mode current. With MODE_RESUME it makes its mode current without set-up. With
// any other value (callers pass MODE_LEAVE) it tears its screen down and restores GameMode from
// SavedGameMode. Screens with exceptions (title, shop, menu, battle) say so in their headers.
#include <cstdint>

constexpr std::uint32_t MODE_ENTER = 0x10000000;
constexpr std::uint32_t MODE_RESUME = 0x20000000;
constexpr std::uint32_t MODE_LEAVE = 0x40000000;

// GameMode values; every value not listed runs the field.
enum : int {
  mode_field = 0,
  mode_menu = 1,
  mode_save = 2,
  mode_load = 3,
  mode_shop_talk = 4,
  mode_shop_buy = 5,
  mode_shop_sell = 6,
  mode_key_config = 7,
  mode_joy_config = 8,
  mode_base_camp = 10,
  mode_world_map = 11,
  mode_battle = 20,
  mode_title = 100,
  mode_idle = 101,
  mode_demo_scene = 200,  // never used by the game: a demo scene (QORV_SCENE) with its own handlers
};

extern int GameMode;
extern int SavedGameMode;

// 1 asks the frame tick to write User.cfg and close the main window at the end of its pass.
extern int quit_request;
