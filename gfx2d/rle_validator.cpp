// Validation of RLE pictures from outside.
#include "gfx2d/rle_validator.h"

#include "core/byte_reader.h"
#include "core/log.h"
#include "gfx2d/rle_image.h"

namespace {

// The row of length bytes at row: its codes and their data lie inside it, its runs add up to
// the width, and its closing code ends it exactly, so that passing over a row by its length and
// walking its codes arrive at the same place.
RleCheck check_row(const std::uint8_t* row, std::size_t length, int pixel_bytes, std::uint32_t width) {
  ByteReader r(row, length);
  r.skip(2);
  std::uint32_t sum = 0;
  for (;;) {
    std::uint16_t code = r.u16();
    if (!r.ok()) return RleCheck::RowOutside;
    std::uint32_t n = code & 0x3FFF;
    if (n == 0) break;
    if ((code & 0xC000) == 0 && !r.skip(std::size_t(n) * pixel_bytes)) return RleCheck::RowOutside;
    sum += n;
    if (sum > width) return RleCheck::BadRunSum;
  }
  if (sum != width) return RleCheck::BadRunSum;
  return r.pos() == length ? RleCheck::Ok : RleCheck::BadRowLength;
}

}  // namespace

RleCheck validate_rle_image(const void* data, std::size_t size, RleInfo* info) {
  ByteReader r(data, size);
  if (!data || size < 10) return RleCheck::TooShort;
  std::uint16_t magic = r.u16(), width = r.u16(), height = r.u16();
  std::uint16_t depth = r.u16() & 0x7FFF;
  if (magic != rle_image_magic) return RleCheck::BadMagic;
  if (depth != 16 && depth != 8) return RleCheck::BadDepth;
  if (width > rle_max_width) return RleCheck::TooWide;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  int rows = 0;
  for (;;) {
    std::size_t pos = r.pos();
    std::uint16_t header = r.u16();
    if (!r.ok()) return RleCheck::NoTerminator;
    if (header == 0) break;
    std::size_t length = header & 0x7FFF;
    if (length < 4 || length > size - pos) return RleCheck::RowOutside;
    RleCheck row = check_row(bytes + pos, length, depth / 8, width);
    if (row != RleCheck::Ok) return row;
    if (++rows > height) return RleCheck::TooManyRows;
    r.seek(pos + length);
  }
  if (info) *info = RleInfo{width, height, depth, rows, r.pos()};
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
    case RleCheck::BadRowLength: return "a row's length does not match its runs";
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
