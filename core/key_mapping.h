#pragma once
// The per-frame logical key mapping: physical keys, through the player's bindings, become the
// logical keys that screens query. The bindings are stored in User.cfg (core/user_cfg.h).
#include "core/grp_input.h"

constexpr int binding_slot_count = 32;
constexpr int mapped_slot_count = 15;  // keyboard slots 0-14 drive logical keys
constexpr int joy_button_count = 12;

extern int key_bindings[binding_slot_count];  // the physical KeyCode bound to each slot
extern int joy_bindings[binding_slot_count];  // the joystick button (264-275) of each slot
extern int mouse_x, mouse_y;                  // the clamped mouse position, every frame

// The logical KeyCode each keyboard slot drives (also its default binding).
extern const KeyCode slot_keys[mapped_slot_count];

// Slots 0-14 to their defaults; the rest are left as they are.
void set_default_key_bindings();
// Joystick slots 0-11 to buttons 1-12; the rest are left as they are.
void set_default_joy_bindings();
// Once a frame, before any screen reads input.
void map_keys();
