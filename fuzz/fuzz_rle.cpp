// RLE pictures from outside: the validator, the conversion and expansion of valid pictures,
// and the blitter drawing any picture (valid or not) with its size stated: no read past the
// bytes, no write outside the drawn box.
#include "core/mem_mgr.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "gfx2d/rle_validator.h"
#include "gfx2d/sprite_blitter.h"
#include "gfx2d/tsw_pic.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int target_w = 40, target_h = 30, guard = 4;
constexpr int stride = target_w + 2 * guard;

struct Target {
  std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(std::size_t(stride) * (target_h + 2 * guard), 0x5A5A);
  int rows[target_h];
  Target() {
    for (int r = 0; r < target_h; ++r) rows[r] = r * stride * 2;
  }
  std::uint16_t* origin() { return pixels.data() + guard * stride + guard; }
};

// Draws the picture at a few places; traps when a pixel outside the drawn box changed.
void draw_everywhere(const std::uint8_t* picture, std::size_t size, int w, int h) {
  static const int places[][2] = {{0, 0}, {-5, -3}, {target_w - 3, target_h - 2}, {7, -9}};
  for (const auto& at : places) {
    for (BlitFlags flags : {0u, 1u, 2u, 3u, blit_mode(1), blit_mode(1) | 1u}) {
      Target t;
      set_blit_target(t.rows, target_w, target_h, stride * 2);
      sprite_blitter.blit_dest = t.origin();
      sprite_blitter.blit_add_r = -3;
      set_blit_source(picture, PicKind::Rle, size);
      put_pic(at[0], at[1], w, h, flags, 0);
      for (int y = -guard; y < target_h + guard; ++y) {
        for (int x = -guard; x < target_w + guard; ++x) {
          bool in_box = x >= at[0] && x < at[0] + w && y >= at[1] && y < at[1] + h && x >= 0 && y >= 0 &&
                        x < target_w && y < target_h;
          if (!in_box && t.pixels[std::size_t(y + guard) * stride + std::size_t(x + guard)] != 0x5A5A)
            __builtin_trap();
        }
      }
    }
  }
}

// Traps when a pixel outside the box [x0, x1] x [y0, y1] (cut to the target) changed.
void check_outside(Target& t, long long x0, long long y0, long long x1, long long y1) {
  for (int y = -guard; y < target_h + guard; ++y) {
    for (int x = -guard; x < target_w + guard; ++x) {
      bool in_box = x >= x0 && x <= x1 && y >= y0 && y <= y1 && x >= 0 && y >= 0 && x < target_w && y < target_h;
      if (!in_box && t.pixels[std::size_t(y + guard) * stride + std::size_t(x + guard)] != 0x5A5A) __builtin_trap();
    }
  }
}

void make_current(Target& t, const std::uint8_t* picture, std::size_t size) {
  set_blit_target(t.rows, target_w, target_h, stride * 2);
  sprite_blitter.blit_dest = t.origin();
  set_blit_source(picture, PicKind::Rle, size);
}

// Every other mode routine with the mirrors it has: the alpha map of mode 2 and the colour
// word of mode 9 given, the one-shot settings set; then the scaled routines at two scales,
// whose box the scale and the mirrors move.
void draw_blend_modes(const std::uint8_t* picture, std::size_t size, int w, int h) {
  static const BlitFlags modes[] = {
      blit_mode(2),      blit_mode(2) | 1u,  blit_mode(3) | 2u,  blit_mode(3) | 3u,  blit_mode(4),
      blit_mode(4) | 1u, blit_mode(5) | 2u,  blit_mode(5) | 3u,  blit_mode(6),       blit_mode(6) | 1u,
      blit_mode(7),      blit_mode(8) | 1u,  blit_mode(9) | 2u,  blit_mode(9) | 3u,  blit_mode(10) | 3u,
      blit_mode(11),     blit_mode(11) | 1u, blit_mode(12) | 2u, blit_mode(12) | 1u};
  static const std::uint32_t colour_word = 0x12345678;
  std::vector<std::uint8_t> alpha(std::size_t(w) * std::size_t(h));
  for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = std::uint8_t(i * 37);
  static const int places[][2] = {{0, 0}, {-5, -3}, {target_w - 3, target_h - 2}};
  for (const auto& at : places) {
    for (BlitFlags flags : modes) {
      Target t;
      make_current(t, picture, size);
      sprite_blitter.blit_add_r = -3;
      sprite_blitter.blit_add_g = 40;
      sprite_blitter.blit_level = 7;
      std::intptr_t extra = 0;
      if ((flags & 0xFFFC) == blit_mode(2)) extra = reinterpret_cast<std::intptr_t>(alpha.data());
      if ((flags & 0xFFFC) == blit_mode(9)) extra = reinterpret_cast<std::intptr_t>(&colour_word);
      put_pic(at[0], at[1], w, h, flags, extra);
      check_outside(t, at[0], at[1], at[0] + w - 1LL, at[1] + h - 1LL);
    }
  }
  static const std::uint16_t palette[256] = {1, 2, 3};
  sprite_blitter.blit_palette = palette;
  for (int scale : {1024, 1536, 700}) {
    sprite_blitter.blit_scale_x = sprite_blitter.blit_scale_y = scale;
    for (int mode = 32; mode <= 48; mode = mode == 38 ? 48 : mode + 1) {
      for (BlitFlags mirror : {0u, 1u, 2u, 3u}) {
        Target t;
        make_current(t, picture, size);
        sprite_blitter.blit_level = 5;
        put_pic(-2, 3, w, h, blit_mode(mode) | mirror, 0);
        // With the pivot at the corner the box keeps its right edge when mirrored across and
        // turns over onto the rows above when mirrored vertically; mode 48 does not scale.
        long long sw = mode == 48 ? w : (long long)w * scale / 1024, sh = mode == 48 ? h : (long long)h * scale / 1024;
        long long x0 = (mirror & 1) && mode != 48 ? -2 + w - sw : -2;
        long long y0 = (mirror & 2) && mode != 48 ? 3 - sh : 3;
        check_outside(t, x0, y0, x0 + sw - 1, y0 + sh - 1);
      }
    }
  }
  sprite_blitter.blit_scale_x = sprite_blitter.blit_scale_y = 1024;
  sprite_blitter.blit_level = sprite_blitter.blit_add_r = sprite_blitter.blit_add_g = 0;
  sprite_blitter.blit_palette = nullptr;
}

std::uint8_t* heap_copy(const std::uint8_t* data, std::size_t size) {
  auto* p = static_cast<std::uint8_t*>(MemMgr_Alloc(int(size)));
  if (p && size) std::memcpy(p, data, size);
  return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1u << 20)) return 0;
  static const bool ready = [] {
    apply_pixel_masks(0xF800, 0x07E0, 0x001F);
    init_blend_mode_table();
    return true;
  }();
  (void)ready;
  // Any bytes: the blitter draws them with their size stated (0 would state none), in a small box.
  if (size) {
    std::unique_ptr<std::uint8_t[]> raw(new std::uint8_t[size]);
    std::memcpy(raw.get(), data, size);
    draw_everywhere(raw.get(), size, 9, 7);
    draw_blend_modes(raw.get(), size, 9, 7);
  }
  RleInfo info;
  if (validate_rle_image(data, size, &info) != RleCheck::Ok) return 0;
  TswPic pic;
  pic.image = reinterpret_cast<RleImage*>(heap_copy(data, size));
  pic.size = std::uint32_t(size);
  std::vector<std::uint16_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[std::size_t(i)] = std::uint16_t(i * 0x0123 & 0x7FFF);
  pic.palette = palette.data();
  convert_tsw_picture(&pic);
  if (pic.converted) {
    // What the conversion hands back is a valid 16-bit picture of the same box.
    RleInfo out;
    if (validate_rle_image(pic.image, pic.size, &out) != RleCheck::Ok || out.depth != 16 ||
        out.width != info.width || out.height != info.height)
      __builtin_trap();
    draw_everywhere(reinterpret_cast<const std::uint8_t*>(pic.image), pic.size, out.width ? out.width : 1,
                    out.height ? out.height : 1);
  }
  MemMgr_Free(pic.image);
  return 0;
}
