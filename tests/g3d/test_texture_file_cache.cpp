// The texture file cache over kit texture folders.
#include "g3d/texture_file_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/byte_reader.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "platform/message_box.h"
#include "tests/fixtures/rle_writer.h"
#include "tests/fixtures/sample_archives.h"
#include "tests/fixtures/texture_kit.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::string kIndexMissing = "g3d_load_idx_tex(..)\xbf\xf9\xbb~  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7";  // ...錯誤  找不到檔案
const std::string kErrorCaption = "\xbf\xf9\xbb~";  // 錯誤

class TextureCache : public testing::Test {
 protected:
  void SetUp() override {
    tex = fs::absolute(fs::path("tex") / testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(tex);
    fs::create_directories(tex);
    g3d_FileCache_Init();
    g3d_set_texture_path(tex.string().c_str());
    platform::clear_recorded_boxes();
  }
  void TearDown() override { g3d_FileCache_Close(); }

  // Writes the set and starts the cache as the game does (state 0x2A, category mode).
  void start(const std::map<std::uint32_t, Bytes>& textures) {
    kit::write_texture_set(tex.string(), textures);
    g3d_set_texture_cache_state(0x2A);
    g3d_load_category_idx_tex(1);
  }

  fs::path tex;
};

std::vector<int> expected_grid(const Bytes& picture) {
  std::vector<int> grid = fixtures::decode_rle_picture(picture);
  for (int& v : grid) {
    if (v < 0) continue;
    std::uint16_t c = std::uint16_t(v);
    rgb555_to_screen(&c, 1);
    v = c;
  }
  return grid;
}

std::vector<std::string> box_texts() {
  std::vector<std::string> texts;
  for (const auto& box : platform::recorded_boxes()) texts.push_back(box.text);
  return texts;
}

TEST_F(TextureCache, NumbersLoadFromTheirCategoryFolderOrFromTheExtraIndex) {
  std::map<std::uint32_t, Bytes> textures;
  int seed = 0;
  for (std::uint32_t n : {0u, 9999u, 10000u, 12000u, 16999u, 17000u, 20000u, 29999u, 30000u, 32767u, 32768u,
                          40000u, 65535u})
    textures[n] = kit::sample_texture(4 + seed % 5, 3 + seed % 4, seed), ++seed;
  start(textures);
  for (auto& [n, picture] : textures) {
    SCOPED_TRACE(n);
    TexCacheEntry* e = g3d_FileCache_Get(n);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->type, 2u);
    EXPECT_EQ(e->key, n);
    EXPECT_EQ(e->size, picture.size());
    EXPECT_EQ(fixtures::decode_rle_picture(e->data, e->size), expected_grid(picture));
  }
  EXPECT_TRUE(platform::recorded_boxes().empty());
}

TEST_F(TextureCache, ACategoryTextureIsNamedByItsOwnNumberNotItsOffsetInTheCategory) {
  start({{20000, kit::sample_texture(4, 4)}});
  fs::rename(tex / "MAP" / "TX20000.TEX", tex / "MAP" / "TX00000.TEX");
  EXPECT_EQ(g3d_FileCache_Get(20000), nullptr);
  fs::rename(tex / "MAP" / "TX00000.TEX", tex / "MAP" / "TX20000.TEX");
  EXPECT_NE(g3d_FileCache_Get(20000), nullptr);
}

TEST_F(TextureCache, TheExtraIndexIsReadOnceAndItsPresenceFlagsDecide) {
  start({{32768 + 5, kit::sample_texture(4, 4)}, {32768 + 9, kit::sample_texture(4, 4, 1)}});
  // A file on disk that the index does not list is not loaded.
  fs::copy_file(tex / "TX00005.TEX", tex / "TX00006.TEX");
  EXPECT_EQ(g3d_FileCache_Get(32768 + 6), nullptr);
  EXPECT_NE(g3d_FileCache_Get(32768 + 5), nullptr);
  fs::remove(tex / "ALL_TEX1.IDX");
  EXPECT_NE(g3d_FileCache_Get(32768 + 9), nullptr) << "the index was read once";
  EXPECT_TRUE(platform::recorded_boxes().empty());
  g3d_FileCache_Clear();
  EXPECT_EQ(g3d_FileCache_Get(32768 + 9), nullptr) << "a clearing forgets the extra index";
  EXPECT_EQ(box_texts(), std::vector<std::string>{kIndexMissing});
}

TEST_F(TextureCache, WithoutCategoryModeTheTextureFolderIndexAndTheNumberItselfServe) {
  std::ofstream(tex / "ALL_TEX.IDX", std::ios::binary).write(
      reinterpret_cast<const char*>(kit::texture_index("AB", {}).data()), 65600);
  Bytes file = kit::tex_file(kit::sample_texture(5, 2));
  std::ofstream(tex / "AB20000.TEX", std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                              std::streamsize(file.size()));
  g3d_set_texture_cache_state(0x2A);
  g3d_load_category_idx_tex(0);
  EXPECT_NE(g3d_FileCache_Get(20000), nullptr);
}

TEST_F(TextureCache, TheSameNumberGivesTheSameEntryAndItsAgeDoesNotGrow) {
  start({{1, kit::sample_texture(4, 4, 1)}, {2, kit::sample_texture(4, 4, 2)}});
  TexCacheEntry* one = g3d_FileCache_Get(1);
  ASSERT_NE(one, nullptr);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(g3d_FileCache_Get(1), one);
  EXPECT_EQ(one->age, 0u);
  TexCacheEntry* two = g3d_FileCache_Get(2);
  ASSERT_NE(two, nullptr);
  g3d_FileCache_Get(2);
  EXPECT_EQ(one->age, 2u);
  EXPECT_EQ(two->age, 0u);
  EXPECT_EQ(g3d_FileCache_count(), 2u);
}

TEST_F(TextureCache, APictureOverTheBudgetRemovesTheOldestEntryOnceAndIsAddedAnyway) {
  start({{1, kit::sample_texture(8, 8, 1)}, {2, kit::sample_texture(8, 8, 2)}, {3, kit::sample_texture(8, 8, 3)},
         {4, kit::sample_texture(64, 64, 4)}});
  std::uint32_t small = g3d_FileCache_Get(1)->size;
  g3d_FileCache_Get(2);
  g3d_FileCache_Get(3);
  g3d_set_texture_cache_size(3 * small + 10);
  TexCacheEntry* big = g3d_FileCache_Get(4);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(g3d_FileCache_count(), 3u);
  EXPECT_EQ(g3d_FileCache_bytes_held(), 2 * small + big->size);
  EXPECT_GT(g3d_FileCache_bytes_held(), 3 * small + 10);
  // Entry 1 was the oldest: asking for it again loads it anew (a fresh entry of age 0).
  EXPECT_EQ(g3d_FileCache_Get(1)->age, 0u);
  EXPECT_EQ(g3d_FileCache_count(), 3u) << "one more removal for the reload of 1";
}

TEST_F(TextureCache, TheStateWordStoresAnyValueButLoadsOnlyWithTheNormalModelFlag) {
  start({{1, kit::sample_texture(4, 4)}});
  g3d_set_texture_cache_state(0x0A);
  EXPECT_EQ(g3d_FileCache_Get(1), nullptr);
  g3d_set_texture_cache_state(3);
  EXPECT_EQ(g3d_FileCache_state(), 3u);
  g3d_set_texture_cache_state(0x3F);
  ASSERT_EQ(platform::recorded_boxes().size(), 4u);
  EXPECT_NE(box_texts()[0].find("DONOT_LOAD_SAME"), std::string::npos);
  EXPECT_NE(box_texts()[1].find("DONOT_LOAD_SAME"), std::string::npos);
  EXPECT_NE(box_texts()[2].find("G3D_TEXTURE_USE_PCT"), std::string::npos);
  EXPECT_NE(box_texts()[3].find("G3D_MODEL_FMT_NORMAL"), std::string::npos);
  EXPECT_EQ(platform::recorded_boxes()[0].caption, kErrorCaption);
  EXPECT_NE(g3d_FileCache_Get(1), nullptr);
}

TEST_F(TextureCache, AMissingIndexFileIsShownAndAMissingTextureFileIsNot) {
  kit::write_texture_set(tex.string(), {{5, kit::sample_texture(4, 4)}});
  fs::remove(tex / "CHR" / "ALL_TEX.IDX");
  g3d_set_texture_cache_state(0x2A);
  g3d_load_category_idx_tex(1);
  EXPECT_EQ(box_texts(), std::vector<std::string>{kIndexMissing});
  EXPECT_EQ(platform::recorded_boxes()[0].caption, kErrorCaption);
  EXPECT_EQ(g3d_FileCache_Get(5), nullptr) << "without its index the prefix is empty";
  EXPECT_EQ(g3d_FileCache_Get(10001), nullptr);
  EXPECT_EQ(platform::recorded_boxes().size(), 1u);
}

TEST_F(TextureCache, NumbersOutOfRangeLoadNothing) {
  start({{1, kit::sample_texture(4, 4)}});
  EXPECT_EQ(g3d_FileCache_Get(0xFFFFFFFF), nullptr);
  EXPECT_TRUE(platform::recorded_boxes().empty());
  EXPECT_EQ(g3d_FileCache_Get(65536), nullptr);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"\xb6K\xb9\xcf\xa5N\xbdX\xb6W\xa5X\xbd"
                                                  "d\xb3\xf2(0 - 65535)"});  // 貼圖代碼超出範圍(0 - 65535)
}

TEST_F(TextureCache, DamagedTextureFilesGiveNull) {
  Bytes picture = kit::sample_texture(6, 5);
  Bytes good = kit::tex_file(picture);
  Bytes bad_picture = picture;
  put_u16le(bad_picture.data() + 2, 7);  // wider than its runs
  Bytes eight_bit = fixtures::rle_picture(std::vector<int>(6, 3), 6, 1, 8);
  struct Case {
    const char* what;
    Bytes file;
  } cases[] = {
      {"empty", {}},
      {"header only", Bytes(good.begin(), good.begin() + 8)},
      {"cut short", Bytes(good.begin(), good.end() - 1)},
      {"unsound picture", kit::tex_file(bad_picture)},
      {"an 8-bit picture", kit::tex_file(eight_bit)},
      {"stated size above the cap", [&] {
         Bytes b = good;
         put_u32le(b.data(), 0x7FFFFFF0);
         return b;
       }()},
  };
  start({{3, picture}});
  for (const Case& c : cases) {
    std::ofstream(tex / "CHR" / "TX00003.TEX", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(c.file.data()), std::streamsize(c.file.size()));
    EXPECT_EQ(g3d_FileCache_Get(3), nullptr) << c.what;
  }
  EXPECT_EQ(g3d_FileCache_count(), 0u);
}

TEST_F(TextureCache, ClearFreesEveryEntryLargeOnesTooAndRemoveTakesOne) {
  start({{1, kit::sample_texture(400, 400, 1)}, {2, kit::sample_texture(8, 8, 2)}, {3, kit::sample_texture(8, 8, 3)}});
  const int heap_before = mem_mgr.bytes_in_use();
  ASSERT_NE(g3d_FileCache_Get(1), nullptr);
  EXPECT_GE(g3d_FileCache_Get(1)->size, 256001u);
  TexCacheEntry* two = g3d_FileCache_Get(2);
  TexCacheEntry* three = g3d_FileCache_Get(3);
  g3d_FileCache_Remove(1);
  EXPECT_EQ(g3d_FileCache_count(), 2u);
  EXPECT_EQ(g3d_FileCache_bytes_held(), two->size + three->size);
  EXPECT_EQ(g3d_FileCache_Get(3), three);
  g3d_FileCache_Get(1);
  EXPECT_EQ(g3d_FileCache_Clear(), 1);
  EXPECT_EQ(g3d_FileCache_count(), 0u);
  EXPECT_EQ(g3d_FileCache_bytes_held(), 0u);
  EXPECT_EQ(mem_mgr.bytes_in_use(), heap_before) << "every picture went back to the heap";
}

TEST_F(TextureCache, InitialisingTwiceIsShownAndChangesNothing) {
  start({{1, kit::sample_texture(4, 4)}});
  ASSERT_NE(g3d_FileCache_Get(1), nullptr);
  g3d_FileCache_Init();
  EXPECT_EQ(box_texts(), std::vector<std::string>{"g3d_FileCache_Init \xa4w\xaa\xec\xa9l\xa4\xc6\xb9L\xa4"
                                                  "F"});  // g3d_FileCache_Init 已初始化過了
  EXPECT_EQ(g3d_FileCache_count(), 1u);
  g3d_FileCache_Close();
  g3d_FileCache_Init();
  EXPECT_EQ(g3d_FileCache_count(), 0u);
  EXPECT_EQ(g3d_FileCache_state(), 0u);
}

TEST_F(TextureCache, PathsWithADriveOrFromTheRootAreKeptOthersJoinTheCurrentFolder) {
  g3d_set_texture_path("C:\\GAME\\TEX");
  EXPECT_EQ(g3d_texture_path(), "C:\\GAME\\TEX");
  g3d_set_model_path("MODEL");
  std::string expected = get_current_dir();
  append_path(expected, "MODEL");
  EXPECT_EQ(g3d_model_path(), expected);
}

}  // namespace

namespace {

TEST_F(TextureCache, TheSampleGamesTexturesLoadAsStartUpSetsTheCacheUp) {
  ASSERT_TRUE(kit::write_sample_archives(tex));
  g3d_set_texture_path((tex / "TEX").string().c_str());
  g3d_set_texture_cache_state(42);
  g3d_load_category_idx_tex(1);
  for (std::uint32_t n : {1u, 10001u, 12001u, 17001u, 20001u, 30001u, 32768u}) EXPECT_NE(g3d_FileCache_Get(n), nullptr) << n;
  EXPECT_TRUE(platform::recorded_boxes().empty());
}

}  // namespace
