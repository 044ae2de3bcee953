// RLE pictures from outside: the validator, the conversion and expansion of valid pictures,
// and the blitter drawing any picture (valid or not) with its size stated: no read past the
// bytes, no write outside the drawn box.
#include "app/mem_mgr.h"
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
