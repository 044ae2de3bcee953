#include "platform/drives.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "tests/fixtures/temp_folder.h"

namespace {
namespace fs = std::filesystem;
using fixtures::TempFolder;

// Volumes are looked for in a fake label folder and mounts table, never the machine's.
class Drives : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::clear_drive_mappings();
    platform::set_volume_sources((sys.path() / "by-label").string(), (sys.path() / "mounts").string());
  }
  void TearDown() override { platform::clear_drive_mappings(); }
  TempFolder sys;
};

TEST_F(Drives, AFakeVolumeGetsALetterAndItsPathsResolve) {
  TempFolder disc;
  disc.write("Video/Op.bik", "v");
  platform::fake_volume("QORV_CD4", disc.str());
  char letter = platform::find_cd_drive("QORV_CD4");
  EXPECT_EQ(letter, 'D');
  EXPECT_EQ(platform::find_cd_drive("QORV_CD4"), 'D');  // the same volume keeps its letter
  EXPECT_EQ(platform::drive_mount_point('d'), disc.str());
  EXPECT_TRUE(platform::file_exists("D:\\VIDEO\\op.bik"));
  // The label must match exactly, case included.
  EXPECT_EQ(platform::find_cd_drive("qorv_cd4"), 0);
  EXPECT_EQ(platform::find_cd_drive("QORV_CD"), 0);
}

TEST_F(Drives, LettersTakenAlreadyAreSkipped) {
  TempFolder disc;
  platform::map_drive('D', "/somewhere");
  platform::fake_volume("QORV_CD4", disc.str());
  EXPECT_EQ(platform::find_cd_drive("QORV_CD4"), 'E');
}

TEST_F(Drives, AMountedVolumeIsFoundByItsLabelLink) {
  // by-label writes unsafe bytes of the label as \xNN; the mounts table escapes a blank as \040.
  TempFolder mount_point;
  fs::path device = sys.write("dev/sr1", "");
  sys.write("dev/sr0", "");
  fs::create_directories(sys.path() / "by-label");
  fs::create_symlink(sys.path() / "dev/sr0", sys.path() / "by-label" / "OTHER");
  fs::create_symlink(device, sys.path() / "by-label" / "QORV\\x20CD4");
  fs::path with_blank = mount_point.path() / "cd rom";
  fs::create_directories(with_blank / "Music");
  std::string escaped = mount_point.str() + "/cd\\040rom";
  sys.write("mounts", "proc /proc proc rw 0 0\n" + (sys.path() / "dev/sr0").string() +
                          " /mnt/other iso9660 ro 0 0\n" + device.string() + " " + escaped +
                          " iso9660 ro 0 0\n");
  char letter = platform::find_cd_drive("QORV CD4");
  ASSERT_EQ(letter, 'D');
  EXPECT_EQ(platform::drive_mount_point(letter), with_blank.string());
  EXPECT_TRUE(platform::folder_exists("D:\\music"));
  EXPECT_EQ(platform::find_cd_drive("QORV_CD4"), 0);
}

TEST_F(Drives, NoVolumeSourcesMeansNoDisc) {
  platform::set_volume_sources("/nonexistent/by-label", "/nonexistent/mounts");
  EXPECT_EQ(platform::find_cd_drive("QORV_CD4"), 0);
}

}  // namespace
