// Pixel formats and colour conversion.
#include "gfx2d/pixel_format.h"

#include "platform/display.h"

int surface_width, surface_height, surface_pitch;
std::uint32_t red_mask, green_mask, blue_mask;
std::uint32_t not_red_mask, not_green_mask, not_blue_mask;
int red_shift, green_shift, blue_shift;
std::uint32_t shift_mask[6];
std::uint32_t red_unit, green_unit, blue_unit;
std::uint32_t key_colour, key_colour2;
std::uint32_t outline_colour;
std::uint32_t rle_magic;

namespace {

using Converter = void (*)(std::uint16_t*, int);

void identity(std::uint16_t*, int) {}

Converter to_screen = identity;
Converter from_screen = identity;

struct Layout {
  std::uint32_t r, g, b;        // masks as a surface reports them
  std::uint32_t fr, fg, fb;     // the 5-bit fields the blitter uses
  int sr, sg, sb;
  Converter to, from;
};

const Layout layouts[] = {
    {0x7C00, 0x03E0, 0x001F, 0x7C00, 0x03E0, 0x001F, 10, 5, 0, identity, identity},
    {0xF800, 0x07C0, 0x003F, 0xF800, 0x07C0, 0x003E, 11, 6, 1, rgb555_to_5551, rgb5551_to_555},
    {0xF800, 0x07E0, 0x001F, 0xF800, 0x07C0, 0x001F, 11, 6, 0, rgb555_to_565, rgb565_to_555},
    {0xFC00, 0x03E0, 0x001F, 0xF800, 0x03E0, 0x001F, 11, 5, 0, rgb555_to_655, rgb655_to_555},
};

std::uint32_t both_halves(std::uint32_t v) { return (v & 0xFFFF) | (v << 16); }

std::uint16_t convert_one(std::uint16_t v) {
  to_screen(&v, 1);
  return v;
}

}  // namespace

void rgb555_to_5551(std::uint16_t* p, int n) {
  for (int i = 0; i < n; ++i) p[i] = std::uint16_t(p[i] << 1);
}
void rgb5551_to_555(std::uint16_t* p, int n) {
  for (int i = 0; i < n; ++i) p[i] = std::uint16_t(p[i] >> 1);
}
void rgb555_to_565(std::uint16_t* p, int n) {
  for (int i = 0; i < n; ++i) p[i] = std::uint16_t(((p[i] & 0x7FE0) << 1) | (p[i] & 0x001F));
}
void rgb565_to_555(std::uint16_t* p, int n) {
  for (int i = 0; i < n; ++i) p[i] = std::uint16_t(((p[i] >> 1) & 0x7FE0) | (p[i] & 0x001F));
}
void rgb555_to_655(std::uint16_t* p, int n) {
  for (int i = 0; i < n; ++i) p[i] = std::uint16_t(((p[i] & 0x7C00) << 1) | (p[i] & 0x03FF));
}
void rgb655_to_555(std::uint16_t* p, int n) {
  for (int i = 0; i < n; ++i) p[i] = std::uint16_t(((p[i] >> 1) & 0x7C00) | (p[i] & 0x03FF));
}

void rgb555_to_screen(std::uint16_t* pixels, int n) { to_screen(pixels, n); }
void screen_to_rgb555(std::uint16_t* pixels, int n) { from_screen(pixels, n); }

void apply_pixel_masks(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  // Each test sees the masks as the one before left them, so a match is never undone.
  for (const Layout& l : layouts) {
    if (r == l.r && g == l.g && b == l.b) {
      to_screen = l.to;
      from_screen = l.from;
      red_shift = l.sr;
      green_shift = l.sg;
      blue_shift = l.sb;
      r = l.fr;
      g = l.fg;
      b = l.fb;
    }
  }
  outline_colour = g | (g << 16);
  red_mask = r & 0xFFFF;
  green_mask = g & 0xFFFF;
  blue_mask = b & 0xFFFF;
  not_red_mask = ~red_mask;
  not_green_mask = ~green_mask;
  not_blue_mask = ~blue_mask;
  std::uint32_t fr = red_mask, fg = green_mask, fb = blue_mask;
  for (int k = 1; k <= 5; ++k) {
    fr = (fr >> 1) & red_mask;
    fg = (fg >> 1) & green_mask;
    fb = (fb >> 1) & blue_mask;
    shift_mask[k] = both_halves(fr | fg | fb);
    if (k == 4) {
      red_unit = fr;
      green_unit = fg;
      blue_unit = fb;
    }
  }
  outline_colour = (outline_colour & 0xFFFF0000u) | convert_one(std::uint16_t(outline_colour));
  key_colour = both_halves(convert_one(rgb555_key_colour));
  key_colour2 = both_halves(convert_one(rgb555_key_colour2));
  rle_magic = 0xFFFF;
}

int setup_pixel_format(platform::Surface* surface) {
  if (!surface) {
    apply_pixel_masks(0x7C00, 0x03E0, 0x001F);
    return 1;
  }
  platform::LockedPixels locked;
  if (surface->lock(locked) != platform::DisplayResult::Ok) return 0;
  surface->unlock();
  surface_pitch = locked.pitch;
  surface_width = locked.width;
  surface_height = locked.height;
  platform::PixelMasks m = surface->pixel_masks();
  apply_pixel_masks(m.red, m.green, m.blue);
  return 1;
}
