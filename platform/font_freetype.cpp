// The font rasteriser on FreeType and fontconfig, used by both backends (it needs no display).
//
// It draws as a GDI text-out of a font made with a negative height would: the em square is the
// requested pixel size, the text's cell top lies on row 0 and the baseline at the font's ascent
// (the OS/2 Windows ascent, scaled and rounded as GDI does), glyphs are rendered in one bit
// (no anti-aliasing, embedded bitmaps where the font has them) and placed by their advances.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include "platform/font.h"
#include "platform/gb2312_codec.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

FontOpener font_opener = nullptr;

FT_Library freetype() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

struct FontFile {
  std::string path;
  int index = 0;
};

// The file for a face: QORV_FONT when set, else fontconfig's choice for the face's name (read
// both as Big5 and as GB2312, since the game names faces in either) among Chinese fonts.
FontFile match_font_file(const std::string& face) {
  FontFile file;
  // A configuration of our own, destroyed after the match: the library's global one keeps
  // memory that is never given back.
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return file;
  FcPattern* pattern = FcPatternCreate();
  for (const std::string& name : {big5_to_utf8(face), gb2312_to_utf8(face)})
    if (!name.empty())
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("AR PL UMing CN"));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
      file.path = reinterpret_cast<char*>(path);
    FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return file;
}

// Fontconfig is asked once per face; fonts are made again at every display restore.
FontFile find_font_file(const char* face) {
  if (const char* forced = std::getenv("QORV_FONT"); forced && *forced) return {forced, 0};
  static std::map<std::string, FontFile> known;
  const std::string name = face ? face : "";
  auto it = known.find(name);
  if (it == known.end()) it = known.emplace(name, match_font_file(name)).first;
  return it->second;
}

class FreeTypeFont final : public Font {
 public:
  FreeTypeFont(FT_Face face, int pixel_size) : face_(face) {
    FT_Set_Pixel_Sizes(face_, 0, pixel_size);
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 && face_->units_per_EM > 0)
      ascent_ = static_cast<int>(
          std::lround(double(os2->usWinAscent) * pixel_size / face_->units_per_EM));
    else
      ascent_ = static_cast<int>((face_->size->metrics.ascender + 63) >> 6);
  }
  ~FreeTypeFont() override { FT_Done_Face(face_); }

  void draw(const char* text, std::uint8_t* pixels, int width, int height, int pitch) override {
    draw_codepoints(codepoints_of(gb2312_to_utf8(text)), pixels, width, height, pitch);
  }

  int draw_utf8(const std::string& utf8, std::uint8_t* pixels, int width, int height,
                int pitch) override {
    return draw_codepoints(codepoints_of(utf8), pixels, width, height, pitch);
  }

 private:
  int draw_codepoints(const std::vector<FT_ULong>& text, std::uint8_t* pixels, int width,
                      int height, int pitch) {
    int pen = 0;
    for (FT_ULong c : text) {
      if (FT_Load_Char(face_, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
        continue;
      const FT_GlyphSlot g = face_->glyph;
      if (pixels)
        put_bitmap(g->bitmap, pen + g->bitmap_left, ascent_ - g->bitmap_top, pixels, width,
                   height, pitch);
      pen += static_cast<int>((g->advance.x + 32) >> 6);
    }
    return pen;
  }

  // The characters of UTF-8 text (the game's GB2312 converted first); control characters draw
  // nothing.
  static std::vector<FT_ULong> codepoints_of(const std::string& utf8) {
    std::vector<FT_ULong> out;
    for (std::size_t i = 0; i < utf8.size();) {
      const auto b = static_cast<unsigned char>(utf8[i]);
      const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
      FT_ULong c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
      for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k) c = c << 6 | (utf8[i + k] & 0x3F);
      if (c >= 0x20) out.push_back(c);
      i += n;
    }
    return out;
  }

  static void put_bitmap(const FT_Bitmap& bm, int left, int top, std::uint8_t* pixels, int width,
                         int height, int pitch) {
    for (unsigned r = 0; r < bm.rows; ++r) {
      const int y = top + int(r);
      if (y < 0 || y >= height) continue;
      const unsigned char* row = bm.buffer + int(r) * bm.pitch;
      for (unsigned q = 0; q < bm.width; ++q) {
        const int x = left + int(q);
        if (x < 0 || x >= width) continue;
        const bool ink =
            bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[q >> 3] >> (7 - (q & 7))) & 1 : row[q] != 0;
        if (ink) pixels[y * pitch + x] = 0xFF;
      }
    }
  }

  FT_Face face_;
  int ascent_ = 0;
};

std::unique_ptr<Font> open_freetype_font(const char* face, int pixel_size) {
  FT_Library lib = freetype();
  if (!lib || pixel_size < 1) return nullptr;
  FontFile file = find_font_file(face);
  if (file.path.empty()) return nullptr;
  FT_Face ft_face = nullptr;
  if (FT_New_Face(lib, file.path.c_str(), file.index, &ft_face) != 0) return nullptr;
  return std::make_unique<FreeTypeFont>(ft_face, pixel_size);
}

}  // namespace

std::unique_ptr<Font> open_font(const char* face, int pixel_size) {
  return font_opener ? font_opener(face, pixel_size) : open_freetype_font(face, pixel_size);
}

FontOpener set_font_opener(FontOpener opener) {
  FontOpener previous = font_opener;
  font_opener = opener;
  return previous;
}

}  // namespace platform
