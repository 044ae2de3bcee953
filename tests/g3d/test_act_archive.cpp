// ACT archives and the animation cache on kit archives.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/byte_reader.h"
#include "core/mem_mgr.h"
#include "g3d/act_archive.h"
#include "tests/g3d/act_folder.h"
#include "tests/g3d/model_folder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test_support::ActFolder;

std::string script_text(const ActScript& s) { return s.data ? std::string(s.data, s.data + s.size) : "<none>"; }
std::string bytes_text(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(ActArchive, OpensOnlyExistingArchivesAndNeverCreatesOne) {
  ActFolder folder;
  kit::write_act_archives((folder.dir().path() / "ACT").string(), {});
  fs::remove(folder.dir().path() / "ACT/all_magic.act");
  EXPECT_EQ(Init_3dAct(), 0);
  EXPECT_FALSE(fs::exists(folder.dir().path() / "ACT/all_magic.act")) << "a reader creates no file";
}

TEST(ActArchive, AHeaderWordOfZeroOrAnEmptyFileFails) {
  for (const Bytes& sys : {Bytes(10, 0), Bytes{}}) {
    ActFolder folder;
    kit::write_act_archives((folder.dir().path() / "ACT").string(), {});
    folder.dir().write("ACT/all_sys.act", bytes_text(sys));
    EXPECT_EQ(Init_3dAct(), 0);
  }
}

TEST(ActArchive, ScriptsAreFoundByArchiveEntryAndQq) {
  ActFolder folder;
  const Bytes walk = kit::act_script("PA 1; ED"), run = kit::act_script("PA 2; ED; OV");
  ASSERT_TRUE(folder.open({{1, kit::act_block({walk, {}, run})}, {3001, kit::act_block({run})},
                           {17999, kit::act_block({walk})}}));
  EXPECT_EQ(script_text(Get3dAct(1, 0)), bytes_text(walk));
  EXPECT_EQ(script_text(Get3dAct(1, 1)), "<none>") << "a QQ of offset 0";
  EXPECT_EQ(script_text(Get3dAct(1, 2)), bytes_text(run));
  EXPECT_EQ(script_text(Get3dAct(1, 3)), "<none>") << "past the QQ count";
  EXPECT_EQ(script_text(Get3dAct(3001, 0)), bytes_text(run)) << "entry 0 of all_item.act";
  EXPECT_EQ(script_text(Get3dAct(17999, 0)), bytes_text(walk)) << "the last entry of all_map2.act";
  for (ActId none : {0, 3000, 2, 18001}) EXPECT_EQ(script_text(Get3dAct(none, 0)), "<none>") << none;
}

// Damaged blocks and index entries: the script is refused, nothing is read outside the block.
TEST(ActArchive, ScriptsOutsideTheirBlockAndEntriesOutsideTheFileAreRefused) {
  ActFolder folder;
  Bytes good = kit::act_block({kit::act_script("PA 1; ED")});
  Bytes past_end = good;
  put_u16le(past_end.data() + 6, 0xFFFF);  // QQ 0's size runs past the block
  Bytes offset_out = good;
  put_u32le(offset_out.data() + 2, 5000);
  Bytes table_cut = {0xFF, 0x7F, 1, 0, 0};  // 32767 QQs announced, 3 bytes of table
  std::map<int, kit::ActEntry> entries{{0, {good}}, {1, {past_end}}, {2, {offset_out}}, {3, {table_cut}}, {4, {good}}};
  Bytes archive = kit::act_archive(entries);
  put_u32le(archive.data() + kit::act_index_entry_offset(4) + 4, std::uint32_t(archive.size() - 3));  // entry 4 runs past the file
  put_u32le(archive.data() + kit::act_index_entry_offset(5), 0x7FFFFFFF);                              // entry 5: a huge size
  kit::write_act_archives((folder.dir().path() / "ACT").string(), {});
  folder.dir().write("ACT/all_char.act", bytes_text(archive));
  ASSERT_EQ(Init_3dAct(), 1);
  EXPECT_NE(Get3dAct(1, 0).data, nullptr);
  for (ActId id : {2, 3, 4}) EXPECT_EQ(Get3dAct(id, 0).data, nullptr) << id;
  EXPECT_EQ(Get3dAct(4, 300).data, nullptr);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(Get3dAct(5, 0).data, nullptr);
    EXPECT_EQ(Get3dAct(6, 0).data, nullptr);
  }
  // "動作檔案損壞", once per damaged entry
  EXPECT_EQ(test_support::count_of(folder.debug_log(), "\xb0\xca\xa7\x40\xc0\xc9\xae\xd7\xb7\x6c\xc3\x61"), 2);
}

TEST(ActArchive, AnIndexCutShortLeavesTheMissingEntriesEmpty) {
  ActFolder folder;
  Bytes archive = kit::act_archive({{0, {kit::act_block({kit::act_script("PA 1")})}}});
  Bytes cut(archive.begin(), archive.begin() + 10 + 12 * 3 + 5);  // entries 0..2 and part of 3
  kit::write_act_archives((folder.dir().path() / "ACT").string(), {});
  folder.dir().write("ACT/all_char.act", bytes_text(cut));
  ASSERT_EQ(Init_3dAct(), 1);
  EXPECT_EQ(Get3dAct(1, 0).data, nullptr) << "its data lies past the cut";
  EXPECT_EQ(Get3dAct(5, 0).data, nullptr);
}

class ActCache : public testing::Test {
 protected:
  void SetUp() override {
    std::map<int, Bytes> blocks;
    for (int id : {1, 17, 33, 2, 3}) blocks[id] = block;
    ASSERT_TRUE(folder.open(blocks));
  }
  ActFolder folder;
  Bytes block = kit::act_block({kit::act_script("PA 1; ED; OV")});
};

TEST_F(ActCache, EvictionDrainsTheFullestChainFromItsTailBeforeTheNewBlockIsAdded) {
  for (ActId id : {1, 17, 33, 2}) ASSERT_NE(Get3dAct(id, 0).data, nullptr);
  ASSERT_NE(Get3dAct(17, 0).data, nullptr);  // chain 1: 17, 33, 1
  Act_Memoryer_SetSize(std::uint32_t(3 * block.size() + block.size() / 2));
  ASSERT_NE(Get3dAct(3, 0).data, nullptr);
  EXPECT_FALSE(act_is_cached(1));
  EXPECT_TRUE(act_is_cached(17) && act_is_cached(33) && act_is_cached(2) && act_is_cached(3));
  EXPECT_EQ(act_memory_used(), 4 * block.size());
}

TEST_F(ActCache, EvictionStopsWhenTheFullestChainIsEmptySoTheBudgetMayBeExceeded) {
  for (ActId id : {1, 17, 2}) ASSERT_NE(Get3dAct(id, 0).data, nullptr);
  Act_Memoryer_SetSize(1);
  ASSERT_NE(Get3dAct(3, 0).data, nullptr);
  EXPECT_FALSE(act_is_cached(1));
  EXPECT_FALSE(act_is_cached(17));
  EXPECT_TRUE(act_is_cached(2)) << "only one chain is drained";
  EXPECT_EQ(act_memory_used(), 2 * block.size());
}

TEST_F(ActCache, FreeByTagAndAllTags) {
  Act_Memoryer_Free(255);
  for (ActId id : {1, 2}) ASSERT_NE(Get3dAct(id, 0).data, nullptr);
  Act_Memoryer_Free(3);
  EXPECT_TRUE(act_is_cached(1) && act_is_cached(2));
  Act_Memoryer_Free(255);
  EXPECT_EQ(act_memory_used(), 0u);
  for (int c = 0; c < 16; ++c) EXPECT_EQ(act_chain_length(c), 0);
}

TEST(ActRead, CopiesOneScriptOfAStoredOrPackedEntry) {
  ActFolder folder;
  const Bytes a = kit::act_script("PA 1; ED; PA 2; ED; OV"), b = kit::act_script("SD 3; PA 9; ED; O2");
  Bytes blk = kit::act_block({a, b});
  std::map<int, kit::ActEntry> entries{{0, {blk}}, {1, {blk, kit::LzoPacking::Library, true}},
                                       {2, {blk, kit::LzoPacking::Stored, true}}};
  kit::write_act_archives((folder.dir().path() / "ACT").string(), {});
  folder.dir().write("ACT/all_item.act", bytes_text(kit::act_archive(entries)));
  ASSERT_EQ(Init_3dAct(), 1);
  for (int entry : {0, 1, 2}) {
    std::uint16_t size = 0;
    std::uint8_t* copy = Read3dAct(1, entry, 1, &size);
    ASSERT_NE(copy, nullptr) << entry;
    EXPECT_EQ(std::string(copy, copy + size), bytes_text(b));
    MemMgr_Free(copy);
  }
  std::uint16_t size = 0;
  EXPECT_EQ(Read3dAct(1, 0, 2, &size), nullptr);
  EXPECT_EQ(Read3dAct(1, 3000, 0, &size), nullptr);
  EXPECT_EQ(Read3dAct(6, 0, 0, &size), nullptr);
}

}  // namespace
