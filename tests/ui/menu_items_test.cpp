// The items page driven through the menu's input step: member choice outliving the last piece,
// the new-items tab taking from the new count, a discarded node keeping its place, the all-party
// refusal, tidying, and the placement list's answers and minimap labels.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/object_db.h"
#include "data/party.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/world_map.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/ui/menu_driver.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_system_page.h"
#include "ui/saves/save_load.h"
#include "ui/menu/menu_system.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
using namespace fixtures;
using menu_driver::box_text;

enum : std::uint16_t { herb = 1, tonic = 2, cloth = 3, object_count = 3 };

// "目前不需要恢復!!%Q", "整理完畢!!%Q"
const std::string nobody_needs_text = "\xa5\xd8\xab""e\xa4\xa3\xbb\xdd\xadn\xab\xec\xb4_!!%Q";
const std::string tidied_text = "\xbe\xe3\xb2z\xa7\xb9\xb2\xa6!!%Q";

ObjectRecord healing(std::uint16_t hp) {
  ObjectRecord r;
  r.kind(object_type_consumable).price(20).tag(tag_hp_sp_amounts, {op16(hp), op16(0), op16(0), op16(0), op16(0)});
  return r;
}

class ItemsPage : public ::testing::Test {
 protected:
  ItemsPage() {
    game_dir = dir_.str();
    fixtures::start_test_game();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects(object_count);
    objects[herb - 1] = healing(30).name("herb");
    objects[tonic - 1] = healing(20).name("tonic").tag(tag_target_mode, {op8(1), op8(0), op8(0), op8(0)});
    objects[cloth - 1].name("cloth").kind(object_type_armour).price(60);
    while (objects.size() < object_save_item - 1) objects.push_back(ObjectRecord::empty_record());
    objects.push_back(ObjectRecord().name("save stone").kind(object_type_story));
    while (objects.size() < object_travel_item - 1) objects.push_back(ObjectRecord::empty_record());
    objects.push_back(ObjectRecord().name("travel charm").kind(object_type_story));
    dir_.write("ObjData.GLL", as_string(objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
    set_item_move_front(1);
    for (int m = 0; m < 3; ++m) {
      RoleData& r = gmRoleData[m];
      r = RoleData{};
      r.hp = 50, r.max_hp = 100, r.mp = r.max_mp = 10, r.sp = r.max_sp = 10;
    }
    for (int f : party_member_flags) clear_flag(f);
    set_flag(flag_member_0);
    set_flag(flag_member_1);
    // The leader, who is also the narrator the question boxes belong to.
    gmMapRoleCount = 1;
    gmMapRole[0] = MapRole{};
    gmMapRole[0].RoleID = party_role_first;
    gmMapRole[0].X = 100, gmMapRole[0].Y = 10, gmMapRole[0].Z = 200, gmMapRole[0].DIR = 400;
    player_role_index = 0;
    GameMode = mode_field;
    SavedGameMode = 0;
    clear_flag(flag_wav_off);
    mouse_x = 600, mouse_y = 460;
    frames_.count_sounds(&sounds_);
  }
  ~ItemsPage() override {
    del_all_tbutton();
    del_all_talkmsg();
    free_party_items();
    gmMapRoleCount = 0;
    minimap.Clear();
  }
  void step(std::initializer_list<KeyCode> down = {}) {
    frames_.run([] { input_menu_system(); }, down);
  }
  void press(KeyCode k) {
    frames_.press([] { input_menu_system(); }, k);
  }
  // The menu open on the items page, on tab t (0 the new items, 1 the consumables, 7 tidy).
  void open_tab(int t) {
    ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
    ASSERT_TRUE(sounds_.open());
    step();
    press(key_down);
    press(key_enter);
    ASSERT_EQ(menu_page, menu_page_items);
    if (t == item_tidy_tab) press(key_left);
    for (int i = 0; i < t && t != item_tidy_tab; ++i) press(key_right);
    ASSERT_EQ(item_tab, t);
    sounds_.reset();
  }
  // Enter on the cursor row, Enter on "use": member choice.
  void choose_use() {
    press(key_enter);
    ASSERT_EQ(item_page_state, item_state_box);
    press(key_enter);
    ASSERT_EQ(item_page_state, item_state_member);
  }
  // Enter on the cursor row, Enter on "use", for an item used at once (no member choice).
  void choose_use_now() {
    press(key_enter);
    ASSERT_EQ(item_page_state, item_state_box);
    press(key_enter);
  }
  // Enter on the cursor row, Down to "discard", Enter, and the question answered "確定".
  void discard_one() {
    press(key_enter);
    press(key_down);
    press(key_enter);
    ASSERT_EQ(item_page_state, item_state_discard);
    tbutton_choice = 1;
    tbutton_confirmed = 1;
    step();
    EXPECT_EQ(item_page_state, item_state_list);
  }
  static std::vector<std::pair<std::uint16_t, int>> bag() {
    std::vector<std::pair<std::uint16_t, int>> out;
    for (ItemNode* n = party_bag.next; n; n = n->next) out.push_back({n->object, n->count * 100 + n->new_count});
    return out;
  }

  TempFolder dir_{true};
  menu_driver::SoundCounter sounds_{dir_.path(), {302, 303, 304, 305, 306, 307, 308, 309, 714}};
  menu_driver::Frames frames_;
};

TEST_F(ItemsPage, MemberChoiceOutlivesTheLastPieceUsedWithoutItsNode) {
  struct Case {
    const char* name;
    std::uint16_t object;
    int pieces;
    bool back_to_list;
  } cases[] = {
      {"the last piece", herb, 1, true},
      {"the last piece of an all-party item", tonic, 1, true},
      {"one piece left", herb, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    free_item_list(&party_bag);
    add_item(&party_bag, c.object, std::uint16_t(c.pieces), 2);
    gmRoleData[0].hp = gmRoleData[1].hp = 20;
    open_tab(1);
    choose_use();
    press(key_enter);
    EXPECT_EQ(get_item_num(&party_bag, c.object), c.pieces - 1);
    EXPECT_EQ(sounds_.played(306), 1);
    EXPECT_EQ(item_page_state, item_state_member);
    EXPECT_EQ(item_used_object, c.object);
    EXPECT_EQ(item_used_all, c.object == tonic ? 1 : 0);
    const int hp = gmRoleData[0].hp;
    // The page waits in member choice; a confirm meanwhile uses nothing.
    for (int frame = 0; frame < 11; ++frame) {
      step(frame == 5 ? std::initializer_list<KeyCode>{key_enter} : std::initializer_list<KeyCode>{});
      ASSERT_EQ(item_page_state, item_state_member) << "frame " << frame;
      ASSERT_EQ(menu_target_mode, 1);
    }
    EXPECT_EQ(gmRoleData[0].hp, hp);
    EXPECT_EQ(get_item_num(&party_bag, c.object), c.pieces - 1);
    for (int frame = 0; frame < 4; ++frame) step();
    if (c.back_to_list) {
      EXPECT_EQ(item_page_state, item_state_list);
      EXPECT_EQ(menu_target_mode, 0);
      EXPECT_EQ(menu_party_target, 0);
    } else {
      EXPECT_EQ(item_page_state, item_state_member);
      press(key_enter);  // the wait is over: the next piece is used
      EXPECT_EQ(get_item_num(&party_bag, c.object), 0);
      EXPECT_EQ(gmRoleData[0].hp, hp + 30);
    }
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

TEST_F(ItemsPage, TheNewItemsTabTakesFromTheNewCount) {
  struct Case {
    const char* name;
    bool discard;
  } cases[] = {{"use", false}, {"discard", true}};
  gmMapRoleCount = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    free_item_list(&party_bag);
    add_item(&party_bag, herb, 2, 2);
    add_item(&party_bag, herb, 1, 1);
    open_tab(0);
    if (c.discard) {
      discard_one();
    } else {
      choose_use();
      press(key_enter);
    }
    EXPECT_EQ(bag(), (std::vector<std::pair<std::uint16_t, int>>{{herb, 200}}));
    EXPECT_EQ(item_list.item_count, 0) << "the new tab is empty now";
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

TEST_F(ItemsPage, ADiscardedNodeKeepsItsPlaceAndTheCursorStaysInTheList) {
  add_item(&party_bag, cloth, 1, 2);
  add_item(&party_bag, tonic, 2, 2);
  add_item(&party_bag, herb, 3, 2);
  sort_item_list(&party_bag);
  open_tab(1);
  press(key_down);  // the tonic's row
  ASSERT_EQ(item_selected_object, tonic);
  discard_one();
  EXPECT_EQ(sounds_.played(308), 1);
  EXPECT_EQ(bag(), (std::vector<std::pair<std::uint16_t, int>>{{herb, 300}, {tonic, 100}, {cloth, 100}}));
  step();
  EXPECT_EQ(item_selected_object, tonic);
  discard_one();  // the last tonic: the cursor moves up to the row that is left
  EXPECT_EQ(bag(), (std::vector<std::pair<std::uint16_t, int>>{{herb, 300}, {cloth, 100}}));
  EXPECT_EQ(item_list.item_count, 1);
  EXPECT_EQ(item_list.cursor_row, 0);
  step();
  EXPECT_EQ(item_selected_object, herb);
}

TEST_F(ItemsPage, AnAllPartyItemIsRefusedOnlyWhenNobodyChanges) {
  struct Case {
    const char* name;
    int hp0, hp1;
    bool used;
  } cases[] = {{"both full", 100, 100, false}, {"one hurt", 100, 40, true}, {"both hurt", 50, 40, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    free_item_list(&party_bag);
    add_item(&party_bag, tonic, 2, 2);
    gmRoleData[0].hp = c.hp0, gmRoleData[1].hp = c.hp1;
    open_tab(1);
    choose_use();
    press(key_enter);
    EXPECT_EQ(get_item_num(&party_bag, tonic), c.used ? 1 : 2);
    EXPECT_EQ(gmRoleData[0].hp, std::min(100, c.hp0 + (c.used ? 20 : 0)));
    EXPECT_EQ(gmRoleData[1].hp, std::min(100, c.hp1 + (c.used ? 20 : 0)));
    EXPECT_EQ(box_text(), c.used ? "" : nobody_needs_text);
    EXPECT_EQ(sounds_.played(309), c.used ? 0 : 1);
    EXPECT_EQ(sounds_.played(306), c.used ? 1 : 0);
    EXPECT_EQ(item_page_state, item_state_member) << "a refusal keeps member choice";
    del_all_talkmsg();
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

TEST_F(ItemsPage, TidyingSortsAndMergesByKeyAndAtOnceByAClickOnItsTab) {
  struct Case {
    const char* name;
    bool click;
  } cases[] = {{"Left wraps to the tab, Enter", false}, {"a click on the tab", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    free_item_list(&party_bag);
    add_item(&party_bag, herb, 1, 2);
    add_item(&party_bag, herb, 2, 1);
    add_item(&party_bag, cloth, 1, 1);
    if (c.click) {
      open_tab(0);
      mouse_x = 120 + 26 * 7 + 3, mouse_y = 10;
      step();
      step({key_mouse1});
      EXPECT_EQ(item_tab, item_tidy_tab);
    } else {
      open_tab(item_tidy_tab);
      press(key_enter);
    }
    EXPECT_EQ(bag(), (std::vector<std::pair<std::uint16_t, int>>{{herb, 300}, {cloth, 100}}));
    EXPECT_EQ(box_text(), tidied_text);
    EXPECT_EQ(sounds_.played(307), 1);
    EXPECT_EQ(item_page_state, item_state_list);
    del_all_talkmsg();
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
    mouse_x = 600, mouse_y = 460;
  }
}

TEST_F(ItemsPage, APlacedRoleIsLabelledOneAboveItsRowAndARecallRemovesItsMarker) {
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n);
    GameMode = mode_field;
    ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
    answer_placement(n, 1, 0);  // "放棄"
    EXPECT_EQ(minimap.FindMarker(placement_role_first + n), nullptr);
    EXPECT_EQ(GameMode, mode_menu);
    answer_placement(n, 0, 0);
    const MinimapMarker* m = minimap.FindMarker(placement_role_first + n);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->label, n + 1);
    EXPECT_EQ(GameMode, mode_field) << "placing leaves the menu";
  }
  answer_placement(1, 0, 1);
  EXPECT_EQ(minimap.FindMarker(placement_role_first + 1), nullptr);
  EXPECT_NE(minimap.FindMarker(placement_role_first), nullptr);
  EXPECT_NE(minimap.FindMarker(placement_role_first + 2), nullptr);
}

// The save item is taken only by a save it opened: a save from the system page after the item's
// save screen was left without saving keeps it.
TEST_F(ItemsPage, OnlyASaveOpenedByTheSaveItemTakesIt) {
  constexpr int story_tab = 6;
  struct Case {
    const char* name;
    bool through_system_page;
    int left;
  } cases[] = {{"the item's save", false, 1}, {"the system page's save", true, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    free_item_list(&party_bag);
    add_item(&party_bag, object_save_item, 2, 2);
    open_tab(story_tab);
    choose_use_now();
    ASSERT_EQ(GameMode, mode_save);
    if (c.through_system_page) {
      call_save_system(MODE_LEAVE, 0, 0);  // left without saving
      ASSERT_EQ(GameMode, mode_menu);
      press(key_escape);
      ASSERT_EQ(menu_page, menu_page_bar);
      press(key_up);  // from the items entry to the system entry
      press(key_enter);
      ASSERT_EQ(menu_page, menu_page_system);
      press(key_enter);
      ASSERT_EQ(GameMode, mode_save);
    }
    consume_save_item();  // what the save screen does after a written save
    EXPECT_EQ(get_item_num(&party_bag, object_save_item), c.left);
    call_save_system(MODE_LEAVE, 0, 0);
    SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
}

// The travel item opens the world map at the town's place and stays in the bag until the map
// takes it; refused, it leaves the world map's item mode as it was.
TEST_F(ItemsPage, TheTravelItemOpensTheWorldMapAtTheTownsPlace) {
  constexpr int story_tab = 6;
  constexpr std::uint16_t start_place = 3000;  // the world map's place flag before the use
  // "現在無法使用!!%Q"
  const std::string not_now = "\xb2{\xa6""b\xb5L\xaak\xa8\xcf\xa5\xce!!%Q";
  struct Case {
    const char* name;
    std::uint16_t map_flags;
    bool travel_off;
    bool opens;
  } cases[] = {{"outdoors", map_outdoor, false, true},
               {"indoors", 0, false, false},
               {"the travel flag off", map_outdoor, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMode = mode_field;
    map_record.map_number = 12004;
    map_record.map_flags = c.map_flags;
    c.travel_off ? set_flag(flag_travel_item_off) : clear_flag(flag_travel_item_off);
    game_map_place = start_place;
    set_flag(start_place);
    free_item_list(&party_bag);
    add_item(&party_bag, object_travel_item, 1, 2);
    open_tab(story_tab);
    choose_use_now();
    EXPECT_EQ(GameMode, c.opens ? mode_world_map : mode_menu);
    EXPECT_EQ(game_map_place, c.opens ? 3824 : start_place);
    EXPECT_EQ(game_map.item_mode, c.opens ? 1 : 0);
    EXPECT_EQ(get_item_num(&party_bag, object_travel_item), 1);
    EXPECT_EQ(box_text(), c.opens ? "" : not_now);
    if (c.opens) leave_game_map();
    else SFLB_call_menu_system(MODE_LEAVE, 0, 0);
    del_all_talkmsg();
    clear_flag(start_place);
  }
  clear_flag(flag_travel_item_off);
}

}  // namespace
