// The sprite cache over kit archives written to a folder.
#include "gfx2d/memoryer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/byte_reader.h"
#include "core/frame_timer.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "tests/fixtures/rle_writer.h"
#include "tests/fixtures/sample_archives.h"
#include "tests/fixtures/tsw_archive_kit.h"

namespace {

namespace fs = std::filesystem;

class Memoryer : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::absolute(fs::path("tsw") / testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    game_clock = 1000;
    Memoryer_SetSize(memoryer_start_budget);  // closing the cache keeps an earlier test's budget
  }
  void TearDown() override { Close_Memoryer(); }

  void open(const std::map<int, kit::TswPicture>& pictures) {
    kit::write_tsw_archives(folder.string(), pictures);
    Memoryer_SetPath(folder.string().c_str());
    ASSERT_EQ(Init_Memoryer(), 1);
  }
  void next_frame() { game_clock += 28; }

  fs::path folder;
};

// The grid a frame must show once loaded: literal colours in the screen format.
std::vector<int> expected_grid(const kit::TswFrame& frame, const std::uint16_t* palette = nullptr) {
  std::vector<int> grid = fixtures::decode_rle_picture(frame.picture);
  for (int& v : grid) {
    if (v < 0) continue;
    std::uint16_t c = palette ? palette[v] : std::uint16_t(v);
    rgb555_to_screen(&c, 1);
    v = c;
  }
  return grid;
}

std::vector<int> grid_of(const TswPic* pic) {
  return fixtures::decode_rle_picture(reinterpret_cast<const std::uint8_t*>(pic->image), pic->size);
}

TEST_F(Memoryer, FramesComeFromTheArchiveTheIdNamesInTheScreenFormat) {
  std::map<int, kit::TswPicture> pictures = {
      {1, kit::sample_tsw_picture(2, 12, 5, 1)},     {2999, kit::sample_tsw_picture(1, 4, 4, 2)},
      {3001, kit::sample_tsw_picture(1, 6, 3, 3)},   {9123, kit::sample_tsw_picture(1, 5, 5, 4)},
      {12000 + 17, kit::sample_tsw_picture(3, 8, 2, 5)}, {17999, kit::sample_tsw_picture(1, 3, 9, 6)}};
  open(pictures);
  for (auto& [id, picture] : pictures) {
    for (std::size_t f = 0; f < picture.frames.size(); ++f) {
      SCOPED_TRACE(testing::Message() << "id " << id << " frame " << f);
      TswPic* pic = Memoryer_GetPic(TswId(id), int(f));
      ASSERT_NE(pic, nullptr);
      EXPECT_EQ(pic->width, picture.frames[f].width);
      EXPECT_EQ(pic->height, picture.frames[f].height);
      EXPECT_EQ(grid_of(pic), expected_grid(picture.frames[f]));
    }
  }
}

TEST_F(Memoryer, IdsThatNameNoEntryAndFramesPastTheDirectoryGiveNull) {
  open({{1, kit::sample_tsw_picture(2, 4, 4)}, {3000 + 1, kit::sample_tsw_picture(1, 4, 4)}});
  for (int id : {0, 3000, 6000, 15000, 18000, 18001, 21001, 65535})
    EXPECT_EQ(Memoryer_GetPic(TswId(id), 0), nullptr) << id;
  EXPECT_EQ(Memoryer_GetPic(1, 2), nullptr);
  EXPECT_EQ(Memoryer_GetPic(2, 0), nullptr);  // an empty entry
  EXPECT_NE(Memoryer_GetPic(1, 0x10001), nullptr);  // the frame is taken as 16 bits: frame 1
  EXPECT_EQ(memoryer_used_bytes() > 0, true);
}

TEST_F(Memoryer, AHitReturnsTheSamePictureAndTwoFramesAreTwoEntries) {
  open({{7, kit::sample_tsw_picture(2, 10, 10)}});
  TswPic* f0 = Memoryer_GetPic(7, 0);
  std::uint32_t used = memoryer_used_bytes();
  TswPic* f1 = Memoryer_GetPic(7, 1);
  ASSERT_NE(f0, nullptr);
  ASSERT_NE(f1, nullptr);
  EXPECT_NE(f0, f1);
  EXPECT_EQ(memoryer_used_bytes(), used + f1->size);
  EXPECT_EQ(Memoryer_GetPic(7, 0), f0);
  EXPECT_EQ(Memoryer_GetPic(7, 1), f1);
  EXPECT_EQ(memoryer_used_bytes(), used + f1->size);
}

// Ids 7, 22, 37 share chain 7; 8 has chain 8. The budget is reached after three pictures,
// so the next miss drains the tail of the fullest chain: its least recently used pictures.
TEST_F(Memoryer, AMissOverBudgetDrainsTheFullestChainFromItsLeastRecentlyUsedEnd) {
  std::map<int, kit::TswPicture> pictures;
  for (int id : {7, 22, 37, 8, 9}) pictures[id] = kit::sample_tsw_picture(1, 16, 16, id);
  open(pictures);
  std::uint32_t one = Memoryer_GetPic(7, 0)->size;  // every picture has the same size
  next_frame();
  Memoryer_GetPic(22, 0);
  next_frame();
  Memoryer_GetPic(37, 0);
  next_frame();
  Memoryer_GetPic(7, 0);  // a hit puts 7 in front: the chain is 7, 37, 22
  next_frame();
  Memoryer_SetSize(3 * one);
  Memoryer_GetPic(8, 0);  // used 3 pictures >= budget: 22 goes, then 8 is loaded
  EXPECT_FALSE(memoryer_is_cached(22, 0));
  EXPECT_TRUE(memoryer_is_cached(37, 0));
  EXPECT_TRUE(memoryer_is_cached(7, 0));
  EXPECT_TRUE(memoryer_is_cached(8, 0));
  next_frame();
  Memoryer_SetSize(one);
  Memoryer_GetPic(9, 0);  // chain 7 is still the fullest: 37, then 7, and then it is empty
  EXPECT_FALSE(memoryer_is_cached(37, 0));
  EXPECT_FALSE(memoryer_is_cached(7, 0));
  EXPECT_TRUE(memoryer_is_cached(8, 0)) << "only one chain is drained";
  EXPECT_TRUE(memoryer_is_cached(9, 0));
  EXPECT_EQ(memoryer_used_bytes(), 2 * one);
}

TEST_F(Memoryer, OnATieTheLowestChainIsDrained) {
  std::map<int, kit::TswPicture> pictures;
  for (int id : {5, 3, 4}) pictures[id] = kit::sample_tsw_picture(1, 8, 8, id);
  open(pictures);
  std::uint32_t one = Memoryer_GetPic(5, 0)->size;
  next_frame();
  Memoryer_GetPic(3, 0);
  next_frame();
  Memoryer_SetSize(2 * one);
  Memoryer_GetPic(4, 0);
  EXPECT_FALSE(memoryer_is_cached(3, 0));
  EXPECT_TRUE(memoryer_is_cached(5, 0));
}

TEST_F(Memoryer, APictureHandedOutThisFrameIsNotEvictedUntilTheNextFrame) {
  open({{7, kit::sample_tsw_picture(1, 16, 16, 1)}, {22, kit::sample_tsw_picture(1, 16, 16, 2)},
        {37, kit::sample_tsw_picture(1, 16, 16, 3)}});
  TswPic* a = Memoryer_GetPic(7, 0);
  ASSERT_NE(a, nullptr);
  std::vector<int> a_grid = grid_of(a);
  Memoryer_SetSize(1);
  TswPic* b = Memoryer_GetPic(22, 0);  // over budget, but A is still to be drawn this frame
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(memoryer_is_cached(7, 0));
  EXPECT_EQ(grid_of(a), a_grid);
  EXPECT_GT(memoryer_used_bytes(), 1u) << "the budget is exceeded for this frame";
  next_frame();
  Memoryer_GetPic(37, 0);
  EXPECT_FALSE(memoryer_is_cached(7, 0));
  EXPECT_FALSE(memoryer_is_cached(22, 0));
  EXPECT_TRUE(memoryer_is_cached(37, 0));
}

TEST_F(Memoryer, AFreeOfAllTagsEmptiesTheCacheAndPicturesLoadAgain) {
  open({{1, kit::sample_tsw_picture(2, 5, 5)}});
  Memoryer_GetPic(1, 0);
  Memoryer_GetPic(1, 1);
  Memoryer_Free(7);  // no picture carries tag 7
  EXPECT_TRUE(memoryer_is_cached(1, 0));
  Memoryer_Free(255);
  EXPECT_EQ(memoryer_used_bytes(), 0u);
  EXPECT_FALSE(memoryer_is_cached(1, 0));
  EXPECT_NE(Memoryer_GetPic(1, 1), nullptr);
}

TEST_F(Memoryer, APalettedPictureComesOutSixteenBitWithoutItsPalette) {
  kit::TswPicture pal = kit::sample_paletted_picture(11, 3);
  open({{40, pal}});
  TswPic* pic = Memoryer_GetPic(40, 0);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->palette, nullptr);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(pic->image);
  EXPECT_EQ(bytes[6] | (bytes[7] & 0x7F) << 8, 16);
  EXPECT_EQ(grid_of(pic), expected_grid(pal.frames[0], pal.palette.data()));
  EXPECT_EQ(memoryer_used_bytes(), pic->size);
  EXPECT_GT(pic->size, pal.frames[0].picture.size());
}

TEST_F(Memoryer, AMissingArchiveFailsStartWithoutCreatingItAndClosesTheOthers) {
  kit::write_tsw_archives(folder.string(), {{1, kit::sample_tsw_picture(1, 4, 4)}});
  fs::remove(folder / "all_sys.tsw");
  auto open_files = [] {
    int n = 0;
    for (auto& e : fs::directory_iterator("/proc/self/fd")) (void)e, ++n;
    return n;
  };
  int before = open_files();
  Memoryer_SetPath(folder.string().c_str());
  EXPECT_EQ(Init_Memoryer(), 0);
  EXPECT_FALSE(fs::exists(folder / "all_sys.tsw"));
  EXPECT_EQ(open_files(), before);
  EXPECT_EQ(Memoryer_GetPic(1, 0), nullptr);
}

TEST_F(Memoryer, AnEmptyPathKeepsTheFolderSetBefore) {
  kit::write_tsw_archives(folder.string(), {{1, kit::sample_tsw_picture(1, 4, 4)}});
  Memoryer_SetPath(folder.string().c_str());
  Memoryer_SetPath("");
  EXPECT_EQ(Init_Memoryer(), 1);
  EXPECT_NE(Memoryer_GetPic(1, 0), nullptr);
}

TEST_F(Memoryer, ADamagedFrameGivesNullAndIsNotCached) {
  kit::TswPicture pic = kit::sample_tsw_picture(2, 6, 6);
  put_u16le(pic.frames[1].picture.data() + 2, 9);  // wider than its runs
  open({{1, pic}});
  EXPECT_EQ(Memoryer_GetPic(1, 1), nullptr);
  EXPECT_EQ(Memoryer_GetPic(1, 1), nullptr);
  EXPECT_FALSE(memoryer_is_cached(1, 1));
  EXPECT_EQ(memoryer_used_bytes(), 0u);
  EXPECT_NE(Memoryer_GetPic(1, 0), nullptr);
}

}  // namespace

namespace {

TEST_F(Memoryer, TheSampleGamesArchivesOpenAndServeTheirSprites) {
  ASSERT_TRUE(kit::write_sample_archives(folder));
  Memoryer_SetPath((folder / "ACT").string().c_str());
  ASSERT_EQ(Init_Memoryer(), 1);
  for (int archive = 0; archive < 6; ++archive) {
    EXPECT_NE(Memoryer_GetPic(TswId(archive * 3000 + 1), 3), nullptr) << archive;
    EXPECT_NE(Memoryer_GetPic(TswId(archive * 3000 + 2), 0), nullptr) << archive;
  }
  EXPECT_NE(Memoryer_GetPic(9003, 0), nullptr);
}

}  // namespace
