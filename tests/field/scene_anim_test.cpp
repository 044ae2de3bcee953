// Scene animations: arrival, delays, fades, following roles, retiring and the talk's waits.
#include "field/scene_anim.h"

#include <gtest/gtest.h>

#include "core/frame_timer.h"
#include "data/map_role.h"
#include "field/map_file.h"

namespace {

class SceneAnims : public ::testing::Test {
 protected:
  ~SceneAnims() override { del_all_ani(); }
  // A node that is moved only: no animation script and no drawing.
  static AniNode node(std::uint16_t act, std::uint16_t qq, std::uint32_t flags = ani_moved_only) {
    AniNode n;
    n.instance.act = act;
    n.instance.qq = qq;
    n.flags = flags;
    return n;
  }
  static int count() {
    int n = 0;
    for (AniNode* a = gmAni.next; a; a = a->next) ++n;
    return n;
  }
};

TEST_F(SceneAnims, NodesArriveAndRetireByTheirFlags) {
  struct Case {
    const char* what;
    std::uint32_t flags;
    float target_x, speed;
    int frames, left;
  } cases[] = {
      {"at its target with 0x1: removed in the first frame", ani_moved_only | ani_counts_ended, 0, 5, 1, 0},
      {"at its target with 0x8: removed in the first frame", ani_moved_only | ani_remove_arrived, 0, 5, 1, 0},
      {"at its target without either: stays", ani_moved_only, 0, 5, 3, 1},
      {"12 away at speed 5: arrives in the third frame", ani_moved_only | ani_remove_arrived, 12, 5, 2, 1},
      {"12 away at speed 5, three frames", ani_moved_only | ani_remove_arrived, 12, 5, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AniNode n = node(1, 1, c.flags);
    n.target_x = c.target_x;
    n.speed = c.speed;
    add_ani(&n);
    for (int i = 0; i < c.frames; ++i) play_ani();
    EXPECT_EQ(count(), c.left);
    del_all_ani();
  }
}

TEST_F(SceneAnims, ADelayedNodeWaitsForItsTime) {
  game_clock = 1000;
  AniNode n = node(1, 1, ani_moved_only | ani_delayed);
  n.start_time = 1000;
  n.delay = 500;
  n.target_x = 100;
  n.speed = 10;
  add_ani(&n);
  play_ani();
  EXPECT_EQ(gmAni.next->x, 0);
  game_clock = 1500;
  play_ani();
  EXPECT_FALSE(gmAni.next->flags & ani_delayed);
  EXPECT_EQ(gmAni.next->x, 0) << "the frame the delay ends does nothing more";
  play_ani();
  EXPECT_EQ(gmAni.next->x, 10);
}

TEST_F(SceneAnims, DelAniFadesOutFirstThenRemoves) {
  AniNode n = node(3, 4, ani_moved_only | ani_fades);
  n.speed = 100;
  add_ani(&n);
  play_ani();
  play_ani();
  EXPECT_EQ(gmAni.next->alpha, 200);
  play_ani();
  EXPECT_EQ(gmAni.next->alpha, 255);
  EXPECT_EQ(del_ani(3, 4), 0);
  EXPECT_TRUE(gmAni.next->flags & ani_fading_out);
  for (int i = 0; i < 3; ++i) play_ani();
  EXPECT_EQ(gmAni.next->alpha, 0);
  EXPECT_EQ(del_ani(3, 4), 1);
  EXPECT_EQ(count(), 0);
  EXPECT_EQ(del_ani(3, 4), 1) << "no node of that animation";
}

TEST_F(SceneAnims, AlphaStaysInRangeWhateverTheStepsSign) {
  for (float speed : {-300.0f, 300.0f, 1e9f}) {
    SCOPED_TRACE(speed);
    for (std::uint32_t out : {0u, ani_fading_out}) {
      AniNode n = node(3, 4, ani_moved_only | ani_fades | out);
      n.alpha = 100;
      n.speed = speed;
      add_ani(&n);
      play_ani();
      const int a = gmAni.next->alpha;
      const bool rises = (speed > 0) != (out != 0);
      EXPECT_EQ(a, rises ? 255 : 0);
      del_all_ani();
    }
  }
}

TEST_F(SceneAnims, CheckAniEndWaitsForTheNodesOfItsAnimation) {
  EXPECT_EQ(check_ani_end(5, 5), 1) << "an empty list";
  AniNode moving = node(5, 5, ani_moved_only);
  moving.target_x = 1000;
  moving.speed = 1;
  add_ani(&moving);
  // Only nodes of the animation asked for count, also those moved only (the wait's reading).
  EXPECT_EQ(check_ani_end(6, 6), 1) << "no node of that animation";
  EXPECT_EQ(check_ani_end(5, 5), 0);
  gmAni.next->flags |= ani_arrived;
  EXPECT_EQ(check_ani_end(5, 5), 1) << "a moved-only node counts by its arrival, finished or not";
  AniNode shown = node(7, 7, ani_counts_ended);
  shown.instance.kind = 9;  // a kind that draws nothing
  shown.target_x = 1000;
  shown.speed = 1;
  shown.flags = ani_counts_ended;
  add_ani(&shown);
  EXPECT_EQ(check_ani_end(7, 7), 0);
  gmAni.next->next->flags |= ani_arrived;
  EXPECT_EQ(check_ani_end(7, 7), 1);
}

TEST_F(SceneAnims, AFollowerOfARoleOffTheMapStaysUndrawn) {
  gmMapRoleCount = 1;
  gmMapRole[0] = MapRole{};
  gmMapRole[0].RoleID = 500;
  gmMapRole[0].X = 40;
  gmMapRole[0].head_height = 70;
  map_record.map_number = 101;
  AniNode n = node(1, 1, ani_moved_only | ani_follows_role);
  n.role = &gmMapRole[0];
  n.RoleID = 500;
  n.map_id = 102;
  n.speed = 1000;
  n.target_x = 5;
  add_ani(&n);
  play_ani();
  ASSERT_EQ(count(), 1);
  EXPECT_EQ(gmAni.next->x, 40);
  EXPECT_EQ(gmAni.next->y, 70);
  gmMapRole[0].RoleID = 501;  // the entry now holds another role
  gmAni.next->flags = (gmAni.next->flags & ~ani_arrived) | ani_remove_arrived;
  gmAni.next->target_x = 60;
  play_ani();
  ASSERT_EQ(count(), 1) << "arrived, but neither drawn nor retired";
  EXPECT_EQ(gmAni.next->x, 60) << "it moved, then found no role";
  AniNode stray = n;
  stray.role = nullptr;
  add_ani(&stray);
  play_ani();
  EXPECT_EQ(count(), 2);
}

TEST_F(SceneAnims, DelRoleAniRemovesOnlyThatRolesNode) {
  AniNode a = node(1, 2), b = node(1, 2);
  a.RoleID = 10;
  b.RoleID = 11;
  add_ani(&a);
  add_ani(&b);
  del_role_ani(11, 1, 2);
  ASSERT_EQ(count(), 1);
  EXPECT_EQ(gmAni.next->RoleID, 10);
  del_role_ani(10, 1, 3);
  EXPECT_EQ(count(), 1);
}

}  // namespace
