#include "core/mem_mgr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::string report(const void* p, int size, const char* bytes) {
  char text[256];
  std::snprintf(text, sizeof text, "block[0x%llx][%d] overwrited! [%s]",
                (unsigned long long)reinterpret_cast<std::uintptr_t>(p), size, bytes);
  return text;
}

TEST(MemMgr, BlocksAreFramedAndReleasedOnce) {
  MemMgr heap;
  auto* p = static_cast<std::uint8_t*>(heap.Alloc(16));
  ASSERT_NE(p, nullptr);
  std::uint32_t before, after;
  std::memcpy(&before, p - 4, 4);
  std::memcpy(&after, p + 16, 4);
  EXPECT_EQ(before, MemMgr::guard_word);
  EXPECT_EQ(after, MemMgr::guard_word);
  EXPECT_EQ(heap.bytes_in_use(), 16);
  std::memset(p, 0x5A, 16);  // the whole user area is the caller's
  EXPECT_TRUE(heap.Free(p));
  EXPECT_EQ(heap.bytes_in_use(), 0);
  EXPECT_EQ(heap.peak_bytes(), 16);
  EXPECT_FALSE(heap.Free(p));  // twice: not found, nothing changes
  EXPECT_EQ(heap.bytes_in_use(), 0);
}

TEST(MemMgr, ZeroSizeIsAValidBlock) {
  MemMgr heap;
  void* a = heap.Alloc(0);
  void* b = heap.Alloc(0);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_TRUE(heap.Free(a));
  EXPECT_TRUE(heap.Free(b));
}

TEST(MemMgr, PointersItDoesNotHoldAreRefusedUntouched) {
  MemMgr heap;
  void* held = heap.Alloc(8);
  int local = 0;
  void* foreign = std::malloc(32);
  EXPECT_FALSE(heap.Free(&local));
  EXPECT_FALSE(heap.Free(foreign));
  EXPECT_FALSE(heap.Free(static_cast<char*>(held) + 1));
  EXPECT_FALSE(heap.Free(nullptr));
  EXPECT_EQ(heap.bytes_in_use(), 8);
  EXPECT_STREQ(heap.error_text(), "");
  std::free(foreign);
  EXPECT_TRUE(heap.Free(held));
}

TEST(MemMgr, OverwritesBeforeAndAfterAreReportedAndTheBlockStillReleased) {
  struct Case {
    int size;
    int offset;  // written byte, from the user area
    const char* bytes;
  };
  const Case cases[] = {
      // One byte past the end of 16.
      {16, 16, " 0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F"},
      // Into the 8 bytes before the user area.
      {16, -1, " 0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F"},
      {16, -8, " 0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F"},
      // A short block: its trailing guards show, and nothing past the block is read.
      {3, 3, " 0  1  2 EE DC CD AB BA DC CD AB -- -- -- -- --"},
      {0, 7, "BA DC CD AB BA DC CD EE -- -- -- -- -- -- -- --"},
  };
  for (const Case& c : cases) {
    MemMgr heap;
    auto* p = static_cast<std::uint8_t*>(heap.Alloc(c.size));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < c.size; ++i) p[i] = std::uint8_t(i);
    p[c.offset] = 0xEE;
    EXPECT_FALSE(heap.Free(p)) << c.size << " " << c.offset;
    EXPECT_EQ(heap.error_text(), report(p, c.size, c.bytes));
    EXPECT_EQ(heap.bytes_in_use(), 0);
    EXPECT_FALSE(heap.Free(p));  // released all the same
    // Its node record stays out of the pool: later blocks take other records.
    EXPECT_EQ(heap.set_aside_records(), 1);
    std::vector<void*> more;
    for (int i = 0; i < MemMgr::initial_nodes; ++i) more.push_back(heap.Alloc(4));
    EXPECT_EQ(heap.node_records(), MemMgr::initial_nodes + 1);
    for (void* q : more) EXPECT_TRUE(heap.Free(q));
    EXPECT_EQ(heap.set_aside_records(), 1);
  }
}

TEST(MemMgr, SizesThatCannotBeFramedGiveNull) {
  MemMgr heap;
  EXPECT_EQ(heap.Alloc(-1), nullptr);
  EXPECT_EQ(heap.Alloc(INT_MIN), nullptr);
  EXPECT_EQ(heap.Alloc(INT_MAX - 15), nullptr);  // + 16 would wrap
  EXPECT_STREQ(heap.error_text(), "Mgr node contain alloc fail");
  EXPECT_EQ(heap.bytes_in_use(), 0);
  EXPECT_EQ(mem_calloc(0x80000000u), nullptr);
  EXPECT_EQ(mem_calloc(0xFFFFFFF8u), nullptr);
  EXPECT_EQ(mem_calloc(0xFFFFFFFFu), nullptr);
  EXPECT_EQ(MemMgr_Alloc(-16), nullptr);
  // The failed attempts cost no node records.
  EXPECT_EQ(heap.node_records(), MemMgr::initial_nodes);
}

TEST(MemMgr, CallocZeroesExactlyTheSizeAndBothPairsShareTheHeap) {
  for (unsigned size : {1u, 7u, 100u, 4096u}) {
    void* dirty = MemMgr_Alloc(int(size));
    std::memset(dirty, 0xAA, size);
    MemMgr_Free(dirty);
    auto* p = static_cast<std::uint8_t*>(mem_calloc(size));
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(std::all_of(p, p + size, [](std::uint8_t b) { return b == 0; }));
    std::uint32_t after;
    std::memcpy(&after, p + size, 4);
    EXPECT_EQ(after, MemMgr::guard_word);
    EXPECT_EQ(mem_free(p), 1);
  }
  void* a = MemMgr_Alloc(10);
  EXPECT_EQ(mem_free(a), 1);
  void* b = mem_calloc(10);
  MemMgr_Free(b);
  EXPECT_EQ(mem_free(b), 0);
  MemMgr_Free(nullptr);
  EXPECT_EQ(mem_free(nullptr), 0);
}

TEST(MemMgr, ManyBlocksInAnyOrderAndNodeRecordsArePooled) {
  MemMgr heap;
  std::vector<void*> blocks;
  for (int i = 0; i < 1000; ++i) blocks.push_back(heap.Alloc(i % 50));
  EXPECT_EQ(heap.node_records(), 1000);
  std::shuffle(blocks.begin(), blocks.end(), std::mt19937(3));
  for (void* p : blocks) ASSERT_TRUE(heap.Free(p));
  EXPECT_EQ(heap.bytes_in_use(), 0);
  for (int i = 0; i < 1000; ++i) blocks[std::size_t(i)] = heap.Alloc(1);
  EXPECT_EQ(heap.node_records(), 1000);  // the pool served them all
  EXPECT_EQ(heap.peak_node_records(), 1000);
  // Blocks still live when the heap goes are released with it (the sanitizer build sees no leak).
}

// The shut-down check compares the live block count with its start value: it must count every
// block once, not count refused frees, failed allocations or double frees, and drop a block
// whose guards were overwritten (it is released all the same).
TEST(MemMgr, LiveBlockCountFollowsAllocAndFree) {
  MemMgr heap;
  EXPECT_EQ(heap.blocks_in_use(), 0);
  void* a = heap.Alloc(8);
  void* b = heap.Alloc(0);
  auto* c = static_cast<std::uint8_t*>(heap.Alloc(4));
  EXPECT_EQ(heap.Alloc(-1), nullptr);
  EXPECT_EQ(heap.blocks_in_use(), 3);
  EXPECT_TRUE(heap.Free(a));
  EXPECT_FALSE(heap.Free(a));
  int local = 0;
  EXPECT_FALSE(heap.Free(&local));
  EXPECT_EQ(heap.blocks_in_use(), 2);
  c[4] = 0;  // over the trailing guard
  EXPECT_FALSE(heap.Free(c));
  EXPECT_EQ(heap.blocks_in_use(), 1);
  EXPECT_TRUE(heap.Free(b));
  EXPECT_EQ(heap.blocks_in_use(), 0);
  EXPECT_EQ(heap.peak_blocks(), 3);
}

}  // namespace
