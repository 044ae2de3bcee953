// The equipment page's preview and the log's mission list, monster chart and locked gallery page
// drawn through start-up's display in the sample game, compared with reference frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/startup.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/mem_mgr.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "data/equip_bonus.h"
#include "data/item_list.h"
#include "data/party.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_models.h"
#include "tests/fixtures/ui_kit.h"
#include "tests/platform/raster/reference_image.h"
#include "tests/ui/menu_driver.h"
#include "ui/menu/menu_equip.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_log.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"

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

// The status card and the equipment page draw their gauges with one drawer: the fill is as wide as
// 84 x current / maximum, truncated, never past 84 (a value above its maximum), and a fill of no
// width (a maximum of 0 too) draws no column.
// The slider's bar stands in for the gauge's background and its outline for the fill.
TEST(MenuPagesFrame, AGaugeFillsItsShareOf84ColumnsAndNoneAtAMaximumOfZero) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  struct Case {
    int current, maximum, columns;
  } cases[] = {{0, 0, 0}, {5, 0, 0}, {0, 10, 0}, {-5, 100, 0}, {1, 84, 1}, {1, 3, 28}, {50, 100, 42}, {84, 84, 84}, {150, 100, 84}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.current) + "/" + std::to_string(c.maximum));
    std::uint16_t* p = renderer.lock_back_buffer();
    ASSERT_NE(p, nullptr);
    std::fill(p, p + 640 * 480, std::uint16_t(0));
    renderer.unlock_back_buffer(p);
    draw_menu_gauge(kit::ui_slider_act, 1, 100, 100, c.current, c.maximum);
    const test_support::Frame565 shot = back_buffer();
    const std::uint16_t bar = shot.pixels[101 * 640 + 150];  // the outline's inside is clear
    int fill = 0;
    for (int x = 100; x < 300; ++x) {
      bool drawn = false;
      for (int y = 100; y < 112; ++y) drawn = drawn || shot.pixels[std::size_t(y) * 640 + std::size_t(x)] != bar;
      fill += drawn ? 1 : 0;
    }
    EXPECT_EQ(fill, c.columns);
  }
  end_game();
}

// The sample's Effect.dat holds the effect the menu shows over a member's card when something is
// used on it.
TEST(MenuPagesFrame, TheUseEffectRisesOverTheMembersCard) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  open_menu_with_hero();
  menu_effects().clear();
  show_use_effect(0);
  EXPECT_EQ(menu_effects().size(), 1);
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  end_game();
}

// The menu on its log page, the pointer parked where the page answers nothing, one frame run.
void log_step() { input_menu_system(); }
void open_log_page(menu_driver::Frames& frames) {
  open_menu_with_hero();
  menu_page = menu_page_log;
  enter_log_page();
  mouse_x = 600, mouse_y = 460;
  frames.run(log_step);
}

// The bandit's entry in the monster chart: its model wears the face sprite on its head (the
// maps.dat ACT row) and holds the sword (its object record's weapon) in its right hand.
TEST(MenuPagesFrame, TheMonsterChartShowsTheModelWithItsPartTextureAndWeapon) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  fame_add(fixtures::sample_bandit, 0, 0, fame_type_monster);
  menu_driver::Frames frames;
  open_log_page(frames);
  frames.press(log_step, key_right);
  frames.press(log_step, key_enter);
  ASSERT_EQ(log_focus, log_focus_monsters);
  ASSERT_EQ(log_chart_list.item_count, 1);
  draw_settled_frame();
  EXPECT_EQ(menu_model.act, kit::sample_monster_act);
  // The face sprite's picture became a texture under its sprite key; the head's own texture is
  // back once the model is drawn.
  bool face_uploaded = false;
  for (int i = 0; i < renderer.get_texture_count(); ++i)
    face_uploaded = face_uploaded || renderer.texture_at(i)->key ==
                                         g3d_sprite_texture_key(kit::sample_face_picture_tsw, kit::sample_face_picture);
  EXPECT_TRUE(face_uploaded);
  const G3dPoly* model = GetPoly(kit::sample_monster_model);
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->materials[kit::sample_monster_head_material].tex_no, model->materials[0].tex_no);
  EXPECT_EQ(test_support::compare_with_reference("menu_log_monster", back_buffer()), "");
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  free_fame();
  end_game();
}

// The window closed while the menu shows the log page: the shut-down gives the charts' nodes back
// to the heap (the soak checks the heap's block count at the end).
TEST(MenuPagesFrame, ShutDownOnTheLogPageGivesItsChartsBack) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  fame_add(fixtures::sample_bandit, 0, 0, fame_type_monster);
  menu_driver::Frames frames;
  open_log_page(frames);
  ASSERT_EQ(GameMode, mode_menu);
  ASSERT_EQ(count_item_type(&log_monsters, 0), 1) << "the monster chart holds the bandit";
  const int blocks_before = mem_mgr.blocks_in_use();
  free_fame();
  end_game();
  EXPECT_EQ(log_monsters.next, nullptr);
  EXPECT_EQ(log_items.next, nullptr);
  EXPECT_LT(mem_mgr.blocks_in_use(), blocks_before);
}

// Picture 3 of the gallery while its flag is clear: the placeholder and the page counter.
TEST(MenuPagesFrame, ALockedGalleryPageShowsThePlaceholder) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  menu_driver::Frames frames;
  open_log_page(frames);
  for (int i = 0; i < log_tab_pictures; ++i) frames.press(log_step, key_right);
  for (int i = 0; i < 2; ++i) frames.press(log_step, key_down);
  ASSERT_EQ(log_tab, log_tab_pictures);
  ASSERT_EQ(log_chart_list.top_item + log_chart_list.cursor_row, 2);
  ASSERT_FALSE(test_flag(flag_picture_first + 2));
  draw_settled_frame();
  EXPECT_EQ(test_support::compare_with_reference("menu_log_locked_picture", back_buffer()), "");
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  end_game();
}

}  // namespace
