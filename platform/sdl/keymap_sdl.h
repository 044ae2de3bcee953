#pragma once
// Inside the SDL backend: the game's key number (KeyCode) of an SDL scancode, by the key's place
// on a US keyboard; 0 for keys the game does not know (the Windows and menu keys among them).
namespace platform {

int key_code_from_sdl_scancode(int scancode);

}  // namespace platform
