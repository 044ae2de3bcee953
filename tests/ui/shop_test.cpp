// The shop: its quantity, total and deal rules on a small object database, and a visit driven by
// keys through its input function.
#include "ui/shop/shop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/ui/menu_driver.h"
#include "ui/menu/menu_system.h"
#include "ui/shop/shop_compare.h"
#include "ui/shop/shop_rules.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
using namespace fixtures;

enum : std::uint16_t { herb = 1, potion = 2, sword = 3, blade = 4, cloth = 5, jade = 6, gem = 7, object_count = 7 };

class Shop : public data_test::DataTest {
 protected:
  Shop() {
    std::vector<ObjectRecord> objects(object_count);
    objects[herb - 1].name("herb").kind(201).price(20);
    objects[potion - 1].name("potion").kind(201).price(15);
    objects[sword - 1].name("sword").kind(202).price(120).bonuses(12, 0, 1, 0, 0).tag(tag_byte_249_a, {op8(1)});
    objects[blade - 1].name("blade").kind(202).price(300).bonuses(20, 0, 0, 3, 0).tag(tag_byte_249_a, {op8(3)});
    objects[cloth - 1].name("cloth").kind(203).price(60).bonuses(0, 6, 0, 0, 2);
    objects[jade - 1].name("jade").kind(204).price(300);
    objects[gem - 1].name("gem").kind(201).price(40000);
    write("ObjData.GLL", objdata_gll(objects));
    SFINIT0_open_item_data();
    open_item_data();
    set_item_move_front(1);
    GameMode = SavedGameMode = mode_field;
    party_money = 100;
    shop = ShopState{};
    mouse_x = mouse_y = 0;
  }
  ~Shop() override {
    del_all_talkmsg();
    free_party_items();
    shop = ShopState{};
  }

  // Opens a list of the goods (buying) or of the bag (selling) on a tab, in step 2.
  void open(std::vector<std::uint16_t> goods, bool selling, int tab = 0) {
    shop.goods = std::move(goods);
    shop.selling = selling;
    if (!selling) add_shop_goods(shop);
    shop.tab = tab;
    shop.list.visible_rows = 9;
    shop.list.item_count = shop_count_rows(shop);
    shop.step = shop_step_quantity;
  }
  void plus(int row, int times) {
    for (int i = 0; i < times; ++i) shop_change_quantity(shop, row, +1);
  }
  void press(KeyCode k) {
    now_ += 200;  // apart enough that no press counts as a double press
    grp_input.update_key(now_, k, 0);
    now_ += 200;
    grp_input.update_key(now_, k, 1);
    input_shop_system();
    grp_input.update_key(now_ + 1, k, 0);
  }
  // The text of the newest box, "" when none is open.
  static std::string box_text() {
    const TalkMsg* last = nullptr;
    for (const TalkMsg* b = talkmsg_head(); b; b = b->next) last = b;
    return last && last->text ? last->text : "";
  }
  std::uint32_t now_ = 1000;
};

TEST_F(Shop, PlusStopsWhereTheBagWouldPassNinetyNine) {
  party_money = 10000;
  add_item(&party_bag, potion, 97, 2);
  open({herb, potion}, false);
  plus(1, 5);
  EXPECT_EQ(shop.quantity[1], 2);
  EXPECT_EQ(shop.total, 2 * 15);
  shop_change_quantity(shop, 1, -1);
  shop_change_quantity(shop, 1, -1);
  EXPECT_EQ(shop_change_quantity(shop, 1, -1), ShopChange::unchanged) << "not below 0";
  EXPECT_EQ(shop.quantity[1], 0);
}

TEST_F(Shop, SellingPaysHalfThePriceCutPerPieceUpToThePiecesHeld) {
  add_item(&party_bag, potion, 2, 2);
  add_item(&party_bag, potion, 1, 1);  // a new piece counts as held
  open({}, true);
  ASSERT_EQ(shop.list.item_count, 1);
  EXPECT_EQ(shop_unit_price(15, true), 7);
  EXPECT_EQ(shop_unit_price(15, false), 15);
  plus(0, 5);
  EXPECT_EQ(shop.quantity[0], 3);
  EXPECT_EQ(shop.total, 21) << "7 a piece, not 45 / 2";
  EXPECT_EQ(shop_balance(shop), 121);
}

TEST_F(Shop, TheBalanceFollowsTheRunningTotal) {
  open({herb, potion}, false);
  const struct {
    int row, direction;
    long long balance;
  } steps[] = {{0, +1, 80}, {1, +1, 65}, {0, +1, 45}, {0, -1, 65}, {1, -1, 80}};
  for (const auto& s : steps) {
    shop_change_quantity(shop, s.row, s.direction);
    EXPECT_EQ(shop_balance(shop), s.balance);
  }
  EXPECT_EQ(party_money, 100) << "nothing is paid before the confirm";
}

TEST_F(Shop, MoneyShortOfOneMorePieceIsRefusedWithItsMessage) {
  menu_driver::SoundCounter sounds(dir.path(), {309});
  ASSERT_TRUE(sounds.open());
  party_money = 30;
  call_shop_system(MODE_ENTER, std::vector<std::uint16_t>{herb}.data(), 1);
  tbutton_choice = 0;
  tbutton_confirmed = 1;
  input_shop_system();
  ASSERT_EQ(GameMode, mode_shop_buy);
  press(key_enter);
  ASSERT_EQ(shop.step, shop_step_quantity);
  press(key_right);
  EXPECT_EQ(shop.quantity[0], 1);
  press(key_right);
  EXPECT_EQ(shop.quantity[0], 1) << "20 + 20 is more than 30";
  EXPECT_EQ(shop.total, 20);
  EXPECT_EQ(box_text(), "\xAA\xF7\xBF\xFA\xA4\xA3\xB0\xF7!!%Q");  // 金錢不夠!!%Q
  EXPECT_EQ(sounds.played(309), 1);
  EXPECT_EQ(shop_change_quantity(shop, 0, +1), ShopChange::no_money);
}

TEST_F(Shop, APurchaseOfEquipmentAsksToEquipAndOneOfKind201DoesNot) {
  party_money = 1000;
  struct Case {
    std::uint16_t object;
    int tab;
    ShopDeal deal;
    int step;
  } cases[] = {{herb, 0, ShopDeal::bought, shop_step_confirm},
               {sword, 1, ShopDeal::bought_ask_equip, shop_step_equip_now},
               {cloth, 2, ShopDeal::bought_ask_equip, shop_step_equip_now},
               {jade, 3, ShopDeal::bought_ask_equip, shop_step_equip_now}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.object);
    open({herb, sword, cloth, jade}, false, c.tab);
    shop.equip_now = 0;
    shop.step = shop_step_confirm;
    plus(0, 2);
    const int money = party_money, price = shop.total / 2;
    EXPECT_EQ(shop_confirm(shop), c.deal);
    EXPECT_EQ(shop.step, c.step);
    EXPECT_EQ(shop.equip_now, c.step == shop_step_equip_now ? 1 : 0);
    EXPECT_EQ(party_money, money - 2 * price);
    EXPECT_EQ(get_item_num(&party_bag, c.object), 2);
    EXPECT_EQ(shop.total, 0);
    EXPECT_EQ(shop.quantity[0], 0) << "quantities are cleared after every confirm";
  }
}

TEST_F(Shop, AConfirmWithNothingChosenIsRefusedBuyingAndSilentSelling) {
  open({herb}, false);
  shop.step = shop_step_confirm;
  EXPECT_EQ(shop_confirm(shop), ShopDeal::nothing_to_buy);
  EXPECT_EQ(shop.step, shop_step_quantity);
  EXPECT_EQ(party_money, 100);
  EXPECT_EQ(party_bag.next, nullptr);

  add_item(&party_bag, herb, 1, 2);
  open({}, true);
  shop.step = shop_step_confirm;
  EXPECT_EQ(shop_confirm(shop), ShopDeal::sold_nothing);
  EXPECT_EQ(shop.step, shop_step_quantity);
  EXPECT_EQ(get_item_num(&party_bag, herb), 1);
}

TEST_F(Shop, ConfirmingNothingThroughTheInputSoundsTheRefusalOnlyWhenBuying) {
  menu_driver::SoundCounter sounds(dir.path(), {309});
  ASSERT_TRUE(sounds.open());
  add_item(&party_bag, herb, 1, 2);
  struct Case {
    bool selling;
    int refusals;
  } cases[] = {{false, 1}, {true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selling);
    sounds.reset();
    GameMode = c.selling ? mode_shop_sell : mode_shop_buy;
    open(c.selling ? std::vector<std::uint16_t>{} : std::vector<std::uint16_t>{herb}, c.selling);
    shop.step = shop_step_confirm;
    shop.confirm_choice = 0;
    press(key_enter);
    EXPECT_EQ(sounds.played(309), c.refusals);
    EXPECT_EQ(shop.step, shop_step_quantity);
    EXPECT_EQ(party_money, 100);
    EXPECT_EQ(get_item_num(&party_bag, herb), 1);
  }
}

TEST_F(Shop, ASaleTakesThePiecesPaysAndCountsTheRowsAgain) {
  add_item(&party_bag, herb, 1, 2);
  add_item(&party_bag, potion, 3, 2);
  open({}, true);
  ASSERT_EQ(shop.list.item_count, 2);
  const int herb_row = shop.row_object[0] == herb ? 0 : 1;
  plus(herb_row, 1);
  plus(1 - herb_row, 2);
  shop.list.cursor_row = 1;
  EXPECT_EQ(shop_confirm(shop), ShopDeal::sold);
  EXPECT_EQ(party_money, 100 + 10 + 2 * 7);
  EXPECT_EQ(get_item_num(&party_bag, herb), 0);
  EXPECT_EQ(get_item_num(&party_bag, potion), 1);
  ASSERT_EQ(shop.list.item_count, 1) << "the sold-out herb's row is gone";
  EXPECT_EQ(shop.row_object[0], potion);
  EXPECT_EQ(shop.list.cursor_row, 0);
}

TEST_F(Shop, TheTreasuresGrowByTheLow16BitsOfTheMoneySpent) {
  EXPECT_EQ(shop_treasure_amount(300), 300);
  EXPECT_EQ(shop_treasure_amount(80000), 80000 - 65536);
  EXPECT_EQ(shop_treasure_event, 5);
  party_money = 100000;
  open({gem}, false);
  plus(0, 2);
  EXPECT_EQ(shop_confirm(shop), ShopDeal::bought);
  EXPECT_EQ(party_money, 20000) << "the money itself is taken whole";
}

TEST_F(Shop, TheGoodsAreKeptWholeAndATabListsAtMost128Rows) {
  std::vector<std::uint16_t> goods(200, herb);
  goods.push_back(sword);
  call_shop_system(MODE_ENTER, goods.data(), int(goods.size()));
  EXPECT_EQ(shop.goods.size(), 201u);
  open(shop.goods, false);
  EXPECT_EQ(shop.goods_list.size(), 201u);
  EXPECT_EQ(shop.list.item_count, shop_row_cap);
  EXPECT_NE(shop_row_item(shop, 127), nullptr);
  EXPECT_EQ(shop_row_item(shop, 128), nullptr);
  EXPECT_EQ(shop_change_quantity(shop, 128, +1), ShopChange::unchanged);
  shop.tab = 1;
  EXPECT_EQ(shop_count_rows(shop), 1) << "the good after the capped rows is still on its tab";
  call_shop_system(MODE_LEAVE, nullptr, 0);
}

TEST_F(Shop, LeavingReturnsToTheFieldAndLeavesTheSavedModeAlone) {
  SavedGameMode = mode_world_map;
  call_shop_system(MODE_ENTER, std::vector<std::uint16_t>{herb}.data(), 1);
  EXPECT_EQ(GameMode, mode_shop_talk);
  EXPECT_EQ(SavedGameMode, mode_world_map);
  open_shop_buy(MODE_ENTER, shop.goods.data(), int(shop.goods.size()));
  EXPECT_EQ(GameMode, mode_shop_buy);
  call_shop_system(MODE_LEAVE, nullptr, 0);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_EQ(SavedGameMode, mode_world_map);
  EXPECT_EQ(talkmsg_count(), 0);
}

TEST_F(Shop, TheChoiceBoxLeavesOnItsThirdAnswerAndOnCancel) {
  for (int answer : {2, -1}) {
    SCOPED_TRACE(answer);
    call_shop_system(MODE_ENTER, std::vector<std::uint16_t>{herb}.data(), 1);
    tbutton_choice = answer;
    tbutton_cancelled = answer < 0;
    tbutton_confirmed = 1;
    input_shop_system();
    EXPECT_EQ(GameMode, mode_field);
  }
}

TEST_F(Shop, AVisitBuysByKeysAndCancelReturnsToTheQuestion) {
  call_shop_system(MODE_ENTER, std::vector<std::uint16_t>{herb, potion, sword}.data(), 3);
  tbutton_choice = 0;
  tbutton_confirmed = 1;
  input_shop_system();
  ASSERT_EQ(GameMode, mode_shop_buy);
  EXPECT_EQ(shop.list.item_count, 2) << "tab 0 lists kind 201";
  press(key_right);
  EXPECT_EQ(shop.tab, 1);
  EXPECT_EQ(shop.list.item_count, 1);
  press(key_left);
  press(key_enter);
  press(key_right);
  press(key_right);
  press(key_enter);
  EXPECT_EQ(shop.step, shop_step_confirm);
  press(key_enter);
  EXPECT_EQ(get_item_num(&party_bag, herb), 2);
  EXPECT_EQ(party_money, 60);
  EXPECT_EQ(shop.step, shop_step_confirm) << "a purchase of kind 201 stays on the buttons";
  press(key_escape);
  EXPECT_EQ(shop.step, shop_step_quantity);
  press(key_escape);
  EXPECT_EQ(shop.step, shop_step_tab);
  press(key_escape);
  EXPECT_EQ(GameMode, mode_shop_talk);
  EXPECT_EQ(shop.step, shop_step_choice);
}

// The help panel the shop shares with the menu: F1 opens and closes it, leaving the shop closes
// it. "Equip now" answered yes opens the menu on its equipment page; leaving the menu returns to
// the buy list, whose help panel works again from where the shop keeps it.
TEST_F(Shop, TheHelpKeyTogglesThePanelAndEquipNowOpensTheEquipmentPage) {
  set_flag(flag_member_0);
  party_money = 500;
  call_shop_system(MODE_ENTER, std::vector<std::uint16_t>{herb, sword}.data(), 2);
  EXPECT_EQ(help_panel_open(), 0);
  tbutton_choice = 0;
  tbutton_confirmed = 1;
  input_shop_system();
  ASSERT_EQ(GameMode, mode_shop_buy);
  del_all_talkmsg();
  press(key_f1);
  EXPECT_EQ(help_panel_open(), 1);
  press(key_f1);
  EXPECT_EQ(help_panel_open(), 0);
  press(key_f1);
  ASSERT_EQ(help_panel_open(), 1);

  press(key_right);  // the weapons
  press(key_enter);
  press(key_right);
  press(key_enter);
  press(key_enter);
  ASSERT_EQ(shop.step, shop_step_equip_now);
  tbutton_choice = 0;
  tbutton_confirmed = 1;
  input_shop_system();
  EXPECT_EQ(GameMode, mode_menu);
  EXPECT_EQ(menu_page, menu_page_equip);
  EXPECT_EQ(menu_bar_sel, 0) << "no bar entry highlighted";
  EXPECT_EQ(menu_bg_frame, 1) << "the background's first frame";
  EXPECT_EQ(shop.equip_now, 0);
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  ASSERT_EQ(GameMode, mode_shop_buy);
  EXPECT_EQ(shop.step, shop_step_quantity);
  EXPECT_EQ(help_panel_open(), 0) << "the menu closed it";
  press(key_f1);
  EXPECT_EQ(help_panel_open(), 1);
  call_shop_system(MODE_LEAVE, nullptr, 0);
  EXPECT_EQ(help_panel_open(), 0);
  EXPECT_EQ(GameMode, mode_field);
  clear_flag(flag_member_0);
}

// Keys as the frame tick feeds them, one update every frame of 29 ms: a one-frame press of Right
// adds one piece, a held Right repeats fast; a cancel key pressed again within 90 ms of its
// release is a quick re-press, which the single-press checks of the steps do not take.
TEST_F(Shop, KeysFollowTheFramesRepeatAndQuickRePressRules) {
  call_shop_system(MODE_ENTER, std::vector<std::uint16_t>{herb, potion, sword}.data(), 3);
  tbutton_choice = 0;
  tbutton_confirmed = 1;
  input_shop_system();
  ASSERT_EQ(GameMode, mode_shop_buy);
  // Frames with `held` down (nothing else down), then `gap` frames up.
  auto frames = [this](KeyCode k, int held, int gap) {
    for (int f = 0; f < held + gap; ++f) {
      now_ += 29;
      grp_input.update_key(now_, k, f < held);
      input_shop_system();
    }
  };
  for (KeyCode k : {key_enter, key_right, key_escape}) grp_input.update_key(now_, k, 0);  // seen up
  frames(key_enter, 1, 10);
  ASSERT_EQ(shop.step, shop_step_quantity);
  frames(key_right, 1, 3);
  EXPECT_EQ(shop.quantity[0], 1) << "one frame, one piece";
  frames(key_right, 1, 10);
  EXPECT_EQ(shop.quantity[0], 2) << "a quick re-press still repeats";
  frames(key_right, 10, 10);
  EXPECT_EQ(shop.quantity[0], 5) << "held 10 frames: frames 1, 6 and 9";
  frames(key_escape, 1, 3);
  EXPECT_EQ(shop.step, shop_step_tab);
  frames(key_escape, 1, 10);
  EXPECT_EQ(shop.step, shop_step_tab) << "87 ms after the release: a quick re-press";
  EXPECT_EQ(GameMode, mode_shop_buy);
  frames(key_right, 1, 10);
  EXPECT_EQ(shop.tab, 1) << "the list's tabs still take Right";
  frames(key_escape, 1, 10);
  EXPECT_EQ(GameMode, mode_shop_talk) << "a press of its own leaves the list";
  call_shop_system(MODE_LEAVE, nullptr, 0);
}

TEST_F(Shop, EquippedPiecesCountOnlyForPresentMembers) {
  gmRoleData[0].equip[0] = sword;
  gmRoleData[1].equip[0] = sword;
  gmRoleData[2].equip[5] = sword;
  gmRoleData[2].equip[6] = sword;  // past the six counted slots
  set_flag(flag_member_0);
  clear_flag(flag_member_1);
  set_flag(flag_member_2);
  EXPECT_EQ(count_equipped(sword), 2);
  set_flag(flag_member_1);
  EXPECT_EQ(count_equipped(sword), 3);
  for (RoleData& r : gmRoleData) r = RoleData{};
}

TEST_F(Shop, TheComparisonShowsTheChangeFromThePieceWorn) {
  ItemData blade_item{}, sword_item{};
  ASSERT_TRUE(read_Item(blade, &blade_item));
  ASSERT_TRUE(read_Item(sword, &sword_item));
  RoleData member{};
  member.equip[0] = sword;
  member.stats[stat_attack] = 30;
  member.stats[stat_speed] = 5;
  int change[shop_compare_lines];
  ASSERT_TRUE(shop_compare_equipment(member, blade_item, change));
  EXPECT_EQ(std::vector<int>(change, change + 5), (std::vector<int>{8, 0, -1, 3, 0}));
  EXPECT_FALSE(shop_compare_equipment(member, sword_item, change)) << "worn already";
  EXPECT_EQ(shop_can_equip(sword_item, 0), 1);
  EXPECT_EQ(shop_can_equip(sword_item, 1), 0);
  EXPECT_EQ(shop_can_equip(blade_item, 1), 1);
  EXPECT_EQ(shop_can_equip(blade_item, 2), 0) << "member 2's class bit is 8";
}

}  // namespace
