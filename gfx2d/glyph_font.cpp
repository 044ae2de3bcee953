#include "gfx2d/glyph_font.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "gfx2d/big5_gb_table.h"
#include "gfx2d/cddraw.h"
#include "platform/font.h"

namespace {

// The face a font has until set_font names another: "宋体", in GB2312 bytes.
constexpr char kDefaultFace[] = "\xCB\xCE\xCC\xE5";

template <typename T>
std::unique_ptr<T[]> try_alloc(std::size_t n) {
  return std::unique_ptr<T[]>(new (std::nothrow) T[n]());
}

}  // namespace

GlyphFont::GlyphFont() = default;

GlyphFont::~GlyphFont() = default;

void GlyphFont::init(cDDRAW* display) {
  if (!display) return;
  DdrawInfo info;
  display->get_info(&info);
  display_width_ = info.width;
  display_height_ = info.height;
  int pitch = 0, rows = 0;
  display->get_back_size(&pitch, &rows);
  set_target(pitch / 2, rows);
  set_glyph_size(16, 16);
  set_font(kDefaultFace, glyph_width_);
  advance_ = glyph_width_;
  back_colour_ = kNoBackground;
  shadow_colour_ = 0;
  std::fill(std::begin(codes_), std::end(codes_), 0);
  count_ = 0;
}

void GlyphFont::set_target(int width, int rows) {
  row_table_.reset();
  if (width < 0 || rows < 0) return;
  row_table_ = try_alloc<int>(static_cast<std::size_t>(rows));
  if (!row_table_) return;
  target_width_ = width;
  target_rows_ = rows;
  target_size_ = width * rows * 2;
  for (int r = 0; r < rows; ++r) row_table_[r] = r * width;
  set_clip(0, 0, display_width_, display_height_);
}

void GlyphFont::set_clip(int x, int y, int width, int height) {
  clip_x_ = x;
  clip_y_ = y;
  clip_w_ = width;
  clip_h_ = height;
}

void GlyphFont::set_glyph_size(int w, int h) {
  glyph_pixels_.reset();
  create_scratch();
  glyph_pixels_ = try_alloc<std::uint8_t>(static_cast<std::size_t>(w) * h);
  if (!glyph_pixels_) return;
  glyph_width_ = w;
  glyph_height_ = h;
  advance_ = w;
}

void GlyphFont::create_scratch() {
  release_scratch();
  scratch_ = try_alloc<std::uint8_t>(kMaxSize * kMaxSize);
  if (!scratch_) return;
  scratch_pitch_ = kMaxSize;
  scratch_height_ = kMaxSize;
}

void GlyphFont::release_scratch() {
  scratch_.reset();
  scratch_pitch_ = scratch_height_ = 0;
}

void GlyphFont::set_font(const char* face, int size) {
  // The scratch cell bounds the size; a size of 0 or less would give cells of no pixels.
  size = std::clamp(size, 1, kMaxSize);
  font_.reset();
  font_ = platform::open_font(face, size);
  set_glyph_size(size, size);
  alloc_glyph_pool();
}

void GlyphFont::alloc_glyph_pool() {
  pool_.reset();
  glyph_row_bytes_ = (glyph_width_ + 7) / 8;
  pool_ = try_alloc<std::uint8_t>(static_cast<std::size_t>(kCacheSlots) * slot_bytes());
  if (!pool_) return;
  std::fill(std::begin(codes_), std::end(codes_), 0);
  count_ = 0;
}

void GlyphFont::release() {
  font_.reset();
  release_scratch();
  glyph_pixels_.reset();
  pool_.reset();
  row_table_.reset();
  count_ = 0;
}

// The rasteriser draws the current code's string into the cleared scratch cell.
void GlyphFont::render_string() {
  std::fill_n(scratch_.get(), scratch_pitch_ * scratch_height_, 0);
  if (font_) font_->draw(current_, scratch_.get(), scratch_pitch_, scratch_height_, scratch_pitch_);
}

void GlyphFont::copy_scratch() {
  for (int y = 0; y < glyph_height_; ++y)
    std::memcpy(&glyph_pixels_[y * glyph_width_], &scratch_[y * scratch_pitch_], glyph_width_);
}

// Renders the current code into pool slot `slot`; without a scratch cell or a pixel buffer the
// slot stays empty and the character draws as nothing.
void GlyphFont::render_glyph(int slot) {
  if (!scratch_ || !glyph_pixels_) return;
  render_string();
  copy_scratch();
  std::uint8_t* bits = &pool_[static_cast<std::size_t>(slot) * slot_bytes()];
  for (int y = 0; y < glyph_height_; ++y)
    for (int x = 0; x < glyph_width_; ++x)
      if (glyph_pixels_[y * glyph_width_ + x])
        bits[y * glyph_row_bytes_ + x / 8] |= 0x80 >> (x % 8);
}

int GlyphFont::find_glyph(std::uint16_t code) const {
  int lo = 0, hi = count_ - 1;  // signed: an empty cache gives hi = -1 and no probe
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    if (codes_[mid] == code) return mid;
    if (code < codes_[mid])
      hi = mid - 1;
    else
      lo = mid + 1;
  }
  return -1;
}

int GlyphFont::insert_glyph(std::uint16_t code) {
  const int at = static_cast<int>(std::lower_bound(codes_, codes_ + count_, code) - codes_);
  const std::size_t slot = slot_bytes();
  std::memmove(&codes_[at + 1], &codes_[at], (count_ - at) * sizeof codes_[0]);
  std::memmove(&pool_[(at + 1) * slot], &pool_[at * slot], (count_ - at) * slot);
  codes_[at] = code;
  std::memset(&pool_[at * slot], 0, slot);
  return at;
}

// Past the limit the glyph with the highest code word leaves, even when it was just drawn.
void GlyphFont::drop_highest_glyph() {
  count_ = kCacheLimit;
  std::memset(&pool_[kCacheLimit * slot_bytes()], 0, slot_bytes());
}

void GlyphFont::fill_cell(std::uint16_t* dst, int x, int y, int w, int h, std::uint16_t c) const {
  const int x0 = std::max(x, 0), x1 = std::min(x + w, target_width_);
  const int y0 = std::max(y, 0), y1 = std::min(y + h, target_rows_);
  for (int row = y0; row < y1; ++row)
    std::fill(dst + row_table_[row] + x0, dst + row_table_[row] + std::max(x0, x1), c);
}

void GlyphFont::draw_text(std::uint16_t* dst, int x, int y, const char* s, std::uint16_t colour,
                          std::uint16_t flags) {
  // A failed lock, or a font without its row table or cache, draws nothing.
  if (!dst || !s || !row_table_ || !pool_) return;
  // The clip may have been set larger than the target: never write outside the target.
  const auto end = [](int start, int length, int limit) {
    return static_cast<int>(std::min<long long>(static_cast<long long>(start) + length, limit));
  };
  const Clip clip{std::max(clip_x_, 0), std::max(clip_y_, 0), end(clip_x_, clip_w_, target_width_),
                  end(clip_y_, clip_h_, target_rows_)};
  const unsigned char* u = reinterpret_cast<const unsigned char*>(s);
  const std::size_t length = std::strlen(s);
  int pen = 0;
  for (std::size_t i = 0; i < length; ++i) {
    std::uint16_t code;
    int half;
    if (u[i] >= 0x80) {
      // A lone lead byte at the end pairs with the terminator: unpaired, drawn as "..".
      code = big5_to_gb(static_cast<std::uint16_t>(u[i] | u[i + 1] << 8));
      ++i;
      half = 0;
    } else {
      code = u[i];
      half = advance_ >> 1;
    }
    current_[0] = static_cast<char>(code & 0xFF);
    current_[1] = static_cast<char>(code >> 8);
    int slot = find_glyph(code);
    const bool inserted = slot < 0;
    if (inserted) {
      slot = insert_glyph(code);
      render_glyph(slot);
    }
    if (back_colour_ != kNoBackground) {
      const int w = i == length - 1 ? glyph_width_ - half + 2 : advance_;
      fill_cell(dst, x + pen, y, w, glyph_height_, back_colour_);
    }
    draw_glyph(dst, clip, {x + pen, y}, &pool_[static_cast<std::size_t>(slot) * slot_bytes()],
               colour, flags);
    pen += advance_ - half;
    if (inserted && ++count_ > kCacheLimit) drop_highest_glyph();
  }
}

void GlyphFont::draw_glyph(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                           std::uint16_t colour, std::uint16_t flags) const {
  if (at.x + glyph_width_ <= clip.x0 || at.x >= clip.x1 || at.y + glyph_height_ <= clip.y0 ||
      at.y >= clip.y1)
    return;
  if (flags & GLYPH_PLAIN) {
    draw_plain(dst, clip, at, bits, colour, flags);
  } else if (flags & GLYPH_SHADOW) {
    draw_shadow(dst, clip, at, bits, colour, flags);
  } else if (flags & GLYPH_BOLD_SHADOW) {
    draw_bold_shadow(dst, clip, at, bits, colour, flags);
  } else if (flags & GLYPH_OUTLINE) {
    draw_outline(dst, clip, at, bits);
    draw_plain(dst, clip, at, bits, colour, flags);
  } else if (flags & GLYPH_BOLD_OUTLINE) {
    draw_bold_outline(dst, clip, at, bits);
    draw_bold_plain(dst, clip, at, bits, colour, flags);
  }
}

// Calls put(X, Y, colour of the row) for every set bit, rows top to bottom and bits left to
// right. The colour ramp steps once per glyph row, also on rows the clip cuts away.
template <typename PutBit>
void GlyphFont::for_each_bit(const std::uint8_t* bits, Cell at, std::uint16_t colour,
                             std::uint16_t flags, PutBit put) const {
  const int step = (flags & GLYPH_RAMP_DOWN) ? -1 : (flags & GLYPH_RAMP_UP) ? 1 : 0;
  std::uint16_t c = colour;
  for (int r = 0; r < glyph_height_; ++r, c = static_cast<std::uint16_t>(c + step)) {
    const std::uint8_t* row = bits + r * glyph_row_bytes_;
    for (int b = 0; b < glyph_row_bytes_; ++b) {
      for (std::uint8_t left = row[b]; left;) {  // set bits only, leftmost first
        const int k = std::countl_zero(left);
        left = static_cast<std::uint8_t>(left & ~(0x80u >> k));
        put(at.x + b * 8 + k, at.y + r, c);
      }
    }
  }
}

void GlyphFont::draw_plain(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                           std::uint16_t colour, std::uint16_t flags) const {
  for_each_bit(bits, at, colour, flags, [&](int X, int Y, std::uint16_t c) {
    if (clip.holds(X, Y, X, Y)) dst[row_table_[Y] + X] = c;
  });
}

void GlyphFont::draw_shadow(std::uint16_t* dst, const Clip& clip, Cell at, const std::uint8_t* bits,
                            std::uint16_t colour, std::uint16_t flags) const {
  for_each_bit(bits, at, colour, flags, [&](int X, int Y, std::uint16_t c) {
    if (!clip.holds(X, Y, X + 1, Y + 1)) return;
    std::uint16_t* p = dst + row_table_[Y] + X;
    std::uint16_t* below = dst + row_table_[Y + 1] + X;
    p[0] = c;
    below[0] = below[1] = shadow_colour_;
  });
}

void GlyphFont::draw_bold_shadow(std::uint16_t* dst, const Clip& clip, Cell at,
                                 const std::uint8_t* bits, std::uint16_t colour,
                                 std::uint16_t flags) const {
  for_each_bit(bits, at, colour, flags, [&](int X, int Y, std::uint16_t c) {
    if (!clip.holds(X, Y, X + 2, Y + 1)) return;
    std::uint16_t* p = dst + row_table_[Y] + X;
    std::uint16_t* below = dst + row_table_[Y + 1] + X;
    p[0] = p[1] = c;
    below[1] = below[2] = shadow_colour_;
  });
}

void GlyphFont::draw_outline(std::uint16_t* dst, const Clip& clip, Cell at,
                             const std::uint8_t* bits) const {
  for_each_bit(bits, at, 0, 0, [&](int X, int Y, std::uint16_t) {
    if (!clip.holds(X - 1, Y - 1, X + 1, Y + 1)) return;
    std::uint16_t* above = dst + row_table_[Y - 1] + X;
    std::uint16_t* p = dst + row_table_[Y] + X;
    std::uint16_t* below = dst + row_table_[Y + 1] + X;
    const std::uint16_t s = shadow_colour_;
    above[0] = s;
    p[-1] = p[0] = s;
    below[-1] = below[0] = below[1] = s;
  });
}

void GlyphFont::draw_bold_outline(std::uint16_t* dst, const Clip& clip, Cell at,
                                  const std::uint8_t* bits) const {
  for_each_bit(bits, at, 0, 0, [&](int X, int Y, std::uint16_t) {
    if (!clip.holds(X - 1, Y - 1, X + 2, Y + 1)) return;
    std::uint16_t* above = dst + row_table_[Y - 1] + X;
    std::uint16_t* p = dst + row_table_[Y] + X;
    std::uint16_t* below = dst + row_table_[Y + 1] + X;
    const std::uint16_t s = shadow_colour_;
    above[0] = s;
    p[-1] = s;
    p[2] = s;
    below[-1] = below[0] = below[1] = below[2] = s;
  });
}

void GlyphFont::draw_bold_plain(std::uint16_t* dst, const Clip& clip, Cell at,
                                const std::uint8_t* bits, std::uint16_t colour,
                                std::uint16_t flags) const {
  for_each_bit(bits, at, colour, flags, [&](int X, int Y, std::uint16_t c) {
    if (!clip.holds(X, Y, X + 1, Y)) return;
    std::uint16_t* p = dst + row_table_[Y] + X;
    p[0] = p[1] = c;
  });
}
