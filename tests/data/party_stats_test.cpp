// Level tables, party statistics, equipment and treasure bonuses.
#include "data/level_tables.h"

#include "battle/fame.h"
#include "data/equip_bonus.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/party_stats.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/level_writer.h"
#include "tests/fixtures/objdata_writer.h"

namespace {
using namespace fixtures;

enum : std::uint16_t { weapon = 1, armour = 2, charm = 3, treasure = 4, spare_treasure = 5, unreadable = 99 };

class PartyStats : public data_test::DataTest {
 protected:
  PartyStats() {
    write("ObjData.GLL", objdata_gll({
                             ObjectRecord().kind(202).bonuses(12, 0, 0, 0, 0),
                             ObjectRecord()
                                 .kind(203)
                                 .bonuses(0, 6, 0, 0, 0)
                                 .tag(tag_byte_242, {op8(3)})
                                 .tag(tag_bytes_251, {op8(2), op8(0)}),
                             ObjectRecord().kind(204).bonuses(0, 0, 4, 1, 1).tag(tag_byte_242, {op8(0xFB)}),
                             // Treasures that grow in level (an experience value of 1000).
                             ObjectRecord().kind(204).tag(tag_atb_delay, {op32(1000)}),
                             ObjectRecord().kind(204).tag(tag_atb_delay, {op32(1000)}),
                         }));
    SFINIT0_open_item_data();
    open_item_data();
    std::array<std::vector<LevelRow>, 4> tables;
    tables[0] = {{4, {}, 0, 400}, {5, {1, 2, 3, 4, 5, 6, 7, 8}, 77, 500}};
    tables[3] = {{5, {}, 0, 5003}};
    write("LEVEL.gll", level_gll(tables));
    open_exp_data();
    role = &gmRoleData[0];
    for (float& g : role->growth) g = 2.0f;
    role->stats[stat_level] = 5;
  }
  RoleData* role;
};

TEST_F(PartyStats, LevelExperienceIsTheRowsFieldOrZero) {
  EXPECT_EQ(get_level_exp(0, 4), 400u);
  EXPECT_EQ(get_level_exp(0, 5), 500u);
  EXPECT_EQ(get_level_exp(3, 5), 5003u);
  EXPECT_EQ(get_level_exp(0, 6), 0u);   // no row
  EXPECT_EQ(get_level_exp(1, 5), 0u);   // an empty table
  EXPECT_EQ(get_level_exp(-1, 5), 0u);  // tables 0-3 only
  EXPECT_EQ(get_level_exp(4, 5), 0u);
  close_exp_data();
  EXPECT_EQ(get_level_exp(0, 5), 0u);
}

TEST_F(PartyStats, ALevelUpRecomputesEverythingFromGrowthAndLevel) {
  role->hp = 1;
  std::uint16_t art = 0;
  EXPECT_EQ(apply_level_up(0, 5, role, &art), 1);
  // Base values: (2.0 * 15 + 75) / 10 = 10.5, cut to 10, plus the row's increments.
  const std::uint16_t base[8] = {11, 12, 13, 14, 15, 16, 17, 18};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(role->stats[i], base[i]) << i;
  EXPECT_FLOAT_EQ(role->level_multiplier, 1.0f);
  EXPECT_EQ(role->max_hp, 159);  // (55 + 7.0 + 8.5) * 1.02^6 + 80
  EXPECT_EQ(role->hp, 159);
  EXPECT_EQ(role->max_sp, 108);
  EXPECT_EQ(role->sp, 108);
  EXPECT_EQ(role->max_mp, 156);
  EXPECT_EQ(role->mp, 156);
  EXPECT_EQ(role->stats[stat_attack], 30);
  EXPECT_EQ(role->stats[stat_defence], 17);
  EXPECT_EQ(role->stats[stat_hit], 15);
  EXPECT_EQ(role->stats[stat_magic_attack], 18);
  EXPECT_EQ(role->stats[stat_magic_defence], 16);
  EXPECT_EQ(role->stats[stat_magic_hit], 14);
  EXPECT_EQ(role->stats[stat_total], 50 + 160 + 116);
  EXPECT_EQ(role->stats[stat_speed], 15);  // 95 / 7 + 29 / 15
  EXPECT_EQ(art, 77);
  EXPECT_EQ(role->next_exp, 500);
}

TEST_F(PartyStats, PermanentBonusesAreAddedIn) {
  role->hp_bonus = 20, role->mp_bonus = 3, role->sp_bonus = 4;
  role->attack_bonus = 5, role->defence_bonus = 6, role->magic_attack_bonus = 7, role->magic_defence_bonus = 8;
  std::uint16_t art = 0;
  apply_level_up(0, 5, role, &art);
  EXPECT_EQ(role->max_hp, 179);
  EXPECT_EQ(role->max_mp, 159);
  EXPECT_EQ(role->max_sp, 112);
  EXPECT_EQ(role->stats[stat_attack], 35);
  EXPECT_EQ(role->stats[stat_defence], 23);
  EXPECT_EQ(role->stats[stat_magic_attack], 25);
  EXPECT_EQ(role->stats[stat_magic_defence], 24);
}

TEST_F(PartyStats, ALevelWithoutARowChangesNothing) {
  role->stats[stat_attack] = 999;
  std::uint16_t art = 1234;
  EXPECT_EQ(apply_level_up(0, 6, role, &art), 1);
  EXPECT_EQ(apply_level_up(7, 5, role, &art), 1);  // no such table
  EXPECT_EQ(role->stats[stat_attack], 999);
  EXPECT_EQ(art, 1234);
}

TEST_F(PartyStats, EquipmentCountsOnceAcrossLevelUps) {
  role->equip[0] = weapon;
  role->equip[1] = armour;
  std::uint16_t art;
  apply_level_up(0, 5, role, &art);
  apply_level_up(0, 5, role, &art);
  EXPECT_EQ(role->stats[stat_attack], 30 + 12);
  EXPECT_EQ(role->stats[stat_weapon_attack], 12);
  EXPECT_EQ(role->stats[stat_defence], 17 + 6);
  EXPECT_EQ(role->equip_byte_a, 3);
  EXPECT_EQ(role->equip_byte_b, 2);
}

TEST_F(PartyStats, LevelMultiplierOfHighLevels) {
  const float m11 = 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f;
  const std::uint16_t none[8] = {};
  role->stats[stat_level] = 65;
  calc_level_stats(role, none);
  EXPECT_FLOAT_EQ(role->level_multiplier, m11 * 1.1f);
  role->stats[stat_level] = 6;
  calc_level_stats(role, none);
  EXPECT_FLOAT_EQ(role->level_multiplier, 1.2f);
}

TEST_F(PartyStats, AnUnreadableObjectEndsTheWalkOverAllSlots) {
  role->equip[0] = weapon;
  role->equip[2] = unreadable;
  role->equip[3] = charm;
  add_equip_bonus(role, -1);
  EXPECT_EQ(role->stats[stat_attack], 12);
  EXPECT_EQ(role->stats[stat_speed], 0);  // slot 3 came after the unreadable slot 2
  add_equip_bonus(role, 3);   // one slot alone still works
  EXPECT_EQ(role->stats[stat_speed], 4);
}

TEST_F(PartyStats, EquipmentBytesNeverGoBelowZero) {
  role->equip[3] = charm;  // byte 242 is -5
  add_equip_bonus(role, 3);
  EXPECT_EQ(role->equip_byte_a, 0);
  role->equip[1] = armour;
  add_equip_bonus(role, 1);
  EXPECT_EQ(role->equip_byte_a, 3);
  del_equip_bonus(role, 1);
  del_equip_bonus(role, 1);
  EXPECT_EQ(role->equip_byte_a, 0);
}

TEST_F(PartyStats, RemovingEquipmentUndoesItsBonusesButNotTheWeaponAttack) {
  role->equip[0] = weapon;
  role->equip[3] = charm;
  add_equip_bonus(role, -1);
  del_equip_bonus(role, -1);
  EXPECT_EQ(role->stats[stat_attack], 0);
  EXPECT_EQ(role->stats[stat_speed], 0);
  EXPECT_EQ(role->stats[stat_magic_attack], 0);
  EXPECT_EQ(role->stats[stat_weapon_attack], 12);
  add_equip_bonus(role, 9);  // no such slot
  EXPECT_EQ(role->stats[stat_attack], 0);
}

TEST_F(PartyStats, TreasureGrowthRaisesMaximaButNotCurrentValues) {
  ASSERT_EQ(fame_add(treasure, 0, 0, 1), 1);
  FameNode* entry = fame_find(treasure, 1);
  const std::int16_t growth[8] = {100, 10, 20, 1, 2, 3, 4, 5};
  std::copy(std::begin(growth), std::end(growth), entry->bonus);
  role->hp = role->max_hp = 50;
  role->equip[4] = treasure;
  role->equip[5] = spare_treasure;  // no collection entry: nothing
  add_equip_bonus(role, -1);
  EXPECT_EQ(role->max_hp, 150);
  EXPECT_EQ(role->hp, 50);
  EXPECT_EQ(role->max_mp, 10);
  EXPECT_EQ(role->max_sp, 20);
  EXPECT_EQ(role->stats[stat_attack], 1);
  EXPECT_EQ(role->stats[stat_defence], 2);
  EXPECT_EQ(role->stats[stat_magic_attack], 3);
  EXPECT_EQ(role->stats[stat_magic_defence], 4);
  EXPECT_EQ(role->stats[stat_speed], 5);
  del_equip_bonus(role, 4);
  EXPECT_EQ(role->max_hp, 50);
  EXPECT_EQ(role->stats[stat_speed], 0);
}

TEST_F(PartyStats, TreasureLevelsRiseUpToTen) {
  gmRoleData[0].equip[4] = 0;  // an empty slot 4 does not skip slot 5
  gmRoleData[0].equip[5] = treasure;
  gmRoleData[1].equip[4] = spare_treasure;
  gmRoleData[2].equip[4] = unreadable;  // cannot be registered: passed over
  raise_treasure_levels(3);
  ASSERT_NE(fame_find(treasure, 1), nullptr);
  ASSERT_NE(fame_find(spare_treasure, 1), nullptr);
  EXPECT_EQ(fame_find(treasure, 1)->level, 4);  // registered at level 1, then raised
  EXPECT_EQ(fame_find(spare_treasure, 1)->level, 4);
  EXPECT_EQ(fame_find(unreadable, 1), nullptr);
  fame_find(treasure, 1)->exp = 33;
  raise_treasure_levels(6);
  const FameNode* top = fame_find(treasure, 1);
  EXPECT_EQ(top->level, 10);
  EXPECT_EQ(top->exp, 0);
  EXPECT_EQ(top->maxed, 1);
}

TEST_F(PartyStats, TheLevelFileIsReadOnceUntilClosed) {
  std::array<std::vector<LevelRow>, 4> other;
  other[0] = {{5, {}, 0, 999}};
  write("LEVEL.gll", level_gll(other));
  open_exp_data();
  EXPECT_EQ(get_level_exp(0, 5), 500u);
  close_exp_data();
  open_exp_data();
  EXPECT_EQ(get_level_exp(0, 5), 999u);
}

TEST_F(PartyStats, TablesWithoutEndRowsStopAtThePoolEnd) {
  std::array<std::vector<LevelRow>, 4> tables;
  tables[3] = {{1, {}, 0, 10}, {2, {}, 0, 20}};
  write("LEVEL.gll", level_gll(tables, false));
  close_exp_data();
  open_exp_data();
  EXPECT_EQ(get_level_exp(3, 2), 20u);
  EXPECT_EQ(get_level_exp(3, 3), 0u);
}

}  // namespace
