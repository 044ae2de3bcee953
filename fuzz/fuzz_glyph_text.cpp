// The glyph font on text from outside (the game's strings come from its data files). Input:
// flags (two bytes, little-endian), x, y (signed bytes), font size, clip x, y, width, height
// (signed bytes), then the text up to the first NUL. A glyph is a box, so that every pass has
// ink to place near the edges of the target.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/byte_reader.h"
#include "gfx2d/big5_gb_table.h"
#include "gfx2d/glyph_font.h"
#include "platform/font.h"

namespace {

constexpr int kWidth = 48, kRows = 40, kGuard = 512;
constexpr std::uint16_t kGuardValue = 0xA5A5;

class BoxFont final : public platform::Font {
 public:
  explicit BoxFont(int size) : size_(size) {}
  void draw(const char* text, std::uint8_t* pixels, int width, int height, int pitch) override {
    const int w = std::min(width, text[0] && text[1] ? size_ : (size_ + 1) / 2);
    for (int y = 0; y < std::min(height, size_); ++y)
      for (int x = 0; x < w; ++x)
        if (x == 0 || y == 0 || x == w - 1 || y == size_ - 1 || (x + y) % 3 == 0)
          pixels[y * pitch + x] = 1;
  }

 private:
  int size_;
};

std::unique_ptr<platform::Font> open_box(const char*, int size) {
  return std::make_unique<BoxFont>(size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  static const bool ready = [] {
    platform::set_font_opener(open_box);
    init_big5_gb();
    return true;
  }();
  (void)ready;
  const std::uint16_t flags = ByteReader(data, size).u16_at(0);
  const int x = static_cast<std::int8_t>(data[2]), y = static_cast<std::int8_t>(data[3]);
  const int font_size = data[4] % 70 - 3;
  std::string text(reinterpret_cast<const char*>(data) + 9, size - 9);
  text = text.substr(0, text.find('\0'));

  std::vector<std::uint16_t> memory(kWidth * kRows + 2 * kGuard, kGuardValue);
  GlyphFont font;
  font.set_target(kWidth, kRows);
  font.set_clip(static_cast<std::int8_t>(data[5]), static_cast<std::int8_t>(data[6]),
                static_cast<std::int8_t>(data[7]), static_cast<std::int8_t>(data[8]));
  font.set_font("face", font_size);
  font.set_advance(font_size + 2);
  font.set_back_color(flags & 0x8000 ? 0x1234 : GlyphFont::kNoBackground);
  for (int pass = 0; pass < 2; ++pass)  // the second pass draws from the cache
    font.draw_text(memory.data() + kGuard, x, y, text.c_str(), 0xFFFF, flags);
  for (int i = 0; i < kGuard; ++i)
    if (memory[i] != kGuardValue || memory[memory.size() - 1 - i] != kGuardValue) __builtin_trap();
  if (font.glyph_count() > GlyphFont::kCacheLimit) __builtin_trap();
  return 0;
}
