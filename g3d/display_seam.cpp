// The display's back surface as the 3D device sees it.
#include "g3d/display_seam.h"

#include "app/pending.h"

namespace {
bool have_memory_back = false;
BackPixels memory_back;
}  // namespace

void display_set_memory_back(const BackPixels* back) {
  have_memory_back = back != nullptr;
  if (back) memory_back = *back;
}

bool display_lock_back(cDDRAW* display, BackPixels& out) {
  if (have_memory_back) {
    out = memory_back;
    return out.pixels != nullptr;
  }
  (void)display;
  return false;  // the display device has no lockable surfaces yet
}

void display_unlock_back(cDDRAW*) {}

int display_blit_format_screen(cDDRAW* display) {
  return display ? setup_pixel_format(display->get_surface(surface_back)) : 0;
}

int display_blit_format_texture() { return 1; }

int display_init_blitter(cDDRAW* display) { return display ? init_blitter(display->get_surface(surface_back)) : 0; }

std::uint16_t* display_lock_for_2d(cDDRAW* display) {
  BackPixels back;
  return display_lock_back(display, back) ? back.pixels : nullptr;
}

void display_unlock_for_2d(cDDRAW* display, std::uint16_t*) { display_unlock_back(display); }
