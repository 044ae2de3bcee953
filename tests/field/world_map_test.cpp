// The world map: its place table, pointing and the nearest place, the journey (the yes/no box,
// the marker's truncated steps, the fade and the place's talk), the item mode and the clouds.
#include <cmath>
#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/item_list.h"
#include "data/party.h"
#include "field/world_map.h"
#include "script/talk_interpreter.h"
#include "script/talk_queue.h"
#include "tests/field/sample_map_test.h"
#include "data/map_role.h"
#include "data/object_db.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_maps.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
using field_test::SampleMapTest;

struct PlaceRow {
  std::uint16_t x, y, flag;
  std::string name;
};

std::vector<std::uint8_t> place_table(const std::vector<PlaceRow>& rows, bool end_mark = true) {
  kit::ByteWriter w;
  for (const PlaceRow& r : rows) {
    for (std::uint32_t v : {std::uint32_t(kit::sample_village_place_act), 0u, std::uint32_t(r.x), std::uint32_t(r.y),
                            std::uint32_t(r.flag), std::uint32_t(r.flag) + 100})
      w.u16(v);
    for (char c : r.name) w.u8(std::uint8_t(c));
    w.u8('%');
    w.u8('Q');
  }
  if (end_mark) w.u16(0xFFFF);
  return w.bytes;
}

class WorldMap : public SampleMapTest {
 protected:
  WorldMap() {
    for (std::uint16_t f : {kit::sample_village_place, kit::sample_path_place}) set_flag(f);
    game_map_place = kit::sample_village_place;
    read_maps_role(0);  // the party, whose narrator speaks the yes/no box, and the leader
  }
  ~WorldMap() override {
    leave_game_map();
    del_all_talkmsg();
    del_all_tbutton();
    for (MapRole& ev : TalkEventQueue) ev = MapRole{};
    for (std::uint16_t f : {kit::sample_village_place, kit::sample_path_place}) clear_flag(f);
    game_map = GameMapView{};
  }
  // One frame of input with k pressed (apart enough from the last press not to be a double one).
  void press(KeyCode k) {
    key_time_ += 5000;
    grp_input.update_key(key_time_, k, 0);
    grp_input.update_key(key_time_ + 1, k, 0);
    grp_input.update_key(key_time_ + 2, k, 1);
    input_game_map();
    grp_input.update_key(key_time_ + 3, k, 0);
  }
  std::uint32_t key_time_ = 0;
};

TEST_F(WorldMap, TheTableBuildsABackwardListWithPictureSizesAndCutNames) {
  // A name of 23 bytes, then a two-byte character that would end at byte 25: cut before it.
  const std::string long_name = std::string(22, 'a') + "\xB2M" + "bbb";
  ASSERT_EQ(read_game_map(place_table({{10, 20, 30, "one"}, {40, 50, 31, long_name}})), 1);
  const GameMapPlace* p = game_map_places();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->flag, 31);
  EXPECT_EQ(p->talk, 131);
  EXPECT_EQ(std::strlen(p->name), 22u);
  EXPECT_EQ(p->x, 40);
  EXPECT_EQ(p->width, 40);  // the village's picture
  EXPECT_EQ(p->height, 40);
  ASSERT_NE(p->next, nullptr);
  EXPECT_STREQ(p->next->name, "one");
  EXPECT_EQ(p->next->next, nullptr);
}

TEST_F(WorldMap, ATableThatEndsInsideARecordFails) {
  auto bytes = place_table({{10, 20, 30, "one"}}, false);
  bytes.resize(bytes.size() - 2);
  EXPECT_EQ(read_game_map(bytes), 0) << "the name runs into the end";
  bytes = place_table({{10, 20, 30, "one"}}, false);  // no end mark: the table ends after the record
  EXPECT_EQ(read_game_map(bytes), 1);
  bytes.push_back(7);  // an odd byte after it
  bytes.push_back(0);
  bytes.push_back(0);
  EXPECT_EQ(read_game_map(bytes), 0);
}

TEST_F(WorldMap, TheNearestPlaceIsTheClosestInXOnThatSide) {
  // Table order A..E: the list runs E..A, so of two at the same x the later one is found first.
  ASSERT_EQ(read_game_map(place_table({{100, 0, 50, "A"}, {300, 0, 51, "B"}, {300, 0, 52, "C"},
                                       {500, 0, 53, "D"}, {700, 0, 54, "E"}})), 1);
  for (int f : {50, 51, 52, 54}) set_flag(f);  // D cannot be chosen
  struct Case {
    int from_x;
    bool left;
    std::uint16_t expected;  // 0: unchanged
  };
  const Case cases[] = {{700, true, 52}, {300, true, 50}, {300, false, 54}, {100, false, 52},
                        {100, true, 0},  {700, false, 0}, {600, false, 54}};
  for (const Case& c : cases) {
    game_map.highlighted = 99;
    game_map.highlight_x = c.from_x;
    select_nearest_game_map_place(c.left);
    EXPECT_EQ(game_map.highlighted, c.expected ? c.expected : 99) << c.from_x << (c.left ? " left" : " right");
  }
  for (int f : {50, 51, 52, 54}) clear_flag(f);
}

TEST_F(WorldMap, PointingTakesTheRectangleWithItsEdges) {
  enter_game_map(0);
  game_map.scroll_x = -100, game_map.scroll_y = -50;
  // The village at (420, 300), 40 x 40, shows at (320, 250)-(360, 290).
  for (auto [x, y, hit] : {std::tuple{320, 250, true}, std::tuple{360, 290, true}, std::tuple{361, 290, false},
                           std::tuple{319, 260, false}}) {
    pick_game_map_place(x, y);
    EXPECT_EQ(game_map.highlighted, hit ? kit::sample_village_place : 0) << x << "," << y;
  }
  clear_flag(kit::sample_village_place);
  pick_game_map_place(330, 260);
  EXPECT_EQ(game_map.highlighted, 0) << "a place whose flag is clear cannot be chosen";
}

TEST_F(WorldMap, EnteringCentresOnThePlaceAndClampsTheView) {
  enter_game_map(kit::sample_path_place);
  EXPECT_EQ(GameMode, mode_world_map);
  EXPECT_EQ(game_map_place, kit::sample_path_place);
  EXPECT_EQ(game_map.highlighted, kit::sample_path_place);
  EXPECT_EQ(game_map.scroll_x, 320 - 860);
  EXPECT_EQ(game_map.scroll_y, -160) << "240 - 420 is past the bottom";
  EXPECT_EQ(game_map.marker_x, 860 + 16);
  centre_game_map_view(0, 0);
  EXPECT_EQ(game_map.scroll_x, 0);
  centre_game_map_view(5000, 5000);
  EXPECT_EQ(game_map.scroll_x, game_map_scroll_min_x);
  EXPECT_EQ(game_map.scroll_y, game_map_scroll_min_y);
}

TEST_F(WorldMap, ASavedPlaceTheTableLacksOpensWithNothingHighlighted) {
  enter_game_map(4000);
  EXPECT_EQ(GameMode, mode_world_map);
  EXPECT_EQ(game_map.highlighted, 0);
  EXPECT_TRUE(logged("[4000]"));
  press(key_enter);
  EXPECT_EQ(game_map.step, game_map_choosing) << "nothing to confirm";
}

TEST_F(WorldMap, TheJourneyAsksWalksInTruncatedStepsFadesAndQueuesThePlacesTalk) {
  enter_game_map(kit::sample_village_place);
  press(key_right);
  EXPECT_EQ(game_map.highlighted, kit::sample_path_place);
  press(key_enter);
  EXPECT_EQ(game_map.step, game_map_asking);
  EXPECT_EQ(talkmsg_count(), 1);
  tbutton_choice = 0;
  tbutton_confirmed = 1;  // "是"
  update_game_map();
  EXPECT_EQ(game_map.step, game_map_walking);
  EXPECT_EQ(game_map_place, kit::sample_path_place);
  const int tx = 860 + 16, ty = 420 + 16;
  EXPECT_EQ(game_map.target_x, tx);
  int frames = 0;
  while (game_map.step == game_map_walking && frames < 1000) {
    const int x = game_map.marker_x, y = game_map.marker_y;
    update_game_map();
    if (game_map.step == game_map_walking) {
      EXPECT_LE(std::abs(game_map.marker_x - x), 4) << "each axis of a 5-unit step is truncated";
      EXPECT_LE(std::abs(game_map.marker_y - y), 4);
    }
    ++frames;
  }
  ASSERT_EQ(game_map.step, game_map_fading);
  EXPECT_LE(std::hypot(tx - game_map.marker_x, ty - game_map.marker_y), 5.0);
  screen_fade.done = 1;
  update_game_map();
  EXPECT_EQ(GameMode, mode_field);
  // The place's talk ran in the same update: it took the party to the path.
  EXPECT_EQ(map_record.map_number, fixtures::sample_path);
  EXPECT_EQ(gmMapRole[player_role_index].X, float(kit::sample_path_from_village.x));
}

TEST_F(WorldMap, TheItemModeSpendsTheItemOnYesAndNothingOnEscape) {
  clear_flag(kit::sample_village_place);
  EXPECT_EQ(set_game_map_item_mode(1), 0) << "no travel from a place whose flag is clear";
  set_flag(kit::sample_village_place);
  std::vector<fixtures::ObjectRecord> objects(travel_item - 1, fixtures::ObjectRecord::empty_record());
  objects.push_back(fixtures::ObjectRecord().name("T").kind(201));
  install_item_data(fixtures::objdata_gll(objects));
  add_item(&party_bag, travel_item, 2, 2);
  ASSERT_EQ(get_item_num(&party_bag, travel_item), 2);

  ASSERT_EQ(set_game_map_item_mode(1), 1);
  enter_game_map(0);
  press(key_escape);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_EQ(game_map.item_mode, 0);
  EXPECT_EQ(get_item_num(&party_bag, travel_item), 2);

  ASSERT_EQ(set_game_map_item_mode(1), 1);
  enter_game_map(0);
  press(key_enter);
  tbutton_choice = 0;
  tbutton_confirmed = 1;
  update_game_map();
  EXPECT_EQ(get_item_num(&party_bag, travel_item), 1) << "spent at once, before the walk";
  del_item(&party_bag, travel_item, 1);
}

TEST_F(WorldMap, NoStillClosesTheBoxAndChoosesAgain) {
  enter_game_map(0);
  press(key_space);
  ASSERT_EQ(game_map.step, game_map_asking);
  tbutton_choice = 1;
  tbutton_confirmed = 1;
  update_game_map();
  EXPECT_EQ(game_map.step, game_map_choosing);
  EXPECT_EQ(game_map_place, kit::sample_village_place);
}

TEST_F(WorldMap, CloudsThatDriftAwayAreReplacedOneForOne) {
  enter_game_map(0);
  const int count = game_map_cloud_count();
  EXPECT_GE(count, 4);
  EXPECT_LE(count, 7);
  // At 0.2 a frame at least, every cloud leaves within (1390 + 20) / 0.2 frames.
  for (int frame = 0; frame < 8000; ++frame) {
    move_game_map_clouds();
    ASSERT_EQ(game_map_cloud_count(), count) << frame;
  }
  leave_game_map();
  EXPECT_EQ(game_map_cloud_count(), 0);
}

}  // namespace
