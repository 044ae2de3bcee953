// SDL scancodes to the game's key numbers.
#include "platform/sdl/keymap_sdl.h"

#include <SDL.h>

namespace platform {

namespace {

struct ScanKey {
  SDL_Scancode scancode;
  int code;
};

constexpr ScanKey scan_keys[] = {
    {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_MINUS, 45},
    {SDL_SCANCODE_EQUALS, 61},
    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_LEFTBRACKET, 91},
    {SDL_SCANCODE_RIGHTBRACKET, 93},
    {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_LCTRL, 130},
    {SDL_SCANCODE_SEMICOLON, 59},
    {SDL_SCANCODE_APOSTROPHE, 39},
    {SDL_SCANCODE_GRAVE, 96},
    {SDL_SCANCODE_LSHIFT, 128},
    {SDL_SCANCODE_BACKSLASH, 92},
    {SDL_SCANCODE_COMMA, 44},
    {SDL_SCANCODE_PERIOD, 46},
    {SDL_SCANCODE_SLASH, 47},
    {SDL_SCANCODE_RSHIFT, 129},
    {SDL_SCANCODE_KP_MULTIPLY, 157},
    {SDL_SCANCODE_LALT, 132},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_CAPSLOCK, 173},
    {SDL_SCANCODE_NUMLOCKCLEAR, 172},
    {SDL_SCANCODE_SCROLLLOCK, 174},
    {SDL_SCANCODE_KP_7, 169},
    {SDL_SCANCODE_KP_8, 170},
    {SDL_SCANCODE_KP_9, 171},
    {SDL_SCANCODE_KP_MINUS, 158},
    {SDL_SCANCODE_KP_4, 166},
    {SDL_SCANCODE_KP_5, 167},
    {SDL_SCANCODE_KP_6, 168},
    {SDL_SCANCODE_KP_PLUS, 159},
    {SDL_SCANCODE_KP_1, 163},
    {SDL_SCANCODE_KP_2, 164},
    {SDL_SCANCODE_KP_3, 165},
    {SDL_SCANCODE_KP_0, 162},
    {SDL_SCANCODE_KP_PERIOD, 161},
    {SDL_SCANCODE_F11, 148},
    {SDL_SCANCODE_F12, 149},
    {SDL_SCANCODE_KP_ENTER, 160},
    {SDL_SCANCODE_RCTRL, 131},
    {SDL_SCANCODE_KP_DIVIDE, 156},
    {SDL_SCANCODE_SYSREQ, 175},
    {SDL_SCANCODE_PRINTSCREEN, 175},
    {SDL_SCANCODE_RALT, 133},
    {SDL_SCANCODE_HOME, 152},
    {SDL_SCANCODE_UP, 136},
    {SDL_SCANCODE_PAGEUP, 154},
    {SDL_SCANCODE_LEFT, 134},
    {SDL_SCANCODE_RIGHT, 135},
    {SDL_SCANCODE_END, 153},
    {SDL_SCANCODE_DOWN, 137},
    {SDL_SCANCODE_PAGEDOWN, 155},
    {SDL_SCANCODE_INSERT, 150},
    {SDL_SCANCODE_DELETE, 151},
};

}  // namespace

int key_code_from_sdl_scancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return 'a' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F10)
    return 138 + (scancode - SDL_SCANCODE_F1);
  for (const ScanKey& k : scan_keys)
    if (k.scancode == scancode) return k.code;
  return 0;
}

}  // namespace platform
