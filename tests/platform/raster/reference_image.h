#pragma once
// Reference images for frame tests: an RGB565 frame is compared with a committed PNG under
// tests/g3d/reference/. QORV_UPDATE_REFERENCES=1 writes the frame as the new reference instead.
// A failed comparison writes NAME.actual.png and NAME.diff.png (differing pixels in red) into
// the build tree's test-output folder and names them in the failure message.
#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

struct Frame565 {
  int width = 0, height = 0;
  std::vector<std::uint16_t> pixels;  // top row first, no padding
};

// Empty string when the frame matches (or was written as the reference); else the failure.
std::string compare_with_reference(const std::string& name, const Frame565& frame);

bool write_png(const std::string& path, const Frame565& frame);

// The frame on screen at frame n of a run with QORV_SHOTS=dir: the newest shot numbered n or
// less (a shot is written only when the frame changed). Width 0 when there is none.
Frame565 shot_on_screen(const std::string& dir, int n);

}  // namespace test_support
