#include "tests/gfx2d/fake_font.h"

#include <cstdint>
#include <memory>

#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "platform/font.h"

namespace fake_font {
namespace {

int render_count = 0;
std::string last_text;
std::string opened_face;
int opened_size = 0;

class FakeFont final : public platform::Font {
 public:
  explicit FakeFont(int size) : size_(size) {}

  void draw(const char* text, std::uint8_t* pixels, int width, int height, int pitch) override {
    ++render_count;
    last_text = text;
    auto put = [&](int x, int y) {
      if (x >= 0 && x < width && y >= 0 && y < height) pixels[y * pitch + x] = 0xFF;
    };
    int pen = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;) {
      const bool two_bytes = *p >= 0x80 && p[1] != 0;
      const int cell = two_bytes ? size_ : size_ / 2;
      const unsigned sum = two_bytes ? p[0] + p[1] : p[0];
      for (int y = 1; y < size_ - 1; ++y) put(pen + 1, y);  // the stem
      for (int x = 1; x < cell - 1; ++x) put(pen + x, 1);   // the arm
      if (cell > 3 && size_ > 3)
        put(pen + 2 + int(sum % unsigned(cell - 3)), 2 + int(sum / 7 % unsigned(size_ - 3)));
      pen += cell;
      p += two_bytes ? 2 : 1;
    }
  }

 private:
  int size_;
};

std::unique_ptr<platform::Font> open_fake(const char* face, int size) {
  opened_face = face ? face : "";
  opened_size = size;
  return std::make_unique<FakeFont>(size);
}

}  // namespace

void install() {
  render_count = 0;
  last_text.clear();
  platform::set_font_opener(open_fake);
}

void uninstall() { platform::set_font_opener(nullptr); }

int renders() { return render_count; }

const std::string& last_rendered() { return last_text; }

const std::string& last_face() { return opened_face; }

int last_size() { return opened_size; }

void install_game_fonts() {
  install();
  struct Size {
    GlyphFont* font;
    int size, advance;
  };
  for (const Size& f : {Size{&font_20, 20, 22}, Size{&font_16, 16, 18}, Size{&font_12, 12, 14}}) {
    f.font->init(&display_device);
    f.font->set_font(kGameFontFace, f.size);
    f.font->set_advance(f.advance);
  }
}

void release_game_fonts() {
  for (GlyphFont* font : {&font_20, &font_16, &font_12}) font->release();
  uninstall();
}

}  // namespace fake_font
