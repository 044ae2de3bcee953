// Input calls go to the backend picked at start: SDL, or the headless devices of tests.
#include "platform/input.h"

#include "platform/backend.h"
#include "platform/headless/input_headless.h"
#include "platform/sdl/input_sdl.h"

namespace platform {
namespace {

bool use_headless() { return current_backend() == Backend::Headless; }

}  // namespace

bool input_open() { return use_headless() ? headless::input_open() : sdl::input_open(); }
void input_close() { use_headless() ? headless::input_close() : sdl::input_close(); }

bool open_keyboard() {
  return use_headless() ? headless::open_device(InputDevice::Keyboard)
                        : sdl::open_device(InputDevice::Keyboard);
}
bool open_mouse() {
  return use_headless() ? headless::open_device(InputDevice::Mouse)
                        : sdl::open_device(InputDevice::Mouse);
}
bool open_joystick(int axis_min, int axis_max, int dead_zone) {
  return use_headless() ? headless::open_device(InputDevice::Joystick)
                        : sdl::open_joystick(axis_min, axis_max, dead_zone);
}
void close_device(InputDevice d) {
  use_headless() ? headless::close_device(d) : sdl::close_device(d);
}

bool acquire_device(InputDevice d) {
  return use_headless() ? headless::acquire_device(d) : sdl::acquire_device(d);
}
void unacquire_device(InputDevice d) {
  use_headless() ? headless::unacquire_device(d) : sdl::unacquire_device(d);
}

bool read_keyboard(std::uint8_t state[256]) {
  return use_headless() ? headless::read_keyboard(state) : sdl::read_keyboard(state);
}
bool read_mouse(MouseState& state) {
  return use_headless() ? headless::read_mouse(state) : sdl::read_mouse(state);
}
bool read_joystick(JoystickState& state) {
  return use_headless() ? headless::read_joystick(state) : sdl::read_joystick(state);
}

}  // namespace platform
