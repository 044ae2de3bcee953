#pragma once
// The SDL input backend behind platform/input.h. The SDL event pump hands every event to
// sdl_input_event; the devices' state is gathered from those events between reads.
#include <SDL.h>

#include "platform/input.h"

namespace platform {

// Called by the event pump for each SDL event (keys, mouse, focus, joystick).
void sdl_input_event(const SDL_Event& event);

}  // namespace platform

namespace platform::sdl {

bool input_open();
void input_close();
bool open_device(InputDevice device);
bool open_joystick(int axis_min, int axis_max, int dead_zone);
void close_device(InputDevice device);
bool acquire_device(InputDevice device);
void unacquire_device(InputDevice device);
bool read_keyboard(std::uint8_t state[256]);
bool read_mouse(MouseState& state);
bool read_joystick(JoystickState& state);

}  // namespace platform::sdl
