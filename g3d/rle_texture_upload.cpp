// Decoding pictures into textures.
#include "g3d/rle_texture_upload.h"

#include <cstring>
#include <limits>

namespace {

// A little-endian reader bounded by the picture's size.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size ? size : std::numeric_limits<std::size_t>::max()) {}
  bool u16(std::size_t at, std::uint16_t& out) const {
    if (at > size_ || size_ - at < 2) return false;
    out = std::uint16_t(data_[at] | (data_[at + 1] << 8));
    return true;
  }
  bool has(std::size_t at, std::size_t bytes) const { return at <= size_ && size_ - at >= bytes; }
  const std::uint8_t* at(std::size_t offset) const { return data_ + offset; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

constexpr std::uint16_t rle_magic = 0xFFFF;
constexpr std::size_t rle_header = 8;
constexpr std::size_t raw_header = 6;
// A picture larger than this in either direction is not a texture.
constexpr int max_side = 8192;

void copy_pixels(std::uint16_t* dst, const std::uint8_t* src, int n) {
  std::memcpy(dst, src, std::size_t(n) * 2);  // little-endian host, as the pictures are stored
}

}  // namespace

bool read_picture_header(const std::uint8_t* picture, std::size_t size, bool rle, PictureHeader& out) {
  if (!picture) return false;
  const Reader r(picture, size);
  std::uint16_t w, h, d;
  const std::size_t base = rle ? 2 : 0;
  if (rle) {
    std::uint16_t magic;
    if (!r.u16(0, magic) || magic != rle_magic) return false;
  }
  if (!r.u16(base, w) || !r.u16(base + 2, h) || !r.u16(base + 4, d)) return false;
  if (w == 0 || h == 0 || w > max_side || h > max_side) return false;
  out = {};
  out.width = w;
  out.height = h;
  out.bits = rle ? (d & 0x7FFF) : d;
  out.rle = rle;
  if (rle) {
    // Depth bit 15 marks a keyed picture. When the first row begins with a literal run, its
    // first pixel (byte 12) is the key colour; otherwise the key is 0.
    out.keyed = (d & 0x8000) != 0;
    std::uint16_t first_row = 0, first_pixel = 0;
    if (out.keyed && r.u16(8, first_row) && (first_row & 0x8000) && r.u16(12, first_pixel)) out.key = first_pixel;
  } else {
    out.keyed = true;  // raw pictures are keyed with colour 0
  }
  return true;
}

bool upload_picture(const std::uint8_t* picture, std::size_t size, bool rle, std::uint16_t* texels, int width,
                    int height, int pitch) {
  PictureHeader h;
  if (!texels || !read_picture_header(picture, size, rle, h)) return false;
  const Reader r(picture, size);
  if (!rle) {
    const int w = h.width < width ? h.width : width;
    for (int y = 0; y < h.height && y < height; ++y) {
      const std::size_t at = raw_header + std::size_t(y) * h.width * 2;
      if (!r.has(at, std::size_t(w) * 2)) return false;
      copy_pixels(texels + std::size_t(y) * pitch, r.at(at), w);
    }
    return true;
  }
  std::size_t at = rle_header;
  for (int y = 0; y < h.height; ++y) {
    std::uint16_t row;
    if (!r.u16(at, row)) return false;
    if (row == 0) return true;  // the picture ends
    at += 2;
    int x = 0;
    for (;;) {
      std::uint16_t code;
      if (!r.u16(at, code)) return false;
      at += 2;
      const int n = code & 0x3FFF;
      if (n == 0) break;
      if ((code & 0xC000) == 0) {
        if (!r.has(at, std::size_t(n) * 2)) return false;
        if (y < height && x < width) copy_pixels(texels + std::size_t(y) * pitch + x, r.at(at), n < width - x ? n : width - x);
        at += std::size_t(n) * 2;
      }
      x += n;
      if (x > 0x10000) return false;  // a row far wider than any picture
    }
  }
  return true;
}
