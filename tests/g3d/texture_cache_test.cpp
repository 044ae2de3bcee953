// The device texture cache: ageing, eviction, picture decoding and keys.
#include <gtest/gtest.h>

#include "g3d/texture_source.h"
#include "gfx2d/sprite_blitter.h"
#include "tests/g3d/renderer_fixture.h"

namespace {

std::vector<std::uint8_t> solid(int w, int h, int colour = 0x1234) {
  return rle_picture(w, h, [colour](int, int) { return colour; });
}

// The ages of the table, in table order.
std::vector<std::uint32_t> ages() {
  std::vector<std::uint32_t> out;
  for (int i = 0; i < renderer.get_texture_count(); ++i) out.push_back(renderer.texture_at(i)->age);
  return out;
}

std::vector<std::uint32_t> keys() {
  std::vector<std::uint32_t> out;
  for (int i = 0; i < renderer.get_texture_count(); ++i) out.push_back(renderer.texture_at(i)->key);
  return out;
}

TEST_F(RendererTest, AgeingSequence) {
  const auto p = solid(4, 4);
  struct Step {
    std::uint32_t key;  // 0xFFFFFFFF: no texture
    std::vector<std::uint32_t> ages;
  };
  const Step steps[] = {
      {1, {0}},
      {2, {1, 0}},
      {0xFFFFFFFFu, {2, 1}},  // no texture still ages every entry
      {2, {3, 1}},            // the one asked for keeps its age
      {2, {4, 1}},
      {1, {4, 2}},
      {2, {5, 2}},
      {1, {5, 3}},            // asked every second call: one more every two calls
  };
  for (const Step& s : steps) {
    renderer.get_texture(s.key, s.key == 0xFFFFFFFFu ? nullptr : p.data());
    EXPECT_EQ(ages(), s.ages) << "after key " << s.key;
  }
}

TEST_F(RendererTest, EvictionSequences) {
  const auto p = solid(16, 16);  // 512 bytes each
  renderer.set_texture_budget(3 * 512);
  renderer.get_texture(10, p.data());
  renderer.get_texture(11, p.data());
  renderer.get_texture(12, p.data());
  renderer.get_texture(11, p.data());
  // Ages now 3, 1, 1: a new texture evicts the oldest (key 10), whose slot takes the last.
  renderer.get_texture(13, p.data());
  EXPECT_EQ(keys(), (std::vector<std::uint32_t>{12, 11, 13}));
  EXPECT_EQ(renderer.get_texture_bytes(), 3u * 512);

  // Two of equal greatest age: the earlier in the table goes.
  renderer.release_textures();
  renderer.get_texture(20, p.data());
  renderer.get_texture(21, p.data());
  renderer.get_texture(20, p.data());  // ages 1, 1
  renderer.get_texture(22, p.data());  // ages 2, 2, 0: all three fit
  EXPECT_EQ(ages(), (std::vector<std::uint32_t>{2, 2, 0}));
  renderer.get_texture(23, p.data());  // evicts 20, whose slot takes 22
  EXPECT_EQ(keys(), (std::vector<std::uint32_t>{22, 21, 23}));
}

TEST_F(RendererTest, PictureEvictsOnceTexNoUntilItFits) {
  const auto small = solid(16, 16);
  renderer.set_texture_budget(4 * 512);
  for (std::uint32_t k = 1; k <= 4; ++k) renderer.get_texture(k, small.data());
  const auto big = solid(32, 32);  // 2048 bytes: the whole budget
  renderer.get_texture(5, big.data());
  EXPECT_EQ(renderer.get_texture_count(), 4);  // one evicted, still above the budget
  EXPECT_GT(renderer.get_texture_bytes(), 4u * 512);

  renderer.release_textures();
  for (std::uint32_t k = 1; k <= 4; ++k) renderer.get_texture(k, small.data());
  const auto file = solid(32, 16);  // 1024 bytes
  const TexturePicture pic{file.data(), file.size(), 2};
  texture_file_set_test_picture(700, &pic);
  ASSERT_NE(renderer.get_texture(700, nullptr), nullptr);
  EXPECT_EQ(renderer.get_texture_count(), 3);  // two evicted until it fits
  EXPECT_LE(renderer.get_texture_bytes(), 4u * 512);
  EXPECT_EQ(renderer.get_texture(701, nullptr), nullptr);  // a number the files do not hold
  texture_file_set_test_picture(700, nullptr);
}

TEST_F(RendererTest, TheKeyAloneIdentifiesATexture) {
  const auto red = solid(4, 4, 0xF800), blue = solid(4, 4, 0x001F);
  G3dTexture* a = renderer.get_texture(5, red.data());
  G3dTexture* b = renderer.get_texture(5, blue.data());
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->surface[0], 0xF800);
  renderer.release_texture(5);
  EXPECT_EQ(renderer.get_texture_count(), 0);
  EXPECT_EQ(renderer.get_texture_bytes(), 0u);
}

TEST_F(RendererTest, PicturesOfAnySizeDecodeAtTheTexturePitch) {
  for (int w : {1, 3, 600}) {
    const auto p = rle_picture(w, 3, [](int x, int y) { return (x + y) % 5 == 0 ? -1 : 0x0100 + x + y; });
    G3dTexture* t = renderer.get_texture(std::uint32_t(1000 + w), p.data(), p.size());
    ASSERT_NE(t, nullptr) << w;
    EXPECT_EQ(t->width, std::uint32_t(w));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint16_t expected = (x + y) % 5 == 0 ? t->key_colour : std::uint16_t(0x0100 + x + y);
        ASSERT_EQ(t->surface[y * t->pitch + x], expected) << w << " " << x << "," << y;
      }
  }
}

TEST_F(RendererTest, ColourKeyOfPictures) {
  // A keyed picture whose first row begins transparent is keyed with colour 0.
  const auto hole_first = rle_picture(4, 2, [](int x, int) { return x == 0 ? -1 : 0x4444; });
  G3dTexture* a = renderer.get_texture(1, hole_first.data());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->keyed, 1u);
  EXPECT_EQ(a->key_colour, 0u);
  // One whose first row begins with a literal run is keyed with its first pixel.
  const auto literal_first = rle_picture(4, 2, [](int x, int) { return x == 3 ? -1 : 0x2222 + x; });
  G3dTexture* b = renderer.get_texture(2, literal_first.data());
  EXPECT_EQ(b->key_colour, 0x2222u);
  // No transparent run: no key.
  const auto opaque = solid(4, 2);
  EXPECT_EQ(renderer.get_texture(3, opaque.data())->keyed, 0u);
  // Raw pictures are keyed with 0.
  const auto raw = raw_picture(4, 4, 0x5555);
  const TexturePicture pic{raw.data(), raw.size(), 1};
  texture_file_set_test_picture(9, &pic);
  G3dTexture* r = renderer.get_texture(9, nullptr);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->keyed, 1u);
  EXPECT_EQ(r->key_colour, 0u);
  EXPECT_EQ(r->surface[15], 0x5555);
  texture_file_set_test_picture(9, nullptr);
}

TEST_F(RendererTest, MalformedPicturesGiveNoTextureAndLeakNothing) {
  const auto good = solid(8, 8);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<std::uint8_t> cut = good;
  cut.resize(30);
  std::vector<std::uint8_t> long_run = good;
  long_run[10] = 0xFF;  // a literal run of far more pixels than the picture holds
  long_run[11] = 0x3F;
  const Case cases[] = {
      {"cut short", cut},
      {"literal run past the end", long_run},
      {"no header", {0xFF, 0xFF, 4}},
      {"zero size", {0xFF, 0xFF, 0, 0, 0, 0, 16, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(renderer.get_texture(77, c.bytes.data(), c.bytes.size()), nullptr) << c.name;
    EXPECT_EQ(renderer.get_texture_count(), 0) << c.name;
    EXPECT_EQ(renderer.get_texture_bytes(), 0u) << c.name;
  }
}

TEST_F(RendererTest, TableGrowsPastFourThousandEntries) {
  const auto p = solid(2, 2);
  renderer.set_texture_budget(0xFFFFFFFFu);
  for (std::uint32_t k = 0; k < 4200; ++k) ASSERT_NE(renderer.get_texture(k, p.data()), nullptr);
  EXPECT_EQ(renderer.get_texture_count(), 4200);
  renderer.flush_textures();
  EXPECT_EQ(renderer.get_texture_count(), 0);
}

TEST(SpriteTextureKeys, DocumentedBelow256AndDistinctAbove) {
  EXPECT_EQ(g3d_sprite_texture_key(3, 5), 3u * 256 + 5 + 100000);
  EXPECT_NE(g3d_sprite_texture_key(3, 300), g3d_sprite_texture_key(4, 44));  // 3*256+300 = 4*256+44
  EXPECT_NE(g3d_sprite_texture_key(3, 300), g3d_sprite_texture_key(3, 301));
  EXPECT_NE(g3d_sprite_texture_key(2999, 255), g3d_sprite_texture_key(0, 256));
}

}  // namespace

namespace {

TEST_F(RendererTest, LostTextureIsRefilledOnItsNextUse) {
  const auto pic = rle_picture(4, 4, [](int x, int) { return x == 0 ? -1 : 0x3333; });
  G3dTexture* t = renderer.get_texture(8, pic.data());
  ASSERT_NE(t, nullptr);
  t->texture->mark_lost();
  t->surface[0] = 0x7777;
  t->surface[1] = 0x7777;
  EXPECT_EQ(renderer.get_texture(8, pic.data()), t);
  EXPECT_FALSE(t->texture->lost());
  EXPECT_EQ(t->surface[0], t->key_colour);  // filled with the key first
  EXPECT_EQ(t->surface[1], 0x3333);
  // From the texture file cache, without a key fill.
  const auto file = solid(4, 4, 0x4444);
  const TexturePicture entry{file.data(), file.size(), 2};
  texture_file_set_test_picture(900, &entry);
  G3dTexture* f = renderer.get_texture(900, nullptr);
  ASSERT_NE(f, nullptr);
  f->texture->mark_lost();
  f->surface[5] = 0;
  EXPECT_EQ(renderer.get_texture(900, nullptr), f);
  EXPECT_EQ(f->surface[5], 0x4444);
  texture_file_set_test_picture(900, nullptr);
}

}  // namespace

namespace {

TEST_F(RendererTest, UploadsLeaveTheBlitterWhereItWas) {
  int rows[4] = {0, 8, 16, 24};
  set_blit_target(rows, 4, 4, 8);
  std::uint16_t target[16] = {};
  sprite_blitter.blit_dest = target;
  const SpriteBlitter before = sprite_blitter;
  const auto pic = rle_picture(600, 2, [](int x, int) { return x % 3 == 0 ? -1 : 0x1111; });
  ASSERT_NE(renderer.get_texture(1, pic.data()), nullptr);
  EXPECT_EQ(sprite_blitter.blit_dest, before.blit_dest);
  EXPECT_EQ(sprite_blitter.blit_row_table, before.blit_row_table);
  EXPECT_EQ(sprite_blitter.blit_pitch, before.blit_pitch);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sprite_blitter.blit_clip[i], before.blit_clip[i]);
}

}  // namespace
