// The RLE codec: encoding, the validator, conversion to the screen format and the expansion of
// paletted pictures.
#include "core/mem_mgr.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "gfx2d/rle_validator.h"
#include "gfx2d/tsw_pic.h"
#include "tests/fixtures/rle_writer.h"
#include "tests/gfx2d/rle_reference.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using rle_reference::Kind;

Bytes words(std::initializer_list<std::uint16_t> ws) {
  Bytes b;
  for (std::uint16_t w : ws) {
    b.push_back(std::uint8_t(w));
    b.push_back(std::uint8_t(w >> 8));
  }
  return b;
}

// Encodes and hands back the bytes (the heap block freed).
Bytes encode(const std::vector<std::uint16_t>& pixels, std::uint32_t w, std::uint32_t h) {
  int size = -1;
  RleImage* image = encode_rle_image(pixels.data(), &size, w, h, 16);
  if (!image) return {};
  auto* p = reinterpret_cast<std::uint8_t*>(image);
  Bytes out(p, p + size);
  MemMgr_Free(image);
  return out;
}

// A copy of bytes in a heap block of exactly their size, so that any read past them is caught.
struct HeapPicture {
  explicit HeapPicture(const Bytes& b) : size(b.size()), block(new std::uint8_t[b.size()]), data(block.get()) {
    if (size) std::memcpy(data, b.data(), b.size());
  }
  RleImage* image() { return reinterpret_cast<RleImage*>(data); }
  std::size_t size;
  std::unique_ptr<std::uint8_t[]> block;
  std::uint8_t* data;
};

TEST(RleEncode, ExamplesOfTheFormat) {
  struct Case {
    std::vector<std::uint16_t> pixels;
    std::uint32_t w;
    Bytes expected;
  } cases[] = {
      {{0x026B, 0x026B, 0x1234, 0x319F}, 4,
       words({0xFFFF, 4, 1, 0x8010, 0x000C, 0xC002, 0x0001, 0x1234, 0x8001, 0x0000, 0x0000})},
      {{0x7FFF, 0x7FFF}, 2, words({0xFFFF, 2, 1, 16, 0x800A, 0x0002, 0x7FFF, 0x7FFF, 0x0000, 0x0000})},
      {{0x319F, 0x319F, 0x319F}, 3, words({0xFFFF, 3, 1, 16, 0x0006, 0x8003, 0x0000, 0x0000})},
  };
  for (const Case& c : cases) EXPECT_EQ(encode(c.pixels, c.w, 1), c.expected);
}

// Round trips over bitmaps with runs of every kind, odd and even widths included.
TEST(RleEncode, RoundTripsThroughTheValidatorAndTheDecoder) {
  for (int w : {1, 2, 3, 7, 64, 65, 301}) {
    for (int h : {1, 5, 96}) {
      auto pixels = fixtures::mixed_run_bitmap(w, h, std::uint32_t(w * 131 + h));
      Bytes image = encode(pixels, std::uint32_t(w), std::uint32_t(h));
      ASSERT_FALSE(image.empty());
      RleInfo info;
      ASSERT_EQ(validate_rle_image(image.data(), image.size(), &info), RleCheck::Ok) << w << "x" << h;
      EXPECT_EQ(info.rows, h);
      EXPECT_EQ(info.used, image.size());
      EXPECT_EQ(image, fixtures::rle_from_pixels(pixels, w, h));
      auto pic = rle_reference::decode(image.data());
      for (int i = 0; i < w * h; ++i) {
        const auto& px = pic.pixels[std::size_t(i)];
        std::uint16_t expect = pixels[std::size_t(i)];
        if (expect == 0x026B)
          EXPECT_EQ(px.kind, Kind::Transparent);
        else if (expect == 0x319F)
          EXPECT_EQ(px.kind, Kind::Key2);
        else
          EXPECT_EQ(px, (rle_reference::Pixel{Kind::Literal, expect}));
      }
    }
  }
}

// Single literal pixels between key runs need the most room: 4 bytes a pixel at odd widths.
TEST(RleEncode, AlternatingRunsFitTheWorkArea) {
  for (int w : {1, 3, 5, 999}) {
    std::vector<std::uint16_t> pixels(std::size_t(w) * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 2) ? 0x026B : 0x1111;
    Bytes image = encode(pixels, std::uint32_t(w), 3);
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(validate_rle_image(image.data(), image.size()), RleCheck::Ok);
  }
}

TEST(RleEncode, RefusesSizesTheFormatCannotHold) {
  std::vector<std::uint16_t> row(16381, 0x1111);
  int size = 99;
  EXPECT_EQ(encode_rle_image(row.data(), &size, 16381, 1, 16), nullptr);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(encode_rle_image(row.data(), &size, 1, 0x10000, 16), nullptr);
  EXPECT_EQ(encode_rle_image(row.data(), &size, 4, 1, 8), nullptr);
  // The widest row of literals fits; alternating runs at that width pass the 15-bit row length.
  EXPECT_FALSE(encode(std::vector<std::uint16_t>(16380, 0x1111), 16380, 1).empty());
  std::vector<std::uint16_t> alternating(16380);
  for (std::size_t i = 0; i < alternating.size(); ++i) alternating[i] = (i % 2) ? 0x026B : 0x1111;
  EXPECT_TRUE(encode(alternating, 16380, 1).empty());
}

struct BadCase {
  const char* name;
  Bytes bytes;
  RleCheck expected;
};

Bytes good_picture() {
  return fixtures::RleWriter(3, 2).literal({1, 2}).transparent(1).end_row().key2(3).end_row().finish();
}

Bytes with_word(Bytes b, std::size_t offset, std::uint16_t v) {
  b[offset] = std::uint8_t(v);
  b[offset + 1] = std::uint8_t(v >> 8);
  return b;
}

TEST(RleValidator, RefusesEachKindOfDamage) {
  Bytes good = good_picture();
  // Layout: header 0-7; row 0 at 8 (length 12: header, 0002 0001 0002, C001, 0000); row 1 at
  // 20 (length 6); final 0 at 26.
  ASSERT_EQ(validate_rle_image(good.data(), good.size()), RleCheck::Ok);
  Bytes truncated(good.begin(), good.end() - 2);
  BadCase cases[] = {
      {"short", Bytes(good.begin(), good.begin() + 9), RleCheck::TooShort},
      {"magic", with_word(good, 0, 0xFFFE), RleCheck::BadMagic},
      {"depth", with_word(good, 6, 12), RleCheck::BadDepth},
      {"wide", with_word(good, 2, 16381), RleCheck::TooWide},
      {"row length past the block", with_word(good, 20, 0x0100), RleCheck::RowOutside},
      {"row length below a code", with_word(good, 20, 0x8002), RleCheck::RowOutside},
      {"zero length with the flag", with_word(good, 20, 0x8000), RleCheck::RowOutside},
      {"literal past its row", with_word(good, 10, 0x0009), RleCheck::RowOutside},
      {"runs short of the width", with_word(good, 22, 0x8002), RleCheck::BadRunSum},
      {"runs past the width", with_word(good, 22, 0x8004), RleCheck::BadRunSum},
      {"more rows than the height", with_word(good, 4, 1), RleCheck::TooManyRows},
      {"no final mark", truncated, RleCheck::NoTerminator},
      {"no closing code", with_word(good, 20, 0x0004), RleCheck::RowOutside},
      {"row longer than its codes", with_word(good, 20, 0x0008), RleCheck::BadRowLength},
  };
  for (const BadCase& c : cases) EXPECT_EQ(validate_rle_image(c.bytes.data(), c.bytes.size()), c.expected) << c.name;
}

TEST(RleValidator, AcceptsFewerRowsThanTheHeightAndEightBitPictures) {
  Bytes short_picture = fixtures::RleWriter(2, 9).literal({5, 6}).end_row().finish();
  EXPECT_EQ(validate_rle_image(short_picture.data(), short_picture.size()), RleCheck::Ok);
  Bytes eight = fixtures::RleWriter(3, 1, 8).literal8({1, 2}).transparent(1).end_row().finish();
  RleInfo info;
  EXPECT_EQ(validate_rle_image(eight.data(), eight.size(), &info), RleCheck::Ok);
  EXPECT_EQ(info.depth, 8);
}

TEST(RleValidator, EveryPrefixOfAPictureIsRefused) {
  Bytes good = good_picture();
  for (std::size_t n = 0; n < good.size(); ++n) {
    HeapPicture prefix(Bytes(good.begin(), good.begin() + long(n)));
    EXPECT_NE(validate_rle_image(prefix.data, n), RleCheck::Ok) << n;
  }
}

TEST(RleConvert, ConvertsLiteralPixelsOnly) {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  Bytes source = fixtures::RleWriter(4, 1).literal({0x7FFF, 0x026B}).key2(1).transparent(1).end_row().finish();
  HeapPicture pic(source);
  std::uint16_t w = 0, h = 0, d = 0;
  ASSERT_EQ(convert_rle_image(pic.image(), pic.size, &w, &h, &d), 1);
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(d, 16);
  auto decoded = rle_reference::decode(pic.data);
  EXPECT_EQ(decoded.at(0, 0).value, 0xFFDF);
  EXPECT_EQ(decoded.at(1, 0).value, 0x04CB);
  EXPECT_EQ(Bytes(pic.data, pic.data + 12), Bytes(source.begin(), source.begin() + 12));
}

TEST(RleConvert, StopsAtTheHeaderForOtherPictures) {
  Bytes eight = fixtures::RleWriter(3, 2, 8).literal8({1, 2, 3}).end_row().finish();
  eight[7] |= 0x80;
  std::uint16_t w = 0, h = 0, d = 0;
  HeapPicture pic(eight);
  EXPECT_EQ(convert_rle_image(pic.image(), pic.size, &w, &h, &d), 0);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(d, 8);
  Bytes raw = words({0x1234, 5, 6, 16, 0});
  HeapPicture not_rle(raw);
  w = 77;
  EXPECT_EQ(convert_rle_image(not_rle.image(), not_rle.size, &w, nullptr, nullptr), 0);
  EXPECT_EQ(w, 77);
}

TEST(RleConvert, NullOutputsStillConvert) {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  HeapPicture pic(fixtures::RleWriter(1, 1).literal({0x7FFF}).end_row().finish());
  ASSERT_EQ(convert_rle_image(pic.image(), pic.size, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(rle_reference::decode(pic.data).at(0, 0).value, 0xFFDF);
}

TEST(RleConvert, MalformedPictureIsLeftAlone) {
  Bytes bad = with_word(good_picture(), 22, 0x8009);
  HeapPicture pic(bad);
  EXPECT_EQ(convert_rle_image(pic.image(), pic.size, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(Bytes(pic.data, pic.data + pic.size), bad);
}

// A sprite picture owns a heap copy of its image, as the sprite cache hands them out.
struct OwnedPicture {
  explicit OwnedPicture(const Bytes& b) {
    pic.image = reinterpret_cast<RleImage*>(MemMgr_Alloc(int(b.size())));
    std::memcpy(pic.image, b.data(), b.size());
    pic.size = std::uint32_t(b.size());
  }
  ~OwnedPicture() { MemMgr_Free(pic.image); }
  std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(pic.image); }
  TswPic pic;
};

TEST(TswPictureConvert, ExpandsPalettedPicturesThroughThePalette) {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  std::vector<std::uint16_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[std::size_t(i)] = std::uint16_t(i * 0x0421 & 0x7FFF);
  // Odd literal lengths put later codes on odd offsets of the 8-bit picture.
  Bytes eight = fixtures::RleWriter(6, 2, 8)
                    .literal8({7, 200, 31})
                    .transparent(2)
                    .literal8({1})
                    .end_row()
                    .key2(1)
                    .literal8({255, 0, 9, 4, 3})
                    .end_row()
                    .finish();
  ASSERT_EQ(eight[7] & 0x80, 0x80);
  OwnedPicture owned(eight);
  owned.pic.palette = palette.data();
  owned.pic.width = 6;
  owned.pic.height = 2;
  convert_tsw_picture(&owned.pic);
  EXPECT_EQ(owned.pic.palette, nullptr);
  EXPECT_TRUE(owned.pic.converted);
  ASSERT_EQ(validate_rle_image(owned.bytes(), owned.pic.size), RleCheck::Ok);
  EXPECT_EQ(rle_reference::word(owned.bytes() + 6), 0x8010);
  auto expanded = rle_reference::decode(owned.bytes());
  auto original = rle_reference::decode(eight.data());
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 6; ++x) {
      const auto& o = original.at(x, y);
      const auto& e = expanded.at(x, y);
      ASSERT_EQ(e.kind, o.kind) << x << "," << y;
      if (o.kind != Kind::Literal) continue;
      std::uint16_t want = palette[o.value];
      rgb555_to_565(&want, 1);
      EXPECT_EQ(e.value, want) << x << "," << y;
    }
  }
  // Row headers carry their length only.
  std::size_t pos = 8;
  for (std::uint16_t header; (header = rle_reference::word(owned.bytes() + pos)) != 0; pos += header & 0x7FFF)
    EXPECT_EQ(header & 0x8000, 0);
}

// Converting the same picture again must not shift its colours a second time.
TEST(TswPictureConvert, ConvertsOnce) {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  OwnedPicture owned(fixtures::RleWriter(1, 1).literal({0x7FFF}).end_row().finish());
  convert_tsw_picture(&owned.pic);
  convert_tsw_picture(&owned.pic);
  EXPECT_EQ(owned.pic.width, 1);
  EXPECT_EQ(rle_reference::decode(owned.bytes()).at(0, 0).value, 0xFFDF);
}

TEST(TswPictureConvert, PalettedPictureWithoutPaletteIsLeftAlone) {
  Bytes eight = fixtures::RleWriter(1, 1, 8).literal8({3}).end_row().finish();
  OwnedPicture owned(eight);
  convert_tsw_picture(&owned.pic);
  EXPECT_FALSE(owned.pic.converted);
  EXPECT_EQ(Bytes(owned.bytes(), owned.bytes() + eight.size()), eight);
}

}  // namespace
