// SDL input: the event pump hands us every event; keys, mouse motion, wheel and buttons are
// gathered here and delivered as device state when the game reads. The joystick is the first
// SDL joystick, read directly.
#include "platform/sdl/input_sdl.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

constexpr int wheel_units_per_notch = 120;

struct SdlInput {
  bool open = false;
  bool keyboard_open = false, keyboard_acquired = false;
  bool mouse_open = false, mouse_acquired = false;
  bool joystick_acquired = false;
  bool joystick_subsystem = false;  // we started SDL's joystick subsystem
  std::uint8_t keys[256] = {};      // follows the keyboard whether acquired or not
  MouseState mouse;                 // motion since the last read, buttons
  SDL_Joystick* joystick = nullptr;
  int axis_min = -1000, axis_max = 1000, dead_zone = 0;
};

SdlInput& input() {
  // Never destroyed: the global input object still closes its devices at exit, after the
  // function statics are gone.
  static SdlInput& s = *new SdlInput;
  return s;
}

// SDL scancode (USB usage) to device scan code; 0 for keys the game has no code for.
std::uint8_t scan_code_of(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) {
    static constexpr std::uint8_t letters[26] = {
        DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I, DIK_J, DIK_K, DIK_L, DIK_M,
        DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R, DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
    return letters[sc - SDL_SCANCODE_A];
  }
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_0)
    return std::uint8_t(DIK_1 + (sc - SDL_SCANCODE_1));
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F10)
    return std::uint8_t(DIK_F1 + (sc - SDL_SCANCODE_F1));
  switch (sc) {
    case SDL_SCANCODE_ESCAPE:
      return DIK_ESCAPE;
    case SDL_SCANCODE_MINUS:
      return DIK_MINUS;
    case SDL_SCANCODE_EQUALS:
      return DIK_EQUALS;
    case SDL_SCANCODE_BACKSPACE:
      return DIK_BACK;
    case SDL_SCANCODE_TAB:
      return DIK_TAB;
    case SDL_SCANCODE_LEFTBRACKET:
      return DIK_LBRACKET;
    case SDL_SCANCODE_RIGHTBRACKET:
      return DIK_RBRACKET;
    case SDL_SCANCODE_RETURN:
      return DIK_RETURN;
    case SDL_SCANCODE_LCTRL:
      return DIK_LCONTROL;
    case SDL_SCANCODE_SEMICOLON:
      return DIK_SEMICOLON;
    case SDL_SCANCODE_APOSTROPHE:
      return DIK_APOSTROPHE;
    case SDL_SCANCODE_GRAVE:
      return DIK_GRAVE;
    case SDL_SCANCODE_LSHIFT:
      return DIK_LSHIFT;
    case SDL_SCANCODE_BACKSLASH:
      return DIK_BACKSLASH;
    case SDL_SCANCODE_NONUSHASH:
      return DIK_BACKSLASH;  // the same key position on ISO boards
    case SDL_SCANCODE_COMMA:
      return DIK_COMMA;
    case SDL_SCANCODE_PERIOD:
      return DIK_PERIOD;
    case SDL_SCANCODE_SLASH:
      return DIK_SLASH;
    case SDL_SCANCODE_RSHIFT:
      return DIK_RSHIFT;
    case SDL_SCANCODE_KP_MULTIPLY:
      return DIK_MULTIPLY;
    case SDL_SCANCODE_LALT:
      return DIK_LMENU;
    case SDL_SCANCODE_SPACE:
      return DIK_SPACE;
    case SDL_SCANCODE_CAPSLOCK:
      return DIK_CAPITAL;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return DIK_NUMLOCK;
    case SDL_SCANCODE_SCROLLLOCK:
      return DIK_SCROLL;
    case SDL_SCANCODE_KP_7:
      return DIK_NUMPAD7;
    case SDL_SCANCODE_KP_8:
      return DIK_NUMPAD8;
    case SDL_SCANCODE_KP_9:
      return DIK_NUMPAD9;
    case SDL_SCANCODE_KP_MINUS:
      return DIK_SUBTRACT;
    case SDL_SCANCODE_KP_4:
      return DIK_NUMPAD4;
    case SDL_SCANCODE_KP_5:
      return DIK_NUMPAD5;
    case SDL_SCANCODE_KP_6:
      return DIK_NUMPAD6;
    case SDL_SCANCODE_KP_PLUS:
      return DIK_ADD;
    case SDL_SCANCODE_KP_1:
      return DIK_NUMPAD1;
    case SDL_SCANCODE_KP_2:
      return DIK_NUMPAD2;
    case SDL_SCANCODE_KP_3:
      return DIK_NUMPAD3;
    case SDL_SCANCODE_KP_0:
      return DIK_NUMPAD0;
    case SDL_SCANCODE_KP_PERIOD:
      return DIK_DECIMAL;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return DIK_OEM_102;
    case SDL_SCANCODE_F11:
      return DIK_F11;
    case SDL_SCANCODE_F12:
      return DIK_F12;
    case SDL_SCANCODE_KP_ENTER:
      return DIK_NUMPADENTER;
    case SDL_SCANCODE_RCTRL:
      return DIK_RCONTROL;
    case SDL_SCANCODE_KP_DIVIDE:
      return DIK_DIVIDE;
    case SDL_SCANCODE_PRINTSCREEN:
      return DIK_SYSRQ;
    case SDL_SCANCODE_RALT:
      return DIK_RMENU;
    case SDL_SCANCODE_PAUSE:
      return DIK_PAUSE;
    case SDL_SCANCODE_HOME:
      return DIK_HOME;
    case SDL_SCANCODE_UP:
      return DIK_UP;
    case SDL_SCANCODE_PAGEUP:
      return DIK_PRIOR;
    case SDL_SCANCODE_LEFT:
      return DIK_LEFT;
    case SDL_SCANCODE_RIGHT:
      return DIK_RIGHT;
    case SDL_SCANCODE_END:
      return DIK_END;
    case SDL_SCANCODE_DOWN:
      return DIK_DOWN;
    case SDL_SCANCODE_PAGEDOWN:
      return DIK_NEXT;
    case SDL_SCANCODE_INSERT:
      return DIK_INSERT;
    case SDL_SCANCODE_DELETE:
      return DIK_DELETE;
    case SDL_SCANCODE_LGUI:
      return DIK_LWIN;
    case SDL_SCANCODE_RGUI:
      return DIK_RWIN;
    case SDL_SCANCODE_APPLICATION:
      return DIK_APPS;
    default:
      return 0;
  }
}

int mouse_button_index(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    case SDL_BUTTON_X1:
      return 3;
    default:
      return -1;
  }
}

// Losing focus releases everything: no key stays held while another window has the keyboard.
void release_all() {
  SdlInput& in = input();
  std::memset(in.keys, 0, sizeof in.keys);
  std::memset(in.mouse.buttons, 0, sizeof in.mouse.buttons);
  in.mouse.dx = in.mouse.dy = in.mouse.dz = 0;
}

void set_relative_mouse(bool on) {
  // The game draws its own cursor from raw motion, as a shared mouse device gives it.
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_SetRelativeMouseMode(on ? SDL_TRUE : SDL_FALSE);
}

int scale_axis(Sint16 raw) {
  const SdlInput& in = input();
  double v = std::clamp(raw / 32767.0, -1.0, 1.0);
  double dz = std::clamp(in.dead_zone / 10000.0, 0.0, 0.999);
  double mag = std::fabs(v) <= dz ? 0.0 : (std::fabs(v) - dz) / (1.0 - dz);
  double centre = (double(in.axis_min) + in.axis_max) / 2;
  double half = (double(in.axis_max) - in.axis_min) / 2;
  return int(std::lround(centre + std::copysign(mag, v) * half));
}

bool open_first_joystick() {
  SdlInput& in = input();
  if (!in.joystick_subsystem) {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
    in.joystick_subsystem = true;
  }
  for (int i = 0; i < SDL_NumJoysticks() && !in.joystick; ++i) in.joystick = SDL_JoystickOpen(i);
  return in.joystick != nullptr;
}

void close_joystick() {
  SdlInput& in = input();
  if (in.joystick && SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_JoystickClose(in.joystick);
  in.joystick = nullptr;
  in.joystick_acquired = false;
}

}  // namespace

void sdl_input_event(const SDL_Event& e) {
  SdlInput& in = input();
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (std::uint8_t scan = scan_code_of(e.key.keysym.scancode))
        in.keys[scan] = e.type == SDL_KEYDOWN ? 0x80 : 0;
      break;
    case SDL_MOUSEMOTION:
      if (in.mouse_acquired) {
        in.mouse.dx += e.motion.xrel;
        in.mouse.dy += e.motion.yrel;
      }
      break;
    case SDL_MOUSEWHEEL:
      if (in.mouse_acquired) {
        int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        in.mouse.dz += notches * wheel_units_per_notch;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (int b = mouse_button_index(e.button.button); b >= 0)
        in.mouse.buttons[b] = e.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
      break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) release_all();
      break;
    default:
      break;
  }
}

namespace sdl {

bool input_open() {
  input().open = true;
  return true;
}

void input_close() {
  sdl::close_device(InputDevice::Keyboard);
  sdl::close_device(InputDevice::Mouse);
  sdl::close_device(InputDevice::Joystick);
  SdlInput& in = input();
  if (in.joystick_subsystem && SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  in.joystick_subsystem = false;
  in.open = false;
  // An input opened again starts from no key and no button down: what was held when it closed
  // is not known to be held still.
  std::memset(in.keys, 0, sizeof in.keys);
  in.mouse = MouseState{};
}

bool open_device(InputDevice d) {
  SdlInput& in = input();
  if (!in.open) return false;
  switch (d) {
    case InputDevice::Keyboard:
      return in.keyboard_open = true;
    case InputDevice::Mouse:
      return in.mouse_open = true;
    case InputDevice::Joystick:
      return open_first_joystick();
  }
  return false;
}

bool open_joystick(int axis_min, int axis_max, int dead_zone) {
  SdlInput& in = input();
  if (!in.open || !open_first_joystick()) return false;
  in.axis_min = axis_min;
  in.axis_max = axis_max;
  in.dead_zone = dead_zone;
  return true;
}

void close_device(InputDevice d) {
  sdl::unacquire_device(d);
  SdlInput& in = input();
  switch (d) {
    case InputDevice::Keyboard:
      in.keyboard_open = false;
      break;
    case InputDevice::Mouse:
      in.mouse_open = false;
      break;
    case InputDevice::Joystick:
      close_joystick();
      break;
  }
}

bool acquire_device(InputDevice d) {
  SdlInput& in = input();
  switch (d) {
    case InputDevice::Keyboard:
      return in.keyboard_acquired = in.keyboard_open;
    case InputDevice::Mouse:
      if (!in.mouse_open) return false;
      if (!in.mouse_acquired) in.mouse.dx = in.mouse.dy = in.mouse.dz = 0;
      in.mouse_acquired = true;
      set_relative_mouse(true);
      return true;
    case InputDevice::Joystick:
      if (!in.joystick) return false;
      if (!SDL_JoystickGetAttached(in.joystick)) {  // unplugged: take the first one there now
        SDL_JoystickClose(in.joystick);
        in.joystick = nullptr;
        if (!open_first_joystick()) return false;
      }
      return in.joystick_acquired = true;
  }
  return false;
}

void unacquire_device(InputDevice d) {
  SdlInput& in = input();
  switch (d) {
    case InputDevice::Keyboard:
      in.keyboard_acquired = false;
      break;
    case InputDevice::Mouse:
      if (in.mouse_acquired) set_relative_mouse(false);
      in.mouse_acquired = false;
      break;
    case InputDevice::Joystick:
      in.joystick_acquired = false;
      break;
  }
}

bool read_keyboard(std::uint8_t state[256]) {
  const SdlInput& in = input();
  if (!in.keyboard_acquired) return false;
  std::memcpy(state, in.keys, sizeof in.keys);
  return true;
}

bool read_mouse(MouseState& state) {
  SdlInput& in = input();
  if (!in.mouse_acquired) return false;
  state = in.mouse;
  in.mouse.dx = in.mouse.dy = in.mouse.dz = 0;
  return true;
}

bool read_joystick(JoystickState& state) {
  SdlInput& in = input();
  if (!in.joystick_acquired || !in.joystick || !SDL_JoystickGetAttached(in.joystick)) return false;
  SDL_JoystickUpdate();
  state = JoystickState();
  state.x = scale_axis(SDL_JoystickGetAxis(in.joystick, 0));
  state.y = scale_axis(SDL_JoystickGetAxis(in.joystick, 1));
  int buttons = std::min(SDL_JoystickNumButtons(in.joystick), 32);
  for (int b = 0; b < buttons; ++b)
    state.buttons[b] = SDL_JoystickGetButton(in.joystick, b) ? 0x80 : 0;
  return true;
}

}  // namespace sdl
}  // namespace platform
