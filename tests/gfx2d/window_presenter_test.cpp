// The window presenter on drivers that can and cannot render into a window.
#include "gfx2d/cddraw.h"
#include "gfx2d/window_presenter.h"
#include "platform/display.h"
#include "platform/window.h"

#include <gtest/gtest.h>

namespace {


platform::Window* make_window() {
  return platform::create_window({"QORV", platform::default_window_proc}, "QORV", 640, 480);
}

class WindowPresenterTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    platform::reset_display_config();
    platform::display_config().drivers[0].caps.can_render_windowed = GetParam();
    dd.enum_Ddraw_driver();
    // A driver that cannot render windowed opens full screen; the presenter is set up all the same.
    ASSERT_EQ(dd.Init(main_window, 0, DDRAW_WINDOWED, 2, 640, 480, 16), 1);
    ASSERT_EQ(presenter.init(main_window, dd.get_ddraw(), dd.get_surface(DDRAW_PRIMARY_SURFACE),
                             dd.get_surface(DDRAW_BACK_SURFACE)),
              1);
  }
  void TearDown() override {
    presenter.release();
    dd.release();
    platform::free_window(main_window);
    platform::free_window(other_window);
  }
  platform::Window* main_window = make_window();
  platform::Window* other_window = make_window();
  cDDRAW dd;
  WindowPresenter presenter;
};

TEST_P(WindowPresenterTest, AttachingTheMainWindow) {
  bool capable = GetParam();
  EXPECT_EQ(presenter.capable(), capable ? 1 : 0);
  EXPECT_EQ(presenter.attach_window(other_window, 1), other_window);
  EXPECT_EQ(presenter.has_window(), 1);
  if (capable) {
    // The clipper follows the main window whichever window is attached; the cursor stays free.
    ASSERT_NE(presenter.clipper(), nullptr);
    EXPECT_EQ(presenter.clipper()->window(), main_window);
    EXPECT_FALSE(platform::cursor_confinement());
    EXPECT_EQ(presenter.has_snapshot(), 0);
  } else {
    auto confined = platform::cursor_confinement();
    ASSERT_TRUE(confined);
    EXPECT_EQ(confined->right, 640);
    EXPECT_EQ(confined->bottom, 480);
    ASSERT_EQ(presenter.has_snapshot(), 1);
    EXPECT_EQ(presenter.snapshot()->width, 640);
    EXPECT_EQ(presenter.snapshot()->pixels.size(), 640u * 480u);
  }
  presenter.release();
  EXPECT_EQ(presenter.has_window(), 0);
  EXPECT_EQ(presenter.has_snapshot(), 0);
  EXPECT_FALSE(platform::cursor_confinement());
}

TEST_P(WindowPresenterTest, AttachingNothing) {
  EXPECT_EQ(presenter.attach_window(nullptr, 1), nullptr);
  EXPECT_EQ(presenter.has_window(), 0);
  EXPECT_FALSE(platform::cursor_confinement());
  // Without capture no snapshot is kept; a null window then means the attached one.
  EXPECT_EQ(presenter.attach_window(main_window, 0), main_window);
  EXPECT_EQ(presenter.has_snapshot(), 0);
  EXPECT_EQ(presenter.attach_window(nullptr, 0), main_window);
}

TEST_P(WindowPresenterTest, InitNeedsAWindow) {
  WindowPresenter fresh;
  EXPECT_EQ(fresh.init(nullptr, dd.get_ddraw(), nullptr, nullptr), 0);
}

INSTANTIATE_TEST_SUITE_P(Drivers, WindowPresenterTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Capable" : "NotCapable"; });

}  // namespace
