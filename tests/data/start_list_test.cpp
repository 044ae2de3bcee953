// The new-game start list of the map database.
#include "data/maps_init.h"

#include "data/byte_writer.h"
#include "data/item_list.h"
#include "data/maps_db.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/objdata_writer.h"

namespace {
using namespace fixtures;

class StartListTest : public data_test::DataTest {
 protected:
  StartListTest() {
    std::vector<ObjectRecord> objects;
    for (std::uint16_t i = 1; i <= 12; ++i) objects.push_back(ObjectRecord().kind(202).bonuses(i, 0, 0, 0, 0));
    write("ObjData.GLL", objdata_gll(objects));
    SFINIT0_open_item_data();
    open_item_data();
  }
  void run(const StartList& start) {
    MapsDat db;
    db.start = start;
    write("maps.dat", maps_dat(db));
    open_maps_data();
    read_maps_init();
  }
  static std::vector<int> list(const ItemNode& owner) {
    std::vector<int> out;
    for (ItemNode* n = owner.next; n; n = n->next) out.push_back(n->object * 100 + n->new_count);
    return out;
  }
};

TEST_F(StartListTest, MoneyBagEquipmentAndArts) {
  run(StartList().money(-5).bag({3, 1, 3}).equip(1, {1, 2}).arts(2, {9, 4}).command(0).command(6).command(10));
  EXPECT_EQ(party_money, -5);
  EXPECT_EQ(list(party_bag), (std::vector<int>{101, 302}));  // one piece each time, sorted
  EXPECT_EQ(gmRoleData[1].equip[0], 1);
  EXPECT_EQ(gmRoleData[1].equip[1], 2);
  EXPECT_EQ(gmRoleData[1].equip[2], 0);
  EXPECT_EQ(gmRoleData[1].stats[stat_attack], 1 + 2);  // both objects' bonuses were added
  EXPECT_EQ(gmRoleData[1].stats[stat_weapon_attack], 1);
  EXPECT_EQ(list(gmRoleData[2].arts), (std::vector<int>{401, 901}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(StartListTest, MoreThanEightEquipmentObjectsLeaveTheRestOfTheRecordAlone) {
  gmRoleData[0].hp = 1234;
  run(StartList().equip(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}).money(7));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(gmRoleData[0].equip[i], i + 1);
  EXPECT_EQ(gmRoleData[0].equip_byte_a, 0);
  EXPECT_EQ(gmRoleData[0].hp, 1234);
  EXPECT_EQ(party_money, 7);  // the list went on after the extras
}

TEST_F(StartListTest, AnUnknownCommandIsReportedAndTheNextWordIsACommand) {
  run(StartList().command(12).money(3));
  EXPECT_EQ(party_money, 3);
  EXPECT_EQ(messages(), (std::vector<std::string>{"read_maps_init(...) \xAB\xFC\xA5O\xA4\xA3\xA6X\xAAk"}));
}

TEST_F(StartListTest, AnUnendedListStopsAtThePoolEnd) {
  MapsDat db;
  ByteWriter w;
  w.u16(2).u16(1).u16(2);  // a bag list without its end, then the end of the pool
  for (int k = 1; k <= maps_table_count; ++k) db.raw_tables[k] = {};
  db.raw_tables[maps_start_list] = w.bytes();
  write("maps.dat", maps_dat(db));
  open_maps_data();
  read_maps_init();
  EXPECT_EQ(list(party_bag), (std::vector<int>{101, 201}));
}

}  // namespace
