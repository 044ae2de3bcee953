// Residents, jobs and exiles: random sequences of operations keep every house's slots packed,
// counts true and jobs paired; and the edge cases of each operation.
#include "base/residents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "base/house_kinds.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

class Residents : public BaseTest {
 protected:
  static HouseRecord* dwelling(int kind = house_thatch) { return built_house(kind, 0, 0); }
};

// Every house: the occupied slots are one run from slot 0 as long as the count; every job is a
// pair of slots that name each other's houses. Exiles: packed from entry 1 and counted.
::testing::AssertionResult settlement_is_sound() {
  for (const auto& h : house_list) {
    if (h->resident_count < 0 || h->resident_count > h->capacity)
      return ::testing::AssertionFailure() << "house " << h->id << " count " << h->resident_count;
    for (int i = 0; i < h->capacity; ++i)
      if ((h->residents[i].monster != 0) != (i < h->resident_count))
        return ::testing::AssertionFailure() << "house " << h->id << " slot " << i << " breaks the run";
    for (int i = 0; i < h->resident_count; ++i) {
      const ResidentSlot& s = h->residents[i];
      const bool home = is_dwelling_kind(h->kind);
      if (!s.link) {
        if (!home) return ::testing::AssertionFailure() << "worker without a home in house " << h->id;
        continue;
      }
      const HouseRecord* other = find_house(s.link);
      if (!other || is_dwelling_kind(other->kind) == home)
        return ::testing::AssertionFailure() << "house " << h->id << " slot " << i << " links to " << int(s.link);
      auto pairs = [](const HouseRecord* a, const HouseRecord* b, std::uint16_t m) {
        int n = 0;
        for (int j = 0; j < a->resident_count; ++j) n += a->residents[j].monster == m && a->residents[j].link == b->id;
        return n;
      };
      if (pairs(h.get(), other, s.monster) != pairs(other, h.get(), s.monster))
        return ::testing::AssertionFailure() << "unpaired job of " << s.monster << " in house " << h->id;
    }
  }
  int count = 0;
  for (int i = 1; i < exile_entries; ++i) {
    if (ExileList[i] && i != count + 1) return ::testing::AssertionFailure() << "exile gap before entry " << i;
    count += ExileList[i] != 0;
  }
  if (count != exile_count()) return ::testing::AssertionFailure() << "exile count " << exile_count() << " of " << count;
  return ::testing::AssertionSuccess();
}

// Every monster of the settlement, residents and exiles.
std::multiset<std::uint16_t> population() {
  std::multiset<std::uint16_t> all;
  for (const auto& h : house_list)
    if (is_dwelling_kind(h->kind))
      for (int i = 0; i < h->resident_count; ++i) all.insert(h->residents[i].monster);
  for (int i = 1; i <= exile_count(); ++i) all.insert(ExileList[i]);
  return all;
}

TEST_F(Residents, RandomOperationsKeepTheSlotsPackedAndTheJobsPaired) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    reset_settlement();
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return n > 0 ? int(rng() % unsigned(n)) : 0; };
    dwelling(house_thatch);
    dwelling(house_timber);
    dwelling(house_brick);
    std::vector<HouseRecord*> work = {built_house(house_weapons_1, 3, 0), built_house(house_items_1, 6, 0),
                                      built_house(house_formation, 9, 0), built_house(house_formation, 9, 4),
                                      built_house(house_training, 9, 8)};
    work[2]->level = 3, work[2]->capacity = 3;
    std::multiset<std::uint16_t> expected;
    const std::uint16_t monsters[] = {wolf, bear, fox};
    for (int step = 0; step < 400; ++step) {
      std::vector<HouseRecord*> homes;
      for (const auto& h : house_list)
        if (is_dwelling_kind(h->kind)) homes.push_back(h.get());
      HouseRecord* d = homes[std::size_t(pick(int(homes.size())))];
      const int s = pick(d->capacity);
      const std::uint16_t m = monsters[pick(3)];
      switch (pick(9)) {
        case 0:
        case 1:
          if (add_resident(m)) expected.insert(m);
          break;
        case 2:
          if (del_resident(m)) expected.erase(expected.find(m));
          break;
        case 3: {
          HouseRecord* w = work[std::size_t(pick(int(work.size())))];
          int idle = 0, cap = 0, all = 0;
          population_count(&cap, &all, &idle);
          HouseRecord* home = nth_idle_resident(1 + pick(idle));
          if (home && w->resident_count < w->capacity) assign_worker(w, home, selected_slot);
          break;
        }
        case 4: {
          HouseRecord* w = work[std::size_t(pick(int(work.size())))];
          if (release_worker(w, 1 + pick(w->capacity + 1)) || true) compact_slots(w);
          break;
        }
        case 5: {
          const std::uint16_t was = d->residents[s].monster;
          if (expel_resident(d, s)) {
            compact_slots(d);
            if (add_exile(was) == 0) expected.erase(expected.find(was));
          }
          break;
        }
        case 6: {
          HouseRecord* e = homes[std::size_t(pick(int(homes.size())))];
          if (e != d) swap_residents(d, s, e, pick(e->capacity));
          break;
        }
        case 7:
          if (exile_count()) swap_with_exile(d, s, &ExileList[1 + pick(exile_count())]);
          else exiles_move_in();
          break;
        case 8: {
          HouseRecord* f = work[2 + std::size_t(pick(2))];
          const std::uint16_t guard = f->residents[0].monster;
          if (del_guard_resident(f == work[2] ? 0 : 1)) expected.erase(expected.find(guard));
          break;
        }
      }
      ASSERT_TRUE(settlement_is_sound()) << "seed " << seed << " step " << step;
      ASSERT_EQ(population(), expected) << "seed " << seed << " step " << step;
    }
    del_all_talkmsg();
  }
}

TEST_F(Residents, OnlyActivePlacedDwellingsTakeNewResidents) {
  HouseRecord* placing = add_house(house_brick, 0, 0, 0, 0);  // not placed yet
  EXPECT_EQ(has_free_resident_slot(), 0);
  EXPECT_EQ(add_resident(wolf), 0);
  EXPECT_EQ(placing->resident_count, 0);
  HouseRecord* d = dwelling();
  d->active = 0;
  EXPECT_EQ(has_free_resident_slot(), 0) << "a capture the add would refuse";
  d->active = 1;
  EXPECT_EQ(has_free_resident_slot(), 1);
  EXPECT_EQ(add_resident(0), 0) << "no empty monster";
  EXPECT_EQ(d->resident_count, 0);
  put(d, {wolf, bear, fox});
  EXPECT_EQ(has_free_resident_slot(), 0);
  EXPECT_EQ(add_resident(wolf), 0);
}

TEST_F(Residents, RemovingTheMiddleResidentMovesTheLastUp) {
  HouseRecord* d = dwelling();
  put(d, {wolf, bear, fox});
  EXPECT_EQ(del_resident(bear), 1);
  EXPECT_EQ(d->residents[1].monster, fox);
  EXPECT_EQ(d->residents[2].monster, 0);
  EXPECT_EQ(is_resident(fox), 1);
  EXPECT_EQ(is_resident(bear), 0);
  EXPECT_EQ(del_resident(0), 0);
}

TEST_F(Residents, TheSameMonsterInTwoDwellingsLeavesTheEarlierFirst) {
  HouseRecord* a = dwelling();
  HouseRecord* b = dwelling();
  put(b, {wolf});
  put(a, {fox, wolf});
  EXPECT_EQ(del_resident(wolf), 1);
  EXPECT_EQ(a->resident_count, 1);
  EXPECT_EQ(b->resident_count, 1);
}

TEST_F(Residents, AFallenMainGuardGivesWayToTheLastReserve) {
  HouseRecord* d = dwelling(house_brick);
  put(d, {wolf, bear, fox});
  HouseRecord* f = built_house(house_formation, 9, 0);
  f->level = 3, f->capacity = 3;
  for (int s = 0; s < 3; ++s) {
    assign_worker(f, d, s);
    set_formation_position(f, s, s + 1);
  }
  build_escort_data();
  EXPECT_EQ(escort_data[0].object_id, wolf);
  EXPECT_EQ(del_resident(wolf), 1);
  EXPECT_EQ(f->residents[0].monster, fox) << "the reserve in the highest slot";
  EXPECT_EQ(formation_position(f, 0), 1);
  EXPECT_EQ(f->residents[1].monster, bear);
  EXPECT_EQ(formation_position(f, 2), 0);
  EXPECT_EQ(f->resident_count, 2);
  EXPECT_EQ(escort_data[0].object_id, fox) << "the escort records follow";
  EXPECT_TRUE(settlement_is_sound());
}

TEST_F(Residents, TheGuardRecordNumberNamesTheFormationHouseInListOrder) {
  HouseRecord* d = dwelling(house_timber);
  put(d, {wolf, bear});
  HouseRecord* first = built_house(house_formation, 9, 0);
  HouseRecord* second = built_house(house_formation, 9, 4);
  first->label = 1;  // labels out of step with the list order
  second->label = 0;
  assign_worker(first, d, 0);
  assign_worker(second, d, 1);
  build_escort_data();
  EXPECT_EQ(escort_data[1].object_id, bear);
  EXPECT_EQ(del_guard_resident(1), 1);
  EXPECT_EQ(second->resident_count, 0);
  EXPECT_EQ(first->resident_count, 1);
  EXPECT_EQ(is_resident(bear), 0) << "the guard leaves the base";
  EXPECT_EQ(is_resident(wolf), 1);
  EXPECT_EQ(escort_data[1].object_id, 0);
  EXPECT_EQ(del_guard_resident(2), 0);
  EXPECT_EQ(del_guard_resident(-1), 0);
  first->residents[0].link = 0;  // a guard without a home
  EXPECT_EQ(del_guard_resident(0), 0);
  EXPECT_EQ(first->resident_count, 1);
}

TEST_F(Residents, ReservesLendAQuarterOfTheirStrengthToTheEscort) {
  HouseRecord* d = dwelling(house_timber);
  put(d, {wolf, bear, fox});
  HouseRecord* f = built_house(house_formation, 9, 0);
  f->capacity = 3;
  for (int s = 0; s < 3; ++s) assign_worker(f, d, s);
  build_escort_data();
  ItemData w{}, b{}, x{};
  read_monster(wolf, &w);
  read_monster(bear, &b);
  read_monster(fox, &x);
  EXPECT_EQ(escort_data[0].max_hp, w.max_hp + b.max_hp / 4 + x.max_hp / 4);
  EXPECT_EQ(escort_data[0].stats[combat_attack], std::uint16_t(w.stats[combat_attack] + b.stats[combat_attack] / 4 +
                                                                x.stats[combat_attack] / 4));
  EXPECT_EQ(escort_data[0].stats[combat_ave], w.stats[combat_speed]);
  EXPECT_EQ(escort_data[0].hp, w.hp) << "the current values stay the guard's";
  EXPECT_EQ(escort_scratch[0].house_id, f->id);
}

TEST_F(Residents, SwappingAWorkerCarriesItsJobAlong) {
  HouseRecord* a = dwelling();
  HouseRecord* b = dwelling();
  put(a, {wolf});
  put(b, {bear});
  HouseRecord* w = built_house(house_weapons_1, 3, 0);
  assign_worker(w, a, 0);
  EXPECT_EQ(swap_residents(a, 0, b, 0), 1);
  EXPECT_EQ(b->residents[0].monster, wolf);
  EXPECT_EQ(b->residents[0].link, w->id);
  EXPECT_EQ(w->residents[0].link, b->id);
  EXPECT_EQ(a->residents[0].link, 0);
  EXPECT_EQ(swap_residents(a, 0, b, 1), 0) << "an empty slot";
  EXPECT_TRUE(settlement_is_sound());
}

TEST_F(Residents, AWorkerSwappedWithAnExileLeavesItsJob) {
  HouseRecord* d = dwelling();
  put(d, {wolf});
  HouseRecord* w = built_house(house_weapons_1, 3, 0);
  assign_worker(w, d, 0);
  ASSERT_EQ(add_exile(bear), 1);
  EXPECT_EQ(swap_with_exile(d, 0, &ExileList[1]), 1);
  EXPECT_EQ(d->residents[0].monster, bear);
  EXPECT_EQ(d->residents[0].link, 0);
  EXPECT_EQ(w->resident_count, 0);
  EXPECT_EQ(ExileList[1], wolf);
  EXPECT_EQ(exile_count(), 1);
  EXPECT_TRUE(settlement_is_sound());
}

TEST_F(Residents, StoryCharactersRefuseToBeExpelledOrExiled) {
  HouseRecord* d = dwelling();
  put(d, {story_monster});
  add_exile(bear);
  EXPECT_EQ(expel_resident(d, 0), 0);
  EXPECT_EQ(swap_with_exile(d, 0, &ExileList[1]), 0);
  EXPECT_EQ(d->residents[0].monster, story_monster);
  // 劇情角色無法刪除!%Q, 劇情角色無法流放!%Q
  EXPECT_EQ(boxes(), (std::vector<std::string>{"\xBC\x40\xB1\xA1\xA8\xA4\xA6\xE2\xB5\x4C\xAA\x6B\xA7\x52\xB0\xA3!%Q",
                                                "\xBC\x40\xB1\xA1\xA8\xA4\xA6\xE2\xB5\x4C\xAA\x6B\xAC\x79\xA9\xF1!%Q"}));
  EXPECT_EQ(del_resident(story_monster), 1) << "scripts remove them like any other";
}

TEST_F(Residents, ReleasingAWorkerOutsideTheSlotsChangesNothing) {
  HouseRecord* d = dwelling();
  put(d, {wolf});
  HouseRecord* w = built_house(house_weapons_1, 3, 0);
  assign_worker(w, d, 0);
  EXPECT_EQ(release_worker(w, 0), 0);
  EXPECT_EQ(release_worker(w, 6), 0);
  EXPECT_EQ(release_worker(w, 2), 0) << "an empty slot";
  EXPECT_EQ(w->resident_count, 1);
  EXPECT_EQ(release_worker(w, 1), 1);
  EXPECT_EQ(d->residents[0].link, 0);
  EXPECT_EQ(w->resident_count, 0);
}

TEST_F(Residents, TheExileListHolds255) {
  for (int i = 0; i < 254; ++i) ASSERT_EQ(add_exile(wolf), 1);
  EXPECT_EQ(add_exile(bear), 1);
  EXPECT_EQ(ExileList[255], bear);
  EXPECT_EQ(add_exile(fox), 0);
  ASSERT_EQ(boxes().size(), 1u);  // 流放居民過多，請重新做調整!%Q
  EXPECT_EQ(boxes()[0], "\xAC\x79\xA9\xF1\xA9\x7E\xA5\xC1\xB9\x4C\xA6\x68\xA1\x41\xBD\xD0\xAD\xAB\xB7\x73\xB0\xB5"
                        "\xBD\xD5\xBE\xE3!%Q");
  EXPECT_EQ(add_exile(0), 0);
  remove_exile(300);
  remove_exile(0);
  EXPECT_EQ(exile_count(), 255);
  remove_exile(3);
  remove_exile(3);
  EXPECT_EQ(exile_count(), 254) << "an empty entry counts nothing";
  compact_exiles();
  EXPECT_EQ(ExileList[254], bear);
  EXPECT_EQ(ExileList[255], 0);
}

TEST_F(Residents, ExilesMoveInFromTheFrontUntilOneFindsNoRoom) {
  for (bool notice : {false, true}) {
    reset_settlement();
    del_all_talkmsg();
    HouseRecord* d = dwelling();
    put(d, {fox});
    const std::uint16_t exiles[] = {wolf, bear, fox, wolf, bear};
    for (std::uint16_t m : exiles) add_exile(m);
    exile_refill_notice = notice;
    exiles_move_in();
    EXPECT_EQ(d->resident_count, 3);
    EXPECT_EQ(d->residents[1].monster, wolf);
    EXPECT_EQ(d->residents[2].monster, bear);
    EXPECT_EQ(exile_count(), 3);
    EXPECT_EQ(ExileList[1], fox);
    EXPECT_EQ(ExileList[3], bear);
    EXPECT_EQ(ExileList[4], 0);
    // 原位由 %C9wolf%C0 遞補%Q; %C9n%C0 名流放居民進住%Q
    const std::string moved = " \xA6W\xAC\x79\xA9\xF1\xA9~\xA5\xC1\xB6i\xA6\xED%Q";
    if (notice)
      EXPECT_EQ(boxes(), (std::vector<std::string>{"\xAD\xEC\xA6\xEC\xA5\xD1 %C9wolf%C0 \xBB\xBC\xB8\xC9%Q",
                                                    "%C91%C0" + moved}));
    else
      EXPECT_EQ(boxes(), (std::vector<std::string>{"%C92%C0" + moved}));
    EXPECT_EQ(exile_refill_notice, 0);
  }
}

}  // namespace
