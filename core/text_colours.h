#pragma once
// The 40 text colours in the back buffer's pixel format ("%C" digits index them, every text
// drawer uses them), converted at start-up from a fixed table of 0xRRGGBB values.
#include <cstdint>

constexpr int text_colour_count = 40;
extern const std::uint32_t text_colour_table[text_colour_count];
extern std::uint16_t text_colours[text_colour_count];

// 0xRRGGBB to RGB555: the top five bits of each channel.
constexpr std::uint16_t rgb_to_rgb555(std::uint32_t rgb) {
  return static_cast<std::uint16_t>(((rgb >> 19) & 0x1F) << 10 | ((rgb >> 11) & 0x1F) << 5 |
                                    ((rgb >> 3) & 0x1F));
}
