// Decoding pictures into textures.
#include "g3d/rle_texture_upload.h"

#include "core/byte_reader.h"

namespace {

constexpr std::uint16_t rle_magic = 0xFFFF;
constexpr std::size_t rle_header = 8;
constexpr std::size_t raw_header = 6;
// A picture larger than this in either direction is not a texture.
constexpr int max_side = 8192;

ByteReader reader(const std::uint8_t* picture, std::size_t size) { return ByteReader(picture, size); }

// n little-endian pixels into texels, of which only the first `keep` are stored.
void store(std::uint16_t* dst, const std::uint8_t* src, int n, int keep) {
  for (int i = 0; i < n && i < keep; ++i) dst[i] = std::uint16_t(src[2 * i] | src[2 * i + 1] << 8);
}

}  // namespace

bool read_picture_header(const std::uint8_t* picture, std::size_t size, bool rle, PictureHeader& out) {
  if (!picture) return false;
  ByteReader r = reader(picture, size);
  if (rle && r.u16() != rle_magic) return false;
  const int w = r.u16(), h = r.u16(), d = r.u16();
  if (!r.ok() || w == 0 || h == 0 || w > max_side || h > max_side) return false;
  out = {};
  out.width = w;
  out.height = h;
  out.bits = rle ? (d & 0x7FFF) : d;
  out.rle = rle;
  if (!rle) {
    out.keyed = true;  // raw pictures are keyed with colour 0
    return true;
  }
  // Depth bit 15 marks a keyed picture. When the first row begins with a literal run, its first
  // pixel (byte 12) is the key colour; otherwise the key is 0.
  out.keyed = (d & 0x8000) != 0;
  const std::uint16_t first_row = r.u16();
  r.skip(2);
  const std::uint16_t first_pixel = r.u16();
  if (out.keyed && r.ok() && (first_row & 0x8000)) out.key = first_pixel;
  return true;
}

bool upload_picture(const std::uint8_t* picture, std::size_t size, bool rle, std::uint16_t* texels, int width,
                    int height, int pitch) {
  PictureHeader h;
  if (!texels || !read_picture_header(picture, size, rle, h)) return false;
  ByteReader r = reader(picture, size);
  if (!rle) {
    r.seek(raw_header);
    for (int y = 0; y < h.height; ++y) {
      const std::uint8_t* row = r.bytes(std::size_t(h.width) * 2);
      if (!row) return false;
      if (y < height) store(texels + std::size_t(y) * pitch, row, h.width, width);
    }
    return true;
  }
  r.seek(rle_header);
  for (int y = 0; y < h.height; ++y) {
    const std::uint16_t row = r.u16();
    if (!r.ok()) return false;
    if (row == 0) return true;  // the picture ends
    int x = 0;
    for (;;) {
      const std::uint16_t code = r.u16();
      if (!r.ok()) return false;
      const int n = code & 0x3FFF;
      if (n == 0) break;
      if ((code & 0xC000) == 0) {
        // Literal pixels; transparent and second-key runs keep what the texture holds.
        const std::uint8_t* pixels = r.bytes(std::size_t(n) * 2);
        if (!pixels) return false;
        if (y < height && x < width) store(texels + std::size_t(y) * pitch + x, pixels, n, width - x);
      }
      x += n;
      if (x > 0x10000) return false;  // a row far wider than any picture
    }
  }
  return true;
}
