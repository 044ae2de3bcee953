// The equipment page's preview and the log's mission list drawn through start-up's display in
// the sample game, compared with reference frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/startup.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "data/equip_bonus.h"
#include "data/item_list.h"
#include "data/party.h"
#include "g3d/renderer.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/sample_data.h"
#include "tests/platform/raster/reference_image.h"
#include "ui/menu_equip.h"
#include "ui/menu_log.h"
#include "ui/menu_pages.h"
#include "ui/menu_system.h"

namespace {

// The sample has no menu background, so the last frame is drawn over a cleared buffer.
void draw_settled_frame() {
  for (int frame = 0; frame < 40; ++frame) draw_menu_system();
  std::uint16_t* p = renderer.lock_back_buffer();
  if (p) {
    std::fill(p, p + 640 * 480, std::uint16_t(0));
    renderer.unlock_back_buffer(p);
  }
  draw_menu_system();
}

test_support::Frame565 back_buffer() {
  test_support::Frame565 shot{640, 480, std::vector<std::uint16_t>(640 * 480)};
  std::uint16_t* p = renderer.lock_back_buffer();
  if (p) {
    std::copy(p, p + 640 * 480, shot.pixels.begin());
    renderer.unlock_back_buffer(p);
  }
  return shot;
}

// The hero in the menu, wearing the sword, with a jade and a second sword in the bag.
void open_menu_with_hero() {
  set_flag(flag_member_0);
  RoleData& hero = gmRoleData[0];
  hero.stats[stat_level] = 3;
  hero.hp = hero.max_hp = 120;
  hero.mp = hero.max_mp = 30;
  hero.sp = hero.max_sp = 0;  // an empty gauge, not a division by zero
  hero.stats[stat_attack] = 20;
  hero.equip[0] = fixtures::sample_sword;
  add_equip_bonus(&hero, -1);
  add_item(&party_bag, fixtures::sample_jade, 1, 2);
  add_item(&party_bag, fixtures::sample_cloth, 2, 2);
  ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
  ASSERT_EQ(GameMode, mode_menu);
}

TEST(MenuPagesFrame, TheEquipmentPreviewShowsTheChangedValues) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  open_menu_with_hero();
  enter_equip_page();
  equip_page.slot = 1;  // armour: the cloth is a candidate
  return_candidates(&party_bag, &equip_candidates);
  const int count = take_candidates(&party_bag, &equip_candidates, equip_slot_types[1], member_class_bits[0]);
  ASSERT_EQ(count, 1);
  equip_page.state = equip_choosing_piece;
  equip_page.row_count = count + 1;
  draw_settled_frame();
  EXPECT_EQ(equip_page.shown_object, fixtures::sample_cloth);
  EXPECT_EQ(test_support::compare_with_reference("menu_equip_preview", back_buffer()), "");
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  EXPECT_EQ(equip_candidates.next, nullptr) << "leaving the menu returns the candidates";
  end_game();
}

TEST(MenuPagesFrame, TheMissionListShowsTheAcceptedMissions) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  set_flag(flag_mission_accepted_first);
  set_flag(flag_mission_accepted_first + 1);
  set_flag(flag_mission_finished_first + 1);
  open_menu_with_hero();
  menu_page = menu_page_log;
  enter_log_page();
  log_focus = log_focus_missions;
  draw_settled_frame();
  EXPECT_EQ(log_missions[missions_unfinished].size(), 1u);
  EXPECT_EQ(test_support::compare_with_reference("menu_log_missions", back_buffer()), "");
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  end_game();
}

}  // namespace
