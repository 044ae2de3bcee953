// The battle HUD's talisman gauge (gains by side and element, the spill after landing, the full
// gauge, the clearing talisman), the party panels' bars and the monster data panel's texts.
#include <cstring>
#include <string>

#include "battle/fight_hud.h"
#include "battle/monster_panel.h"
#include "tests/battle/battle_test.h"

namespace {
using namespace battle_test;

class Hud : public BattleTest {
 protected:
  Hud() { fight_hud_reset(); }
  ~Hud() override { fight_hud_reset(); }
  // A gauge holding count talismans of element for side, settled.
  static void hold(int side, int element, int count) {
    fight_hud_reset();
    if (count == 0) return;
    talisman_gain(std::uint16_t(side), std::uint8_t(element), std::uint8_t(count));
    talisman_land();
  }
};

TEST_F(Hud, TalismansSettleByOwnerAndElementWhenTheyLand) {
  struct Case {
    int side, element, count;           // the gauge before
    int gain_side, gain_element, gain;  // the talismans gained
    int after_count, after_element, after_side;
  } cases[] = {
      {0, 0, 0, 1, 1, 2, 2, 1, 1},  // onto an empty gauge
      {1, 1, 2, 1, 1, 1, 3, 1, 1},  // the owner adds more of its element
      {1, 1, 2, 2, 2, 3, 1, 2, 2},  // more of another element: the rest takes the gauge
      {1, 1, 3, 2, 2, 1, 2, 1, 1},  // fewer of another element: the owner keeps the rest
      {1, 1, 2, 2, 2, 2, 0, 0, 1},  // as many: nothing is left
      {1, 1, 3, 1, 2, 1, 1, 2, 1},  // the owner's new element replaces its old
      {1, 1, 2, 2, 1, 2, 3, 1, 2},  // the other side's talismans of the same element join
      {1, 1, 2, 2, 0, 1, 0, 0, 0},  // a clearing talisman empties the gauge
  };
  for (const Case& c : cases) {
    hold(c.side, c.element, c.count);
    talisman_gain(std::uint16_t(c.gain_side), std::uint8_t(c.gain_element), std::uint8_t(c.gain));
    EXPECT_EQ(talisman_gauge.animating, 1);
    talisman_land();
    const std::string at = std::to_string(c.count) + "x" + std::to_string(c.element) + " + " + std::to_string(c.gain) +
                           "x" + std::to_string(c.gain_element);
    EXPECT_EQ(talisman_count, c.after_count) << at;
    EXPECT_EQ(talisman_element, c.after_element) << at;
    EXPECT_EQ(talisman_gauge.side, c.after_side) << at;
    for (int i = 0; i < talisman_count; ++i) {
      EXPECT_EQ(talisman_gauge.slots[i].element, c.after_element) << at << " slot " << i;
      EXPECT_EQ(talisman_gauge.slots[i].y, 4 + 4 * i) << at << " slot " << i;
    }
  }
}

TEST_F(Hud, AFullGaugeTakesNoMoreOfItsOwnersElement) {
  hold(1, 1, 3);
  talisman_gain(1, 1, 1, 100, 100);
  EXPECT_EQ(talisman_gauge.animating, 0) << "no talisman flies";
  EXPECT_EQ(talisman_count, 3);
  EXPECT_EQ(talisman_element, 1);
}

TEST_F(Hud, TheNewTopSlotTakesTheElementAndFliesFromThePoint) {
  talisman_gain(1, 1, 2, 300, 200);
  EXPECT_EQ(talisman_count, 2);
  EXPECT_EQ(talisman_gauge.slots[1].element, 1);
  int frames = 0;
  while (talisman_gauge.animating && frames < 500) {
    draw_talisman_gauge();
    ++frames;
  }
  EXPECT_EQ(talisman_gauge.animating, 0) << "the flight lands";
  EXPECT_GT(frames, 1) << "it flies before it lands";
  EXPECT_EQ(talisman_count, 2);
}

TEST_F(Hud, ClearingEmptiesTheWholeGauge) {
  hold(2, 3, 2);
  talisman_gain(1, 1, 1);
  talisman_clear();
  EXPECT_EQ(talisman_count, 0);
  EXPECT_EQ(talisman_element, 0);
  EXPECT_EQ(talisman_gauge.side, 0);
  EXPECT_EQ(talisman_gauge.animating, 0);
  EXPECT_EQ(talisman_gauge.spill_count, 0);
}

TEST_F(Hud, PartyBarsFillByTheirShareAndAreEmptyWithoutAMaximum) {
  struct Case {
    int row, value, maximum, width;
  } cases[] = {
      {0, 50, 100, 41},  // HP: 82 pixels long
      {1, 20, 40, 42},   // MP and SP: 84
      {2, 30, 30, 84},
      {0, 150, 100, 82},  // over the maximum: full, no further
      {0, 50, 0, 0},      // no maximum: empty, not a division by zero
      {1, 5, 0, 0},
      {2, -5, 10, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(hud_bar_width(c.row, c.value, c.maximum), c.width) << c.row << ": " << c.value << "/" << c.maximum;
}

TEST_F(Hud, TheMonsterPanelShowsLiveValuesOrHidesEveryOne) {
  ItemData rec{};
  std::strcpy(rec.NAME, "slime");
  rec.level = 7;
  rec.hp = 40, rec.max_hp = 90;
  rec.mp = 5, rec.max_mp = 6;
  rec.sp = 1, rec.max_sp = 2;
  rec.stats[combat_attack] = std::uint16_t(-3);
  rec.stats[11] = 0x1FE;  // the speed byte is the low one
  rec.stats[combat_value_14] = 12;
  MonsterPanelRow rows[monster_panel_rows];
  monster_panel_texts(rec, 1, rows);
  const char* shown[] = {"slime", "7", "40/90", "5/6", "1/2", "-3", "0", "254", "0", "0", "12"};
  for (int r = 0; r < monster_panel_rows; ++r) EXPECT_STREQ(rows[r].value, shown[r]) << r;
  rec.hp = 10;
  monster_panel_texts(rec, 1, rows);
  EXPECT_STREQ(rows[2].value, "10/90");
  monster_panel_texts(rec, 0, rows);
  for (int r = 0; r < monster_panel_rows; ++r) {
    EXPECT_STREQ(rows[r].value, "??????") << r;
    EXPECT_NE(rows[r].label, nullptr);
  }
}

}  // namespace
