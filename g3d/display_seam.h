#pragma once
// What the 3D device and the renderer need of the display device: the back buffer's pixels for
// each draw call and for 2D drawing, and the blitter's pixel format. Kept in this one file so that
// the display device's surfaces are reached in one place.
#include <cstdint>

class cDDRAW;

struct BackPixels {
  std::uint16_t* pixels = nullptr;
  int width = 0, height = 0;
  int pitch = 0;  // pixels from one row to the next
};

// Locks the back surface for the 3D device's queued draws; false when there is none or it cannot
// be locked.
bool display_lock_back(cDDRAW* display, BackPixels& out);
void display_unlock_back(cDDRAW* display);
// Points the 2D blitter at the back surface's pixel format, or at the texture format.
int display_blit_format_screen(cDDRAW* display);
int display_blit_format_texture();
int display_init_blitter(cDDRAW* display);

// The back surface locked for 2D drawing: the blitter's destination and screen target are set
// to it. Null when it cannot be locked.
std::uint16_t* display_lock_for_2d(cDDRAW* display);
void display_unlock_for_2d(cDDRAW* display, std::uint16_t* pixels);
