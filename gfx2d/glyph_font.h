#pragma once
// The glyph font: draws Big5 and ASCII strings into 16-bit pixels. Each character is rendered
// once by the font rasteriser, reduced to a 1-bit bitmap and kept in a cache sorted by code
// word; drawing then sets pixels from the cached bitmap in one of five styles.
//
// A character's code word is the byte itself for a byte below 0x80, and otherwise big5_to_gb of
// the little-endian word of that byte and the next (low byte the GB2312 lead byte).
#include <cstdint>
#include <memory>

namespace platform {
class Font;
}
class cDDRAW;

// Draw flags: the first set bit of these, in this order, picks the style.
enum GlyphStyle : std::uint16_t {
  GLYPH_PLAIN = 0x1,
  GLYPH_SHADOW = 0x2,         // colour; shadow one row down and one down-right
  GLYPH_BOLD_SHADOW = 0x4,    // two columns of colour; shadow down-right
  GLYPH_OUTLINE = 0x8,        // shadow around, colour on top
  GLYPH_BOLD_OUTLINE = 0x10,  // shadow around, two columns of colour on top
  GLYPH_RAMP_UP = 0x80,       // the colour rises by 1 per glyph row
  GLYPH_RAMP_DOWN = 0x100,    // the colour falls by 1 per glyph row (wins over GLYPH_RAMP_UP)
};

class GlyphFont {
 public:
  static constexpr int kCacheSlots = 2000;
  static constexpr int kCacheLimit = 1998;  // glyphs kept between calls
  static constexpr int kMaxSize = 64;       // the scratch cell's size
  static constexpr std::uint16_t kNoBackground = 0xFFFE;

  GlyphFont();
  ~GlyphFont();
  GlyphFont(const GlyphFont&) = delete;
  GlyphFont& operator=(const GlyphFont&) = delete;

  // Binds the font to the display: the back buffer becomes the target and the display's size
  // the clip; a 16-pixel font of the default face, the cache empty.
  void init(cDDRAW* display);
  // The destination's geometry: pixels per row and rows. The clip becomes the display's size.
  void set_target(int width, int rows);
  // Recreates the rasteriser's font (sizes clamped to 1..64), resizes the cells, empties the cache.
  void set_font(const char* face, int size);
  void set_advance(int n) { advance_ = n; }
  void set_back_color(std::uint16_t colour) { back_colour_ = colour; }
  void set_shadow_color(std::uint16_t colour) { shadow_colour_ = colour; }
  void set_clip(int x, int y, int width, int height);
  // Draws s with its first cell at (x, y) into dst (target width pixels per row).
  void draw_text(std::uint16_t* dst, int x, int y, const char* s, std::uint16_t colour,
                 std::uint16_t flags);
  // Frees the rasteriser's font, the scratch cell and every buffer; init binds the font again.
  void release();

  // The cell size and what the cache holds.
  int glyph_count() const { return count_; }
  bool is_cached(std::uint16_t code) const { return find_glyph(code) >= 0; }
  int glyph_width() const { return glyph_width_; }
  int glyph_height() const { return glyph_height_; }

 private:
  struct Cell {  // a cell's position on the target
    int x, y;
  };
  struct Clip {  // the clip met with the target, as corners: x0 <= X < x1, y0 <= Y < y1
    int x0, y0, x1, y1;
    bool holds(int left, int top, int right, int bottom) const {
      return left >= x0 && top >= y0 && right < x1 && bottom < y1;
    }
  };

  std::size_t slot_bytes() const {
    return static_cast<std::size_t>(glyph_height_) * glyph_row_bytes_;
  }
  void set_glyph_size(int w, int h);
  void alloc_glyph_pool();
  void create_scratch();
  void release_scratch();
  void render_string();
  void copy_scratch();
  void render_glyph(int slot);
  int find_glyph(std::uint16_t code) const;
  int insert_glyph(std::uint16_t code);
  void drop_highest_glyph();
  void fill_cell(std::uint16_t* dst, int x, int y, int w, int h, std::uint16_t c) const;
  void draw_glyph(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                  std::uint16_t colour, std::uint16_t flags) const;
  template <typename PutBit>
  void for_each_bit(const std::uint8_t* bits, Cell at, std::uint16_t colour, std::uint16_t flags,
                    PutBit put) const;
  // The drawing passes, one per style.
  void draw_plain(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                  std::uint16_t colour, std::uint16_t flags) const;
  void draw_shadow(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                   std::uint16_t colour, std::uint16_t flags) const;
  void draw_bold_shadow(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                        std::uint16_t colour, std::uint16_t flags) const;
  void draw_outline(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits) const;
  void draw_bold_outline(std::uint16_t* dst, const Clip& clip, Cell at,
                         const std::uint8_t* bits) const;
  void draw_bold_plain(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                       std::uint16_t colour, std::uint16_t flags) const;

  int display_width_ = 0, display_height_ = 0;  // of the bound display; bound the clip
  std::unique_ptr<std::uint8_t[]> scratch_;  // kMaxSize x kMaxSize cell the rasteriser draws into
  int target_width_ = 0, target_rows_ = 0, target_size_ = 0;
  std::unique_ptr<int[]> row_table_;              // entry r = r * target width
  std::unique_ptr<std::uint8_t[]> glyph_pixels_;  // the rendered cell copied out of the scratch
  int glyph_row_bytes_ = 0;
  std::uint16_t codes_[kCacheSlots] = {};  // code words of the cached glyphs, ascending
  std::unique_ptr<std::uint8_t[]> pool_;   // slot i: the bitmap of codes_[i]
  int count_ = 0;
  char current_[4] = {};  // the code word's bytes and a zero: the string rendered
  std::unique_ptr<platform::Font> font_;
  int glyph_width_ = 16, glyph_height_ = 16;
  int scratch_pitch_ = 0, scratch_height_ = 0;
  int advance_ = 16;
  std::uint16_t shadow_colour_ = 0;
  std::uint16_t back_colour_ = kNoBackground;
  int clip_x_ = 0, clip_y_ = 0, clip_w_ = 0, clip_h_ = 0;
};
