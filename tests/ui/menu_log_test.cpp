// The log page's lists: missions from the game flags, the charts from the fame records, the
// place list, and the model cache flushed by a change of monster kind only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/maps_db.h"
#include "data/mission_name.h"
#include "data/object_db.h"
#include "g3d/model_cache.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/text_table_writer.h"
#include "tests/g3d/model_folder.h"
#include "tests/ui/menu_driver.h"
#include "ui/menu/menu_log.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"

namespace {
using namespace fixtures;

enum : std::uint16_t { bandit = 1, wolf = 2, herb = 3, sword = 4, objects_made = 4 };
constexpr int place_count = 60;
constexpr std::uint16_t first_place = 200;
constexpr std::uint16_t monster_model = 3005;  // an item-group model the cache can hold

class Log : public ::testing::Test {
 protected:
  Log() {
    game_dir = folder.dir().str();
    fixtures::start_test_game();
    free_fame();  // the fame records outlive a game: the charts start from none
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects(objects_made);
    objects[bandit - 1].name("bandit").kind(110);
    objects[wolf - 1].name("wolf").kind(111);
    objects[herb - 1].name("herb").kind(201);
    objects[sword - 1].name("sword").kind(202);
    folder.dir().write("ObjData.GLL", as_string(objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
    // Missions 0-3 and history entries 0 and 5 have texts; the last history text takes two lines.
    std::vector<std::string> texts(flag_history_first + 5, "x");
    texts[flag_mission_accepted_first - 1] = "first";
    texts[flag_mission_accepted_first + 1 - 1] = "second";
    texts[flag_history_first + 5 - 1] = "long%Nline";
    folder.dir().write("Mission.gll", as_string(mission_gll(texts)));
    close_mission_data();
    open_mission_data();
    MapsDat db;
    for (int n = 0; n < place_count; ++n) db.places.push_back(std::uint16_t(first_place + n));
    folder.dir().write("maps.dat", as_string(maps_dat(db)));
    open_maps_data();
  }
  ~Log() override {
    leave_log_page();
    free_fame();
    close_mission_data();
    close_maps_data();
  }
  test_support::ModelFolder folder;
};

TEST_F(Log, AcceptedAndFinishedFlagsSortTheMissionsIntoTheirLists) {
  const struct {
    int mission;
    bool accepted, finished;
  } flags[] = {{0, true, false}, {1, true, true}, {2, false, true}, {3, false, false}};
  for (const auto& f : flags) {
    if (f.accepted) set_flag(flag_mission_accepted_first + f.mission);
    if (f.finished) set_flag(flag_mission_finished_first + f.mission);
  }
  set_flag(flag_history_first);
  set_flag(flag_history_first + 5);
  build_mission_lists();
  using List = std::vector<std::uint16_t>;
  EXPECT_EQ(log_missions[missions_unfinished], List({7001}));
  EXPECT_EQ(log_missions[missions_finished], List({7002, 7003})) << "listed by the accepted flag's text";
  EXPECT_EQ(log_missions[missions_history], List({7513, 7518}));
  EXPECT_EQ(count_mission_lines(7518), 2);
  EXPECT_EQ(count_mission_lines(9000), 0) << "no record";
  EXPECT_EQ(log_history_lines, 3);
  // The history scrolls by its entries, which its top row counts.
  EXPECT_EQ(log_mission_lists[missions_history].item_count, 2);
  EXPECT_EQ(log_mission_lists[missions_unfinished].visible_rows, 1);
  choose_mission_list(missions_finished);
  EXPECT_EQ(log_current_missions.item_count, 2);
}

TEST_F(Log, TheChartsListEveryFameRecordByKind) {
  fame_add(bandit, 0, 0, fame_type_monster);
  fame_add(wolf, 0, 0, fame_type_monster);
  fame_add(bandit, 0, 0, fame_type_monster);
  fame_add(sword, 1, 0, fame_type_object);
  menu_page = menu_page_log;
  enter_log_page();
  EXPECT_EQ(count_item_type(&log_monsters, 0), 2) << "one entry per monster";
  EXPECT_EQ(count_item_type(&log_monsters, log_monster_kinds[0]), 1);
  EXPECT_EQ(count_item_type(&log_monsters, log_monster_kinds[1]), 1);
  EXPECT_EQ(count_item_type(&log_items, log_item_kinds[1]), 1);
  EXPECT_EQ(count_item_type(&log_items, log_item_kinds[0]), 0);
  leave_log_page();
  EXPECT_EQ(log_monsters.next, nullptr);
  EXPECT_EQ(log_items.next, nullptr);
  EXPECT_EQ(menu_page, menu_page_bar);
}

// With the tab strip focused the chart list is cleared, yet the chart shows its kind's first row
// as the cursor row (values, HELP text and model); only the highlight bar needs rows.
TEST_F(Log, TheChartsCursorRowShowsWhileTheTabStripHasTheFocus) {
  fame_add(wolf, 0, 0, fame_type_monster);
  fame_add(sword, 1, 0, fame_type_object);
  menu_page = menu_page_log;
  enter_log_page();
  ASSERT_EQ(log_focus, log_focus_tabs);
  ASSERT_EQ(log_chart_list.item_count, 0);
  const ItemNode* monster = chart_cursor_node(&log_monsters, log_monster_kinds[1]);
  ASSERT_NE(monster, nullptr);
  EXPECT_EQ(monster->object, wolf);
  const ItemNode* item = chart_cursor_node(&log_items, log_item_kinds[1]);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->object, sword);
  EXPECT_EQ(chart_cursor_node(&log_monsters, log_monster_kinds[0]), nullptr) << "a kind without records";
}

TEST_F(Log, EveryPlaceOfTheMapDatabaseIsKept) {
  enter_log_page();
  ASSERT_EQ(log_places.size(), std::size_t(place_count));
  EXPECT_EQ(log_places.front(), first_place);
  EXPECT_EQ(log_places.back(), first_place + place_count - 1);
}

TEST_F(Log, AMonsterKindChangeFlushesTheModelCacheAnItemKindChangeDoesNot) {
  folder.write_indexes();
  ASSERT_EQ(SFLB_InitPolyMemory(), 1);
  folder.write_model(monster_model, kit::ply_file(kit::box_model(10, 10, 10, 3, 1)));
  enter_log_page();
  ASSERT_NE(GetPoly(monster_model), nullptr);
  const std::uint32_t used = GetPolyMemoryUsed();
  ASSERT_GT(used, 0u);
  choose_item_kind(2);
  EXPECT_EQ(log_item_kind, 2);
  EXPECT_EQ(GetPolyMemoryUsed(), used);
  choose_monster_kind(0);  // unchanged: nothing happens
  EXPECT_EQ(GetPolyMemoryUsed(), used);
  choose_monster_kind(9);
  EXPECT_EQ(log_monster_kind, 9);
  EXPECT_EQ(GetPolyMemoryUsed(), 0u);
}

// The galleries turn their pages with the keys: every place of maps.dat and the ten pictures have
// a page, unlocked or not, and the pages stop at the last.
TEST_F(Log, TheGalleriesTurnThroughEveryPageUnlockedOrNot) {
  struct Case {
    int tab;
    int pages;
  } cases[] = {{log_tab_places, place_count}, {log_tab_pictures, picture_count}};
  menu_driver::Frames frames;
  auto step = [] { input_menu_system(); };
  mouse_x = 600, mouse_y = 460;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab);
    GameMode = mode_field;
    ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
    menu_page = menu_page_log;
    enter_log_page();
    frames.run(step);
    for (int i = 0; i < c.tab; ++i) frames.press(step, key_right);
    ASSERT_EQ(log_tab, c.tab);
    for (int i = 0; i < c.pages + 5; ++i) frames.press(step, key_down);
    EXPECT_EQ(log_chart_list.item_count, c.pages);
    EXPECT_EQ(log_chart_list.top_item, c.pages - 1);
    EXPECT_EQ(log_chart_list.cursor_row, 0);
    for (int i = 0; i < 3; ++i) frames.press(step, key_up);
    EXPECT_EQ(log_chart_list.top_item, c.pages - 4);
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

TEST_F(Log, WithoutPlacesThePlaceGalleryHasNoPageToTurn) {
  close_maps_data();
  folder.dir().write("maps.dat", as_string(maps_dat(MapsDat{})));
  open_maps_data();
  menu_driver::Frames frames;
  auto step = [] { input_menu_system(); };
  mouse_x = 600, mouse_y = 460;
  GameMode = mode_field;
  ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
  menu_page = menu_page_log;
  enter_log_page();
  EXPECT_TRUE(log_places.empty());
  frames.run(step);
  for (int i = 0; i < log_tab_places; ++i) frames.press(step, key_right);
  ASSERT_EQ(log_tab, log_tab_places);
  for (KeyCode k : {key_down, key_up, key_down}) frames.press(step, k);
  EXPECT_EQ(log_chart_list.item_count, 0);
  EXPECT_EQ(log_chart_list.top_item, 0);
  EXPECT_EQ(log_chart_list.cursor_row, 0);
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
}

}  // namespace
