// Talk opcodes that stage the scene and leave it: the fades and their marks, the world colour,
// scene animations on roles and screen points, trigger boxes, the wait on a role's animation,
// the hand-over to another talk and the battle. The map change is tested on the sample maps
// (tests/field/talk_map_change_test.cpp).
#include "battle/fight.h"
#include "core/game_mode.h"
#include "field/field_camera_state.h"
#include "field/field_controller.h"
#include "field/map_file.h"
#include "field/scene_anim.h"
#include "g3d/renderer.h"
#include "script/talk_ops.h"
#include "tests/fixtures/battlefield_writer.h"
#include "tests/script/talk_group_test.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"

namespace {
using namespace script_test;

constexpr std::uint32_t no_override = 0xFFFFFFFFu;
constexpr float fog_depth = 0.5f;

class TalkScene : public TalkGroupTest {
 protected:
  TalkScene() {
    screen_fade = ScreenFade{};
    g3d_enable_fog(0);  // the vertex fog as a fresh renderer has it; an ended tint turns it on
    player_role_index = add_role(0xFF02);
  }
  ~TalkScene() override { del_all_ani(); }
  static int ani_count() {
    int n = 0;
    for (const AniNode* a = gmAni.next; a; a = a->next) ++n;
    return n;
  }
  // Fog on for the map, so that a test sees whether it is on.
  static void give_map_fog() {
    map_record.fog = {0.5f, 0.5f, 0.5f, 0.1f, 1.0f, 0.0f};
    set_chart_map(nullptr);
  }
  static bool fog_on() { return renderer.fog_of(fog_depth + 0.9f) != 0xFF000000u; }
};

TEST_F(TalkScene, ATintTowardsTheCurrentColourEndsAtOnceWithTheFogBackAndNoOverride) {
  give_map_fog();
  screen_fade.red = 10, screen_fade.green = 20, screen_fade.blue = 30;
  renderer.set_override_color(0xFF102030u);
  struct Case {
    const char* source;
    std::uint8_t red;
  } cases[] = {
      {"tint_fade 5 10 20 30; set_flag 600; end", 10},  // length 0
      {"tint_fade 0 90 20 30; set_flag 600; end", 90},  // a step of 0 never moves: at once
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    clear_flag(600);
    MapRole& ev = start(c.source);
    EXPECT_TRUE(test_flag(600)) << "went on in the same slice";
    EXPECT_EQ(screen_fade.red, c.red);
    EXPECT_EQ(renderer.override_color(), no_override);
    EXPECT_TRUE(fog_on());
    EXPECT_EQ(ev.RoleID, 0) << "ended";
  }
}

TEST_F(TalkScene, ATintMovesEveryChannelAndARepeatedScriptFadesAgain) {
  give_map_fog();
  MapRole& ev = start("tint_fade 10 200 1 0; set_flag 600; end");
  EXPECT_EQ(screen_fade.red, 9) << "200 / |(200, 1, 0)| x 10, truncated";
  EXPECT_EQ(screen_fade.green, 1) << "a channel short of its target moves at least 1";
  EXPECT_EQ(screen_fade.alpha, 1);
  EXPECT_EQ(renderer.override_color(), 0xFF090100u);
  EXPECT_FALSE(fog_on());
  EXPECT_EQ(script_word(ev, 2), 0x8000 | 10) << "marked running";
  int calls = 1;
  while (!test_flag(600) && calls < 40) {
    run_talk(&ev);
    ++calls;
  }
  EXPECT_EQ(calls, 21) << "9, then 10 a slice to 199, then the snap";
  EXPECT_EQ(screen_fade.red, 200);
  EXPECT_EQ(renderer.override_color(), no_override);
  EXPECT_TRUE(fog_on());
  // The script runs again from a black scene: its own colour is the target again.
  clear_flag(600);
  screen_fade.red = screen_fade.green = 0;
  MapRole& again = queue(5);
  run_talk(&again);
  EXPECT_EQ(screen_fade.red, 9);
  EXPECT_FALSE(test_flag(600));
}

TEST_F(TalkScene, ADroppedEventLeavesNoFadeMarkBehind) {
  load_talk(5, "tint_fade 10 200 0 0; alpha_fade 10 0 0 0 0 255; set_flag 600; end");
  MapRole& ev = queue(5);
  run_talk(&ev);
  ASSERT_EQ(script_word(ev, 2) & 0x8000, 0x8000);
  clear_talks_proc();
  screen_fade.target_red = 0;  // another scene's tint
  MapRole& again = queue(5);
  run_talk(&again);
  EXPECT_EQ(screen_fade.red, 20) << "the tint took its own target again";
  // Past the tint, into the alpha fade, then dropped: its global mark goes with the event.
  screen_fade.red = 200;
  run_talk(&again);
  ASSERT_EQ(talk_alpha_fade_mark, 1);
  ASSERT_EQ(screen_fade.alpha, 10);
  clear_talks_proc();
  EXPECT_EQ(talk_alpha_fade_mark, 0);
}

TEST_F(TalkScene, AnAlphaFadeOfStep64ReachesItsTargetWithinFourFrames) {
  MapRole& ev = start("alpha_fade 64 1 2 3 0 255; set_flag 600; end");
  EXPECT_EQ(screen_fade.alpha, 64);
  EXPECT_EQ(screen_fade.target_alpha, 255);
  EXPECT_EQ(screen_fade.step, 64.0f);
  EXPECT_EQ(screen_fade.blue, 3);
  int frames = 1;
  while (!test_flag(600) && frames < 10) {
    run_talk(&ev);
    ++frames;
  }
  EXPECT_EQ(frames, 4);
  EXPECT_EQ(screen_fade.alpha, 255);
  EXPECT_EQ(talk_alpha_fade_mark, 0);
}

TEST_F(TalkScene, AnAlphaFadeOfStep0JumpsToItsTargetAndStaysShown) {
  start("alpha_fade 0 0 0 0 0 255; set_flag 600; end");
  EXPECT_TRUE(test_flag(600));
  EXPECT_EQ(screen_fade.alpha, 255);
  EXPECT_NE(screen_fade.step, 0.0f) << "still drawn";
  EXPECT_EQ(talk_alpha_fade_mark, 0);
}

TEST_F(TalkScene, TheScreenColourPaintsTheFadeAndTheWorld) {
  start("screen_colour 0x112 0x34 0x56; set_flag 600; end");
  EXPECT_TRUE(test_flag(600));
  EXPECT_EQ(screen_fade.alpha, 255);
  EXPECT_EQ(screen_fade.red, 0x12);
  EXPECT_EQ(map_record.tint, 0xFF123456u);
}

TEST_F(TalkScene, SceneAnimationsRideOnRolesOrFadeInAtScreenPoints) {
  gmMapRole[villager_index].X = 100, gmMapRole[villager_index].Y = 20, gmMapRole[villager_index].Z = 300;
  map_record.map_number = 101;
  start("role_ani 1001 9 2; screen_ani 9 3 -40 60 15; role_ani 4321 9 4; end");
  // 對話 5 指令錯誤 91: \n  找不到設定之 \nact[9] qq[2]  (the animation does not exist)
  const std::string no_anim = "\xB9\xEF\xB8\xDC 5 \xAB\xFC\xA5O\xBF\xF9\xBB~ 91: ";
  ASSERT_EQ(ani_count(), 1);
  const AniNode& on_role = *gmAni.next;
  EXPECT_EQ(on_role.role, &gmMapRole[villager_index]);
  EXPECT_EQ(on_role.RoleID, villager);
  EXPECT_EQ(on_role.map_id, 101);
  EXPECT_EQ(on_role.flags, ani_follows_role);
  EXPECT_EQ(on_role.x, 100.0f);
  EXPECT_EQ(on_role.target_z, 300.0f);
  EXPECT_EQ(on_role.instance.qq, 2);
  ASSERT_EQ(messages().size(), 3u) << "one report of three lines";
  EXPECT_EQ(messages()[0], no_anim);
  EXPECT_EQ(messages()[2], "act[9] qq[2]");
  run_talk(&TalkEventQueue[0]);
  ASSERT_EQ(ani_count(), 2) << "added although its animation is missing";
  const AniNode& at_point = *gmAni.next->next;
  EXPECT_EQ(at_point.flags, ani_fades);
  EXPECT_EQ(at_point.alpha, 0);
  EXPECT_EQ(at_point.speed, 15.0f);
  EXPECT_EQ(at_point.x, -40.0f);
  EXPECT_EQ(at_point.y, 60.0f);
  run_talk(&TalkEventQueue[0]);
  EXPECT_EQ(ani_count(), 2) << "no role, no node";
  // Talk5 指令48錯誤 : 找不到指定之 角色ID:4321
  EXPECT_EQ(messages().back(),
            "Talk5 \xAB\xFC\xA5O48\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:4321");
  start("del_role_ani 1001 9 2; end");
  EXPECT_EQ(ani_count(), 1);
}

TEST_F(TalkScene, TriggerBoxOpcodesSetTheMapFlagAndReportATalkWithoutBoxes) {
  start("map_note 300 0; rearm_note; set_flag 600; end");
  EXPECT_TRUE(test_map_flag(300));
  run_talk(&TalkEventQueue[0]);
  EXPECT_TRUE(test_flag(600)) << "82 goes on";
  // 對話[5]指令[82]錯誤,找不到[5]對話!!)
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "\xB9\xEF\xB8\xDC[5]\xAB\xFC\xA5O[82]\xBF\xF9\xBB~,\xA7\xE4\xA4\xA3\xA8\xEC[5]\xB9\xEF\xB8\xDC!!)");
}

TEST_F(TalkScene, TheWaitOnARolesAnimationPassesAtItsFrameOrItsEnd) {
  ActInstance& a = gmMapRole[villager_index].anim;
  a.frame_max = 9;
  a.frame = 3;
  MapRole& ev = start("wait_role_anim 1001 5; wait_role_anim 1001 0; wait_role_anim 4321 0; set_flag 600; end");
  EXPECT_EQ(at(ev), 0u);
  a.frame = 5;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 6u);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 6u) << "frame 5 of 9, not ended";
  a.state |= act_state_finished;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 12u) << "an ended animation passes at once";
  run_talk(&ev);
  EXPECT_EQ(at(ev), 18u) << "a missing role is reported and passed";
  // 對話5 指令(87)錯誤: 找不到指定之 角色ID:4321
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O(87)\xBF\xF9\xBB~: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
                           "\xA8\xA4\xA6\xE2ID:4321");
}

TEST_F(TalkScene, TheHandOverFreesTheSlotAndTheNewTalkRunsLaterInTheSavedScene) {
  load_talks({{5, fixtures::assemble_talk("hand_over 6; set_flag 600; end")},
              {6, fixtures::assemble_talk("set_flag 601; end")}});
  field_camera_state.control_mode = 3;
  MapRole& ev = queue(5, villager);
  const int slot = talk_queue_slot(&ev);
  field_camera_state.control_mode = 9;  // the scene moved on after it was saved
  set_flag(flag_battle);
  run_talk(&ev);
  EXPECT_FALSE(test_flag(600));
  EXPECT_FALSE(test_flag(601)) << "the new talk starts on a later call";
  EXPECT_EQ(find_talks_proc(villager), 0) << "the running event left the queue";
  EXPECT_EQ(find_talks_proc(narrator_role), 6);
  EXPECT_EQ(TalkEventQueue[slot].talk_start, 0u);
  EXPECT_EQ(field_view_saved.control_mode, 3) << "the saved scene was kept";
  EXPECT_FALSE(test_flag(flag_battle));
  EXPECT_EQ(gmMapRole[villager_index].STATE & (state_in_talk | state_held), 0u);
  EXPECT_TRUE(gmMapRole[player_role_index].STATE & state_held);
  run_talk_queue();
  EXPECT_TRUE(test_flag(601));
  EXPECT_FALSE(test_flag(600));
}

TEST_F(TalkScene, ABattleStartsUnlessFlag11AndTheEventGoesOnAfterIt) {
  const fixtures::TempFolder folder;
  for (bool barred : {false, true}) {
    const kit::BattlefieldInstall battlefield(folder, 7);
    SCOPED_TRACE(barred);
    GameMode = mode_field;
    clear_flag(flag_battle);
    if (barred) set_flag(flag_no_talk_battles);
    fight_from_talk = 0;
    encounter_step_count = 12;
    clear_talks_proc();
    MapRole& ev = start("battle 7; set_flag 600; end");
    EXPECT_EQ(test_flag(flag_battle) != 0, !barred);
    EXPECT_EQ(GameMode, barred ? mode_field : mode_battle);
    EXPECT_EQ(fight_from_talk, 1);
    EXPECT_EQ(encounter_step_count, 0);
    EXPECT_EQ(at(ev), 4u) << "advanced; the event stays queued";
    EXPECT_FALSE(test_flag(600));
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600));
    clear_flag(600);
  }
}

TEST_F(TalkScene, TheTileFadeWaitPassesWithNoTileFade) {
  MapRole& ev = start("tile_fade 12; wait_tile_fade; set_flag 600; end");
  EXPECT_EQ(at(ev), 6u) << "84 goes on, 85 passes and ends the slice";
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

}  // namespace
