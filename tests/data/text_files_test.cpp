// The data files' common form: text copies, Mission.gll, Name.gll, and loading once.
#include <cstring>
#include <string>

#include "data/data_file.h"
#include "data/mission_name.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/text_table_writer.h"

namespace {
using namespace fixtures;

std::string text_of(PoolText t) {
  char out[512];
  return read_Item_str(t, out, sizeof out) ? std::string(out) : std::string("<none>");
}

struct CopyCase {
  const char* what;
  std::string src;
  std::size_t dst_size;
  int consumed;
  std::string copied;
};

TEST(ReadItemStr, CopiesToTheMarkCutsOnCharactersAndStopsAtEndMarks) {
  const CopyCase cases[] = {
      {"two letters", "ab%Qxy", 16, 4, "ab"},
      {"an end word first", "\xFF\xFF" "ab%Q", 16, 0, ""},
      {"an end word inside", "ab\xFF\xFF%Q", 16, 0, "ab"},
      {"no mark before the end of the bytes", "abc", 16, 0, "abc"},
      {"cut to the buffer", "abcdef%Q", 4, 8, "abc"},
      {"a character across the cut", "a\xA4\x40\xA4\x40%Q", 5, 7, "a\xA4\x40"},
      {"a trail byte that looks like a percent sign is not one", "\xA4%Q", 16, 3, "\xA4"},
      {"empty text", "%Q", 16, 2, ""},
  };
  for (const CopyCase& c : cases) {
    char dst[32];
    std::memset(dst, 'z', sizeof dst);
    std::span<const std::uint8_t> src(reinterpret_cast<const std::uint8_t*>(c.src.data()), c.src.size());
    EXPECT_EQ(read_Item_str(src, dst, c.dst_size), c.consumed) << c.what;
    EXPECT_EQ(std::string(dst), c.copied) << c.what;
  }
}

class TextFiles : public data_test::DataTest {};

TEST_F(TextFiles, MissionsAreNumberedFromOneAndBoundedByTheirTable) {
  write("Mission.gll", mission_gll({"first%N", "second"}));
  open_mission_data();
  EXPECT_EQ(text_of(get_mission(1)), "first%N");
  EXPECT_EQ(text_of(get_mission(2)), "second");
  EXPECT_TRUE(get_mission(0).empty());
  EXPECT_TRUE(get_mission(3).empty());  // past the table: its texts are not read as offsets
  EXPECT_TRUE(get_mission(65535).empty());
}

TEST_F(TextFiles, NamesWithoutTextAnswerNone) {
  write("Name.gll", name_gll({{2, "two"}, {13, "\xACY"}}));
  open_Name_data();
  EXPECT_TRUE(get_Name(1).empty());
  EXPECT_EQ(text_of(get_Name(2)), "two");
  EXPECT_TRUE(get_Name(12).empty());
  EXPECT_EQ(text_of(get_Name(13)), "\xACY");
  EXPECT_TRUE(get_Name(14).empty());
  EXPECT_TRUE(messages().empty());
}

TEST_F(TextFiles, LookupsOnMissingFilesAnswerNone) {
  open_mission_data();
  open_Name_data();
  EXPECT_TRUE(get_mission(1).empty());
  EXPECT_TRUE(get_Name(1).empty());
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"open_mission_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 mission.gll",
                                      "open_Name_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 Name.gll"}));
}

TEST_F(TextFiles, AFileShorterThanItsHeaderLoadsNothing) {
  write("Mission.gll", Bytes(10, 0));
  open_mission_data();
  EXPECT_FALSE(gmMission);
  EXPECT_TRUE(get_mission(1).empty());
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(TextFiles, AStrayOffsetIsNotFollowedOutOfThePool) {
  Bytes file = mission_gll({"one", "two"});
  file[16 + 4] = 0xFF, file[16 + 5] = 0xFF, file[16 + 6] = 0xFF, file[16 + 7] = 0x0F;  // mission 2
  write("Mission.gll", file);
  open_mission_data();
  EXPECT_EQ(text_of(get_mission(1)), "one");
  EXPECT_TRUE(get_mission(2).empty());
}

TEST_F(TextFiles, OpenersReadOnceUntilClosed) {
  write("Mission.gll", mission_gll({"old"}));
  write("Name.gll", name_gll({{1, "old"}}));
  open_mission_data();
  open_Name_data();
  write("Mission.gll", mission_gll({"new"}));
  write("Name.gll", name_gll({{1, "new"}}));
  open_mission_data();
  open_Name_data();
  EXPECT_EQ(text_of(get_mission(1)), "old");
  EXPECT_EQ(text_of(get_Name(1)), "old");
  close_mission_data();
  close_Name_data();
  EXPECT_FALSE(gmMission);
  EXPECT_FALSE(gmName);
  open_mission_data();
  open_Name_data();
  EXPECT_EQ(text_of(get_mission(1)), "new");
  EXPECT_EQ(text_of(get_Name(1)), "new");
}

}  // namespace
