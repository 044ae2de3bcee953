#pragma once
// User.cfg in the game folder: the two volumes, the key and joystick bindings (core/key_mapping.h)
// and the option block. Read once at start-up, written at quitting and when a screen that
// changes them is left. 400 bytes of little-endian 32-bit ints, no header.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

constexpr std::size_t user_cfg_block_size = 264;    // volumes, then both binding tables
constexpr std::size_t user_cfg_options_size = 136;  // the option block
constexpr std::size_t user_cfg_size = user_cfg_block_size + user_cfg_options_size;
constexpr int user_option_count = 34;
constexpr int max_volume = 128;

// Indexes into user_options; 6-33 are unused and kept as they are.
constexpr int option_saved_mark = 0;       // 1 once the file was written
constexpr int option_message_speed = 1;    // 0-100
constexpr int option_map_effects = 2;      // 0 on, 1 off
constexpr int option_mission_hints = 3;    // 0, 1
constexpr int option_camera_rotation = 4;  // 0 mode 1, 1 mode 2
constexpr int option_shadows = 5;          // 0 mode 1, 1 mode 2, 2 off

extern int music_volume;  // 0-128, default 80
extern int sfx_volume;    // 0-128, default 80
extern int user_options[user_option_count];

// The file's layout: one row per field (name, offset, the ints it holds in memory, their count).
struct UserCfgField {
  const char* name;
  std::size_t offset;
  int* values;
  std::size_t count;
};
std::span<const UserCfgField> user_cfg_layout();

// A missing or unreadable file leaves the current values.
void load_user_cfg();
// On failure the old file stays whole and the failure is reported; only a complete write
// marks the options as saved (option_saved_mark).
void save_user_cfg();

// Takes a User.cfg image as load_user_cfg does: the option bytes that are there, and the first
// block only when the file is longer than it; out-of-range values are then made safe.
void apply_user_cfg(const std::uint8_t* data, std::size_t size);
// The bytes save_user_cfg writes, from the current values.
std::array<std::uint8_t, user_cfg_size> user_cfg_image();
