// The map change: its steps in order (the trace lines), the leader's placement, mounts and
// scale, the battle sequence, the music, the camera's fixed eye, the minimap, and the release.
#include <algorithm>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_state_words.h"
#include "core/user_cfg.h"
#include "data/map_role.h"
#include "data/music_state.h"
#include "data/role_rows.h"
#include "field/field_camera_state.h"
#include "field/field_draw.h"
#include "field/role_move.h"
#include "sound/music_director.h"
#include "tests/field/sample_map_test.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_maps.h"
#include "ui/screen_extras.h"

namespace {
using field_test::SampleMapTest;

const std::vector<std::string> step_names = {
    "free_map",       "del_all_effect_list", "Act_Memoryer_Free", "FreePolyMemory",
    "Memoryer_Free",  "FreeMapMemory",       "free_mark",         "read_music_id",
    "load_map[101]",  "GetBtlAreaTable",     "read_maps_role",    "set_chart_map"};

class MapChange : public SampleMapTest {
 protected:
  MapChange() {
    read_maps_role(0);  // the new game's roles: the leader's placement among them
    leader_id = gmMapRole[player_role_index].RoleID;
  }
  ~MapChange() override {
    party_riding = 0;
    for (int f : {flag_mechanism_1, flag_mechanism_2, flag_battle_sequence}) clear_flag(f);
  }

  // Moves the leader's placement to the map and enters it.
  void enter(std::uint16_t map, float x = 3000, float z = 1200, float dir = 90) {
    set_maps_role_map(leader_id, map);
    enter_map(map, x, 0, z, dir);
  }
  MapRole& leader() { return gmMapRole[player_role_index]; }
  // The trace lines of the map change, without the reports of other units between them.
  std::vector<std::string> steps() const {
    std::vector<std::string> out;
    for (const std::string& line : log_lines())
      if (std::find(step_names.begin(), step_names.end(), line) != step_names.end()) out.push_back(line);
    return out;
  }
  std::uint16_t leader_id = 0;
};

TEST_F(MapChange, TheStepsRunInOrderAndTheLeaderStandsWhereItWasSent) {
  enter(fixtures::sample_village, 3000, 1200, 450);
  EXPECT_EQ(steps(), step_names);
  EXPECT_EQ(map_record.map_number, fixtures::sample_village);
  EXPECT_EQ(map_record.map_ready, 1);
  EXPECT_EQ(map_load_in_progress, 0);
  EXPECT_EQ(leader().RoleID, leader_id);
  EXPECT_EQ(leader().X, 3000.0f);
  EXPECT_EQ(leader().Z, 1200.0f);
  EXPECT_EQ(leader().DIR, 450.0f);
  EXPECT_EQ(map_entry_pos.x, 3000.0f);
  EXPECT_EQ(map_entry_pos.dir, 450.0f);
  EXPECT_EQ(field_camera_state.target_point[1], leader().Y + 100.0f);
  EXPECT_EQ(field_camera.get_mode(), 1);
  EXPECT_EQ(shadow_instance.act, shadow_act);
  EXPECT_FALSE(test_flag(flag_leader_mounted));
  // The village's roles came with it.
  EXPECT_NE(find_role(1001), 0xFFFF);
}

TEST_F(MapChange, TheReleaseLeavesNoWorldGridOrBounds) {
  enter(fixtures::sample_village);
  role_bounds.on = 1;
  unload_map();
  EXPECT_EQ(map_world, nullptr);
  EXPECT_EQ(map_grid_count[0], 0);
  EXPECT_EQ(map_record.note_count, 0);
  EXPECT_TRUE(effect_list().empty());
  EXPECT_EQ(role_bounds.on, 0);
}

TEST_F(MapChange, TheReloadAfterABattleLoadsTheSameMapOnce) {
  enter(fixtures::sample_village);
  const float x = leader().X;
  unload_map();  // the battle's entry
  reload_map();
  EXPECT_EQ(map_record.map_number, fixtures::sample_village);
  EXPECT_EQ(map_record.note_count, 1);
  EXPECT_NE(map_world, nullptr);
  EXPECT_EQ(map_load_in_progress, 1);
  EXPECT_EQ(leader().X, x) << "the roles are left as they are";
  reload_map();  // without a release in between the notes are not doubled
  EXPECT_EQ(map_record.note_count, 1);
}

TEST_F(MapChange, TheFixedEyeIsTakenOnlyWithBit0) {
  struct Case {
    std::uint32_t file_flags;
    int mode;
  };
  for (const Case& c : {Case{0x2, 1}, Case{0x3, 4}, Case{0x1, 4}}) {
    kit::MapFileSpec s;
    s.map = 210;
    s.map_act = kit::sample_village_act;
    s.file_flags = c.file_flags;
    s.fixed_eye = {100, 2000, 100, 0};
    write_map(s);
    field_camera_state.camera_mode = 0;
    enter(210);
    EXPECT_EQ(field_camera.get_mode(), c.mode) << c.file_flags;
    EXPECT_EQ(field_camera_state.camera_mode, c.mode == 4 ? 4 : 0) << c.file_flags;
  }
}

TEST_F(MapChange, Map12116DrawsThePartyAt0Point6OfItsSize) {
  kit::MapFileSpec s;
  s.map = map_small_roles;
  s.map_act = kit::sample_village_act;
  write_map(s);
  enter(map_small_roles);
  EXPECT_FLOAT_EQ(leader().scale, -0.4f);
  EXPECT_FLOAT_EQ(leader().anim_size, 0.6f * leader().anim.box.max.x);
}

TEST(MountRules, FlagsMapsAndOutdoorsChooseTheMount) {
  struct Case {
    std::uint16_t map, flags;
    bool m1, m2;
    std::uint16_t act;
    float scale;
    bool bit_7;
  };
  const Case cases[] = {
      {500, 0, true, true, 0, 0, false},              // indoors: the party walks
      {500, map_outdoor, false, false, 0, 0, false},  // outdoors without a mount
      {500, map_outdoor, true, false, mount_horse_act, -0.05f, false},
      {500, map_outdoor, false, true, mount_act, -0.02f, false},
      {500, map_outdoor, true, true, mount_act, -0.02f, false},  // flag 7 wins
      {12114, 0, true, false, mount_horse_act, 0.3f, true},
      {13042, map_outdoor, true, true, mount_horse_act, 0.3f, true},
      {13042, 0, false, true, 0, 0, false},
      {14980, 0, true, true, mount_act, 0.5f, true},
      {14980, 0, false, true, mount_act, 0.5f, true},
  };
  for (const Case& c : cases) {
    const MountChoice m = choose_mount(c.map, c.flags, c.m1, c.m2);
    EXPECT_EQ(m.act, c.act) << c.map << " " << c.m1 << c.m2;
    EXPECT_FLOAT_EQ(m.scale, c.scale) << c.map;
    EXPECT_EQ(m.state_bit_7, c.bit_7) << c.map;
  }
}

TEST_F(MapChange, APartyArrivingMountedWalksIndoorsAndRidesOutdoors) {
  set_flag(flag_mechanism_2);
  enter(fixtures::sample_path, 1000, 3000);  // outdoor
  EXPECT_EQ(leader().anim.act, mount_act);
  EXPECT_EQ(party_riding, 1);
  EXPECT_TRUE(test_flag(flag_leader_mounted));
  enter(fixtures::sample_village);
  EXPECT_EQ(leader().anim.act, walk_act);
  EXPECT_EQ(party_riding, 0);
  EXPECT_FALSE(test_flag(flag_leader_mounted));
}

TEST_F(MapChange, ABattleSequenceEndsOnAMapOutsideItsSeven) {
  for (int i = 0; i < battle_sequence_map_count; ++i) game_state_words[state_word_battle_maps + i] = 0;
  game_state_words[state_word_battle_maps + 6] = fixtures::sample_path;
  game_state_words[state_word_battles_left] = 3;
  set_flag(flag_battle_sequence);
  EXPECT_FALSE(ends_battle_sequence(fixtures::sample_path));
  enter(fixtures::sample_path, 1000, 3000);
  EXPECT_TRUE(test_flag(flag_battle_sequence));
  EXPECT_EQ(game_state_words[state_word_battles_left], 3u);
  enter(fixtures::sample_village);
  EXPECT_FALSE(test_flag(flag_battle_sequence));
  EXPECT_EQ(game_state_words[state_word_battles_left], 0u);
}

TEST_F(MapChange, TheSameMusicGoesOnAndAMapWithoutMusicIsSilent) {
  enter(fixtures::sample_village);
  EXPECT_EQ(music_ids[0], 1);
  EXPECT_EQ(music_director.requested_mode(), 1);
  music_director.ChangeMode(1, 1, 0);  // a stand-in for the music going on
  reset_debug_log(nullptr);
  enter(fixtures::sample_village);
  EXPECT_EQ(music_ids[0], 1);
  EXPECT_FALSE(logged("play_music")) << "the same two ids: nothing is started again";
  kit::MapFileSpec plain;
  plain.map = 300;
  plain.map_act = kit::sample_village_act;
  write_map(plain);
  enter(300);
  EXPECT_EQ(music_ids[0], 0);
  EXPECT_EQ(music_director.requested_mode(), 4);
}

TEST(MinimapOffsets, ThreeMapsMoveTheirPicture) {
  struct Case {
    std::uint16_t map;
    int x;
  };
  for (const Case& c : {Case{101, 0}, Case{13030, 120}, Case{13051, 50}, Case{13060, 280}, Case{13061, 0}}) {
    EXPECT_EQ(minimap_picture_offset(c.map).x, c.x) << c.map;
    EXPECT_EQ(minimap_picture_offset(c.map).y, 0) << c.map;
  }
}

TEST_F(MapChange, OptionsSetTheirFlagsOnEveryEntry) {
  user_options[option_mission_hints] = 1;
  user_options[option_shadows] = 2;
  set_flag(flag_loading_bar_hidden);
  enter(fixtures::sample_village);
  EXPECT_TRUE(test_flag(flag_mission_hints));
  EXPECT_TRUE(test_flag(flag_shadows_off));
  EXPECT_FALSE(test_flag(flag_loading_bar_hidden));
  user_options[option_mission_hints] = 0;
  user_options[option_shadows] = 1;
  enter(fixtures::sample_village);
  EXPECT_FALSE(test_flag(flag_mission_hints));
  EXPECT_FALSE(test_flag(flag_shadows_off));
  EXPECT_EQ(shadow_instance.qq, 2) << "translucent shadows take the second picture";
}

}  // namespace
