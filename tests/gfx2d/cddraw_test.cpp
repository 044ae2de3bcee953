// The display device on the software driver, shaped by the tests' driver set-up.
#include "gfx2d/cddraw.h"
#include "platform/display.h"
#include "platform/automation.h"
#include "platform/message_box.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

namespace {

// A headless window for the display to show in.
struct TestWindow {
  TestWindow() : window(platform::create_window({"QORV", platform::default_window_proc}, "QORV", 640, 480)) {}
  ~TestWindow() { platform::free_window(window); }
  platform::Window* window;
};

// "所選擇之顯示模式不支援"
const char* const mode_unsupported =
    "\xa9\xd2\xbf\xef\xbe\xdc\xa4\xa7\xc5\xe3\xa5\xdc\xbc\xd2\xa6\xa1\xa4\xa3\xa4\xe4\xb4\xa9";

class DisplayDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::reset_display_config();
    platform::clear_recorded_boxes();
  }
  void TearDown() override { dd.release(); }

  TestWindow test_window;
  platform::Window* const main_window = test_window.window;

  platform::DisplayDriverSetup driver(bool primary, int id, bool has_3d, bool windowed) {
    platform::DisplayDriverSetup d;
    d.desc.has_guid = !primary;
    d.desc.guid.bytes[0] = std::uint8_t(id);
    d.desc.name = "driver" + std::to_string(id);
    d.desc.description = std::string(100, 'd');
    d.caps.has_3d = has_3d;
    d.caps.can_render_windowed = windowed;
    return d;
  }

  int init(int mode, int device_type = DDRAW_DEVICE_HARDWARE_3D) {
    dd.enum_Ddraw_driver();
    return dd.Init(main_window, 0, mode, device_type, 640, 480, 16);
  }

  cDDRAW dd;
};

TEST_F(DisplayDeviceTest, FullScreenInit) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  EXPECT_EQ(dd.is_exclusive(), 1);
  EXPECT_EQ(dd.cooperative_level(), 0x13u);
  EXPECT_EQ(dd.full_screen(), 1);
  EXPECT_EQ(dd.hardware_3d(), 1);
  ASSERT_NE(dd.get_surface(DDRAW_PRIMARY_SURFACE), nullptr);
  ASSERT_NE(dd.get_surface(DDRAW_BACK_SURFACE), nullptr);
  EXPECT_EQ(dd.get_surface(DDRAW_THIRD_SURFACE), nullptr);
  EXPECT_EQ(dd.get_pixel_format(), 2);
  EXPECT_EQ(dd.get_display_bpp(), 16);
  int pitch = 0, height = 0;
  dd.get_back_size(&pitch, &height);
  EXPECT_EQ(pitch, 1280);
  EXPECT_EQ(height, 480);
  DdrawInfo info;
  dd.get_info(&info);
  EXPECT_EQ(info.window, main_window);
  EXPECT_EQ(info.driver_count, 1);
  EXPECT_EQ(info.vid_mem_total, 32u << 20);
  EXPECT_STREQ(info.name[0], "software");
  EXPECT_EQ(info.present_source.right, 640);
  EXPECT_EQ(info.present_dest.bottom, 480);
  EXPECT_EQ(dd.get_total_vmem(), 32u << 20);
  EXPECT_LT(dd.get_free_vmem(), 32u << 20);  // the flipping chain sits in video memory
}

// The blitter writes rows in blocks of 64 bytes; rows on cache lines keep those stores whole.
TEST_F(DisplayDeviceTest, BackBufferRowsStartOnCacheLines) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  platform::LockedPixels px;
  ASSERT_EQ(dd.get_surface(DDRAW_BACK_SURFACE)->lock(px), platform::DisplayResult::Ok);
  for (int y = 0; y < px.height; ++y)
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(px.pixels + y * (px.pitch / 2)) % 64, 0u) << "row " << y;
  dd.get_surface(DDRAW_BACK_SURFACE)->unlock();
}

TEST_F(DisplayDeviceTest, WindowedInitKeepsAWindow) {
  ASSERT_EQ(init(DDRAW_WINDOWED), 1);
  EXPECT_EQ(dd.is_exclusive(), 0);
  EXPECT_EQ(dd.cooperative_level(), 0x08u);
  EXPECT_EQ(dd.hardware_3d(), 1);
  EXPECT_EQ(dd.get_surface(DDRAW_BACK_SURFACE)->memory(), platform::SurfaceMemory::Video);
}

TEST_F(DisplayDeviceTest, WindowedOnADriverThatCannotOpensFullScreen) {
  platform::display_config().drivers = {driver(true, 0, true, false)};
  ASSERT_EQ(init(DDRAW_WINDOWED), 1);
  EXPECT_EQ(dd.cooperative_level(), 0x13u);
  EXPECT_EQ(dd.full_screen(), 1);
}

TEST_F(DisplayDeviceTest, HardwareDeviceOnADriverWithout3d) {
  platform::display_config().drivers = {driver(true, 0, false, true)};
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  EXPECT_EQ(dd.hardware_3d(), 0);
}

TEST_F(DisplayDeviceTest, WindowedBackSurfaceFallsBackToSystemMemory) {
  platform::display_config().video_memory = 100000;
  ASSERT_EQ(init(DDRAW_WINDOWED), 1);
  EXPECT_EQ(dd.hardware_3d(), 0);
  EXPECT_EQ(dd.get_surface(DDRAW_BACK_SURFACE)->memory(), platform::SurfaceMemory::System);
}

// Without any back surface the device cannot be used: Init fails with its message.
TEST_F(DisplayDeviceTest, WindowedInitWithoutABackSurfaceFails) {
  platform::display_config().video_memory = 100000;
  platform::display_config().fail_offscreen = true;
  EXPECT_EQ(init(DDRAW_WINDOWED), 0);
  EXPECT_EQ(dd.get_surface(DDRAW_BACK_SURFACE), nullptr);
  EXPECT_EQ(dd.get_surface(DDRAW_PRIMARY_SURFACE), nullptr);
  ASSERT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_EQ(platform::recorded_boxes()[0].text,
            "cDDRAW::Init(...) create_main_draw_surface(..).. \xa5\xa2\xb1\xd1");
  EXPECT_EQ(dd.present(), 0);
}

TEST_F(DisplayDeviceTest, UnlistedModeFailsBeforeAnyCooperativeLevel) {
  platform::display_config().modes = {{640, 480, 32}, {800, 600, 16}};
  EXPECT_EQ(init(DDRAW_FULL_SCREEN), 0);
  EXPECT_EQ(dd.cooperative_level(), 0u);
  ASSERT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_EQ(platform::recorded_boxes()[0].text, mode_unsupported);
  EXPECT_EQ(platform::recorded_boxes()[0].caption, "\xbf\xf9\xbb\x7e");
}

TEST_F(DisplayDeviceTest, CooperativeLevelIsRecordedEvenWhenRefused) {
  platform::display_config().fail_cooperative_level = true;
  EXPECT_EQ(init(DDRAW_FULL_SCREEN), 0);
  EXPECT_EQ(dd.is_exclusive(), 1);
  EXPECT_EQ(dd.get_ddraw(), nullptr);
}

TEST_F(DisplayDeviceTest, TableKeepsTheFirstFourDrivers) {
  auto& drivers = platform::display_config().drivers;
  drivers = {driver(false, 1, false, true), driver(true, 0, true, true), driver(false, 2, true, false),
             driver(false, 3, false, false), driver(false, 4, true, true)};
  ASSERT_EQ(dd.enum_Ddraw_driver(), 1);
  EXPECT_EQ(dd.driver_count(), 4);
  EXPECT_EQ(dd.selected_driver(), 1);  // the primary driver
  EXPECT_EQ(dd.driver(3).name, std::string("driver3"));
  EXPECT_EQ(std::strlen(dd.driver(0).description), 63u);
  DdrawInfo info;
  dd.get_info(&info);
  EXPECT_EQ(info.last_3d_driver, 2);
  // A second enumeration finds the table full.
  ASSERT_EQ(dd.enum_Ddraw_driver(), 1);
  EXPECT_EQ(dd.driver_count(), 4);
  // Opening a driver by its GUID.
  ASSERT_EQ(dd.Init(main_window, 2, DDRAW_FULL_SCREEN, DDRAW_DEVICE_HARDWARE_3D, 640, 480, 16), 1);
  EXPECT_EQ(dd.selected_driver(), 2);
}

TEST_F(DisplayDeviceTest, FailedEnumerationIsShown) {
  platform::display_config().fail_enumeration = true;
  EXPECT_EQ(dd.enum_Ddraw_driver(), 0);
  ASSERT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_EQ(platform::recorded_boxes()[0].text, "cDDRAW::enum_Ddraw_driver(...)\xa5\xa2\xb1\xd1");
}

// Init on a device still set up releases it first, which forgets the driver table.
TEST_F(DisplayDeviceTest, InitWithoutReleaseFails) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  EXPECT_EQ(dd.Init(main_window, 0, DDRAW_FULL_SCREEN, 2, 640, 480, 16), 0);
  EXPECT_EQ(dd.driver_count(), 0);
  EXPECT_EQ(dd.Init(main_window, 7, DDRAW_WINDOWED, 2, 640, 480, 16), 0);
}

TEST_F(DisplayDeviceTest, PresentRectangles) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  struct Case {
    int dx, dy;
    platform::Rect source, want_source, want_dest;
  } cases[] = {
      {0, 0, {0, 0, 640, 480}, {0, 0, 640, 480}, {0, 0, 640, 480}},
      {0, 0, {0, 0, 640, 100}, {0, 0, 640, 480}, {0, 0, 640, 480}},
      {10, 20, {0, 0, 320, 240}, {0, 0, 320, 240}, {10, 20, 330, 260}},
  };
  for (const Case& c : cases) {
    dd.set_present_rect(c.dx, c.dy, c.source);
    DdrawInfo info;
    dd.get_info(&info);
    EXPECT_EQ(info.present_source.right, c.want_source.right);
    EXPECT_EQ(info.present_source.bottom, c.want_source.bottom);
    EXPECT_EQ(info.present_dest.left, c.want_dest.left);
    EXPECT_EQ(info.present_dest.right, c.want_dest.right);
    EXPECT_EQ(info.present_dest.bottom, c.want_dest.bottom);
  }
}

void paint_back(cDDRAW& dd, std::uint16_t seed) {
  platform::LockedPixels px;
  ASSERT_EQ(dd.get_surface(DDRAW_BACK_SURFACE)->lock(px), platform::DisplayResult::Ok);
  for (int y = 0; y < px.height; ++y)
    for (int x = 0; x < px.width; ++x) px.pixels[y * (px.pitch / 2) + x] = std::uint16_t(seed + x * 7 + y * 13);
  dd.get_surface(DDRAW_BACK_SURFACE)->unlock();
}

TEST_F(DisplayDeviceTest, PresentShowsTheBackSurface) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  paint_back(dd, 5);
  int before = platform::presented_frame_count();
  ASSERT_EQ(dd.present(), 1);
  EXPECT_EQ(platform::presented_frame_count(), before + 1);
  auto frame = platform::last_presented_frame();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, 640);
  EXPECT_EQ(frame->pixels[std::size_t(3 * 640 + 2)], std::uint16_t(5 + 2 * 7 + 3 * 13));
}

TEST_F(DisplayDeviceTest, PresentRestoresLostSurfaces) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  platform::inject_surface_loss();
  EXPECT_EQ(dd.present(), 1);
  EXPECT_FALSE(dd.get_surface(DDRAW_PRIMARY_SURFACE)->is_lost());
  EXPECT_FALSE(dd.get_surface(DDRAW_BACK_SURFACE)->is_lost());
}

// A blit that keeps failing is tried a few times, reported once, and present returns.
TEST_F(DisplayDeviceTest, PresentGivesUpOnALastingFailure) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  platform::display_config().fail_blits = 1000;
  EXPECT_EQ(dd.present(), 0);
  EXPECT_EQ(dd.present(), 0);
  EXPECT_GT(platform::display_config().fail_blits, 990);
  platform::display_config().fail_blits = 0;
  EXPECT_EQ(dd.present(), 1);
}

TEST_F(DisplayDeviceTest, FillsAndColourMatching) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  platform::Surface* back = dd.get_surface(DDRAW_BACK_SURFACE);
  EXPECT_EQ(dd.fill_rect(10, 10, 5, 5, 0x1234), platform::DisplayResult::Ok);
  EXPECT_EQ(dd.fill_rect(630, 10, 50, 5, 0x1234), platform::DisplayResult::Failed);
  platform::LockedPixels px;
  back->lock(px);
  px.pixels[0] = 0x0042;
  back->unlock();
  EXPECT_EQ(dd.match_colour(back, 0x00FFFFFF), 0xFFFFu);
  EXPECT_EQ(dd.match_colour(back, 0x000000FF), 0xF800u);
  EXPECT_EQ(dd.match_colour(back, 0x0000FF00), 0x07E0u);
  back->lock(px);
  EXPECT_EQ(px.pixels[0], 0x0042);  // the probe pixel is put back
  EXPECT_EQ(px.pixels[10 * 640 + 12], 0x1234);
  back->unlock();
  dd.fill_surface(back, 0x00FF0000);
  back->lock(px);
  EXPECT_EQ(px.pixels[479 * 640 + 639], 0x001F);
  back->unlock();
}

TEST_F(DisplayDeviceTest, PixelFormatClasses) {
  platform::display_config().masks = {0xFC00, 0x03E0, 0x001F, 16};
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  EXPECT_EQ(dd.get_pixel_format(), 3);
  dd.release();
  platform::display_config().masks = platform::masks_rgb555;
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  EXPECT_EQ(dd.get_pixel_format(), 0);
}

TEST_F(DisplayDeviceTest, ReleaseForgetsEverything) {
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);
  dd.release();
  EXPECT_EQ(dd.get_ddraw(), nullptr);
  EXPECT_EQ(dd.get_surface(DDRAW_BACK_SURFACE), nullptr);
  EXPECT_EQ(dd.driver_count(), 0);
  EXPECT_EQ(dd.initialised(), 0);
  EXPECT_EQ(dd.release_surfaces(), 0);
  ASSERT_EQ(init(DDRAW_FULL_SCREEN), 1);  // enumerated and initialised again
}

// QORV_SHOTS writes each shown frame that differs from the last one shown, named by the number
// of the frame tick that showed it, into a folder it makes when missing.
TEST(HeadlessShots, WritesChangedFramesAsPng) {
  namespace fs = std::filesystem;
  fs::path top = fs::temp_directory_path() / ("qorv_shots_" + std::to_string(std::random_device{}()));
  fs::remove_all(top);
  fs::path dir = top / "frames";
  setenv("QORV_SHOTS", dir.c_str(), 1);
  std::string error;
  ASSERT_TRUE(platform::init_automation(error)) << error;
  platform::reset_display_config();
  TestWindow test_window;
  platform::Window* main_window = test_window.window;
  cDDRAW dd;
  dd.enum_Ddraw_driver();
  ASSERT_EQ(dd.Init(main_window, 0, DDRAW_FULL_SCREEN, 2, 640, 480, 16), 1);
  int first = platform::count_frame();
  paint_back(dd, 1);
  dd.present();
  platform::count_frame();
  dd.present();
  platform::count_frame();
  paint_back(dd, 2);
  dd.present();
  dd.release();
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  char a[16], b[16];
  std::snprintf(a, sizeof a, "%06d.png", first);
  std::snprintf(b, sizeof b, "%06d.png", first + 2);
  EXPECT_EQ(names, (std::set<std::string>{a, b}));
  std::ifstream png(dir / b, std::ios::binary);
  unsigned char head[24] = {};
  png.read(reinterpret_cast<char*>(head), 24);
  EXPECT_EQ(std::memcmp(head, "\x89PNG\r\n\x1a\n", 8), 0);
  EXPECT_EQ((head[16] << 24 | head[17] << 16 | head[18] << 8 | head[19]), 640);  // IHDR width
  EXPECT_EQ((head[20] << 24 | head[21] << 16 | head[22] << 8 | head[23]), 480);
  fs::remove_all(top);
}

}  // namespace
