#pragma once
// Test clips made with FFmpeg's encoders (which cannot write the game's own video format):
// an AVI of lossless pictures, frame k filled with clip_colour(k), with an optional tone.
#include <cstdint>
#include <string>

namespace test_clip {

// The RGB565 colour of frame k (1-based); exact through the 8-bit encoding.
std::uint16_t clip_colour(int k);

// Frames of width x height at fps; with_sound adds a 44.1 kHz stereo tone for the clip's
// length. False with error set when the encoders are missing.
bool write_clip(const std::string& host_path, int width, int height, int frames, int fps, bool with_sound,
                std::string& error);

}  // namespace test_clip
