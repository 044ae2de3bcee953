// Talk opcode 50: the map change closes the boxes, moves the leader's placement, enters the map
// and goes on with the script on the new map in the same call.
#include "core/flags.h"
#include "data/map_role.h"
#include "g3d/view_zoom.h"
#include "script/talk_files.h"
#include "script/talk_interpreter.h"
#include "script/talk_queue.h"
#include "tests/field/sample_map_test.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_maps.h"
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

// On a map of flag 0x100 the fixed eye stands 1400 above the leader, not at the map file's
// height, and the talk's end puts the eye back on that one point whatever the talk did with it.
TEST_F(TalkMapChange, OnAMapOfFlag0x100TheTalksEndPutsTheEyeBackAboveTheLeader) {
  constexpr std::uint16_t eye_map = 210;
  fixtures::MapsDat db;
  MapsRoleRow leader;
  leader.MapID = 0, leader.RoleID = 1, leader.ACT = 1, leader.STATE = 0x8000;
  db.roles = {leader};
  db.index = {{eye_map, 0, map_eye_follows_height, 0, 0}};
  close_maps_data();
  dir.write("maps.dat", fixtures::as_string(fixtures::maps_dat(db)));
  open_maps_data();
  read_maps_role(0);
  kit::MapFileSpec map;
  map.map = eye_map;
  map.map_act = kit::sample_village_act;
  map.file_flags = map_file_fixed_eye;
  map.fixed_eye = {100, 2000, 100, 0};
  write_map(map);

  MapRole& ev = queue_talk("map_change 210 3000L 0L 1200L 90 0\n"
                           "message_box 0 0 40 300 40 300 0 560 140 0 \"A\"\n"
                           "end\n");
  // The eye the camera moves to at its next update.
  auto eye_goal = [] {
    field_camera.update();
    G3dVector eye{};
    return *field_camera.get_eye(&eye);
  };
  run_talk(&ev);
  ASSERT_EQ(map_record.map_number, eye_map);
  EXPECT_EQ(field_camera.get_mode(), 4);
  EXPECT_EQ(eye_goal().y, 1400.0f) << "the map change raised the file's eye to the leader's Y + 1400";
  // The talk moves the eye elsewhere and turns the camera back to orbiting.
  field_camera.set_eye_xyz(0, 0, 0);
  field_camera.update();
  field_camera.set_mode(1);
  field_camera.update();
  run_talk(&ev);
  EXPECT_EQ(field_camera.get_mode(), 4);
  const G3dVector eye = eye_goal();
  EXPECT_EQ(eye.x, 100.0f);
  EXPECT_EQ(eye.y, 1400.0f);
  EXPECT_EQ(eye.z, 100.0f);
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
