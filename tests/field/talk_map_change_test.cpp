// Talk opcode 50: the map change closes the boxes, moves the leader's placement, enters the map
// and goes on with the script on the new map in the same call.
#include "core/flags.h"
#include "data/map_role.h"
#include "g3d/view_zoom.h"
#include "script/talk_files.h"
#include "script/talk_interpreter.h"
#include "script/talk_queue.h"
#include "tests/field/sample_map_test.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/script_assembler.h"
#include "ui/talk_msg.h"

namespace {
using field_test::SampleMapTest;

constexpr int after_change_flag = 1500;
constexpr std::uint16_t test_talk = 60;

class TalkMapChange : public SampleMapTest {
 protected:
  TalkMapChange() { read_maps_role(0); }
  ~TalkMapChange() override {
    for (MapRole& ev : TalkEventQueue) ev = MapRole{};
    clear_flag(after_change_flag);
  }
  MapRole& queue_talk(const std::string& source) {
    const int slot = talk_slot(test_talk);
    EXPECT_TRUE(install_talk_file(slot, fixtures::talk_file_image(slot, {{test_talk, fixtures::assemble_talk(source)}})));
    gmTmpTalk = MapRole{};
    gmTmpTalk.RoleID = narrator_role;
    gmTmpTalk.TALK = test_talk;
    EXPECT_EQ(add_talks_proc(&gmTmpTalk), 1);
    for (MapRole& ev : TalkEventQueue)
      if (ev.RoleID == narrator_role) return ev;
    return TalkEventQueue[0];
  }
};

TEST_F(TalkMapChange, TheScriptGoesOnOnTheNewMapAndItsBoxIsGone) {
  const std::uint16_t leader = gmMapRole[player_role_index].RoleID;
  MapRole& ev = queue_talk(
      "message_box 0 0 40 300 40 300 0 560 140 0 \"A\"\n"
      // x keeps its low 16 bits only: 0x10000 + 1000 enters at 1000.
      "map_change 102 66536L 0L 3000L 90 8000\n"
      "set_flag 1500\n"
      "end\n");
  run_talk(&ev);
  EXPECT_EQ(talkmsg_count(), 1);
  run_talk(&ev);
  EXPECT_EQ(talkmsg_count(), 0);
  EXPECT_TRUE(test_flag(after_change_flag)) << "ran in the same call, after the change";
  EXPECT_EQ(map_record.map_number, fixtures::sample_path);
  EXPECT_EQ(view_far, 8000.0f);
  const MapRole& r = gmMapRole[player_role_index];
  EXPECT_EQ(r.RoleID, leader) << "the leader's placement went along";
  EXPECT_EQ(r.X, 1000.0f);
  EXPECT_EQ(r.Z, 3000.0f);
  EXPECT_EQ(r.DIR, 90.0f);
}

TEST_F(TalkMapChange, AFarDistanceAtTheNearPlaneKeepsTheView) {
  view_far = 9000.0f;
  MapRole& ev = queue_talk("map_change 102 1000L 0L 3000L 90 0\nend\n");
  run_talk(&ev);
  EXPECT_EQ(map_record.map_number, fixtures::sample_path);
  EXPECT_EQ(view_far, 9000.0f);
}

// Without a leader on the map (a bad index) the map still changes and the script goes on.
TEST_F(TalkMapChange, ALeaderIndexOffTheTableMovesNoPlacement) {
  for (int index : {-1, int(map_role_capacity)}) {
    SCOPED_TRACE(index);
    clear_flag(after_change_flag);
    player_role_index = index;
    MapRole& ev = queue_talk("map_change 102 1000L 0L 3000L 90 8000\nset_flag 1500\nend\n");
    run_talk(&ev);
    EXPECT_TRUE(test_flag(after_change_flag));
    EXPECT_EQ(map_record.map_number, fixtures::sample_path);
  }
}

}  // namespace
