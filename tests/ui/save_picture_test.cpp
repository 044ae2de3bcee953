// Screenshots as BMP files, the screen snapshot and slot thumbnails.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/byte_reader.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_validator.h"
#include "tests/fixtures/save_image_writer.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_thumbnail.h"
#include "ui/screenshot.h"
#include "ui/saves/snapshot.h"

namespace {

constexpr std::uint16_t white = 0x7FFF;

std::vector<std::uint8_t> bytes_of(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Screenshots, PixelsBecomeShiftedChannelsInRowsBottomUp) {
  struct Case { int width, height, pitch; std::size_t row; };
  const Case cases[] = {{640, 3, 1280, 1920}, {1, 3, 2, 4}, {3, 3, 16, 12}, {5, 3, 10, 16}};
  setup_pixel_format(nullptr);  // the screen in RGB555, whatever layout an earlier test set up
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    std::vector<std::uint16_t> screen(std::size_t(c.pitch / 2 * c.height), white);
    screen[0] = 0x001F;  // top-left: blue only
    screen[std::size_t(c.pitch / 2)] = std::uint16_t(0x1F << 10);  // second row: red only
    const kit::BmpFile bmp = kit::read_bmp(bmp_file_image(screen.data(), c.pitch, c.width, c.height));
    ASSERT_TRUE(bmp.ok);
    EXPECT_EQ(bmp.row_size, c.row);
    EXPECT_EQ(std::size_t(bmp_row_size(c.width)), c.row);
    EXPECT_EQ(bmp.size_field, 54 + c.height * c.row);
    EXPECT_EQ(bmp.bytes.size(), bmp.size_field);
    EXPECT_EQ(bmp.pixel_offset, 54u);
    EXPECT_EQ(bmp.width, c.width);
    EXPECT_EQ(bmp.height, c.height);
    EXPECT_EQ(bmp.pixel(0, 0), (std::array<std::uint8_t, 3>{248, 0, 0}));
    EXPECT_EQ(bmp.pixel(0, 1), (std::array<std::uint8_t, 3>{0, 0, 248}));
    EXPECT_EQ(bmp.pixel(c.width - 1, c.height - 1), (std::array<std::uint8_t, 3>{248, 248, 248}));
    // The bytes after a row's pixels are 0.
    for (std::size_t i = std::size_t(c.width) * 3; i < c.row; ++i) EXPECT_EQ(bmp.bytes[54 + i], 0);
  }
}

TEST(Screenshots, SizesThatAreNoPictureWriteNoFile) {
  fixtures::TempFolder dir(true);
  std::vector<std::uint16_t> screen(64, white);
  const struct { int pitch, width, height; } cases[] = {{8, 5, 2}, {16, 0, 2}, {16, 8, 0}, {16, -1, 2}, {16, 8, bmp_max_side + 1}};
  for (const auto& c : cases) EXPECT_EQ(write_bmp(screen.data(), c.pitch, c.width, c.height, "x.bmp"), 0);
  EXPECT_EQ(write_bmp(nullptr, 16, 8, 2, "x.bmp"), 0);
  EXPECT_EQ(dir.read("x.bmp"), "");
  ASSERT_EQ(write_bmp(screen.data(), 16, 8, 8, "x.bmp"), 1);
  EXPECT_EQ(kit::read_bmp(bytes_of(dir.read("x.bmp"))).size_field, 54u + 8 * 24);
}

TEST(Snapshots, EveryFourthPixelFillsTheTopLeftAndTheRestIsZero) {
  // A wider and taller screen than the game's: only its 640 x 480 are sampled.
  const int width = 800, height = 600;
  std::vector<std::uint16_t> screen(std::size_t(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) screen[std::size_t(y * width + x)] = std::uint16_t((x + 7 * y) & 0x7FFF);
  std::vector<std::uint16_t> work(256 * 256, 0xAAAA);
  sample_snapshot(screen.data(), width, width, height, work.data());
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const std::uint16_t expected = x < 160 && y < 120 ? screen[std::size_t(4 * y * width + 4 * x)] : 0;
      ASSERT_EQ(work[std::size_t(y * 256 + x)], expected) << x << "," << y;
    }
  // A smaller screen leaves the unsampled part 0.
  sample_snapshot(screen.data(), width, 8, 8, work.data());
  EXPECT_EQ(work[1], screen[4]);
  EXPECT_EQ(work[2], 0);
  EXPECT_EQ(work[256 * 2], 0);
}

TEST(Snapshots, ASnapshotIsAThumbnailAndFreeingItEmptiesTheNextSave) {
  std::vector<std::uint16_t> screen(640 * 480, white);
  snapshot_from_pixels(screen.data(), 640, 640, 480);
  ASSERT_NE(screen_snapshot.picture, nullptr);
  EXPECT_EQ(screen_snapshot.width, 256);
  EXPECT_EQ(screen_snapshot.height, 256);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(screen_snapshot.picture);
  std::span<const std::uint8_t> picture(bytes, screen_snapshot.size);
  EXPECT_TRUE(thumbnail_is_valid(picture));
  SaveImage image;
  capture_save_image(image);
  EXPECT_EQ(image.thumbnail.size(), screen_snapshot.size);
  free_snapshot();
  EXPECT_EQ(screen_snapshot.picture, nullptr);
  EXPECT_EQ(screen_snapshot.size, 0u);
  EXPECT_EQ(screen_snapshot.width, 0);
  capture_save_image(image);
  const std::vector<std::uint8_t> written = write_save_image(image);
  EXPECT_EQ(ByteReader(written).u32_at(save_header_size), 0u);  // n = 0
  free_snapshot();  // twice is harmless
}

TEST(Thumbnails, OnlyAWholeSixteenBitPictureIsConverted) {
  const std::vector<std::uint8_t> good = kit::thumbnail_picture(white);
  RleImage* picture = convert_thumbnail(good);
  ASSERT_NE(picture, nullptr);
  RleInfo info;
  EXPECT_EQ(validate_rle_image(picture, good.size(), &info), RleCheck::Ok);
  EXPECT_EQ(info.width, 256);
  free_thumbnail(picture, thumbnail_key_first);
  free_thumbnail(nullptr, thumbnail_key_first);
  const std::vector<std::vector<std::uint8_t>> bad = {
      kit::thumbnail_picture(white, 159, 256), kit::thumbnail_picture(white, 256, 119),
      std::vector<std::uint8_t>(good.begin(), good.end() - 3), {}, {0xFF, 0xFF}};
  for (const auto& b : bad) EXPECT_EQ(convert_thumbnail(b), nullptr);
}

}  // namespace
