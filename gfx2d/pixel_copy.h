#pragma once
// Copies of pixel spans inlined as wide moves: sprite runs are short, and a call into the
// library's memcpy for each of them costs as much as the copy.
#include <cstddef>
#include <cstdint>
#include <cstring>

// n >= 1 pixels from s to d; the two spans do not overlap.
inline void copy_pixels(std::uint16_t* d, const void* s, int n) {
  auto* to = reinterpret_cast<std::uint8_t*>(d);
  const auto* from = static_cast<const std::uint8_t*>(s);
  std::size_t bytes = 2 * std::size_t(n);
  if (bytes > 64) {
    std::memcpy(to, from, bytes);  // the library's wide copy wins on long spans
  } else if (bytes >= 16) {
    // 16 bytes at a time, the last block ending exactly at the end (it may overlap the one before).
    for (std::size_t i = 0; i + 16 < bytes; i += 16) std::memcpy(to + i, from + i, 16);
    std::memcpy(to + bytes - 16, from + bytes - 16, 16);
  } else if (bytes >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + bytes - 8, from + bytes - 8, 8);
  } else if (bytes >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + bytes - 4, from + bytes - 4, 4);
  } else {
    std::memcpy(to, from, 2);
  }
}
