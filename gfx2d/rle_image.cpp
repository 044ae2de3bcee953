// The RLE picture codec: encoding, conversion to the screen format, and the expansion of
// paletted pictures.
#include "gfx2d/rle_image.h"

#include "core/byte_reader.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_validator.h"
#include "gfx2d/tsw_pic.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint16_t row_literal_flag = 0x8000;
constexpr std::uint16_t depth_transparent_flag = 0x8000;
constexpr std::size_t max_row_length = 0x7FFF;

void store16(std::uint8_t* p, std::uint16_t v) { std::memcpy(p, &v, 2); }

bool is_key(std::uint16_t p) { return p == rgb555_key_colour || p == rgb555_key_colour2; }

// Encodes one row at out; the bytes written (the row length), or 0 when the row is too long
// for its 15-bit length.
std::size_t encode_row(const std::uint16_t* row, std::uint32_t width, std::uint8_t* out, bool& transparent) {
  std::size_t pos = 2;
  std::uint16_t flag = width > 0 && !is_key(row[0]) ? row_literal_flag : 0;
  for (std::uint32_t x = 0; x < width;) {
    std::uint16_t p = row[x];
    std::uint32_t n = 1;
    if (is_key(p)) {
      while (x + n < width && row[x + n] == p) ++n;
      bool clear = p == rgb555_key_colour;
      transparent |= clear;
      store16(out + pos, std::uint16_t((clear ? rle_transparent_run : rle_key2_run) | n));
      pos += 2;
    } else {
      while (x + n < width && !is_key(row[x + n])) ++n;
      store16(out + pos, std::uint16_t(n));
      std::memcpy(out + pos + 2, row + x, 2 * std::size_t(n));
      pos += 2 + 2 * std::size_t(n);
    }
    x += n;
  }
  store16(out + pos, 0);
  pos += 2;
  if (pos > max_row_length) return 0;
  store16(out, std::uint16_t(pos | flag));
  return pos;
}

// Converts n literal pixels in place, wherever they lie.
void convert_pixels(std::uint8_t* p, std::size_t n) {
  if ((reinterpret_cast<std::uintptr_t>(p) & 1) == 0) {
    rgb555_to_screen(reinterpret_cast<std::uint16_t*>(p), int(n));
    return;
  }
  std::uint16_t chunk[256];
  while (n > 0) {
    std::size_t k = n < 256 ? n : 256;
    std::memcpy(chunk, p, 2 * k);
    rgb555_to_screen(chunk, int(k));
    std::memcpy(p, chunk, 2 * k);
    p += 2 * k;
    n -= k;
  }
}

std::uint8_t* copy_to_heap(const std::uint8_t* work, std::size_t size) {
  auto* out = static_cast<std::uint8_t*>(MemMgr_Alloc(int(size)));
  if (out) std::memcpy(out, work, size);
  return out;
}

// The size of the 16-bit picture that expands a validated 8-bit one, or 0 when one of its rows
// would pass the 15-bit row length.
std::size_t expanded_size(const ByteReader& in) {
  std::size_t pos = 8, total = 8;
  for (std::uint16_t header; (header = in.u16_at(pos)) != 0; pos += header & 0x7FFF) {
    std::size_t p = pos + 2, row = 2;
    for (std::uint16_t code; (code = in.u16_at(p)) & 0x3FFF; p += 2, row += 2) {
      if ((code & 0xC000) == 0) {
        p += code & 0x3FFF;
        row += 2 * std::size_t(code & 0x3FFF);
      }
    }
    row += 2;
    if (row > max_row_length) return 0;
    total += row;
  }
  return total + 2;
}

void expand_rows(const ByteReader& in, const std::uint16_t* palette, std::uint8_t* out) {
  std::size_t pos = 8, o = 8;
  for (std::uint16_t header; (header = in.u16_at(pos)) != 0; pos += header & 0x7FFF) {
    std::size_t row = o, p = pos + 2;
    o += 2;
    for (;;) {
      std::uint16_t code = in.u16_at(p);
      p += 2;
      store16(out + o, code);
      o += 2;
      std::size_t n = code & 0x3FFF;
      if (n == 0) break;
      if (code & 0xC000) continue;
      for (std::size_t i = 0; i < n; ++i) store16(out + o + 2 * i, palette[in.u8_at(p + i)]);
      convert_pixels(out + o, n);
      p += n;
      o += 2 * n;
    }
    store16(out + row, std::uint16_t(o - row));  // bit 15 is not carried over
  }
  store16(out + o, 0);
}

// Replaces a validated paletted picture by its 16-bit expansion.
void expand_paletted(TswPic* picture) {
  const ByteReader in(picture->image, picture->size);
  std::size_t size = expanded_size(in);
  if (size == 0 || size > INT_MAX) {
    report_error("convert_tsw_picture(..) paletted picture too large to expand");
    return;
  }
  auto* out = static_cast<std::uint8_t*>(MemMgr_Alloc(int(size)));
  if (!out) {
    report_error("convert_tsw_picture(..) no memory for %u bytes", unsigned(size));
    return;
  }
  store16(out, rle_image_magic);
  store16(out + 2, in.u16_at(2));
  store16(out + 4, in.u16_at(4));
  store16(out + 6, std::uint16_t((in.u16_at(6) & depth_transparent_flag) | 16));
  expand_rows(in, picture->palette, out);
  MemMgr_Free(picture->image);
  picture->image = reinterpret_cast<RleImage*>(out);
  picture->size = std::uint32_t(size);
  picture->palette = nullptr;
  picture->converted = true;
}

}  // namespace

RleImage* encode_rle_image(const std::uint16_t* pixels, int* out_size, std::uint32_t width,
                           std::uint32_t height, int depth) {
  if (out_size) *out_size = 0;
  if (depth != 16 || width > rle_max_width || height > 0xFFFF || (!pixels && width && height)) {
    report_error("encode_rle_image(..) cannot encode %ux%u at depth %d", width, height, depth);
    return nullptr;
  }
  // Worst case: a header and a closing code per row, at most four bytes per pixel.
  std::uint64_t work_size = 8 + std::uint64_t(height) * (4 + 4 * std::uint64_t(width)) + 2;
  if (work_size > INT_MAX) {
    report_error("encode_rle_image(..) picture of %ux%u too large", width, height);
    return nullptr;
  }
  auto* work = static_cast<std::uint8_t*>(MemMgr_Alloc(int(work_size)));
  if (!work) {
    report_error("encode_rle_image(..) no memory for %u bytes", unsigned(work_size));
    return nullptr;
  }
  store16(work, rle_image_magic);
  store16(work + 2, std::uint16_t(width));
  store16(work + 4, std::uint16_t(height));
  store16(work + 6, 16);
  std::size_t pos = 8;
  bool transparent = false;
  for (std::uint32_t y = 0; y < height; ++y) {
    std::size_t length = encode_row(pixels + std::size_t(y) * width, width, work + pos, transparent);
    if (length == 0) {
      MemMgr_Free(work);
      report_error("encode_rle_image(..) row %u longer than a row can hold", y);
      return nullptr;
    }
    pos += length;
  }
  store16(work + pos, 0);
  pos += 2;
  std::uint8_t* image = copy_to_heap(work, pos);
  MemMgr_Free(work);
  if (!image) {
    report_error("encode_rle_image(..) no memory for %u bytes", unsigned(pos));
    return nullptr;
  }
  if (transparent) store16(image + 6, 16 | depth_transparent_flag);
  if (out_size) *out_size = int(pos);
  return reinterpret_cast<RleImage*>(image);
}

int convert_rle_image(RleImage* image, std::size_t size, std::uint16_t* width, std::uint16_t* height,
                      std::uint16_t* depth) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(image);
  const ByteReader in(bytes, size);
  if (!image || size < 8 || in.u16_at(0) != rle_image_magic) return 0;
  std::uint16_t d = in.u16_at(6) & 0x7FFF;
  if (width) *width = in.u16_at(2);
  if (height) *height = in.u16_at(4);
  if (depth) *depth = d;
  if (d != 16) return 0;
  if (!check_rle_image(image, size, "convert_rle_image(..)")) return 0;
  for (std::size_t pos = 8; in.u16_at(pos) != 0;) {
    std::uint16_t header = in.u16_at(pos);
    for (std::size_t p = pos + 2;;) {
      std::uint16_t code = in.u16_at(p);
      p += 2;
      std::size_t n = code & 0x3FFF;
      if (n == 0) break;
      if (code & 0xC000) continue;
      convert_pixels(bytes + p, n);
      p += 2 * n;
    }
    pos += header & 0x7FFF;
  }
  return 1;
}

void convert_tsw_picture(TswPic* picture) {
  if (!picture || !picture->image || picture->converted) return;
  const ByteReader in(picture->image, picture->size);
  if (in.u16_at(0) != rle_image_magic) return;
  if (!check_rle_image(picture->image, picture->size, "convert_tsw_picture(..)")) return;
  if ((in.u16_at(6) & 0x7FFF) != 8) {
    std::uint16_t depth;
    if (convert_rle_image(picture->image, picture->size, &picture->width, &picture->height, &depth))
      picture->converted = true;
    return;
  }
  if (!picture->palette) {
    report_error("convert_tsw_picture(..) paletted picture without a palette");
    return;
  }
  expand_paletted(picture);
}
