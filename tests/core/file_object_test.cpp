#include "core/file_object.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/temp_folder.h"

namespace {
namespace fs = std::filesystem;
using fixtures::TempFolder;

TEST(FileObject, ReadersOpenExistingFilesOnlyAndChangeNoAttributes) {
  TempFolder dir(true);
  file_object f;
  EXPECT_EQ(f.open("all_char.act", OPEN_ALWAYS, GENERIC_READ), 0);
  EXPECT_FALSE(fs::exists(dir.path() / "all_char.act"));
  EXPECT_STRNE(f.error_text(), "");

  fs::path p = dir.write("ACT/All_Char.act", "0123456789");
  fs::permissions(p, fs::perms::owner_read);
  ASSERT_EQ(f.open("act\\ALL_CHAR.ACT", OPEN_ALWAYS, GENERIC_READ), 1);
  EXPECT_EQ(fs::status(p).permissions(), fs::perms::owner_read);
  EXPECT_STREQ(f.name(), "act\\ALL_CHAR.ACT");
  char buf[16] = {};
  int len = 4;
  EXPECT_EQ(f.read(buf, &len), 1);
  EXPECT_EQ(len, 4);
  EXPECT_EQ(std::string(buf, 4), "0123");
  EXPECT_EQ(f.seek(FILE_CURRENT, -2), 2u);  // backwards
  len = 16;
  EXPECT_EQ(f.read(buf, &len), 1);
  EXPECT_EQ(len, 8);
  len = 16;
  EXPECT_EQ(f.read(buf, &len), 1);  // at the end
  EXPECT_EQ(len, 0);
  int pos = -1;
  EXPECT_EQ(f.tell(&pos), 1);
  EXPECT_EQ(pos, 10);
  EXPECT_EQ(f.seek(FILE_BEGIN, -1), 0xFFFFFFFFu);
  EXPECT_EQ(f.seek_to(3), 4);
  EXPECT_EQ(f.close(), 1);
  EXPECT_STREQ(f.name(), "");
}

TEST(FileObject, WritersCreateAndEndTheirFile) {
  TempFolder dir(true);
  dir.write("0001.bmp", "old contents that are longer");
  file_object f;
  ASSERT_EQ(f.open("0001.BMP", OPEN_ALWAYS, GENERIC_WRITE), 1);
  EXPECT_EQ(f.write_u32(0x11223344u), 1);
  EXPECT_EQ(f.write_all("ab", 2), 1);
  EXPECT_EQ(f.set_eof(), 1);
  f.close();
  EXPECT_EQ(dir.read("0001.bmp"), std::string("\x44\x33\x22\x11"
                                              "ab"));

  EXPECT_EQ(f.open("new.bin", CREATE_NEW, GENERIC_WRITE), 1);
  EXPECT_EQ(f.open("new.bin", CREATE_NEW, GENERIC_WRITE), 0);  // exists now; the object is closed
  EXPECT_FALSE(f.is_open());
  EXPECT_EQ(f.open("0001.bmp", TRUNCATE_EXISTING, GENERIC_WRITE), 1);
  f.close();
  EXPECT_EQ(dir.read("0001.bmp"), "");
  EXPECT_EQ(f.open("none.bin", OPEN_EXISTING, GENERIC_READ | GENERIC_WRITE), 0);
  EXPECT_EQ(f.open("x.bin", 99, GENERIC_WRITE), 0);  // no such disposition
}

TEST(FileObject, WithoutAFileEveryOperationFailsSoftly) {
  file_object f;
  EXPECT_EQ(f.close(), 1);
  char buf[4];
  int len = 4;
  EXPECT_EQ(f.read(buf, &len), 0);
  EXPECT_EQ(len, 4);
  EXPECT_STRNE(f.error_text(), "");
  EXPECT_EQ(f.write(buf, &len), 0);
  EXPECT_EQ(f.seek(FILE_BEGIN, 0), 0u);
  int pos = 7;
  EXPECT_EQ(f.tell(&pos), 0);
  EXPECT_EQ(pos, 7);
  EXPECT_EQ(f.write_all(buf, 4), 0);
  EXPECT_EQ(f.set_eof(), 0);
  TempFolder dir(true);
  dir.write("a.bin", "abc");
  ASSERT_EQ(f.open("a.bin", OPEN_EXISTING, GENERIC_READ), 1);
  len = 0;
  EXPECT_EQ(f.read(buf, &len), 0);  // a zero length is refused
  len = 2;
  EXPECT_EQ(f.read(nullptr, &len), 0);
  EXPECT_EQ(len, 2);
  EXPECT_EQ(f.write(buf, &len), 0);  // a reader cannot write
  EXPECT_EQ(len, 0);
}

}  // namespace
