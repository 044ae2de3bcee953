// The talk event queue, the talk timer and the talk files' slots.
#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "field/role_path.h"
#include "script/talk_interpreter.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "script/talk_timer.h"
#include "script/text_slots.h"
#include "ui/cursor.h"
#include "tests/script/script_test.h"

namespace {
using namespace script_test;

class TalkQueue : public ScriptTest {};

MapRole event(std::uint16_t id, std::uint16_t talk) {
  MapRole ev;
  ev.RoleID = id;
  ev.TALK = talk;
  return ev;
}

TEST_F(TalkQueue, AThirdSpeakerIsRefusedAndAKnownOneReplaced) {
  MapRole a = event(1, 5), b = event(2, 6), c = event(3, 7), a2 = event(1, 8);
  EXPECT_EQ(add_talks_proc(&a), 1);
  EXPECT_EQ(add_talks_proc(&b), 1);
  EXPECT_EQ(add_talks_proc(&c), 0);
  ASSERT_EQ(messages(), std::vector<std::string>{"Talk \xA8\xC6\xA5\xF3 \xA4x\xB6W\xB9L 2\xAD\xD3"});
  EXPECT_EQ(add_talks_proc(&a2), 1);
  EXPECT_EQ(find_talks_proc(1), 8);
  EXPECT_EQ(find_talks_proc(2), 6);
  EXPECT_EQ(talk_queue_used, 2);
  EXPECT_EQ(reload_talk_number, 8);
  EXPECT_TRUE(test_flag(flag_wall_test_off));
}

// A talk queued while another ran (a hand-over) starts without the last one's view return,
// text slots and walk height, and with the plain cursor.
TEST_F(TalkQueue, AQueuedTalkStartsWithoutWhatTheLastOneCarried) {
  MapRole a = event(1, 5), b = event(1, 6);
  add_talks_proc(&a);
  std::memcpy(text_slots[0], "AAA.", 4);
  text_slot_count = 1;
  view_return_busy = 1;
  next_path_y_step = 300.0f;
  cursor_act.qq = 10;
  talk_skip_save = 1;
  ASSERT_EQ(add_talks_proc(&b), 1);
  EXPECT_EQ(text_slot_count, 0);
  EXPECT_EQ(text_slots[0][0], 0);
  EXPECT_EQ(view_return_busy, 0);
  EXPECT_EQ(next_path_y_step, 0.0f);
  EXPECT_EQ(cursor_act.qq, 0);
  EXPECT_EQ(talk_skip_save, 0);
}

TEST_F(TalkQueue, TalkZeroIsRefusedSilently) {
  MapRole z = event(1, 0);
  EXPECT_EQ(add_talks_proc(&z), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(TalkQueue, DeletingAndFindingNeverGoBelowEmpty) {
  MapRole a = event(1, 5), none = event(0, 5);
  add_talks_proc(&a);
  del_talk_event(&none);
  EXPECT_EQ(talk_queue_used, 1);
  del_talk_event(&a);
  del_talk_event(&a);
  EXPECT_EQ(talk_queue_used, 0);
  EXPECT_EQ(find_talks_proc(0), 0) << "even with free slots, whose RoleID is 0";
}

TEST_F(TalkQueue, RestartZeroOnlyDropsTheEvents) {
  const int r = add_role(1001);
  MapRole a = event(1001, 5);
  add_talks_proc(&a);
  gmMapRole[r].X = 50.0f;  // moved after the scene was saved
  restart_talk(0);
  EXPECT_EQ(talk_queue_used, 0);
  EXPECT_EQ(gmMapRole[r].X, 50.0f);
}

TEST_F(TalkQueue, RestartPutsTheSceneBackAndQueuesTheTalkForTheLastSpeaker) {
  const int r = add_role(1001);
  MapRole a = event(1001, 5);
  add_talks_proc(&a);
  gmMapRole[r].X = 50.0f;
  restart_talk(9);
  EXPECT_EQ(gmMapRole[r].X, 0.0f);
  EXPECT_EQ(find_talks_proc(1001), 9);
}

// The reload dialog's check box asks the restart to leave the roles' paths running.
TEST_F(TalkQueue, RestartKeepsTheRolePathsOnlyWhenAsked) {
  const int r = add_role(1001);
  for (int keep : {0, 1}) {
    RolePath path;
    path.role = &gmMapRole[r];
    add_role_path(&path);
    reload_keep_paths = keep;
    MapRole a = event(1001, 5);
    add_talks_proc(&a);
    restart_talk(9);
    EXPECT_EQ(find_role_path(1001) != nullptr, keep == 1) << keep;
    del_all_role_path();
  }
  reload_keep_paths = 0;
}

TEST_F(TalkQueue, TheTimerCountsMinutesAndQueuesItsTalkAtExpiry) {
  MapRole a = event(1, 5);
  add_talks_proc(&a);
  set_talk_timer(90000, 44);
  EXPECT_TRUE(test_flag(flag_talk_countdown));
  struct Step {
    std::uint32_t at;
    int minutes;
  } steps[] = {{0, 1}, {29000, 1}, {30000, 1}, {31000, 0}, {60000, 0}};
  for (const Step& s : steps) {
    game_clock = 1000 + s.at;
    tick_talk_timer();  // seconds left from the previous tick
    tick_talk_timer();
    EXPECT_EQ(talk_timer_minutes(), s.minutes) << s.at;
  }
  game_clock = 1000 + 90000;
  tick_talk_timer();
  tick_talk_timer();
  EXPECT_FALSE(talk_timer.running);
  EXPECT_FALSE(test_flag(flag_talk_countdown));
  EXPECT_EQ(talk_queue_used, 1);
  EXPECT_EQ(find_talks_proc(timer_speaker), 44);
  EXPECT_EQ(find_talks_proc(1), 0);
}

TEST_F(TalkQueue, AGapLongerThanTheTimeLeftExpiresAtTheNextTick) {
  set_talk_timer(5000, 44);
  game_clock += 3'000'000'000u;  // a long battle, far past the time left
  tick_talk_timer();
  tick_talk_timer();
  EXPECT_EQ(find_talks_proc(timer_speaker), 44);
}

TEST_F(TalkQueue, TalkNumbersPickTheirFileAndEntry) {
  struct Case {
    std::uint16_t n;
    int slot;
  } cases[] = {{0, -1}, {1, 0}, {499, 0}, {500, 1}, {1999, 3}, {2000, 4}, {5000, 4}, {5001, 5}, {8000, 5}, {8001, -1}};
  for (const Case& c : cases) EXPECT_EQ(talk_slot(c.n), c.slot) << c.n;
  // Each file's table is indexed by the global number - 1 and ends at 4 x its last number.
  load_talks({{499, fixtures::assemble_talk("end")}});
  load_talks({{500, fixtures::assemble_talk("0; end")}});
  load_talks({{2000, fixtures::assemble_talk("0; 0; end")}});
  load_talks({{8000, fixtures::assemble_talk("end")}});
  EXPECT_EQ(talk_script_start(499), 4u * 499);
  EXPECT_EQ(talk_script_start(500), 4u * 999);
  EXPECT_EQ(talk_script_start(2000), 4u * 5000);
  EXPECT_EQ(talk_script_start(8000), 4u * 8000);
  EXPECT_EQ(talk_script_start(498), 0u) << "no entry";
  EXPECT_EQ(talk_script_start(8001), 0u);
}

TEST_F(TalkQueue, ReloadingTheFilesRestartsTheQueuedTalks) {
  add_role(0xFF01);
  for (int slot = 0; slot < 6; ++slot) {
    std::map<std::uint16_t, fixtures::Bytes> scripts;
    if (slot == 0) scripts[5] = fixtures::assemble_talk("timed_wait 100; timed_wait 100; end");
    dir.write(fixtures::talk_file_name(slot), fixtures::as_string(fixtures::talk_file_image(slot, scripts)));
  }
  open_talk_data();
  MapRole& ev = queue(5);
  run_talk(&ev);
  game_clock += 2000;
  run_talk(&ev);
  ASSERT_GT(ev.talk_offset, ev.talk_start);
  reload_story_data();
  EXPECT_EQ(ev.talk_start, 0u) << "starts again on fresh bodies";
  run_talk(&ev);
  EXPECT_EQ(ev.talk_offset, ev.talk_start);
}

TEST_F(TalkQueue, MissingFilesAreReportedOneByOne) {
  open_talk_data();
  const auto lines = messages();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "open_talk1_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2Talks1-1.gll");
  EXPECT_EQ(lines[4], "open_talk2_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 TALKS2.gll");
}

}  // namespace
