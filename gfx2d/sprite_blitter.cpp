// The blitter frame: targets, clipping and the choice of the mode routine.
#include "gfx2d/sprite_blitter.h"

#include "gfx2d/blit_modes.h"
#include "gfx2d/pixel_format.h"
#include "platform/display.h"

#include <algorithm>
#include <cstring>

SpriteBlitter sprite_blitter;
BlendModeRoutine BlendModeTable[blend_mode_count];

namespace {

constexpr std::uint16_t rle_magic_word = 0xFFFF;

bool source_is_rle(const SpriteBlitter& b) {
  switch (b.blit_source_kind) {
    case PicKind::Rle: return true;
    case PicKind::Raw: return false;
    case PicKind::Auto: break;
  }
  if (b.blit_source_size != 0 && b.blit_source_size < 2) return false;
  std::uint16_t first;
  std::memcpy(&first, b.blit_source, 2);
  return first == rle_magic_word;
}

void forget_one_shots(SpriteBlitter& b) {
  b.blit_level = 0;
  b.blit_add_r = b.blit_add_g = b.blit_add_b = 0;
}

void forget_source_facts(SpriteBlitter& b) {
  b.blit_source_kind = PicKind::Auto;
  b.blit_source_size = 0;
}

// Cuts the picture's rectangle to the clip; false when nothing is left. Works in 64 bits so
// that positions near the int limits cannot overflow.
bool clip_picture(const SpriteBlitter& b, long long& x, long long& y, long long w, long long h,
                  BlitGeometry& g, long long& bottom_cut) {
  long long cx = b.blit_clip[0], cy = b.blit_clip[1], cw = b.blit_clip[2], ch = b.blit_clip[3];
  long long rows = h, first_row = 0;
  bottom_cut = 0;
  if (cy > y) {
    rows = y + h - cy;
    if (rows <= 0) return false;
    first_row = h - rows;
    y = cy;
  }
  if (y + rows >= cy + ch) {
    bottom_cut = (y + rows) - (cy + ch);
    rows = cy + ch - y;
    if (rows <= 0) return false;
  }
  long long cols = w, skip = 0;
  if (cx > x) {
    cols = x + w - cx;
    if (cols <= 0) return false;
    skip = w - cols;
    x = cx;
  }
  if (x + cols >= cx + cw) {
    cols = cx + cw - x;
    if (cols <= 0) return false;
  }
  g.rows = int(rows);
  g.first_row = int(first_row);
  g.cols = int(cols);
  g.skip_cols = int(skip);
  return true;
}

// Raw sources: the first pixel read, or null when the draw would read past a stated size.
const std::uint16_t* raw_source_start(const SpriteBlitter& b, long long w, bool mirror_x, BlitGeometry& g) {
  if (mirror_x) g.skip_cols = int(w - 1 - g.skip_cols);
  long long first = w * g.first_row + g.skip_cols;
  if (b.blit_source_size != 0) {
    long long last_col = mirror_x ? g.skip_cols : g.skip_cols + g.cols - 1;
    long long end = 2 * (w * (g.first_row + g.rows - 1) + last_col + 1);
    if (end > static_cast<long long>(b.blit_source_size)) return nullptr;
  }
  return static_cast<const std::uint16_t*>(b.blit_source) + first;
}

}  // namespace

void init_blend_mode_table() {
  std::fill(std::begin(BlendModeTable), std::end(BlendModeTable), nullptr);
  install_rle_copy_add_modes(BlendModeTable);
  install_raw_blit_modes(BlendModeTable);
  install_alpha_map_modes(BlendModeTable);
  install_tint_outline_modes(BlendModeTable);
  install_level_blend_modes(BlendModeTable);
  install_effect_modes(BlendModeTable);
  install_scaled_modes(BlendModeTable);
}

int init_blitter(platform::Surface* surface) {
  if (!setup_pixel_format(surface)) return 0;
  SpriteBlitter& b = sprite_blitter;
  // The row table holds 2048 rows, so a taller screen is clipped to them.
  int height = std::min(surface_height, 2048);
  int clip[4] = {0, 0, surface_width, height};
  std::copy(clip, clip + 4, b.screen_clip);
  std::copy(clip, clip + 4, b.blit_clip);
  b.screen_pitch = surface_pitch;
  b.blit_pitch = surface_pitch;
  for (int r = 0; r < 2048; ++r) b.screen_row_table[r] = r * surface_pitch;
  b.blit_row_table = b.screen_row_table;
  b.target_width = surface_width;
  b.target_height = height;
  init_blend_mode_table();
  return 1;
}

int set_blit_target(const int* row_table, int width, int height, int pitch) {
  SpriteBlitter& b = sprite_blitter;
  if (row_table) {
    int clip[4] = {0, 0, width, height};
    std::copy(clip, clip + 4, b.blit_clip);
    b.blit_pitch = pitch;
    b.blit_row_table = row_table;
    b.target_width = width;
    b.target_height = height;
  } else {
    std::copy(b.screen_clip, b.screen_clip + 4, b.blit_clip);
    b.blit_pitch = b.screen_pitch;
    b.blit_row_table = b.screen_row_table;
    b.target_width = b.screen_clip[2];
    b.target_height = b.screen_clip[3];
  }
  return 1;
}

int set_blit_clip(int x0, int y0, int x1, int y1) {
  SpriteBlitter& b = sprite_blitter;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, b.target_width);
  y1 = std::min(y1, b.target_height);
  int clip[4] = {x0, y0, x1 - x0, y1 - y0};
  std::copy(clip, clip + 4, b.blit_clip);
  return 1;
}

void set_blit_source(const void* picture, PicKind kind, std::size_t size) {
  sprite_blitter.blit_source = picture;
  sprite_blitter.blit_source_kind = kind;
  sprite_blitter.blit_source_size = size;
}

std::uint16_t* lock_surface(platform::Surface* surface) {
  if (!surface) return nullptr;
  platform::LockedPixels locked;
  if (surface->lock(locked) != platform::DisplayResult::Ok) return nullptr;
  return locked.pixels;
}

void unlock_surface(platform::Surface* surface, std::uint16_t*) {
  if (surface) surface->unlock();
}

namespace {

// Clips and picks the routine; false for the scaled path, which keeps the one-shot settings.
bool draw_picture(int x_in, int y_in, int w, int h, BlitFlags flags, std::intptr_t extra) {
  SpriteBlitter& b = sprite_blitter;
  BlitGeometry& g = b.geometry;
  // A failed lock leaves a null target; a caller without a picture leaves a null source.
  if (!b.blit_source || !b.blit_dest || w < 1 || h < 1) return true;
  if (source_is_rle(b)) flags |= BLIT_RLE_SOURCE;

  if ((flags & 0x3FFFFFFCu) >= 0x80) {
    std::uint32_t index = flags & 0x3FFFFFFCu;
    BlitFlags copy = flags;
    // The scaled routines draw RleImages only; an index past the table or without a routine
    // draws nothing.
    if ((flags & BLIT_RLE_SOURCE) && index < blend_mode_count && BlendModeTable[index])
      BlendModeTable[index](x_in, y_in, w, h, reinterpret_cast<std::intptr_t>(&copy));
    return false;
  }

  if ((flags & 0xFFFC) == blit_mode(5)) {
    if (b.blit_level <= 0) return true;
    if (b.blit_level > 15) flags &= 0x80000003u;
  }

  long long x = x_in, y = y_in, bottom_cut = 0;
  if (!clip_picture(b, x, y, w, h, g, bottom_cut)) return true;
  char* dest = reinterpret_cast<char*>(b.blit_dest) + b.blit_row_table[y] + 2 * x;
  g.row_step = b.blit_pitch;
  if (flags & BLIT_MIRROR_Y) {
    g.first_row = int(bottom_cut);
    g.row_step = -b.blit_pitch;
    dest += b.blit_row_table[g.rows - 1];
  }
  g.dest_start = reinterpret_cast<std::uint16_t*>(dest);
  std::uint32_t index = flags & 0xFFFF;
  g.src_start = nullptr;
  if (!(flags & BLIT_RLE_SOURCE)) {
    index += 64;
    g.src_start = raw_source_start(b, w, (flags & BLIT_MIRROR_X) != 0, g);
    if (!g.src_start) return true;
  }
  // An index without a routine (a raw picture mirrored vertically, a mode not built) draws
  // nothing, and so does a raw picture in modes 16 to 31, whose index would reach the scaled
  // routines without a flags word.
  if (index < first_scaled_index && BlendModeTable[index])
    BlendModeTable[index](int(x), int(y), w, h, extra);
  return true;
}

}  // namespace

void put_pic(int x, int y, int w, int h, BlitFlags flags, std::intptr_t extra) {
  if (draw_picture(x, y, w, h, flags, extra)) forget_one_shots(sprite_blitter);
  forget_source_facts(sprite_blitter);
}
