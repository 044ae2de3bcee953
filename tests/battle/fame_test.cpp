// Fame records: treasure growth and levels, the events that feed worn treasures, the settlement,
// and fame.dat written and read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "battle/fame.h"
#include "battle/fame_treasure.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/fixtures/fame_kit.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/save_image_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/talk_msg.h"

namespace {
using namespace fixtures;

// Objects 1-8 carry growth codes 53-60 with a level experience of 100; 9 is a plain object,
// 10 a treasure without a level scale, 11 one whose experience value is below 10.
constexpr std::uint16_t first_treasure = 1, plain_object = 9, no_scale = 10, tiny_scale = 11, monster = 12;
constexpr std::uint16_t treasure_of(std::uint16_t code) { return std::uint16_t(first_treasure + code - 53); }

class FameRecords : public ::testing::Test {
 protected:
  FameRecords() {
    game_dir = dir.str();
    start_test_game();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects;
    for (std::uint16_t code = 53; code <= 60; ++code) objects.push_back(kit::treasure_object(code, 1000));
    objects.push_back(ObjectRecord().kind(204));
    objects.push_back(kit::treasure_object(55, 0));
    objects.push_back(kit::treasure_object(55, 5));
    objects.push_back(ObjectRecord().kind(110));
    dir.write("ObjData.GLL", as_string(objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
    free_fame();
    fame_block = FameBlock{};
  }
  ~FameRecords() override {
    free_fame();
    del_all_talkmsg();
    fame_block = FameBlock{};
  }

  // A treasure record at a level, made by the first fame_add and then set.
  static FameNode& treasure_at(std::uint16_t object, std::uint16_t level) {
    EXPECT_EQ(fame_add(object, 0, 0, fame_type_treasure), 1);
    FameNode& node = *fame_find(object, fame_type_treasure);
    node.level = level;
    return node;
  }
  // Party member c present, wearing the treasures.
  static RoleData& wearer(int c, std::uint16_t slot4, std::uint16_t slot5 = 0, std::uint16_t level = 10) {
    set_flag(party_member_flags[c]);
    RoleData& r = gmRoleData[c];
    r.equip[4] = slot4;
    r.equip[5] = slot5;
    r.stats[stat_level] = level;
    return r;
  }
  std::string log() const { return dir.read("debug.txt"); }

  TempFolder dir{true};
};

TEST_F(FameRecords, RecordsOfTheSameIdAndTypeAreOne) {
  for (int i = 0; i < 3; ++i) fame_add(monster, 0, 0, fame_type_monster);
  EXPECT_EQ(fame_find(monster, fame_type_monster)->points, 3);
  // An object with any record is not entered again; a treasure with only a type-2 record
  // gets its own type-1 record.
  ASSERT_EQ(fame_add(monster, 0, 0, fame_type_object), 1);
  EXPECT_EQ(fame_find(monster, fame_type_object), nullptr);
  fame_add(treasure_of(55), 0, 0, fame_type_object);
  fame_add(treasure_of(55), 0, 0, fame_type_treasure);
  EXPECT_NE(fame_find(treasure_of(55), fame_type_treasure), nullptr);
  EXPECT_EQ(fame_find_nth(fame_type_monster, 0)->id, monster);
  EXPECT_EQ(fame_find_nth(fame_type_monster, 1), nullptr);
  EXPECT_EQ(fame_add(900, 0, 0, fame_type_object), 0) << "an object the database cannot read";
  EXPECT_EQ(fame_find(900, fame_type_object), nullptr);
  EXPECT_EQ(fame_add(900, 0, 0, fame_type_map), 1) << "map numbers are never looked up";
}

TEST_F(FameRecords, ANewTreasureStartsAtLevelOneWithItsCodesCapAndRate) {
  const struct { std::uint16_t code; std::int16_t cap; std::uint16_t rate; } rules[] = {
      {53, 20, 100}, {54, 200, 20}, {55, 1000, 3}, {56, 1000, 3},
      {57, 1000, 1800}, {58, 200, 10000}, {59, 200, 20000}, {60, 200, 60},
  };
  for (const auto& r : rules) {
    SCOPED_TRACE(r.code);
    ASSERT_EQ(fame_add(treasure_of(r.code), 30, 2, fame_type_treasure), 1);
    const FameNode& node = *fame_find(treasure_of(r.code), fame_type_treasure);
    EXPECT_EQ(node.level, 1);
    EXPECT_EQ(node.cap, r.cap);
    EXPECT_EQ(node.rate, r.rate);
    EXPECT_EQ(node.level_exp, 100u);
    EXPECT_EQ(node.exp, 30);
    EXPECT_EQ(node.points, 2);
    EXPECT_EQ(node.maxed, 0);
  }
  fame_add(no_scale, 0, 0, fame_type_treasure);
  EXPECT_EQ(fame_find(no_scale, fame_type_treasure)->level, 10);
  EXPECT_EQ(fame_find(no_scale, fame_type_treasure)->maxed, 1);
}

TEST_F(FameRecords, ExperienceRaisesLevelsOnlyFromTheNextCall) {
  fame_add(treasure_of(55), 500, 0, fame_type_treasure);
  FameNode& node = *fame_find(treasure_of(55), fame_type_treasure);
  EXPECT_EQ(node.level, 1);
  EXPECT_EQ(node.level_rose, 0);
  fame_add(treasure_of(55), 0, 0, fame_type_treasure);
  EXPECT_EQ(node.level, 6);
  EXPECT_EQ(node.exp, 0);
  EXPECT_EQ(node.level_rose, 1);
  fame_add(treasure_of(55), 450, 0, fame_type_treasure);
  EXPECT_EQ(node.level, 10);
  EXPECT_EQ(node.maxed, 1);
  EXPECT_EQ(node.exp, 0);
  fame_add(treasure_of(55), 99, 3, fame_type_treasure);
  EXPECT_EQ(node.exp, 0) << "a maxed treasure ignores experience";
  EXPECT_EQ(node.pending, 20) << "and still converts growth points (2 x level 10)";
}

TEST_F(FameRecords, ASpeedTreasureConvertsEveryHundredDividedByItsLevel) {
  const int per[] = {100, 50, 33, 25, 20, 16, 14, 12, 11, 10};
  for (std::uint16_t level = 1; level <= 10; ++level) {
    SCOPED_TRACE(level);
    free_fame();
    FameNode& node = treasure_at(treasure_of(53), level);
    const int p = per[level - 1];
    fame_add(treasure_of(53), 0, p - 1, fame_type_treasure);
    EXPECT_EQ(node.pending, 0);
    EXPECT_EQ(node.points, p - 1);
    fame_add(treasure_of(53), 0, 1, fame_type_treasure);
    EXPECT_EQ(node.pending, level);
    EXPECT_EQ(node.points, 0);
  }
}

TEST_F(FameRecords, EachCodeConvertsIntoItsBonusAndMeetsItsCap) {
  struct Case {
    std::uint16_t code;
    int entry;            // bonus entry
    std::int16_t pending, bonus;  // after one conversion at level 3
  } cases[] = {
      {54, 6, 3, 0}, {55, 0, 6, 6}, {56, 1, 6, 0}, {57, 2, 6, 6},
      {58, 3, 3, 3}, {59, 4, 3, 3}, {60, 7, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    FameNode& node = treasure_at(treasure_of(c.code), 3);
    fame_add(treasure_of(c.code), 0, node.rate, fame_type_treasure);
    EXPECT_EQ(node.pending, c.pending);
    EXPECT_EQ(node.bonus[c.entry], c.bonus);
  }
  // An entry that reaches its cap at the conversion drops the whole pending amount.
  FameNode& sp = *fame_find(treasure_of(57), fame_type_treasure);
  sp.pending = 0;
  sp.bonus[2] = 998;
  sp.level = 2;
  fame_add(treasure_of(57), 0, 1800, fame_type_treasure);
  EXPECT_EQ(sp.bonus[2], 1000);
  EXPECT_EQ(sp.pending, 0);
}

TEST_F(FameRecords, GrowthPointsWaitWhileAtOrAboveTheRate) {
  FameNode& node = treasure_at(treasure_of(55), 1);
  node.points = 3;  // as a save could hold: no more points join, the three convert
  fame_add(treasure_of(55), 0, 5, fame_type_treasure);
  EXPECT_EQ(node.points, 0);
  EXPECT_EQ(node.pending, 2);
}

TEST_F(FameRecords, StepsThatCouldNotEndAreBounded) {
  // A speed treasure whose stored level is 0 or above 100, and a plain code with points but no
  // rate: loaded from a save, the level is brought inside 1-10 and nothing converts forever.
  const struct { std::uint16_t object, code, level, points, rate; std::uint16_t level_after; } cases[] = {
      {treasure_of(53), 53, 0, 50, 100, 1},
      {treasure_of(53), 53, 500, 50, 100, 10},
      {plain_object, 7, 1, 40, 0, 10},  // no level scale either: level 10
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    free_fame();
    FameNode image_node;
    image_node.id = c.object, image_node.type = fame_type_treasure, image_node.code = c.code;
    image_node.level = c.level, image_node.points = c.points, image_node.rate = c.rate;
    image_node.level_exp = 100;
    FameImage image;
    record_image::write_image(image_node, std::span<std::uint8_t, fame_node_image_size>(image));
    fame_load_treasures(std::span<const FameImage>(&image, 1));
    FameNode& node = *fame_find(c.object, fame_type_treasure);
    EXPECT_EQ(node.level, c.level_after);
    fame_add(c.object, 0, 5, fame_type_treasure);
    EXPECT_LE(node.level, 10);
  }
  // A treasure whose experience value is 1-9 has a level experience of 0: it cannot level.
  fame_add(tiny_scale, 0, 0, fame_type_treasure);
  fame_add(tiny_scale, 300, 0, fame_type_treasure);
  EXPECT_EQ(fame_find(tiny_scale, fame_type_treasure)->maxed, 1);
  EXPECT_EQ(fame_find(tiny_scale, fame_type_treasure)->level, 10);
  // So has a saved record of an object the database no longer reads.
  FameNode lost;
  lost.id = 900, lost.type = fame_type_treasure, lost.level = 3;
  FameImage image;
  record_image::write_image(lost, std::span<std::uint8_t, fame_node_image_size>(image));
  fame_push_copy(image);
  fame_add(900, 300, 0, fame_type_treasure);
  EXPECT_EQ(fame_find(900, fame_type_treasure)->maxed, 1);
}

TEST_F(FameRecords, EventsFeedTheCodeTheyName) {
  const struct { std::uint16_t event, monster_level, wearer_level, code; } cases[] = {
      {1, 0, 5, 55}, {2, 0, 5, 56}, {3, 0, 5, 57}, {4, 0, 5, 53}, {5, 0, 5, 58},
      {6, 6, 5, 54}, {6, 5, 5, 60}, {6, 4, 5, 60}, {7, 0, 5, 0}, {8, 0, 5, 59},
      {0, 0, 5, 0}, {9, 0, 5, 0}, {0xFFFF, 0, 5, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(treasure_event_code(c.event, c.monster_level, c.wearer_level), c.code) << c.event;
}

TEST_F(FameRecords, AMonsterOfTheWearersOwnLevelFeedsMagicDefence) {
  wearer(0, treasure_of(54), treasure_of(60), 12);
  treasure_at(treasure_of(54), 1);
  treasure_at(treasure_of(60), 1);
  for (int i = 0; i < 60; ++i) treasure_event(6, 1, 12);
  EXPECT_EQ(fame_find(treasure_of(60), fame_type_treasure)->pending, 1);
  EXPECT_EQ(fame_find(treasure_of(54), fame_type_treasure)->pending, 0);
  for (int i = 0; i < 20; ++i) treasure_event(6, 1, 13);
  EXPECT_EQ(fame_find(treasure_of(54), fame_type_treasure)->pending, 1);
}

TEST_F(FameRecords, AnEventSkipsAbsentMembersAndEmptySlotsAndFeedsATreasureWornTwiceTwice) {
  RoleData& r = wearer(0, treasure_of(55), treasure_of(55));
  const int hp = r.max_hp;
  wearer(1, treasure_of(55));
  clear_flag(party_member_flags[1]);
  treasure_event(1, 1, 0);  // creates the record (level 1) and feeds it once more
  const FameNode& node = *fame_find(treasure_of(55), fame_type_treasure);
  EXPECT_EQ(node.points, 2);
  for (std::uint16_t event : {0, 7, 9}) treasure_event(event, 5, 0);
  EXPECT_EQ(node.points, 2);
  treasure_event(1, 1, 0);
  EXPECT_EQ(node.points, 1) << "three points converted once, then one more";
  EXPECT_EQ(r.max_hp, hp + 2);
  EXPECT_EQ(node.total, 2);
}

TEST_F(FameRecords, TheSettlementHandsOverWhatIsPending) {
  RoleData& r = wearer(0, treasure_of(55));
  FameNode& node = treasure_at(treasure_of(55), 3);
  const int hp = r.max_hp, hp_now = r.hp;
  fame_add(treasure_of(55), 0, 3, fame_type_treasure);
  EXPECT_EQ(node.pending, 6);
  EXPECT_EQ(node.bonus[0], 6);
  treasure_apply();
  EXPECT_EQ(r.max_hp, hp + 6);
  EXPECT_EQ(r.hp, hp_now) << "only the maximum rises";
  EXPECT_EQ(node.pending, 0);
  EXPECT_EQ(node.total, 6);
  treasure_apply();
  EXPECT_EQ(r.max_hp, hp + 6) << "nothing pending changes nothing";
}

TEST_F(FameRecords, SettlementsRaiseTheirStatAndSomeCapThere) {
  // Codes 58 and 59 met their cap at the conversion: the settlement hands over what is pending.
  const struct { std::uint16_t code; int entry; int stat; int after_cap; } cases[] = {
      {53, 5, stat_speed, 54}, {54, 6, stat_magic_attack, 54}, {58, 3, stat_attack, 58},
      {59, 4, stat_defence, 58}, {60, 7, stat_magic_defence, 54},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    free_fame();
    RoleData& r = wearer(0, treasure_of(c.code));
    r.stats[c.stat] = 50;
    FameNode& node = treasure_at(treasure_of(c.code), 1);
    node.pending = 4;
    treasure_apply();
    EXPECT_EQ(r.stats[c.stat], 54);
    node.bonus[c.entry] = std::int16_t(node.cap - 1);
    node.pending = 4;
    treasure_apply();
    EXPECT_EQ(r.stats[c.stat], c.after_cap);
  }
}

TEST_F(FameRecords, TheSpGainIsAnnouncedAndACappedOneIsNot) {
  RoleData& r = wearer(0, treasure_of(57));
  r.max_sp = 100;
  FameNode& node = treasure_at(treasure_of(57), 2);
  node.bonus[2] = 998;
  fame_add(treasure_of(57), 0, 1800, fame_type_treasure);
  treasure_apply();
  EXPECT_EQ(r.max_sp, 100);
  EXPECT_EQ(talkmsg_count(), 0);
  node.bonus[2] = 0;
  fame_add(treasure_of(57), 0, 1800, fame_type_treasure);
  treasure_apply();
  EXPECT_EQ(r.max_sp, 104);
  EXPECT_EQ(talkmsg_count(), 1);
}

TEST_F(FameRecords, TheDumpListsEveryRecordNewestFirst) {
  fame_add(monster, 0, 0, fame_type_monster);
  fame_add(321, 0, 0, fame_type_map);
  dump_fame();
  const std::size_t map = log().find("Type:3 Id:  321"), met = log().find("Type:0 Id:   12");
  ASSERT_NE(map, std::string::npos) << log();
  ASSERT_NE(met, std::string::npos) << log();
  EXPECT_LT(map, met);
}

TEST_F(FameRecords, TheFileIsWrittenByteForByte) {
  fame_add(monster, 0, 0, fame_type_monster);
  fame_add(treasure_of(55), 0, 0, fame_type_treasure);
  fame_add(plain_object, 0, 0, fame_type_object);
  fame_add(77, 0, 0, fame_type_map);
  fame_block.cleared = 1;
  fame_block.reserved[511] = 0x5A;
  ASSERT_EQ(save_fame(), 1);
  std::vector<std::uint8_t> expected = kit::fame_dat({{77, 3}, {plain_object, 2}, {monster, 0}}, 1);
  expected.back() = 0x5A;
  const std::string file = dir.read("fame.dat");
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.end()), expected);
}

TEST_F(FameRecords, AFailedWriteIsReportedAndLeavesWhatWasThere) {
  std::filesystem::create_directories(dir.path() / "fame.dat" / "kept");
  fame_add(monster, 0, 0, fame_type_monster);
  EXPECT_EQ(save_fame(), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "fame.dat" / "kept"));
  EXPECT_NE(log().find("fame\xC0\xC9\xAE\xD7\xAB\xD8\xA5\xDF\xA5\xA2\xB1\xD1"), std::string::npos);
  EXPECT_NE(fame_find(monster, fame_type_monster), nullptr) << "the list is unchanged";
}

TEST_F(FameRecords, ADamagedFileGivesAnEmptyListAndKeepsTheBlock) {
  const std::vector<std::uint8_t> good = kit::fame_dat({{monster, 0}, {plain_object, 2}}, 1);
  auto with32 = [&](std::size_t at, std::uint32_t v) {
    std::vector<std::uint8_t> b = good;
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
    return b;
  };
  std::vector<std::uint8_t> bad_lzo = good;
  for (std::size_t i = 8; i < bad_lzo.size() - fame_block_size; ++i) bad_lzo[i] = 0xFF;
  const struct { const char* what; std::vector<std::uint8_t> file; } cases[] = {
      {"empty", {}},
      {"packed size past the file", with32(4, std::uint32_t(good.size()))},
      {"unpacked size not 4096", with32(0, 2048)},
      {"count over 1023", kit::fame_dat({{monster, 0}}, 1, 1024)},
      {"bad packed data", bad_lzo},
      {"no whole block after the data", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fame_block = FameBlock{};
    fame_block.mark = 0x1234;
    fame_add(77, 0, 0, fame_type_map);
    dir.write("fame.dat", std::string(c.file.begin(), c.file.end()));
    EXPECT_EQ(load_fame(), 0);
    EXPECT_EQ(fame_find_nth(fame_type_map, 0), nullptr);
    EXPECT_EQ(fame_find_nth(fame_type_monster, 0), nullptr);
    EXPECT_EQ(fame_block.mark, 0x1234);
    EXPECT_EQ(fame_block.cleared, 0);
  }
  dir.write("fame.dat", std::string(good.begin(), good.end()));
  EXPECT_EQ(load_fame(), 1);
  EXPECT_NE(fame_find(monster, fame_type_monster), nullptr);
  EXPECT_EQ(fame_block.cleared, 1);
}

TEST_F(FameRecords, ASavedImageIsReadAtItsOffsets) {
  kit::TreasureSpec spec{.id = treasure_of(56), .code = 56, .level = 7, .exp = 55, .points = 2, .pending = 9};
  spec.bonus[1] = 40, spec.bonus[7] = -3;
  spec.level_rose = 1, spec.total = 31, spec.level_exp = 12345;
  const std::vector<std::uint8_t> block = kit::treasure_block({spec});
  ASSERT_EQ(block.size(), fame_node_image_size + 2);
  FameImage image;
  std::copy_n(block.begin(), fame_node_image_size, image.begin());
  fame_load_treasures(std::span<const FameImage>(&image, 1));
  const FameNode& node = *fame_find(treasure_of(56), fame_type_treasure);
  EXPECT_EQ(node.type, fame_type_treasure);
  EXPECT_EQ(node.level, 7);
  EXPECT_EQ(node.exp, 55);
  EXPECT_EQ(node.points, 2);
  EXPECT_EQ(node.pending, 9);
  EXPECT_EQ(node.bonus[1], 40);
  EXPECT_EQ(node.bonus[7], -3);
  EXPECT_EQ(node.level_rose, 1);
  EXPECT_EQ(node.total, 31);
  EXPECT_EQ(node.code, 56);
  EXPECT_EQ(node.level_exp, 100u) << "refreshed from the object";
  EXPECT_EQ(node.cap, 1000);
  EXPECT_EQ(node.rate, 3);
}

TEST_F(FameRecords, TreasureImagesComeBackRefreshedAndReversed) {
  treasure_at(treasure_of(58), 4).bonus[3] = 12;
  treasure_at(treasure_of(53), 2);
  std::vector<std::uint8_t> out;
  fame_save_treasures(out);
  ASSERT_EQ(out.size(), 2 * fame_node_image_size);
  std::vector<FameImage> images(2);
  std::copy_n(out.begin(), fame_node_image_size, images[0].begin());
  std::copy_n(out.begin() + fame_node_image_size, fame_node_image_size, images[1].begin());
  images[1][44] = 0;  // a stored cap of 0 comes back from the object's code
  free_fame();
  fame_load_treasures(images);
  EXPECT_EQ(fame_find_nth(fame_type_treasure, 0)->id, treasure_of(58));
  EXPECT_EQ(fame_find_nth(fame_type_treasure, 1)->id, treasure_of(53));
  const FameNode& attack = *fame_find(treasure_of(58), fame_type_treasure);
  EXPECT_EQ(attack.cap, 200);
  EXPECT_EQ(attack.level, 4);
  EXPECT_EQ(attack.bonus[3], 12);
}

}  // namespace
