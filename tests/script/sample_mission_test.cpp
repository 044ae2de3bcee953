// The sample game's mission role on the mountain path, its talk run from the sample's own talk
// file: the first talk accepts the mission, the second finishes it and gives the bell, a third
// changes nothing. The log page lists missions by exactly these flags.
#include "core/flags.h"
#include "core/game_flags.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "script/talk_interpreter.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_maps.h"
#include "tests/fixtures/sample_scripts.h"
#include "tests/script/script_test.h"
#include "ui/talk_msg.h"

namespace {
using namespace script_test;

constexpr std::uint16_t mission_role = 1101;

class SampleMission : public ScriptTest {
 protected:
  SampleMission() {
    dir.write("ObjData.GLL", fixtures::as_string(fixtures::sample_data_file("ObjData.GLL")));
    SFINIT0_open_item_data();
    open_item_data();
    for (const auto& [name, bytes] : fixtures::sample_script_files())
      if (name == fixtures::talk_file_name(0)) {
        EXPECT_TRUE(install_talk_file(0, bytes));
      }
    role_ = add_role(mission_role);
    for (int n = 0; n < 2; ++n) {
      clear_flag(flag_mission_accepted_first + n);
      clear_flag(flag_mission_finished_first + n);
    }
  }
  ~SampleMission() override {
    del_all_talkmsg();
    free_party_items();
    gmMapRoleCount = 0;
  }
  // One talk with the role: its box is read and closed, and the talk runs to its end.
  void talk() {
    MapRole& ev = queue(kit::sample_mission_talk, mission_role);
    for (int slice = 0; slice < 8 && ev.RoleID == mission_role; ++slice) {
      run_talk(&ev);
      gmMapRole[role_].STATE &= ~state_box_open;
    }
    EXPECT_NE(ev.RoleID, mission_role) << "the talk did not end";
  }

  int role_ = 0;
};

TEST_F(SampleMission, TheFirstTalkAcceptsTheSecondFinishesAndRewards) {
  const int accepted = flag_mission_accepted_first + fixtures::sample_mission;
  const int finished = flag_mission_finished_first + fixtures::sample_mission;
  struct After {
    bool accepted, finished;
    int bells;
  } const expected[] = {{true, false, 0}, {true, true, 1}, {true, true, 1}};
  for (const After& e : expected) {
    talk();
    EXPECT_EQ(test_flag(accepted), e.accepted);
    EXPECT_EQ(test_flag(finished), e.finished);
    EXPECT_EQ(get_item_num(&party_bag, fixtures::sample_bell), e.bells);
  }
  EXPECT_TRUE(messages().empty()) << dir.read("debug.txt");
}

}  // namespace
