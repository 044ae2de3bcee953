#pragma once
// Slot thumbnails: the snapshot pictures read back from save files, converted to the screen
// format and drawn in the slot lists.
#include <cstdint>
#include <span>

struct RleImage;

constexpr std::uint32_t thumbnail_texture_offset = 100000;  // added to the caller's key
constexpr int thumbnail_key_first = 200011;                  // key of visible row i: + i

// A new picture (MemMgr block) holding the thumbnail converted to the screen format; null, with
// nothing allocated, when the bytes are not a thumbnail (a 16-bit picture of at least 160 x 120).
RleImage* convert_thumbnail(std::span<const std::uint8_t> picture);
// Releases the picture's device texture (key + 100000) and frees it; null is ignored.
void free_thumbnail(RleImage* picture, std::uint32_t key);
// Draws the picture's top-left 160 x 120 scaled to w x h at (x, y).
void draw_thumbnail(int x, int y, int w, int h, const RleImage* picture, std::uint32_t key);
