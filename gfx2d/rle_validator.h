#pragma once
// The check every RleImage from outside passes before it is used: header, depth, every row
// inside the block and ending where its closing code ends, run codes adding up to the width,
// no more rows than the height, and the final 0 row header.
#include <cstddef>
#include <cstdint>

enum class RleCheck {
  Ok,
  TooShort,        // smaller than a header and the final 0
  BadMagic,
  BadDepth,        // neither 16 nor 8 bits per pixel
  TooWide,         // wider than a row length can hold
  RowOutside,      // a row, a run code or run data passes the row's end or the block's
  BadRowLength,    // a row's length is not where its closing code ends
  BadRunSum,       // the runs of a row do not add up to the width
  TooManyRows,     // more rows than the height
  NoTerminator,    // the block ends before the final 0
};

struct RleInfo {
  std::uint16_t width = 0, height = 0, depth = 0;  // depth without bit 15
  int rows = 0;                // rows stored (at most the height)
  std::size_t used = 0;        // bytes up to and including the final 0
};

RleCheck validate_rle_image(const void* data, std::size_t size, RleInfo* info = nullptr);
const char* rle_check_text(RleCheck check);
// validate_rle_image with the report: "<who>: <what is wrong>" through report_error.
bool check_rle_image(const void* data, std::size_t size, const char* who, RleInfo* info = nullptr);
