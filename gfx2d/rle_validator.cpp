// Validation of RLE pictures from outside.
#include "gfx2d/rle_validator.h"

#include "app/log.h"
#include "gfx2d/rle_image.h"

namespace {

// Walks the codes of the row at [row, row_end), which holds at least a header and a code.
RleCheck check_row(const std::uint8_t* bytes, std::size_t row, std::size_t row_end, int pixel_bytes,
                   std::uint32_t width) {
  std::size_t p = row + 2;
  std::uint32_t sum = 0;
  for (;;) {
    if (row_end - p < 2) return RleCheck::RowOutside;
    std::uint16_t code = rle_load16(bytes + p);
    p += 2;
    std::uint32_t n = code & 0x3FFF;
    if (n == 0) break;
    if ((code & 0xC000) == 0) {
      if ((row_end - p) / std::size_t(pixel_bytes) < n) return RleCheck::RowOutside;
      p += n * std::size_t(pixel_bytes);
    }
    sum += n;
    if (sum > width) return RleCheck::BadRunSum;
  }
  return sum == width ? RleCheck::Ok : RleCheck::BadRunSum;
}

}  // namespace

RleCheck validate_rle_image(const void* data, std::size_t size, RleInfo* info) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (!data || size < 10) return RleCheck::TooShort;
  if (rle_load16(bytes) != rle_image_magic) return RleCheck::BadMagic;
  std::uint16_t width = rle_load16(bytes + 2), height = rle_load16(bytes + 4);
  std::uint16_t depth = rle_load16(bytes + 6) & 0x7FFF;
  if (depth != 16 && depth != 8) return RleCheck::BadDepth;
  if (width > rle_max_width) return RleCheck::TooWide;
  int pixel_bytes = depth / 8;
  std::size_t pos = 8;
  int rows = 0;
  for (;;) {
    if (size - pos < 2) return RleCheck::NoTerminator;
    std::uint16_t header = rle_load16(bytes + pos);
    if (header == 0) break;
    std::size_t length = header & 0x7FFF;
    if (length < 4 || length > size - pos) return RleCheck::RowOutside;
    RleCheck row = check_row(bytes, pos, pos + length, pixel_bytes, width);
    if (row != RleCheck::Ok) return row;
    if (++rows > height) return RleCheck::TooManyRows;
    pos += length;
  }
  if (info) *info = RleInfo{width, height, depth, rows, pos + 2};
  return RleCheck::Ok;
}

const char* rle_check_text(RleCheck check) {
  switch (check) {
    case RleCheck::Ok: return "ok";
    case RleCheck::TooShort: return "too short for a picture";
    case RleCheck::BadMagic: return "not an RLE picture";
    case RleCheck::BadDepth: return "depth is neither 16 nor 8";
    case RleCheck::TooWide: return "wider than 16380 pixels";
    case RleCheck::RowOutside: return "a row runs past its end";
    case RleCheck::BadRunSum: return "runs do not add up to the width";
    case RleCheck::TooManyRows: return "more rows than the height";
    case RleCheck::NoTerminator: return "no final row mark";
  }
  return "?";
}

bool check_rle_image(const void* data, std::size_t size, const char* who, RleInfo* info) {
  RleCheck check = validate_rle_image(data, size, info);
  if (check == RleCheck::Ok) return true;
  report_error("%s: RLE picture refused (%s)", who, rle_check_text(check));
  return false;
}
