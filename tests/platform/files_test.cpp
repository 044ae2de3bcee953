#include "platform/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/drives.h"
#include "tests/fixtures/temp_folder.h"

namespace {
namespace fs = std::filesystem;
using fixtures::TempFolder;
using platform::File;

std::string contents(const std::string& game_path) {
  std::vector<std::uint8_t> bytes;
  if (!platform::read_whole_file(game_path, bytes)) return "<unreadable>";
  return std::string(bytes.begin(), bytes.end());
}

TEST(HostPath, MatchesEachComponentWithoutRegardToAsciiCase) {
  TempFolder dir(true);
  dir.write("Data/TEX/CHR/All_Tex.idx", "idx");
  struct Case {
    const char* game_path;
    const char* host;
  };
  const Case cases[] = {
      {"data\\tex\\chr\\ALL_TEX.IDX", "Data/TEX/CHR/All_Tex.idx"},
      {"DATA/Tex\\chr/all_tex.IDX", "Data/TEX/CHR/All_Tex.idx"},
      {"Data\\\\TEX\\CHR\\", "Data/TEX/CHR"},
      {".\\data\\TEX", "./Data/TEX"},
      // Components that do not exist are kept as written, so new files can be made.
      {"data\\Save\\01.sav", "Data/Save/01.sav"},
      {"data\\Save\\New\\x", "Data/Save/New/x"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::host_path(c.game_path), c.host) << c.game_path;
  EXPECT_EQ(contents("DATA\\tex\\Chr\\all_tex.idx"), "idx");
}

TEST(HostPath, AnAbsoluteGameDirectoryJoinedWithABackslashResolves) {
  TempFolder dir;
  dir.write("TEX/sys.tex", "t");
  std::string game_dir = dir.str();  // host form, e.g. /tmp/qorv-test-1
  EXPECT_EQ(platform::host_path(game_dir + "\\tex\\SYS.TEX"), (dir.path() / "TEX/sys.tex").string());
  EXPECT_TRUE(platform::file_exists(game_dir + "\\TEX\\sys.tex"));
  EXPECT_TRUE(platform::folder_exists(game_dir + "\\tex"));
}

TEST(HostPath, Big5NamesAreNeverSplitNorFolded) {
  TempFolder dir(true);
  // \xA5\x5C is one Big5 character whose second byte is the backslash code.
  dir.write("\xA5\x5C/Map.dat", "big5");
  EXPECT_EQ(platform::host_path("\xA5\x5C\\MAP.DAT"), "\xA5\x5C/Map.dat");
  EXPECT_EQ(contents("\xA5\x5C\\map.dat"), "big5");
  // A trail byte that is an ASCII letter is never folded: \xA4\x41 and \xA4\x61 differ.
  dir.write("\xA4\x41.txt", "a");
  EXPECT_EQ(platform::host_path("\xA4\x41.TXT"), "\xA4\x41.txt");
  EXPECT_FALSE(platform::file_exists("\xA4\x61.txt"));
}

TEST(HostPath, ADriveLetterResolvesUnderItsFolder) {
  TempFolder dir;
  dir.write("Music/Title.mp3", "m");
  platform::map_drive('E', dir.str());
  EXPECT_EQ(platform::host_path("e:\\MUSIC\\title.MP3"), (dir.path() / "Music/Title.mp3").string());
  EXPECT_EQ(contents("E:\\Music\\Title.mp3"), "m");
  // A letter that stands for nothing resolves nowhere.
  EXPECT_EQ(platform::host_path("Q:\\Music\\Title.mp3"), "");
  EXPECT_FALSE(platform::file_exists("Q:\\Music\\Title.mp3"));
  platform::clear_drive_mappings();
}

TEST(Files, ReadersNeitherCreateFilesNorChangeAttributes) {
  TempFolder dir(true);
  File f;
  EXPECT_FALSE(f.open("missing.bin", File::Mode::Read));
  EXPECT_EQ(f.last_error_code(), ENOENT);
  EXPECT_EQ(platform::last_error_code(), ENOENT);
  EXPECT_FALSE(fs::exists(dir.path() / "missing.bin"));

  fs::path p = dir.write("ro.bin", "abc");
  fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
  auto before = fs::status(p).permissions();
  ASSERT_TRUE(f.open("RO.BIN", File::Mode::Read));
  char buf[8] = {};
  EXPECT_EQ(f.read(buf, sizeof buf), 3);
  EXPECT_EQ(f.read(buf, sizeof buf), 0);  // at the end
  EXPECT_TRUE(f.close());
  EXPECT_EQ(fs::status(p).permissions(), before);
  // A folder is not a file to read.
  fs::create_directory(dir.path() / "folder");
  EXPECT_FALSE(f.open("folder", File::Mode::Read));
  EXPECT_FALSE(platform::file_exists("folder"));
}

TEST(Files, ModesSeekAndTruncate) {
  TempFolder dir(true);
  File f;
  ASSERT_TRUE(f.open("out.bin", File::Mode::CreateNew));
  EXPECT_EQ(f.write("0123456789", 10), 10);
  EXPECT_EQ(f.seek(-4, 2), 6);
  EXPECT_EQ(f.seek(-7, 1), -1);  // before the start: refused, position kept
  EXPECT_EQ(f.seek(0, 1), 6);
  EXPECT_TRUE(f.truncate_here());
  EXPECT_EQ(f.size(), 6);
  f.close();
  EXPECT_FALSE(f.open("OUT.BIN", File::Mode::CreateNew));  // exists already

  ASSERT_TRUE(f.open("out.bin", File::Mode::Append));
  EXPECT_EQ(f.write("ab", 2), 2);
  f.close();
  EXPECT_EQ(dir.read("out.bin"), "012345ab");

  ASSERT_TRUE(f.open("Out.bin", File::Mode::OpenAlways));  // keeps the contents
  EXPECT_EQ(f.size(), 8);
  ASSERT_TRUE(f.open("out.bin", File::Mode::CreateAlways));  // empties it
  EXPECT_EQ(f.size(), 0);
  ASSERT_TRUE(f.open("out.bin", File::Mode::Read));
  EXPECT_EQ(f.write("x", 1), -1);  // read-only handle
  f.close();
  EXPECT_EQ(f.read(nullptr, 0), -1);  // closed
}

TEST(Files, ReadWholeFileRefusesFilesAboveTheLimit) {
  TempFolder dir(true);
  dir.write("big.bin", std::string(100, 'x'));
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(platform::read_whole_file("big.bin", out, 99));
  EXPECT_TRUE(platform::read_whole_file("BIG.bin", out, 100));
  EXPECT_EQ(out.size(), 100u);
  EXPECT_FALSE(platform::read_whole_file("none.bin", out));
  EXPECT_TRUE(out.empty());
}

TEST(Files, WriteFileAtomicReplacesWholeOrNotAtAll) {
  TempFolder dir(true);
  dir.write("User.cfg", "old contents");
  ASSERT_TRUE(platform::write_file_atomic("user.CFG", "new", 3));
  EXPECT_EQ(dir.read("User.cfg"), "new");
  EXPECT_FALSE(platform::write_file_atomic("Save\\fresh.bin", "f", 1));  // no folder Save yet
  fs::create_directory(dir.path() / "Save");
  ASSERT_TRUE(platform::write_file_atomic("save\\01.sav", "s", 1));
  EXPECT_EQ(dir.read("Save/01.sav"), "s");

  // A target that cannot be replaced (a folder) fails and leaves it as it was.
  dir.write("Pic/keep.txt", "k");
  EXPECT_FALSE(platform::write_file_atomic("Pic", "x", 1));
  EXPECT_EQ(dir.read("Pic/keep.txt"), "k");
  // No temporary file is left behind, whether the write succeeded or failed.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()),
            3);  // User.cfg, Save, Pic
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "Save"), fs::directory_iterator()), 1);
}

TEST(Files, DeleteAndCreateFolder) {
  TempFolder dir(true);
  dir.write("debug.txt", "x");
  EXPECT_TRUE(platform::delete_file("DEBUG.TXT"));
  EXPECT_FALSE(fs::exists(dir.path() / "debug.txt"));
  EXPECT_TRUE(platform::delete_file("debug.txt"));  // gone already
  EXPECT_TRUE(platform::create_folder("Pic"));
  EXPECT_TRUE(platform::create_folder("PIC"));  // already there
  EXPECT_TRUE(fs::is_directory(dir.path() / "Pic"));
  EXPECT_FALSE(platform::create_folder("none\\deeper"));
  EXPECT_TRUE(fs::equivalent(platform::current_dir(), dir.path()));
}

}  // namespace
