#pragma once
// The headless input backend behind platform/input.h (the setters for tests are declared there).
#include "platform/input.h"

namespace platform::headless {

bool input_open();
void input_close();
bool open_device(InputDevice device);
void close_device(InputDevice device);
bool acquire_device(InputDevice device);
void unacquire_device(InputDevice device);
bool read_keyboard(std::uint8_t state[256]);
bool read_mouse(MouseState& state);
bool read_joystick(JoystickState& state);

// The device scan code of a game key number (platform/events.h); 0 for none.
std::uint8_t scan_code_of_key(int key_code);

}  // namespace platform::headless
