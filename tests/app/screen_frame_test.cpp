// A frame from the start-up's display to the screen: the renderer's lock points the blitter at
// the back buffer, a sprite is drawn, and present shows it.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/sprite_blitter.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/rle_writer.h"

namespace {

TEST(ScreenFrame, SpriteDrawnBetweenLockAndUnlockIsPresented) {
  for (platform::PixelMasks masks : {platform::masks_rgb565, platform::masks_rgb555}) {
    platform::reset_display_config();
    platform::display_config().masks = masks;
    GameHarness game;
    ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
    // A texture target left current from before must not catch the frame's drawing.
    int rows[4] = {0, 8, 16, 24};
    set_blit_target(rows, 4, 4, 8);

    std::uint16_t* pixels = renderer.lock_back_buffer();
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(sprite_blitter.blit_clip[2], 640);
    auto picture = fixtures::RleWriter(3, 1).transparent(1).literal({0x1234, 0x4321}).end_row().finish();
    sprite_blitter.blit_source = picture.data();
    put_pic(600, 470, 3, 1, 0, 0);
    renderer.unlock_back_buffer(pixels);
    renderer.present();

    auto frame = platform::last_presented_frame();
    ASSERT_TRUE(frame);
    // The headless frame is kept as RGB565 whatever the back buffer's layout (green's top bit
    // fills its new lowest bit).
    std::uint16_t want = masks.green == 0x07E0 ? 0x1234 : 0x2474;
    EXPECT_EQ(frame->pixels[470 * 640 + 601], want);
    EXPECT_EQ(frame->pixels[470 * 640 + 600], 0);
    end_game();
  }
}

TEST(ScreenFrame, LockWithoutADisplayLeavesANullTarget) {
  GameHarness game;
  EXPECT_EQ(renderer.lock_back_buffer(), nullptr);
  EXPECT_EQ(sprite_blitter.blit_dest, nullptr);
}

}  // namespace
