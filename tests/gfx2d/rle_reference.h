#pragma once
// The naive reading of an RLE picture that the tests compare against: every pixel of the
// picture's box with its kind, decoded by walking the codes one by one.
#include <cstdint>
#include <cstring>
#include <vector>

namespace rle_reference {

enum class Kind : std::uint8_t { Literal, Transparent, Key2, Absent };

struct Pixel {
  Kind kind = Kind::Absent;
  std::uint16_t value = 0;
  bool operator==(const Pixel&) const = default;
};

struct Picture {
  int width = 0, height = 0;
  std::vector<Pixel> pixels;  // width x height; rows the picture lacks stay Absent
  const Pixel& at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

inline std::uint16_t word(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

// Expects a well-formed picture (validated); 8-bit literals are palette indices.
inline Picture decode(const std::uint8_t* image) {
  Picture pic;
  pic.width = word(image + 2);
  pic.height = word(image + 4);
  int bytes_per_pixel = (word(image + 6) & 0x7FFF) == 8 ? 1 : 2;
  pic.pixels.assign(std::size_t(pic.width) * pic.height, Pixel{});
  std::size_t pos = 8;
  for (int y = 0; y < pic.height && word(image + pos) != 0; ++y) {
    std::size_t p = pos + 2;
    int x = 0;
    for (std::uint16_t code; (code = word(image + p)) & 0x3FFF;) {
      p += 2;
      int n = code & 0x3FFF;
      for (int i = 0; i < n; ++i, ++x) {
        Pixel& px = pic.pixels[std::size_t(y) * pic.width + x];
        if ((code & 0xC000) == 0) {
          px.kind = Kind::Literal;
          px.value = bytes_per_pixel == 2 ? word(image + p + 2 * i) : image[p + i];
        } else {
          px.kind = (code & 0xC000) == 0x8000 ? Kind::Key2 : Kind::Transparent;
        }
      }
      if ((code & 0xC000) == 0) p += std::size_t(n) * bytes_per_pixel;
    }
    pos += word(image + pos) & 0x7FFF;
  }
  return pic;
}

}  // namespace rle_reference
