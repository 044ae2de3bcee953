// The world map of the sample game through start-up's display: entered at the village, faded
// in, drawn with its places, name plates, the party's marker and the clouds.
#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"
#include "core/flags.h"
#include "core/game_mode.h"
#include "core/random_r250.h"
#include "field/world_map.h"
#include "g3d/renderer.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/sample_maps.h"
#include "tests/platform/raster/reference_image.h"

namespace {

TEST(WorldMapFrame, TheVillageIsHighlightedAndThePathShown) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  for (std::uint16_t f : {kit::sample_village_place, kit::sample_path_place}) set_flag(f);
  init_random(7);  // the clouds' places
  enter_game_map(kit::sample_village_place);
  ASSERT_EQ(GameMode, mode_world_map);
  // The fade from black takes 255 / 20 frames.
  for (int frame = 0; frame < 14; ++frame) {
    update_game_map();
    draw_game_map();
  }
  test_support::Frame565 shot{640, 480, std::vector<std::uint16_t>(640 * 480)};
  std::uint16_t* p = renderer.lock_back_buffer();
  ASSERT_NE(p, nullptr);
  std::copy(p, p + 640 * 480, shot.pixels.begin());
  renderer.unlock_back_buffer(p);
  EXPECT_EQ(test_support::compare_with_reference("world_map_village", shot), "");
  leave_game_map();
  end_game();
}

}  // namespace
