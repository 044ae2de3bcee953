// The base camp frame: the yaw's arc, the kind unlocks, the founding of a settlement, the
// ground probe, entering and leaving with and without exiles.
#include "base/base_camp.h"

#include <gtest/gtest.h>

#include "base/base_numbers.h"
#include "base/base_top_menu.h"
#include "base/house_kinds.h"
#include "base/residents.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "g3d/wld_loader.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

class BaseCamp : public BaseTest {
 protected:
  ~BaseCamp() override {
    g3d_wld_free(&base_world);
    base_sub_mode = top_menu_page = top_menu_cursor = 0;
    GameMode = SavedGameMode = mode_field;
  }
  void press(KeyCode k) {
    now_ += 200;
    grp_input.update_key(now_, k, 0);
    now_ += 200;
    grp_input.update_key(now_, k, 1);
    input_base_camp();
    grp_input.update_key(now_ + 1, k, 0);
  }
  // A world whose one collision cell (of two) holds two floors, at y 100 and 200.
  static void floors() {
    g3d_wld_free(&base_world);
    auto grid = std::make_unique<CollArray>();
    grid->nx = 2, grid->nz = 1;
    grid->cell[0] = grid->cell[2] = 1000;
    grid->lpColl = {{2, 0, 0}, {0, 0, 2}};
    grid->lpTotFaceList = {0, 1};
    grid->face_total = 2;
    base_world.lpCollArray = std::move(grid);
    for (float y : {100.0f, 200.0f})
      base_world.Mask.lpCollTri.push_back({{0, y, 0}, {0, y, 1000}, {1000, y, 0}, {0, 1, 0}, y});
  }
  std::uint32_t now_ = 1000;
};

TEST_F(BaseCamp, TheYawNeverRestsBetween110And290) {
  const struct { float yaw, delta, result; } cases[] = {
      {109, 1, 110}, {110, 1, 110}, {110, 4, 110}, {291, -1, 290}, {290, -4, 290},
      {359, 1, 0}, {0, -1, 359}, {2, -4, 358}, {108, 4, 110}, {292, -4, 290},
  };
  for (const auto& c : cases) EXPECT_EQ(turn_base_yaw(c.yaw, c.delta), c.result) << c.yaw << " " << c.delta;
}

TEST_F(BaseCamp, FlagsUnlockTheirKinds) {
  const int kinds[] = {3, 5, 6, 8, 9, 11, 12, 13, 14, 15, 16, 17};
  for (int i = 0; i < 12; ++i) {
    for (int& k : kind_unlocked) k = 0;
    set_flag(flag_kind_unlock_first + i);
    update_kind_unlocks();
    for (int k = 1; k <= 17; ++k) EXPECT_EQ(kind_unlocked[k - 1], k == kinds[i]) << "flag " << 50 + i << " kind " << k;
    clear_flag(flag_kind_unlock_first + i);
  }
}

TEST_F(BaseCamp, ANewSettlementHasItsDwellingAndFirstResident) {
  init_base_map();
  ASSERT_EQ(house_list.size(), 1u);
  const HouseRecord& h = *house_list[0];
  EXPECT_EQ(h.id, 1);
  EXPECT_EQ(h.act.act, 9901);
  EXPECT_EQ(h.grid_row, 5);
  EXPECT_EQ(h.grid_col, 5);
  EXPECT_EQ(h.residents[0].monster, default_resident);
  EXPECT_EQ(h.resident_count, 1);
  EXPECT_EQ(BuildGrid[75], cell_taken);
  EXPECT_EQ(BuildGrid[76], cell_taken);
  EXPECT_EQ(BuildGrid[0], cell_blocked) << "no ground under it";
}

TEST_F(BaseCamp, SavedHousesAreNeitherFoundedAgainNorProbed) {
  built_house(house_weapons_1, 0, 0);
  BuildGrid[100] = cell_free;
  init_base_map();
  EXPECT_EQ(house_list.size(), 1u);
  EXPECT_EQ(BuildGrid[100], cell_free);
  EXPECT_EQ(BuildGrid[0], cell_taken);
}

TEST_F(BaseCamp, TheGroundProbeKeepsTheHighestHit) {
  floors();
  G3dVector p{500, 350, 300, 0};
  EXPECT_EQ(probe_base_ground(&p, 0, 350, 0), 1);
  EXPECT_EQ(p.y, 200.0f);
  const struct { float x, z; } misses[] = {{-1, 300}, {500, -1}, {2500, 300}, {500, 1500}, {1500, 300}};
  for (const auto& m : misses) {
    G3dVector q{m.x, 350, m.z, 0};
    EXPECT_EQ(probe_base_ground(&q, 0, 350, 0), 0) << m.x << "," << m.z;
    EXPECT_EQ(q.y, 350.0f);
  }
  G3dVector low{500, 0, 300, 0};
  EXPECT_EQ(probe_base_ground(&low, 0, 150, 0), 1) << "from 150 down only the lower floor";
  EXPECT_EQ(low.y, 100.0f);
}

TEST_F(BaseCamp, EscapeLeavesAtOnceOrAsksWhileExilesWait) {
  for (bool exiles : {false, true}) {
    SavedGameMode = mode_menu;
    GameMode = mode_base_camp;
    enter_base_camp();
    if (exiles) add_exile(wolf);
    press(key_escape);
    if (exiles) {
      EXPECT_EQ(GameMode, mode_base_camp);
      EXPECT_EQ(base_sub_mode, base_leave_confirm);
      EXPECT_EQ(leave_choice, 1) << "stay is chosen";
      press(key_enter);
      EXPECT_EQ(base_sub_mode, base_overview) << "Enter right away stays";
      EXPECT_EQ(GameMode, mode_base_camp);
      leave_base_camp();
    }
    EXPECT_EQ(GameMode, mode_menu);
    EXPECT_EQ(exile_count(), 0) << "exiles are lost on leaving";
    EXPECT_EQ(top_menu_cursor, 0);
  }
}

TEST_F(BaseCamp, EnteringSetsTheBaseUp) {
  set_flag(flag_kind_unlock_first);
  add_exile(wolf);
  GameMode = mode_base_camp;
  enter_base_camp();
  EXPECT_TRUE(test_flag(flag_base_visited));
  EXPECT_EQ(exile_count(), 0);
  const int unlocked[] = {1, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  for (int k = 0; k < 17; ++k) EXPECT_EQ(kind_unlocked[k], unlocked[k]) << "kind " << k + 1 << ": entry kinds only";
  EXPECT_EQ(base_view.pitch, 18.0f);
  EXPECT_EQ(base_view.yaw, 34.0f);
  EXPECT_EQ(base_view.distance, 8000.0f);
  leave_base_camp();
  clear_flag(flag_kind_unlock_first);
  clear_flag(flag_base_visited);
}

}  // namespace
