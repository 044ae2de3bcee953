#pragma once
// The screen snapshot: the current screen reduced by 4 into the top-left 160 x 120 of a 256 x 256
// RGB555 picture (the rest 0), encoded as an RleImage. Taken when the menu opens or the save
// screen opens outside the menu; save_game stores it as the slot's thumbnail.
#include <cstdint>

struct RleImage;

constexpr int snapshot_side = 256;  // width and height of the snapshot picture
constexpr int snapshot_step = 4;    // every fourth pixel of every fourth row
// The part of the screen sampled: a larger back surface is cut to it.
constexpr int snapshot_screen_width = 640, snapshot_screen_height = 480;

struct ScreenSnapshot {
  std::uint32_t size = 0;       // bytes of the encoded picture
  int width = 0, height = 0;    // 256 each while a snapshot exists
  RleImage* picture = nullptr;  // MemMgr block
};
extern ScreenSnapshot screen_snapshot;

// Replaces the snapshot with one of the back buffer.
void take_snapshot();
// Frees the picture, when there is one, and zeroes the record.
void free_snapshot();
// Replaces the snapshot with one of the given screen pixels (pitch in pixels); the screen is cut
// to 640 x 480. The pixels are in the screen's format.
void snapshot_from_pixels(const std::uint16_t* pixels, int pitch, int width, int height);
// The sampling alone: work (256 x 256) = the screen reduced by 4, 0 elsewhere.
void sample_snapshot(const std::uint16_t* pixels, int pitch, int width, int height, std::uint16_t* work);
