// The logical key mapping: once a frame the devices are polled and every logical key the game
// uses is advanced from its physical key. Keys nothing feeds here stay up whatever is pressed.
#include "core/key_mapping.h"

#include <iterator>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/frame_timer.h"

int key_bindings[binding_slot_count];
int joy_bindings[binding_slot_count];
int mouse_x, mouse_y;

const KeyCode slot_keys[mapped_slot_count] = {
    key_escape, key_enter,  key_up,     key_down, key_left, key_right,   key_space,    key_lctrl,
    key_rctrl,  key_lshift, key_rshift, key_home, key_end,  key_page_up, key_page_down};

namespace {

// Keys that always drive their own logical key: p, a, m, r, q, e, Tab, F1.
constexpr KeyCode fixed_keys[] = {'p', 'a', 'm', 'r', 'q', 'e', key_tab, key_f1};

// Keys that drive their own logical key only while the developer keys are on.
// clang-format off
constexpr KeyCode developer_keys[] = {
    key_f1 + 1, key_f1 + 2, key_f1 + 3, key_f1 + 4, key_f1 + 5, key_f1 + 6, key_f1 + 7,
    key_f1 + 8, key_f1 + 9, key_f11, key_f12,
    key_pad_plus, key_pad_minus, key_caps_lock, key_pad_0 + 1, key_pad_0 + 2, key_pad_0 + 3,
    'h', 's', 'd', 'n', 'l', 'j', 'k',
    '1', '2', '3', '4', '5', '6', '7', '8', '9',
    'b', 'u', 'w', 'z', 'x', 'f', 'c', 't', 'v'};
// clang-format on

void update_own_keys(std::uint32_t now, const KeyCode* keys, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    grp_input.update_key(now, keys[i], grp_input.raw_key_down(keys[i]));
}

}  // namespace

void set_default_key_bindings() {
  for (int slot = 0; slot < mapped_slot_count; ++slot) key_bindings[slot] = slot_keys[slot];
}

void set_default_joy_bindings() {
  for (int slot = 0; slot < joy_button_count; ++slot) joy_bindings[slot] = key_joy_button1 + slot;
}

void map_keys() {
  const std::uint32_t now = game_clock;
  grp_input.poll();
  const int buttons = grp_input.get_mouse(&mouse_x, &mouse_y);
  grp_input.update_key(now, key_mouse1, buttons & 1);
  grp_input.update_key(now, key_mouse2, (buttons >> 1) & 1);
  for (int slot = 0; slot < mapped_slot_count; ++slot)
    grp_input.update_key(now, slot_keys[slot], grp_input.raw_key_down(key_bindings[slot]));
  update_own_keys(now, fixed_keys, std::size(fixed_keys));
  if (test_flag(flag_developer_keys))
    update_own_keys(now, developer_keys, std::size(developer_keys));
}
