// build.DAT: a good file gives six sections; a missing, short or malformed one is reported and
// leaves no pool.
#include "base/build_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/data/data_test.h"
#include "tests/fixtures/base_kit.h"

namespace {

class BuildData : public data_test::DataTest {
 protected:
  ~BuildData() override { close_build_data(); }
};

TEST_F(BuildData, AGoodFileGivesSixSectionsInsideThePool) {
  write("build.DAT", fixtures::build_dat(2, {24, 25, 26, 27, 24, 99}));
  ASSERT_EQ(open_build_data(), 1);
  ASSERT_TRUE(gmBudPool);
  EXPECT_EQ(gmBudPool.size, 28u);
  EXPECT_EQ(build_sections[0], gmBudPool.bytes + 24);
  EXPECT_EQ(*build_sections[3], 4);
  EXPECT_EQ(build_sections[5], nullptr) << "an offset past the pool names no section";
  close_build_data();
  EXPECT_FALSE(gmBudPool);
  EXPECT_EQ(build_sections[0], nullptr);
}

TEST_F(BuildData, BadFilesAreReportedAndLeaveNoPool) {
  // open_build_data(..)錯誤  無法開啟 build.DAT
  const std::string report = "open_build_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 build.DAT";
  const struct { const char* name; fixtures::Bytes file; } cases[] = {
      {"missing", {}},
      {"shorter than the header word", {1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"header reaching the end", [] {
         fixtures::Bytes b = fixtures::build_dat(1);
         b[8] = 3;  // 48 header bytes of a 44-byte file
         return b;
       }()},
      {"pool under six offsets", [] {
         fixtures::Bytes b = fixtures::build_dat(1);
         b.resize(16 + 23);
         return b;
       }()},
  };
  for (const auto& c : cases) {
    clear_messages();
    if (c.file.empty()) std::filesystem::remove(dir.path() / "build.DAT");
    else write("build.DAT", c.file);
    EXPECT_EQ(open_build_data(), 0) << c.name;
    EXPECT_FALSE(gmBudPool) << c.name;
    ASSERT_FALSE(messages().empty()) << c.name;
    EXPECT_EQ(messages().back(), report) << c.name;
  }
}

}  // namespace
