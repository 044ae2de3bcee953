// Headless input: devices whose state tests and scripted input set by hand. Reads can be made
// to fail and acquisitions to be refused, as a lost device would.
#include "platform/headless/input_headless.h"

#include <cstring>

#include "platform/automation.h"

namespace platform::headless {
namespace {

constexpr int device_count = 3;
constexpr int wheel_units_per_notch = 120;

struct DeviceState {
  bool present = false, open = false, acquired = false;
  int failing_reads = 0, refused_acquires = 0;
};

struct InputState {
  InputState() {
    devices[int(InputDevice::Keyboard)].present = true;
    devices[int(InputDevice::Mouse)].present = true;
  }
  bool system_open = false;
  DeviceState devices[device_count];
  std::uint8_t keys[256] = {};
  MouseState mouse;                 // motion gathered since the last read
  bool release_after_read[4] = {};  // clicks: up again after one read
  JoystickState joystick;
  int scripted_frame = -1;  // the last frame whose scripted input was applied
};

InputState& state() {
  // Never destroyed: the global input object still closes its devices at exit, after the
  // function statics are gone.
  static InputState& s = *new InputState;
  return s;
}

DeviceState& device(InputDevice d) { return state().devices[int(d)]; }

// Scripted input of the frames run since the last read: keys, pointer placement, clicks.
void apply_scripted_input() {
  InputState& s = state();
  const int now = current_frame();
  if (now < s.scripted_frame) s.scripted_frame = -1;  // the frame count was reset
  for (int frame = s.scripted_frame + 1; frame <= now; ++frame) {
    for (const InputEvent& ev : headless_input_events(frame)) {
      switch (ev.kind) {
        case InputEvent::Kind::Down:
        case InputEvent::Kind::Up:
          if (std::uint8_t scan = scan_code_of_key(ev.key))
            s.keys[scan] = ev.kind == InputEvent::Kind::Down ? 0x80 : 0;
          break;
        case InputEvent::Kind::Mouse:
          headless_place_mouse(ev.x, ev.y);
          break;
        case InputEvent::Kind::Click:
          headless_click_mouse_button(ev.button - 1);
          break;
        case InputEvent::Kind::Wheel:
          headless_move_mouse(0, 0, ev.notches * wheel_units_per_notch);
          break;
        default:
          break;  // text and close go to the window
      }
    }
  }
  s.scripted_frame = now;
}

// A read of the device: false when it is not acquired or a failure was asked for.
bool read_allowed(InputDevice d) {
  apply_scripted_input();
  DeviceState& dev = device(d);
  if (!dev.open || !dev.present || !dev.acquired) return false;
  if (dev.failing_reads > 0) {
    --dev.failing_reads;
    return false;
  }
  return true;
}

}  // namespace

bool input_open() {
  state().system_open = true;
  return true;
}

void input_close() {
  for (DeviceState& dev : state().devices) dev.open = dev.acquired = false;
  state().system_open = false;
}

bool open_device(InputDevice d) {
  DeviceState& dev = device(d);
  dev.open = state().system_open && dev.present;
  return dev.open;
}

void close_device(InputDevice d) { device(d).open = device(d).acquired = false; }

bool acquire_device(InputDevice d) {
  DeviceState& dev = device(d);
  if (!dev.open || !dev.present) return false;  // an unplugged device comes back when present
  if (dev.refused_acquires > 0) {
    --dev.refused_acquires;
    return false;
  }
  if (!dev.acquired && d == InputDevice::Mouse) {
    InputState& s = state();
    s.mouse.dx = s.mouse.dy = s.mouse.dz = 0;  // motion made while not acquired is lost
    s.mouse.placed = false;
  }
  dev.acquired = true;
  return true;
}

void unacquire_device(InputDevice d) { device(d).acquired = false; }

bool read_keyboard(std::uint8_t out[256]) {
  if (!read_allowed(InputDevice::Keyboard)) return false;
  std::memcpy(out, state().keys, 256);
  return true;
}

bool read_mouse(MouseState& out) {
  if (!read_allowed(InputDevice::Mouse)) return false;
  InputState& s = state();
  out = s.mouse;
  s.mouse.dx = s.mouse.dy = s.mouse.dz = 0;
  s.mouse.placed = false;
  for (int b = 0; b < 4; ++b)
    if (s.release_after_read[b]) {
      s.mouse.buttons[b] = 0;
      s.release_after_read[b] = false;
    }
  return true;
}

bool read_joystick(JoystickState& out) {
  if (!read_allowed(InputDevice::Joystick)) return false;
  out = state().joystick;
  return true;
}

}  // namespace platform::headless

namespace platform {

using headless::device;
using headless::state;

void headless_input_reset() { state() = headless::InputState(); }

void headless_set_device_present(InputDevice d, bool present) {
  device(d).present = present;
  if (!present) device(d).acquired = false;
}

void headless_set_key(std::uint8_t scan_code, bool down) {
  state().keys[scan_code] = down ? 0x80 : 0;
}

void headless_move_mouse(int dx, int dy, int dz) {
  MouseState& m = state().mouse;
  m.dx += dx;
  m.dy += dy;
  m.dz += dz;
}

void headless_place_mouse(int x, int y) {
  MouseState& m = state().mouse;
  m.placed = true;
  m.x = x;
  m.y = y;
  m.dx = m.dy = 0;  // the placement supersedes earlier motion
}

void headless_set_mouse_button(int button, bool down) {
  if (button < 0 || button >= 4) return;
  state().mouse.buttons[button] = down ? 0x80 : 0;
  state().release_after_read[button] = false;
}

void headless_click_mouse_button(int button) {
  if (button < 0 || button >= 4) return;
  state().mouse.buttons[button] = 0x80;
  state().release_after_read[button] = true;
}

void headless_set_joystick_axes(int x, int y) {
  state().joystick.x = x;
  state().joystick.y = y;
}

void headless_set_joystick_button(int button, bool down) {
  if (button < 0 || button >= 32) return;
  state().joystick.buttons[button] = down ? 0x80 : 0;
}

void headless_fail_reads(InputDevice d, int count) { device(d).failing_reads = count; }
void headless_refuse_acquire(InputDevice d, int count) { device(d).refused_acquires = count; }

}  // namespace platform
