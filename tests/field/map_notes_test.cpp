// Trigger boxes: a box the leader steps into queues its talk for the narrator, unless it is
// switched off by its map flag or by game flag 17; a re-armed box fires again only after the
// leader has left it.
#include <gtest/gtest.h>

#include "core/flags.h"
#include "core/game_flags.h"
#include "data/map_role.h"
#include "field/map_file.h"
#include "field/map_notes.h"
#include "script/talk_interpreter.h"
#include "script/talk_queue.h"

namespace {

class MapNotes : public ::testing::Test {
 protected:
  MapNotes() {
    leader.RoleID = party_role_first;
    leader.anim.box = {{-20, 0, -20, 0}, {20, 100, 20, 0}};
    leader.cell_centre[0] = 1500;
  }
  ~MapNotes() override {
    free_map_notes(&map_record);
    for (MapRole& ev : TalkEventQueue) ev = MapRole{};
  }

  // A box 200 wide around (x, z) that starts talk `event`.
  void add_note(int event, float x, float z) {
    MapNote n;
    n.box = {{-100, 0, -100, 0}, {100, 200, 100, 0}};
    n.x = x, n.z = z;
    n.event = event;
    add_map_note(&map_record, n);
  }
  int step_to(float x, float z) {
    leader.X = x, leader.Z = z;
    return check_map_notes(&leader);
  }
  // The narrator's queued talk, 0 when none.
  int queued() const {
    for (const MapRole& ev : TalkEventQueue)
      if (ev.RoleID == narrator_role) return ev.TALK;
    return 0;
  }
  void clear_queue() {
    for (MapRole& ev : TalkEventQueue) ev = MapRole{};
  }

  MapRole leader;
};

TEST_F(MapNotes, StepsInsideQueueTheTalkEveryTimeAtTheLeadersPlace) {
  add_note(40, 1000, 1000);
  EXPECT_EQ(step_to(0, 0), 0);
  EXPECT_EQ(queued(), 0);
  EXPECT_EQ(step_to(1090, 1000), 40);  // the boxes touch
  EXPECT_EQ(queued(), 40);
  const MapRole* ev = nullptr;
  for (const MapRole& e : TalkEventQueue)
    if (e.RoleID == narrator_role) ev = &e;
  ASSERT_NE(ev, nullptr);
  EXPECT_EQ(ev->X, 1090.0f);
  EXPECT_EQ(ev->cell_centre[0], 1500.0f);
  clear_queue();
  EXPECT_EQ(step_to(1000, 1000), 40) << "a box stays armed while the leader stays inside";
}

TEST_F(MapNotes, ADisabledBoxFiresOnlyOnceEnabledAgain) {
  add_note(41, 1000, 1000);
  enable_map_note(41, 0);
  EXPECT_TRUE(test_map_flag(41));
  EXPECT_EQ(map_record.notes->disabled, 1);
  EXPECT_EQ(step_to(1000, 1000), 0);
  EXPECT_EQ(queued(), 0);
  EXPECT_EQ(enable_map_note(41, 1), 1);
  EXPECT_FALSE(test_map_flag(41));
  EXPECT_EQ(step_to(1000, 1000), 41);
}

TEST_F(MapNotes, AReArmedBoxFiresAgainOnlyAfterTheLeaderLeftIt) {
  add_note(42, 1000, 1000);
  EXPECT_EQ(rearm_map_note(42), 0);
  EXPECT_EQ(step_to(1000, 1000), 42);
  enable_map_note(42, 0);  // its talk switches it off
  clear_queue();
  EXPECT_EQ(step_to(1010, 1000), 0) << "still inside: stays off";
  EXPECT_EQ(step_to(3000, 3000), 0) << "leaving arms it";
  EXPECT_EQ(map_record.notes->disabled, 0);
  EXPECT_EQ(map_record.notes->rearm, 1);
  EXPECT_EQ(queued(), 0);
  EXPECT_EQ(step_to(1000, 1000), 42);
  enable_map_note(42, 0);
  step_to(3000, 3000);
  EXPECT_EQ(map_record.notes->disabled, 0) << "the mark stays: it re-arms every time";
}

TEST_F(MapNotes, OfTwoOverlappingBoxesTheLaterInTheListStaysQueued) {
  add_note(43, 1000, 1000);  // later in the list: added first
  add_note(44, 1050, 1000);
  EXPECT_EQ(step_to(1020, 1000), 43);
  EXPECT_EQ(queued(), 43);
  int narrator_events = 0;
  for (const MapRole& ev : TalkEventQueue) narrator_events += ev.RoleID == narrator_role;
  EXPECT_EQ(narrator_events, 1);
  // The result is the last box's: when it does not fire, an earlier one's talk is queued all the
  // same but not returned.
  clear_queue();
  EXPECT_EQ(step_to(1130, 1000), 0);
  EXPECT_EQ(queued(), 44);
}

TEST_F(MapNotes, GameFlag17KeepsEveryBoxQuiet) {
  add_note(45, 1000, 1000);
  rearm_map_note(45);
  enable_map_note(45, 0);
  set_flag(flag_notes_off);
  EXPECT_EQ(step_to(3000, 3000), 0);
  EXPECT_EQ(map_record.notes->disabled, 1) << "nothing changes, not even re-arming";
  enable_map_note(45, 1);
  EXPECT_EQ(step_to(1000, 1000), 0);
  EXPECT_EQ(queued(), 0);
  clear_flag(flag_notes_off);
}

}  // namespace
