#include "core/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/temp_folder.h"

namespace {

TEST(Paths, AppendPathJoinsWithExactlyOneSeparator) {
  struct Case {
    std::string path, part, joined;
  };
  const Case cases[] = {
      {"C:\\game", "TEX", "C:\\game\\TEX"},
      {"C:\\game\\", "TEX", "C:\\game\\TEX"},
      {"C:\\game", "\\TEX", "C:\\game\\TEX"},
      {"C:\\game\\", "\\TEX", "C:\\game\\TEX"},
      {"C:/game/", "TEX", "C:/game\\TEX"},
      {"", "Save", "Save"},
      {"C:\\game\\\\", "x", "C:\\game\\x"},  // two separators lose one and get none
      {"C:\\game", "", "C:\\game\\"},
      {"/home/u/game", "\\TEX", "/home/u/game\\TEX"},
      // One separator alone becomes empty, and the part follows as it is.
      {"\\", "TEX", "TEX"},
      {"/", "\\TEX", "\\TEX"},
      // A Big5 character whose second byte is 0x5C is no separator.
      {"C:\\\xA5\x5C", "x", "C:\\\xA5\x5C\\x"},
      {"C:\\\xA5\x5C\\", "x", "C:\\\xA5\x5C\\x"},
  };
  for (const Case& c : cases) {
    std::string path = c.path;
    EXPECT_TRUE(append_path(path, c.part)) << c.path << " + " << c.part;
    EXPECT_EQ(path, c.joined) << c.path << " + " << c.part;
  }
}

TEST(Paths, AnOverlongResultFailsAndLeavesThePath) {
  std::string path(250, 'a');
  EXPECT_FALSE(append_path(path, "123456789"));  // 250 + 1 + 9 = 260
  EXPECT_EQ(path, std::string(250, 'a'));
  EXPECT_TRUE(append_path(path, "12345678"));  // 259
  EXPECT_EQ(path.size(), max_path_length);
  std::string empty;
  EXPECT_FALSE(append_path(empty, std::string(260, 'b')));
  EXPECT_EQ(empty, "");
}

TEST(Paths, MakeNumberedName) {
  struct Case {
    const char* prefix;
    const char* ext;
    int number, digits;
    const char* name;
  };
  const Case cases[] = {
      {"WLD", "MAP", 7, 5, "WLD00007.MAP"},
      {"WLD", ".PLY", 7, 5, "WLD00007.PLY"},
      {"WLD", "MAP", 123456, 5, "WLD23456.MAP"},
      {"WLD", "MAP", 7, 0, "WLD.MAP"},
      {"WLD", "MAP", -12, 5, "WLD00-12.MAP"},
      {"", "tex", 12345678, 8, "12345678.tex"},
      {"T", "tex", 1, 9, "T00000001.tex"},  // at most the field's 8 digits
      {"T", "tex", 1, -3, "T.tex"},
      {"WLD", "", 7, 5, "WLD00007."},
      {"A", "B", -2147483647 - 1, 8, "A47483648.B"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(make_numbered_name(c.prefix, c.ext, c.number, c.digits), c.name);
}

TEST(Paths, CurrentDirIsTheProcessDirectory) {
  fixtures::TempFolder dir(true);
  EXPECT_TRUE(std::filesystem::equivalent(get_current_dir(), dir.path()));
}

}  // namespace
