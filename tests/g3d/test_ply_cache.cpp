// The model cache: start-up indexes, loads by ModelId, budget and eviction, tags, the map slot.
#include <gtest/gtest.h>

#include "g3d/model_cache.h"
#include "g3d/wld_loader.h"
#include "tests/fixtures/lzo_block_kit.h"
#include "tests/fixtures/ply_model_kit.h"
#include "tests/fixtures/wld_kit.h"
#include "tests/g3d/model_folder.h"

namespace {

using test_support::Bytes;
using test_support::ModelFolder;

class ModelCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    folder.write_indexes("MODEL INDEX", {{4, {{1, 11}, {2, 0}, {3, 33}}}});
    ASSERT_EQ(SFLB_InitPolyMemory(), 1);
    SetPolyMemorySize(poly_default_budget);
  }
  // A model whose block is about size bytes (boxes of 24 vertices, 1160 bytes each).
  Bytes model_of(int frames) { return kit::ply_file(kit::box_model(10, 10, 10, 3, frames)); }
  std::uint32_t block_size(int frames) { return std::uint32_t(kit::ply_block(kit::box_model(10, 10, 10, 3, frames)).size()); }

  ModelFolder folder;
};

TEST_F(ModelCacheTest, EntryZeroAndGroupsPastTheSixthNameNoModel) {
  for (ModelId id : {0, 3000, 6000, 15000, 18001, 65535}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(GetPoly(id), nullptr);
  }
  EXPECT_TRUE(platform::recorded_boxes().empty()) << "no file was looked for";
}

TEST_F(ModelCacheTest, IdsLoadThroughTheirGroupsPrefixAndEntry) {
  folder.write_model(3005, model_of(2));
  G3dPoly* p = GetPoly(3005);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(folder.ply_path(3005), "MODEL/IT00005.PLY");
  EXPECT_EQ(p->frame_count, 2u);
  EXPECT_EQ(p->fresh, 1u);
  EXPECT_EQ(GetPolyMemoryUsed(), block_size(2));
  EXPECT_EQ(GetPoly(3005), p) << "a hit gives the same model";
  EXPECT_EQ(p->fresh, 0u);
  EXPECT_EQ(GetPolyMemoryUsed(), block_size(2));
}

TEST_F(ModelCacheTest, TheCacheChargesTheBlocksOwnSizeWord) {
  // A block whose first word states 5000 bytes, whatever its real length.
  Bytes block = kit::ply_block(kit::box_model(10, 10, 10, 3, 1));
  ASSERT_NE(block.size(), 5000u);
  block[0] = 5000 & 0xFF, block[1] = 5000 >> 8, block[2] = block[3] = 0;
  folder.write_model(1, kit::lzo_block(block, kit::LzoPacking::Library));
  ASSERT_NE(GetPoly(1), nullptr);
  EXPECT_EQ(GetPolyMemoryUsed(), 5000u);
  FreePolyMemory(255);
  EXPECT_EQ(GetPolyMemoryUsed(), 0u);
}

TEST_F(ModelCacheTest, MissingModelIsShownEachTimeAndNotCached) {
  EXPECT_EQ(GetPoly(7), nullptr);
  EXPECT_EQ(GetPoly(7), nullptr);
  EXPECT_EQ(platform::recorded_boxes().size(), 2u);
  EXPECT_EQ(GetPolyMemoryUsed(), 0u);
}

TEST_F(ModelCacheTest, ABudgetBelowOneModelEmptiesTheCacheOnEveryMissAndStillLoads) {
  for (int id : {1, 2, 17, 18}) folder.write_model(id, model_of(1));
  SetPolyMemorySize(10);
  for (int id : {1, 2, 17, 18}) {
    ASSERT_NE(GetPoly(ModelId(id)), nullptr);
    EXPECT_TRUE(poly_is_cached(ModelId(id)));
    EXPECT_EQ(GetPolyMemoryUsed(), block_size(1)) << "only the model just loaded is held";
  }
}

TEST_F(ModelCacheTest, EvictionDrainsTheFullestChainFromItsLeastRecentlyUsedEnd) {
  // Chain 1 holds 1, 17, 33 (33 most recent); chain 2 holds 2.
  for (int id : {1, 17, 33, 2, 3}) folder.write_model(id, model_of(1));
  for (int id : {1, 17, 33, 2}) ASSERT_NE(GetPoly(ModelId(id)), nullptr);
  ASSERT_NE(GetPoly(17), nullptr);  // a hit moves 17 to the front: 17, 33, 1
  SetPolyMemorySize(3 * block_size(1) + block_size(1) / 2);  // four held: over the budget
  ASSERT_NE(GetPoly(3), nullptr);
  EXPECT_FALSE(poly_is_cached(1)) << "the tail of the fullest chain goes first";
  EXPECT_TRUE(poly_is_cached(17));
  EXPECT_TRUE(poly_is_cached(33));
  EXPECT_TRUE(poly_is_cached(2));
  EXPECT_EQ(poly_chain_length(1), 2);
}

TEST_F(ModelCacheTest, EvictionMovesOnToTheNextFullestChainWhenOneEmpties) {
  for (int id : {1, 2, 18, 3}) folder.write_model(id, model_of(1));
  for (int id : {1, 2, 18}) ASSERT_NE(GetPoly(ModelId(id)), nullptr);
  SetPolyMemorySize(block_size(1) / 2);
  ASSERT_NE(GetPoly(3), nullptr);
  EXPECT_EQ(GetPolyMemoryUsed(), block_size(1));
  for (int id : {1, 2, 18}) EXPECT_FALSE(poly_is_cached(ModelId(id))) << id;
}

TEST_F(ModelCacheTest, FreeByTagKeepsOtherTagsAndAllTagsEmptiesEverything) {
  FreePolyMemory(255);  // an empty cache: nothing happens
  for (int id : {1, 2}) folder.write_model(id, model_of(1));
  for (int id : {1, 2}) ASSERT_NE(GetPoly(ModelId(id)), nullptr);
  ASSERT_EQ(GetMemoryTag(), 0);
  FreePolyMemory(1);
  EXPECT_TRUE(poly_is_cached(1));
  EXPECT_TRUE(poly_is_cached(2));
  FreePolyMemory(0);
  EXPECT_FALSE(poly_is_cached(1));
  EXPECT_EQ(GetPolyMemoryUsed(), 0u);
  ASSERT_NE(GetPoly(1), nullptr);
  FreePolyMemory(255);
  EXPECT_EQ(GetPolyMemoryUsed(), 0u);
  for (int c = 0; c < poly_chain_count; ++c) EXPECT_EQ(poly_chain_length(c), 0);
}

TEST_F(ModelCacheTest, TheMapSlotKeepsItsWorldUntilAnotherIdIsAsked) {
  kit::WldSpec world = kit::sample_world(20001, 20001, 20001);
  folder.write_world(4, 11, kit::wld_file(world));
  G3dWld* w = MapMemory(12001);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->object_count(), world.objects.size());
  // Remove the file: the same id must neither free nor reload.
  std::filesystem::remove(folder.dir().path() / "MODEL/MP00011.WLD");
  EXPECT_EQ(MapMemory(12001), w);
  EXPECT_EQ(w->object_count(), world.objects.size());
  EXPECT_EQ(MapMemory(12003), nullptr) << "file number 33 has no file";
  EXPECT_NE(MapMemory(12003), nullptr) << "the id stays recorded: the empty slot";
  EXPECT_EQ(MapMemory(12003)->object_count(), 0u);
  FreeMapMemory();
}

TEST_F(ModelCacheTest, WorldsLoadIntoCallersRecordsThroughTheIndexFileNumbers) {
  folder.write_world(4, 11, kit::wld_file(kit::sample_world(20001, 20001, 20001)));
  G3dWld w;
  EXPECT_EQ(LoadWldMemory(&w, 12001), 1);
  EXPECT_EQ(w.names.size(), 8u);
  platform::clear_recorded_boxes();
  EXPECT_EQ(LoadWldMemory(&w, 12002), 0) << "file number 0";
  EXPECT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_EQ(LoadWldMemory(&w, 12000), 0) << "entry 0";
  EXPECT_EQ(platform::recorded_boxes().size(), 1u) << "entry 0 shows nothing";
  g3d_wld_free(&w);
}

TEST(ModelCacheStart, FailsOnAMissingIndexOrAToolBuild) {
  {
    ModelFolder folder;
    folder.write_indexes();
    std::filesystem::remove(folder.dir().path() / "MODEL/all_map.idx");
    EXPECT_EQ(SFLB_InitPolyMemory(), 0);
    EXPECT_EQ(platform::recorded_boxes().size(), 1u);
  }
  {
    ModelFolder folder;
    folder.write_indexes("MODEL TOOL INDEX");
    EXPECT_EQ(SFLB_InitPolyMemory(), 0);
  }
  {
    ModelFolder folder;
    EXPECT_EQ(SFLB_InitPolyMemory(), 0) << "no MODEL folder at all";
  }
}

}  // namespace
