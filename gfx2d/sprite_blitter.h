#pragma once
// The software 16-bit sprite blitter: the current target (locked pixels, a row-offset table, a
// pitch and a clip rectangle), the flags word of put_pic, the table of mode routines, and the
// one-shot settings the routines read.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform { class Surface; }

// The flags word of put_pic.
using BlitFlags = std::uint32_t;
constexpr BlitFlags BLIT_MIRROR_X = 0x1;
constexpr BlitFlags BLIT_MIRROR_Y = 0x2;
constexpr BlitFlags BLIT_RLE_SOURCE = 0x80000000u;  // set by put_pic itself
// Mode m is written as m * 4 (mode 1 = 0x4, mode 5 = 0x14).
constexpr BlitFlags blit_mode(int m) { return BlitFlags(m) << 2; }

// What the caller knows of blit_source. Auto tells an RleImage by its magic word; a raw picture
// whose first pixel is 0xFFFF needs Raw.
enum class PicKind { Auto, Rle, Raw };

// Computed by put_pic for the mode routine of each draw.
struct BlitGeometry {
  std::uint16_t* dest_start = nullptr;  // first destination pixel of the first row drawn
  int row_step = 0;                     // bytes from one destination row to the next
  const std::uint16_t* src_start = nullptr;  // raw sources: first source pixel read
  int cols = 0;                         // pixels drawn per row
  int skip_cols = 0;                    // columns cut by the left clip (raw x-mirror: first column read)
  int rows = 0;                         // rows drawn
  int first_row = 0;                    // first source row drawn
};

struct SpriteBlitter {
  // The picture to draw next: an RleImage or raw pixels in the screen format. Set before each
  // put_pic, with its kind and its size in bytes when known (0: not stated); put_pic forgets
  // the kind and the size when it returns.
  const void* blit_source = nullptr;
  PicKind blit_source_kind = PicKind::Auto;
  std::size_t blit_source_size = 0;

  std::uint16_t* blit_dest = nullptr;  // row 0, column 0 of the current target; set by the caller
  const int* blit_row_table = nullptr;  // entry r: byte offset of row r from blit_dest
  int blit_pitch = 0;
  int blit_clip[4] = {};                // x, y, width, height
  int target_width = 0, target_height = 0;  // size of the current target, bounds of set_blit_clip

  int screen_row_table[2048] = {};
  int screen_pitch = 0;
  int screen_clip[4] = {};

  // One-shot settings for the very next put_pic.
  int blit_level = 0;  // 1..15, mode 5
  int blit_add_r = 0, blit_add_g = 0, blit_add_b = 0;  // channel offsets in channel steps

  BlitGeometry geometry;

  // Scaled drawing: the factors (1024 = 1.0), the picture point that stays in place, and the
  // maps of the last scaled draw (for each destination column and row of the scaled picture,
  // the picture column and row shown there), built per draw.
  int blit_scale_x = 1024, blit_scale_y = 1024;
  int blit_pivot_x = 0, blit_pivot_y = 0;
  std::vector<int> scaled_column_map, scaled_row_map;
  std::uint16_t scaled_fill_colour = 0;          // colour of the scaled fill
  const std::uint16_t* blit_palette = nullptr;  // 256 screen colours for pictures of one-byte pixels
  int shimmer_step = 0;                         // mode 12: place in its 17-step cycle
};

extern SpriteBlitter sprite_blitter;

// A mode routine: clipped x and y, the caller's picture size, and the extra argument of put_pic
// (the scaled routines get the address of the flags word instead).
using BlendModeRoutine = void (*)(int x, int y, int w, int h, std::intptr_t extra);
constexpr int blend_mode_count = 257;
extern BlendModeRoutine BlendModeTable[blend_mode_count];

// Sets up the pixel format and the screen target from the back surface and fills the table;
// 0 (nothing changed) when the surface's format cannot be read.
int init_blitter(platform::Surface* surface);
void init_blend_mode_table();
// Another target (its row table, size and pitch), or with a null table the screen again.
// blit_dest is the caller's to set.
int set_blit_target(const int* row_table, int width, int height, int pitch);
// Clip rectangle from corners, kept inside the current target.
int set_blit_clip(int x0, int y0, int x1, int y1);
// Points blit_source at a picture; size 0 when unknown.
void set_blit_source(const void* picture, PicKind kind = PicKind::Auto, std::size_t size = 0);

std::uint16_t* lock_surface(platform::Surface* surface);
void unlock_surface(platform::Surface* surface, std::uint16_t* pixels);

// Draws blit_source with its top left corner at (x, y) of the current target.
void put_pic(int x, int y, int w, int h, BlitFlags flags, std::intptr_t extra);
