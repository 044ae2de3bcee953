// The bounded script cursor: reads, texts, lists, tables and jumps stay inside the script.
#include "script/script_cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> body() {
  // A table of two entries (8 bytes), then words, a text, a list and a table.
  return {0, 0, 0, 0, 0, 0, 0, 0,                  // table
          0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF,       // 0x1234, -2, start of a -1...
          0xFF, 0xFF, 'a', '%', 'Q', 7, 0, 0xFF, 0xFF};
}

TEST(ScriptCursor, ReadsWordsTextsAndListsInsideTheScript) {
  auto b = body();
  ScriptCursor c(b.data(), b.size(), 8, 8);
  ASSERT_TRUE(c.ok());
  EXPECT_EQ(c.u16(), 0x1234);
  EXPECT_EQ(c.s16(), -2);
  EXPECT_EQ(c.table_count(), 0u) << "a -1 right at the cursor";
  EXPECT_EQ(c.i32(), -1);
  auto t = c.text();
  EXPECT_EQ(std::string(t.begin(), t.end()), "a%Q");
  EXPECT_EQ(c.word_list(), 1u);
  EXPECT_EQ(c.pos(), b.size());
  EXPECT_TRUE(c.ok());
  c.u16();
  EXPECT_FALSE(c.ok()) << "past the end";
}

TEST(ScriptCursor, MissingEndsFail) {
  std::vector<std::uint8_t> b{0, 0, 0, 0, 'a', 'b', 1, 0};
  for (int kind = 0; kind < 3; ++kind) {
    ScriptCursor c(b.data(), b.size(), 4, 4);
    if (kind == 0) c.text();
    if (kind == 1) c.word_list();
    if (kind == 2) c.table_count();
    EXPECT_FALSE(c.ok()) << kind;
  }
}

TEST(ScriptCursor, JumpsLandBetweenTheTableAndTheLastWord) {
  auto b = body();
  struct Case {
    std::size_t origin;
    std::int64_t d;
    bool ok;
  } cases[] = {{10, -2, true}, {10, -3, false}, {10, 11, true}, {10, 12, false}, {10, -11, false},
               {10, std::int64_t(1) << 40, false}, {10, -(std::int64_t(1) << 40), false}};
  for (const Case& c : cases) {
    ScriptCursor cur(b.data(), b.size(), 8, 8);
    EXPECT_EQ(cur.jump(c.origin, c.d), c.ok) << c.d;
  }
  ScriptCursor none(nullptr, 0, 0, 0);
  EXPECT_FALSE(none.ok());
  ScriptCursor in_table(b.data(), b.size(), 8, 4);
  EXPECT_FALSE(in_table.ok()) << "table bytes never run";
}

TEST(ScriptCursor, MarksAreWrittenOnlyInsideTheScript) {
  auto b = body();
  ScriptCursor c(b.data(), b.size(), 8, 8);
  c.put_u16(8, 0x8000);
  c.put_u16(b.size() - 1, 0x1111);
  EXPECT_EQ(b[9], 0x80);
  EXPECT_EQ(b.back(), 0xFF);
}

}  // namespace
