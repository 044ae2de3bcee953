// The equipment page's rules: candidates out of the bag and back, the equip rule, the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>

#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/equip_bonus.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/ui/menu_driver.h"
#include "ui/menu/menu_equip.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/talk_msg.h"

namespace {
using namespace fixtures;

// Class masks: bit 1 member 0, 2 member 1, 8 member 2.
enum : std::uint16_t {
  sword = 1,        // members 0 and 1, attack 10
  dagger = 2,       // member 0 only, attack 4, speed 3
  robe = 3,         // everyone, defence 5
  ring = 4,         // member 2 only
  charm = 5,        // members 0 and 1, magic defence 2
  mirror = 6,       // treasure, everyone, 30 experience a level
  objects_made = 6
};

ObjectRecord piece(std::uint16_t kind, std::uint8_t mask) {
  ObjectRecord r;
  r.kind(kind).tag(tag_byte_249_a, {op8(mask)});
  return r;
}

class Equip : public ::testing::Test {
 protected:
  Equip() {
    game_dir = dir.str();
    fixtures::start_test_game();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects(objects_made);
    objects[sword - 1] = piece(202, 1 | 2).name("sword").bonuses(10, 0, 0, 0, 0);
    objects[dagger - 1] = piece(202, 1).name("dagger").bonuses(4, 0, 3, 0, 0);
    objects[robe - 1] = piece(203, 1 | 2 | 8).name("robe").bonuses(0, 5, 0, 0, 0);
    objects[ring - 1] = piece(204, 8).name("ring").bonuses(0, 1, 0, 0, 0);
    objects[charm - 1] = piece(204, 1 | 2).name("charm").bonuses(0, 0, 0, 0, 2);
    objects[mirror - 1] = piece(206, 1 | 2 | 8).name("mirror").tag(tag_atb_delay, {op32(300)});
    dir.write("ObjData.GLL", as_string(objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
    for (RoleData& r : gmRoleData) r = RoleData{};
    menu_party_count = 3;
    for (int i = 0; i < 3; ++i) menu_party[i] = i;
  }
  ~Equip() override {
    leave_equip_page();
    free_item_list(&equip_candidates);
    free_item_list(&party_bag);
    free_fame();
    del_all_talkmsg();
  }
  // What the page does on a slot confirm.
  int choose_slot(int member, int slot) {
    equip_page.member = member;
    equip_page.slot = slot;
    return_candidates(&party_bag, &equip_candidates);
    return take_candidates(&party_bag, &equip_candidates, equip_slot_types[slot], member_class_bits[member]);
  }
  static std::map<std::uint16_t, int> held() {
    std::map<std::uint16_t, int> pieces;
    for (ItemNode* owner : {&party_bag, &equip_candidates})
      for (ItemNode* n = owner->next; n; n = n->next) pieces[n->object] += n->count + n->new_count;
    // Every slot of every member: the multiset must hold whoever wears a piece.
    for (const RoleData& r : gmRoleData)
      for (std::uint16_t id : r.equip)
        if (id != 0 && id <= objects_made) ++pieces[id];
    return pieces;
  }
  static bool bag_sorted() {
    for (ItemNode* n = party_bag.next; n && n->next; n = n->next)
      if (n->object > n->next->object) return false;
    return true;
  }
  TempFolder dir{true};
};

TEST_F(Equip, CandidatesAreThePiecesOfTheTypeTheMemberMayWearInBagOrder) {
  for (std::uint16_t id : {robe, charm, ring, sword, dagger}) add_item(&party_bag, id, 2, 2);
  // The bag is now dagger, sword, ring, charm, robe (each pushed at the head).
  EXPECT_EQ(choose_slot(1, 0), 1) << "member 1 may wear the sword, not the dagger";
  ASSERT_NE(equip_candidates.next, nullptr);
  EXPECT_EQ(equip_candidates.next->object, sword);
  EXPECT_EQ(choose_slot(0, 0), 2) << "the sword came back first, and the bag was sorted";
  EXPECT_EQ(equip_candidates.next->object, sword);
  EXPECT_EQ(equip_candidates.next->next->object, dagger);
  EXPECT_EQ(choose_slot(2, 2), 1) << "the ring only";
  EXPECT_EQ(choose_slot(2, 0), 0) << "no weapon for member 2: only the none row";
  EXPECT_EQ(equip_candidates.next, nullptr);
  EXPECT_TRUE(bag_sorted());
}

TEST_F(Equip, ExchangingPutsTheOldPieceBackCountedAndRemovingPutsItBackAsNew) {
  add_item(&party_bag, sword, 1, 2);
  add_item(&party_bag, robe, 1, 2);
  gmRoleData[0].equip[0] = dagger;
  gmRoleData[0].equip[1] = robe;
  add_equip_bonus(&gmRoleData[0], -1);
  choose_slot(0, 0);
  ASSERT_EQ(equip_piece(0, 0, equip_candidate_at(0)), 1);  // the sword
  EXPECT_EQ(gmRoleData[0].equip[0], sword);
  ItemNode* old = find_item(&equip_candidates, dagger);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->count, 1);
  EXPECT_EQ(old->new_count, 0);
  EXPECT_EQ(find_item(&equip_candidates, sword), nullptr) << "the one sword is worn now";
  EXPECT_EQ(gmRoleData[0].stats[stat_attack], 10);

  choose_slot(0, 1);
  ASSERT_EQ(equip_piece(0, 1, nullptr), 1);
  EXPECT_EQ(gmRoleData[0].equip[1], 0);
  ItemNode* robes = find_item(&equip_candidates, robe);
  ASSERT_NE(robes, nullptr);
  EXPECT_EQ(robes->count, 1);
  EXPECT_EQ(robes->new_count, 1) << "the removed robe is a new piece";
  EXPECT_EQ(gmRoleData[0].stats[stat_defence], 0);
  leave_equip_page();
  EXPECT_EQ(equip_candidates.next, nullptr);
  EXPECT_TRUE(bag_sorted());
}

TEST_F(Equip, TheWeaponStaysAndAnEmptySlotWithNoneDoesNothing) {
  gmRoleData[0].equip[0] = sword;
  add_equip_bonus(&gmRoleData[0], -1);
  choose_slot(0, 0);
  EXPECT_EQ(equip_piece(0, 0, nullptr), 0);
  EXPECT_EQ(gmRoleData[0].equip[0], sword);
  EXPECT_EQ(gmRoleData[0].stats[stat_attack], 10);
  EXPECT_EQ(talkmsg_count(), 1) << "the refusal";
  EXPECT_EQ(equip_candidates.next, nullptr);
  choose_slot(0, 2);
  EXPECT_EQ(equip_piece(0, 2, nullptr), 0);
  EXPECT_EQ(equip_candidates.next, nullptr);
}

TEST_F(Equip, UnequippingIntoAnEmptyBagLeavesThatPieceAsTheBagsOnlyNode) {
  gmRoleData[1].equip[3] = charm;
  add_equip_bonus(&gmRoleData[1], -1);
  choose_slot(1, 3);
  ASSERT_EQ(equip_piece(1, 3, nullptr), 1);
  leave_equip_page();
  ASSERT_NE(party_bag.next, nullptr);
  EXPECT_EQ(party_bag.next->object, charm);
  EXPECT_EQ(party_bag.next->next, nullptr);
}

TEST_F(Equip, ATreasureGetsItsGrowthRecordWhenWorn) {
  add_item(&party_bag, mirror, 1, 2);
  ASSERT_EQ(fame_find(mirror, fame_type_treasure), nullptr);
  choose_slot(2, 5);
  ASSERT_EQ(equip_piece(2, 5, equip_candidate_at(0)), 1);
  const FameNode* rec = fame_find(mirror, fame_type_treasure);
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->level, 1);
  EXPECT_EQ(rec->level_exp, 30u);
}

TEST_F(Equip, ThePreviewChangesOnlyWhatThePiecesChange) {
  RoleData& r = gmRoleData[0];
  r.stats[stat_attack] = 20;
  r.stats[stat_speed] = 7;
  r.max_hp = 100;
  r.equip[0] = dagger;
  add_equip_bonus(&r, -1);  // attack 24, speed 10
  const EquipValues now = equip_values(r);
  const EquipValues sword_in = equip_preview(r, 0, sword);
  EXPECT_EQ(sword_in.v[0], 20 + 10);
  EXPECT_EQ(sword_in.v[2], 7);
  for (int i : {1, 3, 4, 5, 6, 7}) EXPECT_EQ(sword_in.v[i], now.v[i]) << i;
  const EquipValues none = equip_preview(r, 0, 0);
  EXPECT_EQ(none.v[0], 20);
  EXPECT_EQ(none.v[2], 7);
  EXPECT_EQ(equip_values(r).v[0], 24) << "the member itself is untouched";

  // A treasure's growth record raises the maxima too.
  ASSERT_EQ(fame_add(mirror, 0, 0, fame_type_treasure), 1);
  fame_find(mirror, fame_type_treasure)->bonus[0] = 15;
  const EquipValues mirror_in = equip_preview(r, 4, mirror);
  EXPECT_EQ(mirror_in.v[5], 115);
  EXPECT_EQ(mirror_in.v[0], 24);
}

// Random page use: whatever is chosen, the bag, the candidates and the worn pieces hold the same
// pieces, and the bag is whole and sorted whenever the page is idle.
TEST_F(Equip, ARandomSessionKeepsEveryPieceAndTheBagSortedWhenIdle) {
  std::mt19937 rng(2026);
  for (std::uint16_t id = 1; id <= objects_made; ++id) add_item(&party_bag, id, 1 + id % 3, id % 2 ? 2 : 1);
  gmRoleData[0].equip[0] = dagger;
  gmRoleData[1].equip[0] = sword;
  gmRoleData[2].equip[0] = sword;
  for (RoleData& r : gmRoleData) add_equip_bonus(&r, -1);
  const auto start = held();
  for (int step = 0; step < 400; ++step) {
    const int member = int(rng() % 3), slot = int(rng() % equip_page_slots);
    const int count = choose_slot(member, slot);
    for (int picks = int(rng() % 3); picks > 0; --picks) {
      const int row = int(rng() % std::uint32_t(count + 1));
      equip_piece(member, slot, equip_candidate_at(row));
      ASSERT_EQ(held(), start) << "step " << step;
    }
    if (rng() % 4 == 0) {
      leave_equip_page();
      ASSERT_EQ(equip_candidates.next, nullptr);
      ASSERT_TRUE(bag_sorted()) << "step " << step;
    }
    for (int m = 0; m < 3; ++m) ASSERT_NE(gmRoleData[m].equip[0], 0) << "a weapon is always worn";
  }
  leave_equip_page();
  EXPECT_EQ(held(), start);
  EXPECT_TRUE(bag_sorted());
}

// The page driven through the menu's input step, a frame at a time.
class EquipPageInput : public Equip {
 protected:
  EquipPageInput() {
    for (int f : party_member_flags) set_flag(f);
    GameMode = mode_field;
    SavedGameMode = 0;
    mouse_x = 600, mouse_y = 460;
  }
  ~EquipPageInput() override {
    if (GameMode == mode_menu) SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  }
  // What the draw step leaves for the next input step: the candidate under the cursor row.
  static void draw_stand_in() {
    if (equip_page.state != equip_choosing_piece) return;
    const ItemNode* c = equip_candidate_at(equip_page.top_row + equip_page.cursor_row);
    equip_page.shown_object = c ? c->object : 0;
  }
  void step(std::initializer_list<KeyCode> down = {}) {
    frames_.run([] { input_menu_system(); }, down);
    draw_stand_in();
  }
  void press(KeyCode k) {
    frames_.press(
        [] {
          input_menu_system();
          draw_stand_in();
        },
        k);
  }
  // The menu open on the equipment page.
  void open_page() {
    if (GameMode != mode_menu) {
      ASSERT_EQ(SFLB_call_menu_system(MODE_ENTER, 0, 0), 1);
    }
    enter_equip_page();
    ASSERT_EQ(menu_page, menu_page_equip);
  }
  menu_driver::Frames frames_;
};

TEST_F(EquipPageInput, AClickOnAnotherRowEquipsThePieceThatRowShows) {
  add_item(&party_bag, dagger, 1, 2);
  add_item(&party_bag, sword, 1, 2);
  sort_item_list(&party_bag);
  open_page();
  step();
  press(key_enter);  // the weapon slot of member 0
  ASSERT_EQ(equip_page.state, equip_choosing_piece);
  ASSERT_EQ(equip_page.shown_object, sword);
  // The pointer moves onto the dagger's row and clicks in the same frame.
  mouse_x = 400, mouse_y = 140;
  step({key_mouse1});
  EXPECT_EQ(gmRoleData[0].equip[0], dagger);
  EXPECT_EQ(equip_page.state, equip_choosing_slot);
  EXPECT_EQ(find_item(&equip_candidates, dagger), nullptr);
  EXPECT_NE(find_item(&equip_candidates, sword), nullptr) << "back among the candidates until the slot choice ends";
}

// Random keys and clicks on the page: the bag, the candidates and the worn pieces hold the same
// pieces after every frame; whenever the page is closed the candidates are back in the bag and
// the bag is sorted; a member who wore a weapon still wears one.
TEST_F(EquipPageInput, ARandomSessionOfKeysAndClicksKeepsEveryPiece) {
  std::mt19937 rng(77);
  for (std::uint16_t id = 1; id <= objects_made; ++id) add_item(&party_bag, id, 1 + id % 3, id % 2 ? 2 : 1);
  gmRoleData[0].equip[0] = dagger;
  gmRoleData[1].equip[0] = sword;
  for (RoleData& r : gmRoleData) add_equip_bonus(&r, -1);
  sort_item_list(&party_bag);
  const auto start = held();
  const KeyCode keys[] = {key_enter, key_enter, key_escape, key_up, key_down, key_left, key_right, key_mouse1};
  int equipped_changes = 0;
  for (int frame = 0; frame < 1500; ++frame) {
    if (menu_page != menu_page_equip || GameMode != mode_menu) open_page();
    const KeyCode k = keys[rng() % std::size(keys)];
    if (k == key_mouse1) {
      // A slot row, a piece row or a member tab.
      mouse_x = int(125 + rng() % 460), mouse_y = int(10 + rng() % 330);
      step();
    }
    const std::vector<std::uint16_t> before(std::begin(gmRoleData[0].equip), std::end(gmRoleData[0].equip));
    press(k);
    if (!std::equal(before.begin(), before.end(), gmRoleData[0].equip)) ++equipped_changes;
    ASSERT_EQ(held(), start) << "frame " << frame;
    if (equip_page.state == equip_closed) {
      ASSERT_EQ(equip_candidates.next, nullptr) << "frame " << frame;
      ASSERT_TRUE(bag_sorted()) << "frame " << frame;
    }
    ASSERT_NE(gmRoleData[0].equip[0], 0) << "frame " << frame;
    ASSERT_NE(gmRoleData[1].equip[0], 0) << "frame " << frame;
  }
  EXPECT_GT(equipped_changes, 5) << "the session did equip pieces";
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  EXPECT_EQ(equip_candidates.next, nullptr);
  EXPECT_EQ(held(), start);
  EXPECT_TRUE(bag_sorted());
}

}  // namespace
