// The arts page: the party's magic lent to slot 1's list, the rows over all members, the cost
// and recovery rules and the refusals of member choice.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "core/game_mode.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/menu/menu_arts.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/talk_msg.h"
#include "ui/talk_text.h"

namespace {
using namespace fixtures;

enum : std::uint16_t {
  header_0 = 1, header_1 = 2, header_2 = 3,  // the members' header rows (flag 2)
  heal = 10,       // 30 HP, costs 5 MP and 2 SP
  heal_all = 11,   // 20 HP on everyone, costs 4 MP
  revive = 12,     // revives, 10 HP
  not_on_2 = 13,   // may not be cast on party slot 2
  battle_art = 14, // battle only: never chosen in the menu
  big_art = 15,    // costs 99 MP
  before_slot2 = 5200,  // an ordinary art just before the slot-2 range
  slot2_first = 5201,
  slot2_art = 5202,  // may only be cast on party slot 2
  slot2_last = 5203,
  elder = 16,      // a member object whose record gives the member its name
  objects_made = 16
};

ObjectRecord art(std::uint16_t hp, std::uint16_t mp_cost, std::uint16_t sp_cost) {
  ObjectRecord r;
  r.kind(300).list_flags(0x40).tag(tag_hp_sp_amounts, {op16(hp), op16(0), op16(0), op16(0), op16(0)})
      .tag(tag_costs, {op16(0), op16(mp_cost), op16(sp_cost), op8(0)});
  return r;
}

class Arts : public ::testing::Test {
 protected:
  Arts() {
    game_dir = dir.str();
    fixtures::start_test_game();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects(slot2_last);
    for (std::uint16_t h : {header_0, header_1, header_2}) objects[h - 1].name("header").list_flags(0x02);
    objects[heal - 1] = art(30, 5, 2).name("heal");
    objects[heal_all - 1] = art(20, 4, 0).name("heal all").tag(tag_target_mode, {op8(1), op8(0), op8(0), op8(0)});
    objects[revive - 1] = art(10, 0, 0).name("revive").tag(tag_status_low, {op8(0x10)});
    objects[not_on_2 - 1] = art(10, 0, 0).name("not on 2").tag(tag_target_mode, {op8(0), op8(0), op8(1), op8(0)});
    objects[battle_art - 1] = art(10, 0, 0).name("battle").tag(tag_byte_244, {op8(2)});
    objects[big_art - 1] = art(10, 99, 0).name("big");
    objects[elder - 1].name("Elder").kind(100);
    objects[slot2_art - 1] = art(10, 0, 0).name("slot 2");
    objects[before_slot2 - 1] = art(10, 0, 0).name("before slot 2");
    objects[slot2_first - 1] = art(10, 0, 0).name("slot 2 first");
    objects[slot2_last - 1] = art(10, 0, 0).name("slot 2 last");
    dir.write("ObjData.GLL", as_string(objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
    for (int m = 0; m < 3; ++m) {
      RoleData& r = gmRoleData[m];
      r = RoleData{};
      r.hp = 50, r.max_hp = 100, r.mp = 20, r.max_mp = 20, r.sp = 10, r.max_sp = 10;
      add_item(&r.arts, std::uint16_t(header_0 + m), 1, 2);
    }
    for (std::uint16_t a : {heal, heal_all, revive}) add_item(&gmRoleData[0].arts, a, 1, 2);
    for (std::uint16_t a : {not_on_2, battle_art, big_art, slot2_art}) add_item(&gmRoleData[1].arts, a, 1, 2);
    for (RoleData& r : gmRoleData) sort_item_list(&r.arts);
    for (auto& m : party_magic) m = ItemNode{};
    menu_party_count = 3;
    for (int i = 0; i < 3; ++i) menu_party[i] = i;
  }
  ~Arts() override {
    leave_arts_page();
    free_party_items();
    del_all_talkmsg();
  }
  static std::vector<std::pair<std::uint16_t, int>> list_of(int slot) {
    std::vector<std::pair<std::uint16_t, int>> out;
    for (ItemNode* n = gmRoleData[slot].arts.next; n; n = n->next) out.push_back({n->object, n->count * 100 + n->new_count});
    return out;
  }
  // Puts the cursor on an absolute row and renews the choice as the draw does.
  static void point_at(int row) {
    arts_top_row = row;
    arts_cursor_row = 0;
    renew_arts_choice();
  }
  static int row_of(std::uint16_t object) {
    for (int row = 0; row < arts_total_rows; ++row)
      if (ArtsRow r = arts_row_at(row); r.node && r.node->object == object) return row;
    return -1;
  }
  // An art chosen on the page, cast on a target with 50 HP: healed by 10 when the art may be cast
  // on that party slot, else refused and nothing paid.
  struct SlotCase {
    std::uint16_t art;
    int target;
    bool cast;
  };

  template <std::size_t N>
  static void expect_slot_casts(const SlotCase (&cases)[N]) {
    for (const SlotCase& c : cases) {
      for (RoleData& r : gmRoleData) r.hp = 50;
      point_at(row_of(c.art));
      ASSERT_EQ(arts_choice.object, c.art);
      arts_state = arts_choosing_member;
      menu_party_target = c.target;
      confirm_arts_target();
      EXPECT_EQ(gmRoleData[c.target].hp, c.cast ? 60 : 50) << c.art << " on " << c.target;
    }
  }
  TempFolder dir{true};
};

TEST_F(Arts, EnterThenLeaveKeepsSlotOnesListAlsoWhenItOwnsOneOfTheMagic) {
  party_magic[0].object = heal;      // slot 1 does not own it
  party_magic[3].object = not_on_2;  // slot 1 owns it
  const auto before = list_of(1);
  enter_arts_page();
  EXPECT_NE(find_item(&gmRoleData[1].arts, heal), nullptr);
  EXPECT_EQ(get_item_num(&gmRoleData[1].arts, not_on_2), 2);
  leave_arts_page();
  EXPECT_EQ(list_of(1), before);
  // The frame calls the leave step on every bar click, also when the page was never opened.
  leave_arts_page();
  EXPECT_EQ(list_of(1), before);
}

TEST_F(Arts, LeavingTheMenuFromThePageTakesTheMagicOutToo) {
  party_magic[0].object = heal;
  const auto before = list_of(1);
  ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
  menu_page = menu_page_arts;
  enter_arts_page();
  ASSERT_NE(find_item(&gmRoleData[1].arts, heal), nullptr);
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  EXPECT_EQ(list_of(1), before);
  EXPECT_EQ(arts_state, arts_closed);
}

TEST_F(Arts, RowsRunAcrossTheMembersSectionsEachStartingWithItsHeader) {
  enter_arts_page();
  // Member 0: header + 3, member 1: header + 4, member 2: header.
  EXPECT_EQ(arts_member_rows[0], 4);
  EXPECT_EQ(arts_member_rows[1], 5);
  EXPECT_EQ(arts_member_rows[2], 1);
  EXPECT_EQ(arts_total_rows, 10);
  const struct {
    int row, member;
    std::uint16_t object;
  } cases[] = {{0, 0, header_0}, {3, 0, revive}, {4, 1, header_1}, {5, 1, not_on_2}, {9, 2, header_2}};
  for (const auto& c : cases) {
    const ArtsRow r = arts_row_at(c.row);
    ASSERT_NE(r.node, nullptr) << c.row;
    EXPECT_EQ(r.member, c.member) << c.row;
    EXPECT_EQ(r.node->object, c.object) << c.row;
  }
  EXPECT_EQ(arts_row_at(10).node, nullptr);
  point_at(4);
  EXPECT_EQ(arts_caster, 1) << "the top row's member casts";
  EXPECT_EQ(arts_choice.object, 0) << "a header is never chosen";
}

TEST_F(Arts, OnlyArtsTheCasterCanPayAndMayCastFromTheMenuAreChosen) {
  enter_arts_page();
  point_at(row_of(heal));
  EXPECT_EQ(arts_choice.object, heal);
  point_at(row_of(battle_art));
  EXPECT_EQ(arts_choice.object, 0);
  point_at(row_of(big_art));
  EXPECT_EQ(arts_choice.object, 0);
  gmRoleData[0].flags |= 1;  // the caster is knocked out
  point_at(row_of(heal));
  EXPECT_EQ(arts_choice.object, 0);
  EXPECT_EQ(arts_caster, 0);
}

TEST_F(Arts, CostsArePaidOnlyWhenTheArtHadAnEffect) {
  enter_arts_page();
  point_at(row_of(heal));
  arts_state = arts_choosing_member;
  menu_party_target = 1;
  gmRoleData[1].hp = 100;  // nothing to heal
  confirm_arts_target();
  EXPECT_EQ(gmRoleData[0].mp, 20);
  EXPECT_EQ(gmRoleData[0].sp, 10);
  gmRoleData[1].hp = 90;
  confirm_arts_target();
  EXPECT_EQ(gmRoleData[1].hp, 100);
  EXPECT_EQ(gmRoleData[0].mp, 15);
  EXPECT_EQ(gmRoleData[0].sp, 8);
  // Three more casts leave 0 MP; the next finds the caster unable to pay and does nothing.
  for (int i = 0; i < 3; ++i) {
    gmRoleData[2].hp = 10;
    menu_party_target = 2;
    confirm_arts_target();
  }
  EXPECT_EQ(gmRoleData[0].mp, 0);
  EXPECT_EQ(gmRoleData[0].sp, 2);
  gmRoleData[2].hp = 10;
  confirm_arts_target();
  EXPECT_EQ(gmRoleData[2].hp, 10);
}

TEST_F(Arts, AnAllPartyArtIsRefusedOnlyWhenNobodyChanges) {
  enter_arts_page();
  point_at(row_of(heal_all));
  arts_state = arts_choosing_member;
  for (RoleData& r : gmRoleData) r.hp = r.max_hp;
  confirm_arts_target();
  EXPECT_EQ(gmRoleData[0].mp, 20);
  EXPECT_EQ(talkmsg_count(), 1);
  gmRoleData[2].hp = 95;
  confirm_arts_target();
  EXPECT_EQ(gmRoleData[2].hp, 100);
  EXPECT_EQ(gmRoleData[0].mp, 16);
}

TEST_F(Arts, SlotRestrictionsRefuseWithoutPaying) {
  enter_arts_page();
  const SlotCase cases[] = {{slot2_art, 0, false}, {slot2_art, 1, false}, {slot2_art, 2, true},
               {not_on_2, 2, false},  {not_on_2, 0, true}};
  expect_slot_casts(cases);
}

TEST_F(Arts, TheSlotTwoRangeRunsFrom5201To5203) {
  for (std::uint16_t a : {before_slot2, slot2_first, slot2_last}) add_item(&gmRoleData[1].arts, a, 1, 2);
  sort_item_list(&gmRoleData[1].arts);
  enter_arts_page();
  const SlotCase cases[] = {{slot2_first, 0, false}, {slot2_first, 1, false}, {slot2_first, 2, true},
               {slot2_last, 0, false},  {slot2_last, 2, true},   {before_slot2, 0, true}};
  expect_slot_casts(cases);
}

TEST_F(Arts, RecoveryRevivesOnlyWithTheReviveBit) {
  ItemData heal_data{}, revive_data{};
  ASSERT_EQ(read_Item(heal, &heal_data), 1);
  ASSERT_EQ(read_Item(revive, &revive_data), 1);
  RoleData& r = gmRoleData[2];
  r.flags = 1;
  r.hp = 0;
  EXPECT_EQ(apply_art_recovery(2, heal_data), 0);
  EXPECT_EQ(r.hp, 0);
  EXPECT_EQ(apply_art_recovery(2, revive_data), 1);
  EXPECT_EQ(r.flags & 1, 0);
  EXPECT_EQ(r.hp, 10);
  EXPECT_EQ(can_cast(0, heal_data), 1);
  gmRoleData[0].sp = 1;
  EXPECT_EQ(can_cast(0, heal_data), 0) << "the SP cost is 2";
}

TEST_F(Arts, TheHeaderDashesNeverRunNegative) {
  char out[96];
  arts_header_text("ab", out, sizeof out);
  EXPECT_STREQ(out, "----------ab----------");
  const char long_name[] = "abcdefghijklmnopqrstuvwxyz0123";
  arts_header_text(long_name, out, sizeof out);
  EXPECT_STREQ(out, long_name);
}

// Members 0 and 1 are named by the title, member 2 by its object record; the header shows the
// current name in place of that default name, and drawing it again does not grow it.
TEST_F(Arts, TheHeaderShowsTheMembersCurrentNameInPlaceOfItsDefaultName) {
  char saved_defaults[2][16];
  std::memcpy(saved_defaults, party_default_names, sizeof saved_defaults);
  std::strcpy(party_default_names[0], "Lead");
  std::strcpy(party_default_names[1], "Mate");
  gmRoleData[0].object_id = gmRoleData[1].object_id = elder;  // their records' name is not theirs
  gmRoleData[2].object_id = elder;
  const struct {
    int slot;
    const char *header, *current, *shown;
  } cases[] = {{0, "Lead", "Hero", "Hero"},
               {1, "<Mate>", "Lass", "<Lass>"},
               {2, "Elder", "Old", "Old"},
               {0, "Lead", "Leader", "Leader"},  // the current name holds the default one
               {0, "Elder", "Hero", "Elder"},    // not member 0's default name
               {2, "<Elder>", "0123456789012345678901234567890", "<Elder>"}};  // over 32 bytes: kept
  for (const auto& c : cases) {
    ItemNode header{};
    std::strcpy(header.item.NAME, c.header);
    std::memset(gmRoleData[c.slot].name, 0, sizeof gmRoleData[c.slot].name);
    std::strcpy(gmRoleData[c.slot].name, c.current);
    char shown[33];
    for (int draw = 0; draw < 2; ++draw) {
      arts_header_name(&header, c.slot, shown);
      EXPECT_STREQ(shown, c.shown) << c.header << " of slot " << c.slot << ", draw " << draw;
    }
    EXPECT_STREQ(header.item.NAME, c.header) << "the node keeps its name";
  }
  std::memcpy(party_default_names, saved_defaults, sizeof saved_defaults);
}

}  // namespace
