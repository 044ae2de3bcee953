// Called guardians: one and two joining in the next party slots (beside the pet too), a fallen
// guardian that leaves the base and gives its slot back to the formation, the slots given up once
// every guest is out, the dismissal, the guest counts beside the pet, and the survivors' way back
// to the formation at the battle's end.
#include "base/escort.h"
#include "base/house_kinds.h"
#include "base/house_table.h"
#include "base/houses.h"
#include "base/residents.h"
#include "battle/atk_script.h"
#include "battle/fight.h"
#include "battle/fight_guardians.h"
#include "battle/fight_menu.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/party.h"
#include "tests/battle/battle_test.h"
#include "ui/talk_msg.h"
#include "tests/fixtures/base_kit.h"
#include "tests/fixtures/battlefield_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/script_assembler.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using namespace battle_test;
using namespace fixtures;

constexpr std::uint16_t hero = 1, slime = 2, sword = 3, wolf = 4, bear = 5, fox = 6;
constexpr std::uint16_t wolf_action = 77;

class Guardians : public BattleTest {
 protected:
  Guardians() {
    game_dir = dir.str();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    init_fight_field((dir.str() + "\\ACT").c_str());
    std::vector<ObjectRecord> objects = {
        ObjectRecord().name("hero"),
        ObjectRecord().name("slime").kind(110).level(1).growth({10, 10, 10, 10, 10, 10, 10, 10}),
        ObjectRecord().name("sword").tag(tag_atk_script, {op16(1)}),
        ObjectRecord().name("wolf").kind(111).level(3).growth({10, 10, 10, 10, 10, 10, 10, 10})
            .tag(tag_ai_actions, {op16(wolf_action), op16(0), op16(0), op16(0), op16(0)}),
        ObjectRecord().name("bear").kind(111).level(5).growth({10, 10, 10, 10, 10, 10, 10, 10}),
        ObjectRecord().name("fox").kind(112).level(1).growth({10, 10, 10, 10, 10, 10, 10, 10}),
    };
    add_house_objects(objects, 0, 0, 0, 0);
    install_item_data(objdata_gll(objects));
    install_atk_data(atk_gll_image({{1, assemble_atk("hit; end")}, {2, assemble_atk("dismiss_guardians; end")}}));
    build_house_table();
    free_all_houses();
    for (int i = 0; i < 4; ++i) gmRoleData[i] = RoleData{};
    for (int flag : {flag_member_0, flag_member_1, flag_member_2, flag_pet, flag_battle}) clear_flag(flag);
    pet_monster = slime;
    GameMode = mode_field;
    kit::BattlefieldSpec spec;
    spec.world_act = 7;
    spec.enemies.push_back({slime, 0, 0, 300, 0, 0});
    const auto bytes = kit::battlefield_dat({spec}, 1);
    dir.write("ACT/Battlefield.dat", std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    formation();
  }
  ~Guardians() override {
    if (test_flag(flag_battle)) fight_end();
    free_fight_atk_data();
    free_all_houses();
    for (ItemData& e : escort_data) e = ItemData{};
    guardians_called[0] = guardians_called[1] = 0;
    pet_monster = 0;
    fight_menu_reset();
    del_all_talkmsg();
    install_item_data({});
    for (int i = 0; i < 4; ++i) gmRoleData[i] = RoleData{};
    for (int flag : {flag_member_0, flag_member_1, flag_member_2, flag_pet}) clear_flag(flag);
    GameMode = mode_field;
  }
  static HouseRecord* house(int kind, int capacity) {
    HouseRecord* h = add_house(kind, 0, 0, 0, 0);
    h->placed = h->built = h->active = 1;
    h->capacity = capacity;
    return h;
  }
  // Wolf guards the first formation with the fox in reserve, the bear guards the second.
  static void formation() {
    HouseRecord* home = house(house_thatch, 4);
    for (std::uint16_t m : {wolf, bear, fox}) home->residents[home->resident_count++].monster = m;
    HouseRecord* first = house(house_formation, 2);
    HouseRecord* second = house(house_formation, 1);
    assign_worker(first, home, 0);
    assign_worker(second, home, 1);
    assign_worker(first, home, 2);
    build_escort_data();
  }
  // The hero (and the pet) against one slime.
  static void start(bool pet) {
    RoleData& r = gmRoleData[0];
    r.object_id = hero;
    r.hp = r.max_hp = 100;
    r.stats[stat_level] = 1;
    r.stats[stat_speed] = 10;
    r.equip[0] = sword;
    set_flag(party_member_flags[0]);
    if (pet) set_flag(flag_pet);
    ASSERT_EQ(SFLB_Call_Fight(1), 1);
  }
  // The hero calls the guardian of formation slot g from the panel; the battle runs until the
  // call's turn has closed. The units are drawn each frame, which steps their fades.
  static void call(int g) {
    gmFightMan[0].SetTurnDone(0);  // as the turn's start leaves it
    fight_open_menu(0);
    fight_menu_state = menu_guardians;
    guardian_count = 2;
    guardian_cursor = g;
    fight_cmd_confirm();
    ASSERT_EQ(gmFightMan[0].GetState(), 8) << "escort " << escort_data[g].object_id << " menu " << fight_menu_state;
    for (int f = 0; f < 200 && ActMan >= 0; ++f) {
      fight_update();
      for (int i = 0; i < fight_unit_count; ++i) gmFightMan[fight_unit_list[i]].Draw();
    }
    ASSERT_LT(ActMan, 0) << "the call's turn ends";
  }
  static void fell(int k) {
    gmFightMan[k].SetDead(1);
    fight_unit_fell(&gmFightMan[k]);
  }
  static std::vector<int> unit_list() { return {fight_unit_list, fight_unit_list + fight_unit_count}; }

  TempFolder dir{true};
};

TEST_F(Guardians, OneAndTwoGuardiansJoinInTheNextPartySlots) {
  struct Case {
    bool pet;
    int first_slot;
  } cases[] = {{false, 1}, {true, 2}};
  for (const Case& c : cases) {
    formation();
    start(c.pet);
    const int party = c.pet ? 2 : 1;
    call(0);
    FightMan& g = gmFightMan[c.first_slot];
    EXPECT_EQ(g.IsGuest(), 1);
    EXPECT_EQ(g.IsPet(), 0);
    EXPECT_EQ(g.act, wolf);
    EXPECT_EQ(g.GetSummonSlot(), 0);
    EXPECT_EQ(g.pos.x, 100.0f);
    EXPECT_EQ(g.pos.z, -250.0f);
    EXPECT_EQ(g.rot_y, 180.0f);
    EXPECT_EQ(g.fade_out, 1) << "faded in, then out until it acts";
    EXPECT_EQ(fight_ally_count, party + 1);
    EXPECT_EQ(fight_guest_count, party);
    EXPECT_EQ(unit_list().back(), c.first_slot) << "appended after the enemies";
    EXPECT_EQ(guardians_called[0], wolf);
    EXPECT_EQ(escort_data[0].object_id, 0);
    call(1);
    FightMan& h = gmFightMan[c.first_slot + 1];
    EXPECT_EQ(h.act, bear);
    EXPECT_EQ(h.GetSummonSlot(), 1);
    EXPECT_EQ(h.pos.x, -100.0f) << "the second guardian's spot";
    EXPECT_EQ(fight_ally_count, party + 2);
    EXPECT_EQ(fight_guest_count, party + 1);
    EXPECT_EQ(fight_unit_count, party + 3);
    fight_end();
    free_all_houses();
    for (int flag : {flag_member_0, flag_pet}) clear_flag(flag);
  }
}

TEST_F(Guardians, AFallenGuardianLeavesTheBaseAndItsSlotCallsTheNextGuard) {
  start(false);
  call(0);
  call(1);
  fell(1);
  EXPECT_EQ(is_resident(wolf), 0) << "the guard leaves the base for good";
  EXPECT_EQ(is_resident(bear), 1);
  EXPECT_EQ(guardians_called[0], 0);
  EXPECT_EQ(escort_data[0].object_id, fox) << "the reserve stands in the given-back slot";
  EXPECT_EQ(escort_data[1].object_id, 0) << "still called: empty until the end";
  EXPECT_EQ(fight_guardians_fallen, 1);
  EXPECT_EQ(fight_ally_count, 3) << "a guest stands: the slots are kept";
  call(0);
  EXPECT_EQ(gmFightMan[1].act, fox) << "the fallen guardian's slot";
  EXPECT_EQ(gmFightMan[1].IsDead(), 0);
  EXPECT_EQ(gmFightMan[1].pos.x, 100.0f);
  EXPECT_EQ(fight_guardians_fallen, 0);
  EXPECT_EQ(fight_ally_count, 3);
  EXPECT_EQ(fight_guest_count, 2);
  EXPECT_EQ(fight_unit_count, 4);
  fell(2);
  ActMan = 1;  // the fox falls in its own action
  gmFightMan[1].SetTurnDone(0);
  fell(1);
  EXPECT_EQ(gmFightMan[1].IsTurnDone(), 1) << "out of the scans, its turn ends here";
  ActMan = -1;
  EXPECT_EQ(fight_ally_count, 1) << "every guest out: the slots are given up";
  EXPECT_EQ(fight_guest_count, 0);
  EXPECT_EQ(fight_guardians_fallen, 0);
  EXPECT_EQ(unit_list(), (std::vector<int>{0, 6}));
  EXPECT_EQ(is_resident(bear), 0);
  EXPECT_EQ(fight_fallen_count, 0) << "guardians are no party characters";
}

TEST_F(Guardians, DismissedGuardiansLeaveAndTheStandingOnesGoBackToTheirSlots) {
  for (bool pet : {false, true}) {
    formation();
    start(pet);
    const int party = pet ? 2 : 1;
    call(0);
    call(1);
    fell(party + 1);  // the bear
    ASSERT_EQ(fight_guardians_fallen, 1);
    fight_atk_start(2, &gmFightMan[0], nullptr, 0);
    for (int f = 0; f < 5; ++f) fight_atk_run();
    EXPECT_EQ(escort_data[0].object_id, wolf) << pet;
    EXPECT_EQ(guardians_called[0], 0);
    EXPECT_EQ(escort_data[1].object_id, 0) << "the bear fell";
    EXPECT_EQ(fight_ally_count, party);
    EXPECT_EQ(fight_guest_count, party - 1) << "the pet stays a guest";
    EXPECT_EQ(fight_guardians_fallen, 0);
    EXPECT_EQ(fight_unit_count, party + 1);
    EXPECT_EQ(gmFightMan[party].IsGuest(), 0) << "reset";
    fight_end();
    free_all_houses();
    for (int flag : {flag_member_0, flag_pet}) clear_flag(flag);
  }
}

TEST_F(Guardians, TheGuestCountsLeaveOnlyThePartyCharactersForDefeatAndEscape) {
  // The pet falls first: the guardian goes on counting as a guest.
  start(true);
  call(0);
  ASSERT_EQ(fight_guest_count, 2);
  fell(1);
  EXPECT_EQ(fight_fallen_count, 1);
  EXPECT_EQ(fight_guest_count, 1);
  EXPECT_EQ(fight_ally_count - fight_fallen_count - fight_guest_count, 1) << "one character stands";
  fight_flags |= fight_turn_ended;
  fight_check_result();
  EXPECT_FALSE(fight_flags & fight_defeat);
  fell(0);
  fight_flags |= fight_turn_ended;
  fight_check_result();
  EXPECT_TRUE(fight_flags & fight_defeat);
  fight_end();
  clear_flag(flag_pet);

  // The guardian falls first: its slot waits while the pet counts, and goes with the pet.
  formation();
  start(true);
  call(0);
  fell(2);
  EXPECT_EQ(fight_ally_count, 3);
  EXPECT_EQ(fight_guest_count, 2);
  fell(1);
  EXPECT_EQ(fight_ally_count, 2);
  EXPECT_EQ(fight_guest_count, 0);
  EXPECT_EQ(fight_fallen_count, 1);
  EXPECT_EQ(unit_list(), (std::vector<int>{0, 1, 6}));
  fight_flags |= fight_turn_ended;
  fight_check_result();
  EXPECT_FALSE(fight_flags & fight_defeat) << "the hero stands";
}

TEST_F(Guardians, TheBattlesEndSendsTheSurvivorsBackWithFullHp) {
  start(false);
  call(0);
  call(1);
  fell(2);  // the bear leaves the base
  escort_data[0].hp = 5;
  escort_data[0].ai_actions[0] = 999;
  fight_end();
  EXPECT_EQ(escort_data[0].object_id, wolf);
  EXPECT_EQ(escort_data[0].hp, escort_data[0].max_hp);
  EXPECT_GT(escort_data[0].max_hp, 0);
  EXPECT_EQ(escort_data[0].ai_actions[0], wolf_action) << "the actions come from its own record";
  EXPECT_EQ(escort_data[1].object_id, 0) << "the second formation lost its only guard";
  EXPECT_EQ(guardians_called[0], 0);
  EXPECT_EQ(guardians_called[1], 0);
}

}  // namespace
