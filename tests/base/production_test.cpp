// The production pages: the recipe check, payment and refund as one unit, and the order flow
// of the page (the list pass, opening, plus and minus, cancelling, the completion message and
// the delivery).
#include "base/production_screen.h"

#include <gtest/gtest.h>

#include "base/base_camp.h"
#include "base/base_pages.h"
#include "base/house_kinds.h"
#include "base/recipe.h"
#include "core/flags.h"
#include "data/item_list.h"
#include "data/maps_db.h"
#include "tests/base/base_test.h"
#include "tests/fixtures/maps_writer.h"

namespace {
using namespace base_test;

enum : std::uint16_t { sword = 140, herb, rare, twin, four, stone, bone, gem, treasure, rare_treasure };
constexpr std::uint16_t recipe_flag = 900;

// 生產技能不足, 生產資源不足, 特殊資源不足 as the shortage message gives them.
const std::string skills_short = " \xA5\xCD\xB2\xA3\xA7\xDE\xAF\xE0\xA4\xA3\xA8\xAC  ";
const std::string resources_short = " \xA5\xCD\xB2\xA3\xB8\xEA\xB7\xBD\xA4\xA3\xA8\xAC  ";
const std::string materials_short = " \xAF\x53\xAE\xED\xB8\xEA\xB7\xBD\xA4\xA3\xA8\xAC  ";
const std::string held_cap_text = "\xAD\xD3\xBC\xC6\xA4\x77\xB9\x46\xA4\x57\xAD\xAD%Q";  // 個數已達上限

class Production : public BaseTest {
 protected:
  Production() {
    using fixtures::ObjectRecord;
    std::vector<ObjectRecord> objects;
    while (objects.size() < rare_treasure) objects.push_back(ObjectRecord::empty_record());
    objects[wolf - 1] = ObjectRecord().name("wolf").kind(111).level(3);
    objects[sword - 1] = ObjectRecord().name("sword").kind(101).costs(0, 0, 0, 20).materials({herb, 0, 0, 0, 0})
                             .skill_need(1, 0, 0, 0);
    objects[herb - 1] = ObjectRecord().name("herb").kind(201);
    for (std::uint16_t m : {stone, bone, gem}) objects[m - 1] = ObjectRecord().name("matter").kind(201);
    objects[rare - 1] = ObjectRecord().name("rare").kind(101).level(1).costs(0, 0, 0, 50);
    objects[twin - 1] = ObjectRecord().name("twin").kind(101).materials({herb, herb, 0, 0, 0});
    objects[four - 1] = ObjectRecord().name("four").kind(101).materials({herb, stone, bone, gem, 0});
    objects[treasure - 1] = ObjectRecord().name("bell").kind(206).costs(0, 0, 0, 10);
    objects[rare_treasure - 1] = ObjectRecord().name("jade").kind(206).level(1).costs(0, 0, 0, 10);
    use_objects(objects);
    fixtures::MapsDat db;
    db.recipes[1] = {{1, recipe_flag, {sword, rare, twin, four}}, {2, recipe_flag, {herb}}};
    db.recipes[3] = {{1, recipe_flag, {treasure, rare_treasure}}};
    write("maps.dat", fixtures::maps_dat(db));
    open_maps_data();
    set_flag(recipe_flag);
    shop_ = built_house(house_weapons_1, 0, 0);
    shop_->skill_totals[0] = 1;
    picked_house_id = shop_->id;
    production_recipe_key = 1;
    reset_production_screens();
  }
  ~Production() override {
    reset_production_screens();
    free_item_list(&party_bag);
    for (RoleData& r : gmRoleData) r = RoleData{};
    clear_flag(recipe_flag);
    picked_house_id = 0;
    base_sub_mode = 0;
    close_maps_data();
  }
  static ItemData record(std::uint16_t id) {
    ItemData d{};
    EXPECT_EQ(read_Item(id, &d), 1);
    return d;
  }
  static int bag(std::uint16_t id) { return get_item_num(&party_bag, id); }
  static void give(std::uint16_t id, int n) { add_item(&party_bag, id, std::uint16_t(n), 2); }
  // The weapons page with its list passed once and the cursor on the row (1-based).
  ProductionScreen& weapons_on(int row) {
    ProductionScreen& s = production_screen(base_weapons);
    s.cursor = row;
    list_production_recipes(s, production_family(base_weapons));
    return s;
  }
  HouseRecord* shop_ = nullptr;
};

TEST_F(Production, TheRecipeCheckNamesEveryShortageOnceInItsOrder) {
  struct Case {
    const char* name;
    std::uint16_t piece;
    int n, skill, money, herbs, others;
    int result;
    std::string message;
  } cases[] = {
      {"enough", sword, 1, 1, 20, 1, 0, 1, ""},
      {"skill short", sword, 1, 0, 20, 1, 0, 0, skills_short + "%Q"},
      {"money for one, not two", sword, 2, 1, 30, 2, 0, 0, resources_short + "%Q"},
      {"herbs for one, not two", sword, 2, 1, 40, 1, 0, 0, materials_short + "%Q"},
      {"a repeated material counts twice", twin, 1, 0, 0, 1, 0, 0, materials_short + "%Q"},
      {"both of a repeated material", twin, 1, 0, 0, 2, 0, 1, ""},
      {"all short", sword, 1, 0, 0, 0, 0, 0, skills_short + resources_short + materials_short + "%Q"},
      {"a fourth distinct material is checked too", four, 1, 0, 0, 1, 0, 0, materials_short + "%Q"},
      {"all four materials", four, 1, 0, 0, 1, 1, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    free_item_list(&party_bag);
    del_all_talkmsg();
    shop_->skill_totals[0] = c.skill;
    party_money = c.money;
    if (c.herbs) give(herb, c.herbs);
    for (std::uint16_t m : {stone, bone, gem})
      if (c.others) give(m, c.others);
    const ItemData piece = record(c.piece);
    EXPECT_EQ(check_recipe(&piece, c.n, 1), c.result);
    EXPECT_EQ(boxes(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
  // The table shows the repeated material once with two pieces, and three of four materials.
  const ItemData twins = record(twin), fours = record(four);
  check_recipe(&twins, 1, 0);
  EXPECT_EQ(recipe_materials[0].object, herb);
  EXPECT_EQ(recipe_materials[0].per_unit, 2);
  EXPECT_EQ(recipe_materials[1].object, 0);
  check_recipe(&fours, 1, 0);
  EXPECT_EQ(recipe_materials[2].object, bone);
}

TEST_F(Production, PaymentTakesAllOrNothingAndARefundGivesBackWhatItTook) {
  const ItemData piece = record(four);
  party_money = 7;
  give(herb, 5);
  give(stone, 5);
  give(bone, 5);
  give(gem, 4);  // one short of five pieces
  EXPECT_EQ(pay_recipe(&piece, 5), 0);
  EXPECT_EQ(bag(herb), 5);
  EXPECT_EQ(bag(stone), 5);
  give(gem, 1);
  EXPECT_EQ(pay_recipe(&piece, 5), 1);
  for (std::uint16_t m : {herb, stone, bone, gem}) EXPECT_EQ(bag(m), 0) << m;
  refund_recipe(&piece, 5);
  for (std::uint16_t m : {herb, stone, bone, gem}) EXPECT_EQ(bag(m), 5) << m;
  // Costs: five pieces of a sword's 20 money are not one piece's.
  const ItemData swords = record(sword);
  party_money = 60;
  give(herb, 5);
  EXPECT_EQ(pay_recipe(&swords, 5), 0);
  EXPECT_EQ(party_money, 60);
}

TEST_F(Production, CancellingAnOrderOfFiveRefundsFiveOfEveryCostAndMaterial) {
  party_money = 200;
  give(herb, 7);
  ProductionScreen& s = weapons_on(1);
  const ProductionFamily& f = production_family(base_weapons);
  open_production_order(s, f);
  ASSERT_EQ(s.state, production_order);
  for (int i = 0; i < 4; ++i) production_plus(s);
  EXPECT_EQ(s.quantity, 5);
  EXPECT_EQ(party_money, 100);
  EXPECT_EQ(bag(herb), 2);
  production_minus(s);
  EXPECT_EQ(s.quantity, 4);
  EXPECT_EQ(party_money, 120);
  cancel_production_order(s);
  EXPECT_EQ(s.state, production_list);
  EXPECT_EQ(s.quantity, 0);
  EXPECT_EQ(party_money, 200);
  EXPECT_EQ(bag(herb), 7);
  EXPECT_EQ(find_item(&party_bag, herb)->new_count, 5) << "the materials come back as new pieces";
}

TEST_F(Production, NinetyEightHeldAllowsAnOrderOfOne) {
  party_money = 200;
  give(herb, 5);
  give(sword, 98);
  ProductionScreen& s = weapons_on(1);
  open_production_order(s, production_family(base_weapons));
  ASSERT_EQ(s.quantity, 1);
  EXPECT_EQ(party_money, 180);
  production_plus(s);  // pays and gives back at once
  EXPECT_EQ(s.quantity, 1);
  EXPECT_EQ(party_money, 180);
  EXPECT_EQ(bag(herb), 4);
  cancel_production_order(s);
  give(sword, 1);
  list_production_recipes(s, production_family(base_weapons));
  open_production_order(s, production_family(base_weapons));
  EXPECT_EQ(s.state, production_list);
  EXPECT_EQ(boxes(), std::vector<std::string>{held_cap_text});
}

TEST_F(Production, ATreasureWornByAPartyMemberIsHeld) {
  party_money = 100;
  gmRoleData[2].equip[5] = treasure;
  gmRoleData[1].equip[4] = rare_treasure;
  ProductionScreen& s = production_screen(base_treasures);
  const ProductionFamily& f = production_family(base_treasures);
  list_production_recipes(s, f);
  ASSERT_EQ(s.rows.size(), 1u) << "the worn treasure of a level is not listed";
  EXPECT_EQ(s.rows[0].object, treasure);
  EXPECT_EQ(s.rows[0].held, 1);
  open_production_order(s, f);
  EXPECT_EQ(s.state, production_list);
  EXPECT_EQ(party_money, 100);
  EXPECT_EQ(boxes(), std::vector<std::string>{held_cap_text});
}

TEST_F(Production, PiecesOfALevelShowOnlyWhileAffordableOrOrderedAndTheCursorFollowsTheOrder) {
  party_money = 50;
  ProductionScreen& s = weapons_on(2);
  ASSERT_EQ(s.rows.size(), 4u);
  EXPECT_EQ(s.rows[1].object, rare);
  EXPECT_EQ(s.piece.object_id, rare);
  open_production_order(s, production_family(base_weapons));
  ASSERT_EQ(s.quantity, 1);
  EXPECT_EQ(party_money, 0);
  // Its own order made it unaffordable: it stays listed, under the cursor.
  list_production_recipes(s, production_family(base_weapons));
  ASSERT_EQ(s.rows.size(), 4u);
  EXPECT_EQ(s.rows[std::size_t(s.top + s.cursor - 1)].object, rare);
  cancel_production_order(s);
  party_money = 0;
  list_production_recipes(s, production_family(base_weapons));
  EXPECT_EQ(s.rows.size(), 3u) << "without an order, the piece it cannot afford vanishes";
  // The cursor moved down past the ordered piece, which is then found again.
  party_money = 50;
  s.cursor = 3;
  list_production_recipes(s, production_family(base_weapons));
  s.cursor = 2;
  list_production_recipes(s, production_family(base_weapons));
  open_production_order(s, production_family(base_weapons));
  s.cursor = 4;
  list_production_recipes(s, production_family(base_weapons));
  EXPECT_EQ(s.cursor, 2);
  EXPECT_EQ(s.piece.object_id, rare);
  cancel_production_order(s);
}

TEST_F(Production, TheOrderReachesTheBagInTheFrameItsMessageCloses) {
  party_money = 100;
  give(herb, 2);
  ProductionScreen& s = weapons_on(1);
  const ProductionFamily& f = production_family(base_weapons);
  open_production_order(s, f);
  production_plus(s);
  confirm_production_order(s, f);
  ASSERT_EQ(s.state, production_done);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(finish_production_order(s, f), 0) << "the message is still open";
  list_production_recipes(s, f);
  EXPECT_EQ(bag(sword), 0);
  del_all_talkmsg();
  EXPECT_EQ(finish_production_order(s, f), 1);
  EXPECT_EQ(s.state, production_list);
  list_production_recipes(s, f);
  EXPECT_EQ(bag(sword), 2);
  EXPECT_EQ(find_item(&party_bag, sword)->new_count, 2);
  EXPECT_EQ(s.quantity, 0);
  EXPECT_EQ(party_money, 60);
}

TEST_F(Production, AListOfMoreThanAHundredRowsAndAnEmptyRowUnderTheCursor) {
  fixtures::MapsDat db;
  db.recipes[1] = {{1, recipe_flag, std::vector<std::uint16_t>(130, herb)}};
  close_maps_data();
  write("maps.dat", fixtures::maps_dat(db));
  open_maps_data();
  ProductionScreen& s = production_screen(base_weapons);
  s.top = 125;
  s.cursor = 5;
  list_production_recipes(s, production_family(base_weapons));
  EXPECT_EQ(s.rows.size(), 130u);
  // The list shrinks under the cursor: an order there does nothing.
  party_money = 100;
  s.top = 128;
  open_production_order(s, production_family(base_weapons));
  EXPECT_EQ(s.state, production_list);
  EXPECT_EQ(party_money, 100);
  EXPECT_TRUE(boxes().empty());
}

}  // namespace
