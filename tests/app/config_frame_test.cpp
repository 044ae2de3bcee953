// The configuration screens drawn through start-up's display: the red selection box frames the
// row or the button under the cursor.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "core/game_mode.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "ui/title/config_screens.h"

namespace {

constexpr std::uint16_t box_red = 0xC800;  // 0xFFC80000 in RGB565

class ConfigFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(init_game(game_.window(), platform::program_instance()), 1);
    GameMode = mode_field;
  }
  void TearDown() override {
    GameMode = mode_field;
    end_game();
  }
  static std::uint16_t pixel(int x, int y) {
    auto frame = platform::last_presented_frame();
    return frame ? frame->pixels[std::size_t(y) * 640 + std::size_t(x)] : 0;
  }
  GameHarness game_;
};

// The box's top-left corner and the pixel just inside its right edge, for each place of the
// cursor on both screens; nothing red where the box of another place would be.
TEST_F(ConfigFrame, TheSelectionBoxFramesTheCursorsRowOrButton) {
  struct Case {
    bool keyboard;
    int cursor, x, y, w;
  } cases[] = {{true, 0, 234, 62, 240},   {true, 12, 234, 362, 240}, {true, 13, 74, 416, 64},
               {true, 14, 170, 416, 64}, {true, 15, 266, 416, 64},  {false, 0, 234, 62, 240},
               {false, 5, 234, 212, 240}, {false, 6, 74, 416, 64},   {false, 7, 170, 416, 64},
               {false, 8, 266, 416, 64}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.keyboard ? "keys " : "joystick ") << c.cursor);
    if (c.keyboard) {
      call_key_config(MODE_ENTER, 0, 0);
      key_config_screen.cursor = c.cursor;
      draw_key_config();
      call_key_config(MODE_LEAVE, 0, 0);
    } else {
      call_joy_config(MODE_ENTER, 0, 0);
      joy_config_screen.cursor = c.cursor;
      draw_joy_config();
      call_joy_config(MODE_LEAVE, 0, 0);
    }
    EXPECT_EQ(pixel(c.x, c.y), box_red);
    EXPECT_EQ(pixel(c.x + c.w - 1, c.y), box_red);
    const int other_x = c.x == 170 ? 266 : 170;
    EXPECT_NE(pixel(other_x, 416), box_red) << "one box only";
  }
}

}  // namespace
