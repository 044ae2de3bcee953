// Seeds for fuzz_glyph_text: texts as the game draws them, in each style, some across the edges.
#include <string>

#include "fuzz/seeds.h"

namespace {

fuzz_seeds::Bytes seed(std::uint16_t flags, int x, int y, int size, int clip_x, int clip_y,
                       int clip_w, int clip_h, const std::string& text) {
  const int header[] = {flags & 0xFF, flags >> 8, x, y, size + 3, clip_x, clip_y, clip_w, clip_h};
  fuzz_seeds::Bytes b;
  for (int v : header) b.push_back(static_cast<std::uint8_t>(v));
  for (char c : text) b.push_back(static_cast<std::uint8_t>(c));
  return b;
}

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  const std::string one = "\xA4\x40";                            // "一"
  const std::string message = "\xBF\xF9\xBB\x7E: AB%N\xA4\xA4";  // "錯誤: AB%N中"
  seeds.push_back({"plain", seed(0x1, 2, 2, 12, 0, 0, 48, 40, message)});
  seeds.push_back({"shadow_edge", seed(0x2, 40, 30, 16, 0, 0, 48, 40, one + one)});
  seeds.push_back({"bold_shadow_left", seed(0x4, -5, -3, 20, 0, 0, 48, 40, "AB" + one)});
  seeds.push_back({"outline_clip", seed(0x8, 0, 0, 16, 4, 4, 20, 12, one + "x" + one)});
  seeds.push_back({"bold_outline_back", seed(0x8010, 1, 1, 20, -10, -10, 100, 100, message)});
  seeds.push_back({"ramp", seed(0x181, 0, 0, 12, 0, 0, 48, 40, one)});
  seeds.push_back({"lone_lead", seed(0x1, 0, 0, 12, 0, 0, 48, 40, "A\xA4")});
  seeds.push_back({"huge", seed(0x10, -20, -20, 64, 0, 0, 48, 40, one)});
}

QORV_FUZZ_SEEDS("glyph_text", write_seeds);

}  // namespace
