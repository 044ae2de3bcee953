// Item lists, the party's item helpers and the magic study list.
#include "data/item_list.h"

#include "battle/fame.h"
#include "data/magic_study.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/objdata_writer.h"

namespace {
using namespace fixtures;

enum : std::uint16_t { herb = 1, sword = 2, classed = 3, armour = 4, signed_flags = 5, collectable = 3001 };

class ItemLists : public data_test::DataTest {
 protected:
  ItemLists() {
    std::vector<ObjectRecord> objects(5);
    objects[herb - 1].kind(201);
    objects[sword - 1].kind(202).list_flags(0x02);
    objects[classed - 1].kind(201).user_class(3);
    objects[armour - 1].kind(203).list_flags(0x08);
    objects[signed_flags - 1].kind(201).list_flags(0x80);
    while (objects.size() < collectable - 1) objects.push_back(ObjectRecord::empty_record());
    objects.push_back(ObjectRecord().kind(204));
    write("ObjData.GLL", objdata_gll(objects));
    SFINIT0_open_item_data();
    open_item_data();
    set_item_move_front(1);
  }
  ~ItemLists() override { free_item_list(&owner); }

  // The list's objects from the head.
  std::vector<int> objects() const {
    std::vector<int> out;
    for (ItemNode* n = owner.next; n; n = n->next) out.push_back(n->object);
    return out;
  }
  ItemNode owner{};
};

TEST_F(ItemLists, NewNodesGoToTheHeadWithTheirCount) {
  ItemNode* a = add_item(&owner, herb, 5, 2);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->count, 5);
  EXPECT_EQ(a->new_count, 0);
  EXPECT_EQ(a->item.kind, 201);
  ItemNode* b = add_item(&owner, sword, 3, 1);
  EXPECT_EQ(b->count, 0);
  EXPECT_EQ(b->new_count, 3);
  EXPECT_EQ(b->mark, 0);
  EXPECT_EQ(objects(), (std::vector<int>{sword, herb}));
  EXPECT_EQ(add_item(&owner, 77, 1, 1), nullptr);  // cannot be read: nothing added
  EXPECT_EQ(objects().size(), 2u);
}

TEST_F(ItemLists, CountsAreCappedAtNinetyNine) {
  ItemNode* n = add_item(&owner, herb, 10, 2);
  add_item(&owner, herb, 50, 1);
  add_item(&owner, herb, 60, 1);  // past 99: the new count is capped and the count cleared
  EXPECT_EQ(n->new_count, 99);
  EXPECT_EQ(n->count, 0);
  add_item(&owner, herb, 150, 2);
  EXPECT_EQ(n->count, 99);
  EXPECT_EQ(n->new_count, 0);
  ItemNode* big = add_item(&owner, sword, 40000, 1);  // a new node is capped as well
  EXPECT_EQ(big->new_count, 99);
  EXPECT_EQ(get_item_num(&owner, herb), 99);
}

TEST_F(ItemLists, CollectablesAreEnteredInTheCollection) {
  EXPECT_EQ(fame_find(collectable, 2), nullptr);
  add_item(&owner, collectable, 1, 1);
  EXPECT_NE(fame_find(collectable, 2), nullptr);
  EXPECT_EQ(fame_find(herb, 2), nullptr);
  add_item(&owner, herb, 1, 1);
  EXPECT_EQ(fame_find(herb, 2), nullptr);
}

TEST_F(ItemLists, TakingPiecesUsesTheCountFirstUnlessAskedOtherwise) {
  ItemNode* n = add_item(&owner, herb, 2, 2);
  add_item(&owner, herb, 4, 1);
  EXPECT_EQ(del_item(&owner, herb, 3), 1);
  EXPECT_EQ(n->count, 0);
  EXPECT_EQ(n->new_count, 3);
  n->count = 2, n->new_count = 4;
  set_item_new_first(1);
  EXPECT_EQ(del_item(&owner, sword, 1), 0);  // absent: the one-shot switch stays on
  EXPECT_EQ(del_item(&owner, herb, 3), 1);
  EXPECT_EQ(n->count, 2);
  EXPECT_EQ(n->new_count, 1);
  EXPECT_EQ(del_item(&owner, herb, 1), 1);  // the switch was used up
  EXPECT_EQ(n->count, 1);
  EXPECT_EQ(del_item(&owner, herb, 50), 1);  // pieces beyond both are ignored; the node goes
  EXPECT_EQ(get_item_num(&owner, herb), 0);
  EXPECT_EQ(find_item(&owner, herb), nullptr);
  EXPECT_TRUE(objects().empty());
}

TEST_F(ItemLists, ANodeLeftWithPiecesMovesToTheFrontUnlessSwitchedOff) {
  add_item(&owner, herb, 5, 2);
  add_item(&owner, sword, 5, 2);
  add_item(&owner, armour, 5, 2);
  del_item(&owner, herb, 1);
  EXPECT_EQ(objects(), (std::vector<int>{herb, armour, sword}));
  set_item_move_front(0);
  del_item(&owner, sword, 1);
  EXPECT_EQ(objects(), (std::vector<int>{herb, armour, sword}));
}

TEST_F(ItemLists, CountingByTabKindAndFlags) {
  add_item(&owner, herb, 1, 2);
  add_item(&owner, classed, 1, 1);  // kind 201, only new pieces
  add_item(&owner, sword, 0, 2);    // no pieces at all
  add_item(&owner, armour, 1, 2);
  add_item(&owner, signed_flags, 1, 2);
  EXPECT_EQ(count_item_tab(&owner, 0), 5);  // every node, empty ones too
  EXPECT_EQ(count_item_tab(&owner, 201), 2);
  EXPECT_EQ(count_item_tab(&owner, 60000), 1);
  EXPECT_EQ(count_item_type(&owner, 0), 5);
  EXPECT_EQ(count_item_type(&owner, 201), 3);
  EXPECT_EQ(count_item_type_exact(&owner, 0), 0);
  EXPECT_EQ(count_item_flag(&owner, 0x02), 1);
  EXPECT_EQ(count_item_flag(&owner, 0x80), 2);   // 0x80 itself, and 0x08 with the high mask bit
  EXPECT_EQ(count_item_flag(&owner, 0x100), 1);  // a flag byte with bit 7 is taken as negative
  EXPECT_EQ(count_item_type_flag(&owner, 203, 0x80), 1);
  EXPECT_EQ(count_item_type_flag(&owner, 201, 0x80), 1);
}

TEST_F(ItemLists, SelectionsCountNodesPerClassAndKey) {
  add_item(&owner, herb, 1, 2);      // kind 201, class 0
  add_item(&owner, sword, 1, 1);     // kind 202, every kind (flag 0x02), new pieces
  add_item(&owner, classed, 1, 2);   // kind 201, class 3
  sort_item_list(&owner);            // herb, sword, classed
  EXPECT_EQ(get_item_by_type(&owner, 201, 0, 0)->object, herb);
  EXPECT_EQ(get_item_by_type(&owner, 201, 0, 1)->object, sword);  // flag 0x02 matches every kind
  EXPECT_EQ(get_item_by_type(&owner, 201, 0, 2)->object, classed);
  EXPECT_EQ(get_item_by_type(&owner, 201, 4, 2), nullptr);         // class 4: the class-3 node does not suit
  EXPECT_EQ(get_item_by_type(&owner, 201, 2, 1), nullptr);         // class 2 leaves out flag 0x02 nodes
  // Key 60000 counts the node with new pieces once for its kind and once more for its news.
  EXPECT_EQ(get_item_by_type(&owner, 60000, 0, 0)->object, sword);
  EXPECT_EQ(get_item_by_type(&owner, 60000, 0, 1)->object, sword);
  EXPECT_EQ(get_item_by_type(&owner, 50000, 0, 2)->object, sword);  // every kind, then any node
  EXPECT_EQ(get_item_by_type(&owner, 50000, 0, 3)->object, classed);
  EXPECT_EQ(get_item_by_tab(&owner, 60000, 0, 0)->object, sword);
  EXPECT_EQ(get_item_by_tab(&owner, 201, 0, 1)->object, classed);  // the sword has no count yet
  EXPECT_EQ(get_item_by_flag(&owner, 0x40, 0, 0)->object, sword);
  EXPECT_EQ(get_item_by_flag(&owner, 0x40, 0, 1), nullptr);
  EXPECT_EQ(get_item_by_type_flag(&owner, 202, 0x40, 0, 0)->object, sword);  // 0x02 admitted without 0x80
  EXPECT_EQ(get_item_by_type_flag(&owner, 202, 0x40 | 0x80, 0, 0), nullptr);
  add_item(&owner, sword, 1, 2);  // now with a count
  ItemNode* tab = get_item_by_tab(&owner, 201, 2, 1);
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->object, sword);  // tabs do not leave out flag 0x02 nodes for class 2
}

TEST_F(ItemLists, SortingOrdersByObjectAndClearsTheMarks) {
  for (std::uint16_t o : {armour, herb, sword, herb}) add_item(&owner, o, 1, 2);
  // add_item merged the second herb: the list is sword, herb, armour.
  for (ItemNode* n = owner.next; n; n = n->next) n->mark = 0x7777;
  sort_item_list(&owner);
  EXPECT_EQ(objects(), (std::vector<int>{herb, sword, armour}));
  for (ItemNode* n = owner.next; n; n = n->next)
    EXPECT_EQ(n->mark, n->object == armour ? 0x7777 : 0) << n->object;  // the last node never moved
  ItemNode one{};
  add_item(&one, herb, 1, 1)->mark = 5;
  sort_item_list(&one);
  EXPECT_EQ(one.next->mark, 5);
  free_item_list(&one);
  ItemNode empty{};
  sort_item_list(&empty);
  EXPECT_EQ(empty.next, nullptr);
}

TEST_F(ItemLists, EqualObjectsKeepTheirOrderWhenSorted) {
  // Two nodes of one object arise from lists joined by menus; build them by hand.
  ItemNode* a = add_item(&owner, sword, 1, 2);
  ItemNode* b = new_none_item();
  b->object = herb;
  ItemNode* c = new_none_item();
  c->object = herb;
  a->next = b, b->next = c;
  sort_item_list(&owner);
  EXPECT_EQ(owner.next, b);
  EXPECT_EQ(b->next, c);
  EXPECT_EQ(c->next, a);
}

TEST_F(ItemLists, MergingMovesNewPiecesIntoTheCount) {
  ItemNode* n = add_item(&owner, herb, 50, 2);
  n->new_count = 60;
  add_item(&owner, sword, 3, 1);
  merge_new_items(&owner);
  EXPECT_EQ(n->count, 99);
  EXPECT_EQ(n->new_count, 0);
  EXPECT_EQ(find_item(&owner, sword)->count, 3);
}

TEST_F(ItemLists, TheEmptyEntry) {
  ItemNode* none = new_none_item();
  EXPECT_EQ(none->object, 65500);
  EXPECT_EQ(none->count, 1);
  EXPECT_STREQ(none->item.NAME, "\xB5L");  // 無
  EXPECT_EQ(none->next, nullptr);
  owner.next = none;
}

TEST_F(ItemLists, PartyItemsCountTheBagAndSingleEquippedPieces) {
  add_item(&party_bag, herb, 1, 2);
  add_item(&party_bag, herb, 1, 1);
  gmRoleData[2].equip[0] = sword;
  gmRoleData[3].equip[0] = armour;  // record 3 is not in the party
  EXPECT_EQ(has_party_item(herb, 2), 1);
  EXPECT_EQ(has_party_item(herb, 3), 0);
  EXPECT_EQ(has_party_item(sword, 1), 1);
  EXPECT_EQ(has_party_item(sword, 2), 0);  // equipped pieces count only for one
  EXPECT_EQ(has_party_item(armour, 1), 0);
  add_item(&gmRoleData[1].arts, herb, 1, 1);
  MagicStudy spell{};
  spell.spell_id = sword;
  add_magic_study(&spell);
  party_bag_count = 4;
  free_party_items();
  EXPECT_EQ(party_bag.next, nullptr);
  EXPECT_EQ(party_bag_count, 0);
  EXPECT_EQ(gmRoleData[1].arts.next, nullptr);
  EXPECT_EQ(gmMagicStudy, nullptr);
  EXPECT_EQ(gmMagicStudyCount, 0);
}

TEST(MagicStudyList, OneRecordPerSpellNewestFirst) {
  MagicStudy rec{};
  rec.spell_id = 0;
  EXPECT_EQ(add_magic_study(&rec), nullptr);
  rec.spell_id = 10, rec.progress = 5, rec.goal = 100;
  MagicStudy* first = add_magic_study(&rec);
  rec.spell_id = 11;
  add_magic_study(&rec);
  rec.spell_id = 10, rec.progress = 100, rec.learned = 1;
  EXPECT_EQ(add_magic_study(&rec), first);
  EXPECT_EQ(gmMagicStudyCount, 2);
  EXPECT_EQ(first->progress, 100);
  EXPECT_EQ(first->learned, 1u);
  EXPECT_EQ(get_magic_study_id(0), 11);
  EXPECT_EQ(get_magic_study_id(1), 10);
  EXPECT_EQ(get_magic_study_id(2), 0);
  EXPECT_EQ(get_magic_study_id(-1), 0);
  EXPECT_EQ(has_magic_study(10), 1);
  EXPECT_EQ(has_magic_study(12), 0);
  EXPECT_EQ(find_magic_study(11)->goal, 100);
  free_magic_study();
  EXPECT_EQ(gmMagicStudy, nullptr);
  EXPECT_EQ(gmMagicStudyCount, 0);
}

}  // namespace
