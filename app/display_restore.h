#pragma once
// Display loss and restore. In full screen, losing the focus minimises the window and suspends
// the frame tick; the next activation tears the display stack down and builds it again with
// the same settings, after which the caches reload their pictures on demand. The window
// events are only noted when they arrive; handle_display_events acts on them at the top of a
// pass of the main loop, so a modal loop running inside a frame (a message box) never
// rebuilds the display under that frame.
#include <cstdint>

namespace platform { struct Window; }

// The steps of the release and the rebuild, in the order they run. Each entry holds the
// engine's operation; an empty entry is passed over. Tests put fakes in their place.
struct DisplayStack {
  // release_display
  void (*flush_textures)() = nullptr;           // g3d_renderer::flush_textures
  void (*free_models)(std::uint8_t tag) = nullptr;      // FreePolyMemory
  void (*free_sprites)(std::uint8_t tag) = nullptr;     // Memoryer_Free
  void (*free_animations)(std::uint8_t tag) = nullptr;  // Act_Memoryer_Free
  void (*release_fonts)() = nullptr;            // GlyphFont::release of the 20, 16 and 12 pixel fonts
  void (*release_renderer)() = nullptr;         // g3d_renderer::release
  void (*release_device)() = nullptr;           // GRP3Ddraw::release
  void (*release_display_device)() = nullptr;   // cDDRAW::release
  // restore_display
  int (*init_device)() = nullptr;  // GRP3Ddraw::init on the main window, full screen 640x480x16
  void (*init_renderer)() = nullptr;   // g3d_renderer::init, texture cache state 42, render mode 6
  void (*set_viewport)() = nullptr;    // (0, 0, 640, 480) with the current view scale and far plane
  void (*select_blit_format)(int format) = nullptr;  // GRP3Ddraw::select_blit_format
  void (*reset_input)() = nullptr;     // mouse speed 2.0, rect 0,0-640,480, position 10,10, devices
  void (*init_fonts)() = nullptr;      // the three fonts as at start-up
  // the window and the input around them
  void (*minimise_window)(platform::Window* window) = nullptr;
  void (*restore_window)(platform::Window* window) = nullptr;  // shown again at 0,0 640x480, not topmost
  void (*acquire_input)() = nullptr;   // GrpInput::set_devices(1, 1, 0)
  int (*is_exclusive)() = nullptr;     // cDDRAW::is_exclusive
};

// The stack in use: the engine's operations (engine_display_stack) unless a test replaced them.
DisplayStack& display_stack();
DisplayStack engine_display_stack();

void release_display();
// 1 when the display stack is up again; 0 (reported) when the device refused.
int restore_display();

// Window events, noted for the next handle_display_events.
void note_focus_lost();
void note_app_activated();
// At the top of each pass of the main loop: a focus loss in full screen minimises the window and
// sets window_suspended (the loop then runs no frame tick); the next activation rebuilds the
// display and clears it. In a window, an activation only takes the input devices again.
void handle_display_events(platform::Window* window);
