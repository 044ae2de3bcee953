// The new game's party and reset; the title's menu area, re-entry, new game, load and back, music
// and menu sound; and the slot lists' newest-save rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/level_tables.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/maps_music.h"
#include "data/music_state.h"
#include "data/object_db.h"
#include "data/party.h"
#include "field/compass.h"
#include "field/field_controller.h"
#include "field/talk_view.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/effect_random.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "script/talk_queue.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "sound/sound_system.h"
#include "sound/stream_manager.h"
#include "ui/cursor.h"
#include "tests/fixtures/level_writer.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/title/new_game.h"
#include "ui/saves/save_load.h"
#include "ui/title/title_screen.h"

namespace {
using namespace fixtures;

TEST(PartySetup, LevelMultiplierRisesEveryFiveLevelsUpToFiftySix) {
  struct Case {
    int level;
    float multiplier;  // 1.2 for each threshold 6, 11, ..., 56 reached
  };
  for (const Case& c : {Case{1, 1.0f}, Case{5, 1.0f}, Case{6, 1.2f}, Case{10, 1.2f}, Case{11, 1.44f},
                        Case{55, 6.1917364f}, Case{56, 7.4300837f}, Case{61, 7.4300837f}, Case{99, 7.4300837f}})
    EXPECT_NEAR(party_level_multiplier(c.level), c.multiplier, 1e-5) << "level " << c.level;
}

class NewGame : public ::testing::Test {
 protected:
  NewGame() {
    game_dir = dir.str();
    fixtures::start_test_game();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects(4);
    objects[0].name("A").level(1).growth({10, 20, 30, 40, 50, 60, 70, 80});
    objects[1].name("B").level(6).growth({10, 10, 10, 10, 10, 10, 10, 10});
    objects[3].name("\xB3\xB7").level(61).growth({5, 5, 5, 5, 5, 5, 5, 5});
    install_item_data(objdata_gll(objects));
    std::array<std::vector<LevelRow>, 4> tables;
    for (auto& t : tables)
      for (std::uint16_t level = 1; level <= 70; ++level) t.push_back({level, {}, 0, std::uint32_t(level) * 100});
    dir.write("LEVEL.gll", as_string(level_gll(tables)));
    open_exp_data();
    db.music = {{1, 2, 3, 4, 5}};
    dir.write("maps.dat", as_string(maps_dat(db)));
    open_maps_data();
  }
  ~NewGame() override {
    free_party_items();
    close_exp_data();
    close_item_data();
    close_maps_data();
    debug_keys_enabled = 0;
    music_off_enabled = 0;
  }
  TempFolder dir;
  MapsDat db;
};

TEST_F(NewGame, SetupPartyTakesLevelGrowthAndStatsFromTheObjectRecords) {
  setup_party();
  struct Case {
    int member;
    int level;
    float growth0;
    float multiplier;
    std::int32_t exp, next_exp;
    std::uint16_t stat0;  // trunc((growth 0 x 15 x multiplier + level x 15) / 10)
  };
  for (const Case& c : {Case{0, 1, 1.0f, 1.0f, 0, 100, 3},            // (15 + 15) / 10
                        Case{1, 6, 1.0f, 1.2f, 500, 600, 10},         // (18 + 90) / 10 = 10.8
                        Case{2, 61, 0.5f, 7.4300837f, 6000, 6100, 97}}) {  // (55.73 + 915) / 10
    const RoleData& r = gmRoleData[c.member];
    SCOPED_TRACE(c.member);
    EXPECT_EQ(r.stats[stat_level], c.level);
    EXPECT_FLOAT_EQ(r.growth[0], c.growth0);
    EXPECT_NEAR(r.level_multiplier, c.multiplier, 1e-5);
    EXPECT_EQ(r.exp, c.exp);
    EXPECT_EQ(r.next_exp, c.next_exp);
    EXPECT_EQ(r.stats[0], c.stat0);
    EXPECT_EQ(r.object_id, party_member_objects[c.member]);
    ASSERT_NE(r.arts.next, nullptr) << "the arts list starts with the empty entry";
    EXPECT_EQ(r.arts.next->object, none_item_number);
    EXPECT_GT(r.max_hp, 0);
  }
  EXPECT_EQ(gmRoleData[0].stats[1], 4) << "(2.0 x 15 + 15) / 10";
  EXPECT_STREQ(gmRoleData[2].name, "\xB3\xB7") << "the third member takes its record's name";
  EXPECT_STREQ(gmRoleData[0].name, "") << "the first two keep the names the title gave them";
}

// Every flag clears but game.ini's switches: the developer keys, and music off, which start-up
// set before its own reset and which would otherwise never hold.
TEST_F(NewGame, ResetTwiceClearsTheStateAndTakesMapsDatBack) {
  debug_keys_enabled = 1;
  music_off_enabled = 1;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    setup_party();
    set_flag(flag_member_0);
    set_flag(flag_scene_hidden);
    set_flag(flag_wav_off);  // set, but not by game.ini
    party_money = 500;
    gmMapRoleCount = 3;
    set_music_id(1, 9, 9, 9, 9);
    reset_game();
    EXPECT_FALSE(test_flag(flag_member_0));
    EXPECT_FALSE(test_flag(flag_scene_hidden));
    EXPECT_TRUE(test_flag(flag_developer_keys)) << "game.ini's developer keys outlast the reset";
    EXPECT_TRUE(test_flag(flag_music_off)) << "so does game.ini's music off";
    EXPECT_FALSE(test_flag(flag_wav_off));
    EXPECT_EQ(party_money, 0);
    EXPECT_EQ(gmMapRoleCount, 0);
    EXPECT_EQ(gmRoleData[0].arts.next, nullptr);
    EXPECT_EQ(gmRoleData[0].stats[stat_level], 0);
    EXPECT_EQ(GameMode, mode_field);
    music_ids[0] = music_ids[1] = 0;  // the row is read as new music
    EXPECT_EQ(read_music_id(1), 1);
    EXPECT_EQ(music_ids[0], 2) << "the music row is the file's again";
  }
}

// What the field and the effects keep from frame to frame starts again with a new game as after
// start-up: the walking count before the next encounter, the idle cursor and idle animation
// counters, the menu icon's slide, the run mode, the compass needle and the particles' numbers.
TEST_F(NewGame, ResetStartsTheFieldCountersTheCompassAndTheEffectsNumbersAfresh) {
  encounter_step_count = 55;
  idle_cursor_frames = 700;
  idle_timer = 3;
  menu_icon_offset = 60;
  run_mode.flags[0] = run_mode.flags[1] = 1;
  run_mode.set_speeds(14.0f);
  compass_spin = 120.0f;
  camera_follow_role = 2;
  for (int i = 0; i < 5; ++i) effect_rand();
  reset_game();
  EXPECT_EQ(encounter_step_count, 0);
  EXPECT_EQ(idle_cursor_frames, 0);
  EXPECT_EQ(idle_timer, 1000u);
  EXPECT_EQ(menu_icon_offset, 0);
  EXPECT_FALSE(run_mode.on());
  EXPECT_EQ(run_mode.speeds[1], RunMode{}.speeds[1]);
  EXPECT_EQ(compass_spin, 0.0f);
  EXPECT_EQ(camera_follow_role, -1);
  effect_srand(1);
  const int start_up_draw = effect_rand();
  reset_game();
  EXPECT_EQ(effect_rand(), start_up_draw) << "the particles' numbers start as after start-up";
  effect_srand(1);
}

TEST(TitleMenu, TheMouseAreaEndsAtY360) {
  struct Case {
    int x, y, item;
  };
  for (const Case& c : {Case{256, 196, 0}, Case{383, 228, 0}, Case{300, 229, 1}, Case{300, 360, 4},
                        Case{300, 361, -1}, Case{255, 200, -1}, Case{384, 200, -1}, Case{300, 195, -1}})
    EXPECT_EQ(title_item_at(c.x, c.y), c.item) << c.x << "," << c.y;
}

TEST(TitleMenu, EnteringTheCurrentTitleOnlyClearsItsEffects) {
  GameMode = mode_title;
  title_state = title_menu;
  set_flag(flag_member_0);
  const unsigned clears = fight_unit_effects.generation();
  SFLB_call_game_start(MODE_ENTER, 0, 0);
  EXPECT_EQ(fight_unit_effects.generation(), clears + 1) << "the effects are cleared";
  EXPECT_TRUE(test_flag(flag_member_0)) << "no second reset";
  EXPECT_EQ(title_state, title_menu);
  SFLB_call_game_start(MODE_LEAVE, 0, 0);
  EXPECT_EQ(GameMode, mode_field);
}

TEST(TitleMenu, EnterDuringTheIntroDoesNothing) {
  // The same press in the menu starts the transition: the press is one the title sees.
  struct Case {
    int state, after;
  } cases[] = {{title_intro, title_intro}, {title_menu, title_transition}};
  std::uint32_t t = 5000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    title_state = c.state;
    grp_input.update_key(t += 100, key_enter, false);
    grp_input.update_key(t += 100, key_enter, true);
    input_game_start();
    EXPECT_EQ(title_state, c.after);
    grp_input.update_key(t += 100, key_enter, false);
  }
  title_state = title_menu;
}

TEST_F(NewGame, ANewGameQueuesTheOpeningTalkAndSetsTheFirstMemberOnly) {
  GameMode = mode_title;
  set_flag(flag_debug_overlay);
  set_flag(flag_name_entry);
  title_state = title_start_new_game;
  update_game_start();
  ASSERT_EQ(talk_queue_used, 1);
  EXPECT_EQ(TalkEventQueue[0].RoleID, title_talk_speaker);
  EXPECT_EQ(TalkEventQueue[0].TALK, new_game_talk);
  EXPECT_TRUE(test_flag(flag_member_0));
  EXPECT_FALSE(test_flag(flag_member_0 + 1));
  EXPECT_FALSE(test_flag(flag_debug_overlay));
  EXPECT_FALSE(test_flag(flag_name_entry));
  EXPECT_EQ(GameMode, mode_field) << "the new game leaves for the field";
  EXPECT_EQ(title_state, title_menu);
  EXPECT_GT(gmRoleData[0].max_hp, 0) << "the party was set up";
}

// Load on the title opens the load screen; backing out of it with Escape gives the title back,
// which plays its intro again.
TEST(TitleMenu, LoadAndBackReturnsToTheIntro) {
  TempFolder dir;
  game_dir = dir.str();
  GameMode = mode_title;
  title_state = title_act_on_choice;
  title_choice = title_load;
  update_game_start();
  EXPECT_EQ(GameMode, mode_load);
  EXPECT_EQ(SavedGameMode, mode_title);
  grp_input.update_key(1000, key_escape, false);
  grp_input.update_key(1100, key_escape, true);
  input_load_system();
  EXPECT_EQ(GameMode, mode_title);
  EXPECT_EQ(title_state, title_intro);
}

// The sample game's title with its sounds: start-up's audio steps, then the title entered as
// start-up enters it.
class TitleSound : public ::testing::Test {
 protected:
  TitleSound() : dir(true) {
    game_dir = dir.str();
    fixtures::start_test_game();
    platform::use_fake_clock(10000);
    EXPECT_TRUE(write_sample_game(dir.path()));
    sound_system.Startup(game_dir.c_str());
    EXPECT_TRUE(OpenSfx((game_dir + "\\ACT\\").c_str()));
    EXPECT_TRUE(OpenStream(sfx_bank.GetDriver()));
    GameMode = mode_field;
    SFLB_call_game_start(MODE_ENTER, 0, 0);
  }
  ~TitleSound() override {
    CloseStream();
    CloseSfx();
    sound_system.Shutdown();
    stop_all_sfx();
    close_maps_data();
    platform::use_real_clock();
  }
  // A frame of the title and of the audio service.
  void frame() {
    platform::advance_fake_clock(29);
    update_game_start();
    update_audio();
  }
  TempFolder dir;
};

TEST_F(TitleSound, TheThemeOfMapOnePlaysFromTheTitlesStart) {
  frame();
  const std::string& name = music_director.current().name;
  ASSERT_GE(name.size(), 9u) << name;
  EXPECT_EQ(name.substr(name.size() - 9), "theme.wav");
  EXPECT_EQ(music_director.current_mode(), 1);
  ASSERT_NE(stream_manager.CurrentId(), 0);
  EXPECT_EQ(stream_manager.IsStopped(stream_manager.CurrentId()), 0);
  std::vector<std::int16_t> heard(2 * 4410);
  ASSERT_TRUE(platform::headless_audio_pull(heard.data(), 4410));
  EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](std::int16_t v) { return v != 0; })) << "the tune is heard";
}

// The intro (this title has no animation for it, so it ends at once) gives way to the menu with
// one sound 310, and the menu's frames play no more of it.
TEST_F(TitleSound, TheMenuSoundPlaysOnceWhenTheIntroEnds) {
  frame();
  ASSERT_EQ(title_state, title_intro);
  EXPECT_EQ(sfx_bank.playing_count(), 0);
  frame();
  EXPECT_EQ(title_state, title_menu);
  EXPECT_EQ(sfx_bank.playing_count(), 1);
  for (int i = 0; i < 5; ++i) {
    update_game_start();
    EXPECT_EQ(sfx_bank.playing_count(), 1);
  }
}

std::array<std::uint16_t, 8> stamp(int year, int month, int day, int hour, int minute, int second) {
  return {std::uint16_t(year), std::uint16_t(month), 0, std::uint16_t(day), std::uint16_t(hour),
          std::uint16_t(minute), std::uint16_t(second), 0};
}

TEST(SlotList, NewestSaveComparesToTheMinuteAndATieGoesToTheLaterSlot) {
  struct Case {
    const char* what;
    std::array<std::uint16_t, 8> t, best;
    bool not_older;
  };
  const auto base = stamp(2001, 5, 10, 12, 30, 40);
  const Case cases[] = {
      {"later year", stamp(2002, 1, 1, 0, 0, 0), base, true},
      {"earlier year", stamp(2000, 12, 31, 23, 59, 0), base, false},
      {"later month", stamp(2001, 6, 1, 0, 0, 0), base, true},
      {"earlier month", stamp(2001, 4, 30, 23, 59, 0), base, false},
      {"later minute, same day", stamp(2001, 5, 10, 12, 31, 0), base, true},
      {"earlier minute", stamp(2001, 5, 10, 12, 29, 59), base, false},
      {"same minute, fewer seconds: a tie", stamp(2001, 5, 10, 12, 30, 1), base, true},
      {"later day", stamp(2001, 5, 11, 0, 0, 0), base, true},
      {"anything against none", stamp(1999, 1, 1, 0, 0, 0), stamp(0, 0, 0, 0, 0, 0), true},
  };
  for (const Case& c : cases) EXPECT_EQ(save_time_not_older(c.t.data(), c.best.data()), c.not_older) << c.what;
}

TEST(SlotList, TheNewestSlotIsPlacedWhereTheListCanShowIt) {
  save_slot_list.item_count = 99;
  struct Case {
    int slot, top, row;
  };
  for (const Case& c : {Case{7, 7, 0}, Case{96, 96, 0}, Case{97, 96, 1}, Case{98, 96, 2}}) {
    place_slot_list(c.slot);
    EXPECT_EQ(save_slot_list.top_item, c.top) << c.slot;
    EXPECT_EQ(save_slot_list.cursor_row, c.row) << c.slot;
    EXPECT_EQ(save_slot_list.top_item + save_slot_list.cursor_row, c.slot);
  }
}

}  // namespace
