// The display's back surface as the 3D device sees it.
#include "g3d/display_seam.h"

#include "gfx2d/cddraw.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/sprite_blitter.h"

namespace {

platform::Surface* back_surface(cDDRAW* display) {
  return display ? display->get_surface(DDRAW_BACK_SURFACE) : nullptr;
}

}  // namespace

bool display_lock_back(cDDRAW* display, BackPixels& out) {
  platform::Surface* s = back_surface(display);
  // The rasterizer writes RGB565; a back buffer of another layout gets no 3D drawing.
  if (!s || s->pixel_masks().green != platform::masks_rgb565.green) return false;
  platform::LockedPixels locked;
  if (s->lock_for_queued_drawing(locked) != platform::DisplayResult::Ok || !locked.pixels) return false;
  out = {locked.pixels, locked.width, locked.height, locked.pitch / 2};
  return true;
}

void display_unlock_back(cDDRAW* display) {
  if (platform::Surface* s = back_surface(display)) s->unlock();
}

int display_blit_format_screen(cDDRAW* display) {
  platform::Surface* s = back_surface(display);
  return s ? setup_pixel_format(s) : 0;
}

// Textures are RGB565 whatever the display's layout.
int display_blit_format_texture() {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  return 1;
}

int display_init_blitter(cDDRAW* display) {
  platform::Surface* s = back_surface(display);
  return s ? init_blitter(s) : 0;
}

std::uint16_t* display_lock_for_2d(cDDRAW* display) {
  std::uint16_t* pixels = lock_surface(back_surface(display));
  sprite_blitter.blit_dest = pixels;
  set_blit_target(nullptr, 0, 0, 0);
  return pixels;
}

void display_unlock_for_2d(cDDRAW* display, std::uint16_t* pixels) {
  unlock_surface(back_surface(display), pixels);
}
