// Talk opcodes of sound effects and music, heard through the music director on the fake clock.
#include "data/maps_music.h"
#include "data/music_state.h"
#include "script/talk_ops.h"
#include "sound/music_director.h"
#include "tests/script/talk_group_test.h"
#include "tests/sound/sound_test.h"

namespace {
using namespace script_test;

enum : int { map_stream = 1, talk_stream = 2, intro_stream = 3 };

class TalkSound : public TalkGroupTest {
 protected:
  TalkSound() {
    platform::use_fake_clock(10000);
    fixtures::MapsDat db;
    db.music = {{10, map_stream, 0, 0, 0}, {11, intro_stream, 0, 0, 0}};
    db.music_names = {"", "map.wav", "talk.wav", "intro.wav"};
    load_maps(db);
    write("ACT/all.snd", kit::make_all_snd({}));
    for (const char* name : {"map.wav", "talk.wav", "intro.wav"})
      write(std::string("Music/") + name, kit::make_tone_wav(220, 3000));
    start_audio();
    // The map's music plays.
    read_music_id(10);
    play_music("map.wav", map_stream, 0, 0, 1);
    switch_music(1, 0, 0);
    update_audio();
  }
  ~TalkSound() override {
    close_audio();
    platform::use_real_clock();
  }
  void write(const std::string& relative, const kit::Bytes& bytes) {
    dir.write(relative, std::string(bytes.begin(), bytes.end()));
  }
  static std::string playing() {
    const std::string& name = music_director.current().name;
    return name.substr(name.find_last_of('\\') + 1);
  }
  // Audio frames until the stream stops (at most limit): how many it took.
  static int frames_until_stopped(int stream, int limit) {
    int n = 0;
    while (n < limit && stream_manager.IsStopped(stream) == 0) {
      update_audio();
      ++n;
    }
    return n;
  }
};

TEST_F(TalkSound, TalkMusicWithoutASecondIdStartsOnlyTheFirstSlot) {
  MapRole& ev = start("talk_music 2 1 0 0 0; set_flag 600; end");
  EXPECT_FALSE(test_flag(600)) << "ends the slice";
  EXPECT_EQ(music_ids[2], talk_stream);
  EXPECT_EQ(music_params[2], 1);
  EXPECT_EQ(music_ids[3], 0);
  EXPECT_NE(music_director.entry(2, 0).name.find("talk.wav"), std::string::npos);
  EXPECT_TRUE(music_director.entry(2, 1).name.empty());
  EXPECT_EQ(music_director.requested_mode(), 2);
  update_audio();
  EXPECT_EQ(playing(), "talk.wav");
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkSound, AFadeLengthServesOneReturnToTheMapMusic) {
  MapRole& ev = start("talk_music 2 1 3 0 0; music_fade 70; music_back 1; talk_music 2 1 0 0 0; music_back 1; end");
  update_audio();
  ASSERT_EQ(playing(), "talk.wav");
  EXPECT_NE(music_director.entry(2, 1).name.find("intro.wav"), std::string::npos);
  run_talk(&ev);
  EXPECT_EQ(music_fade_frames, 70);
  run_talk(&ev);
  EXPECT_EQ(music_fade_frames, 0) << "taken back after one use";
  EXPECT_EQ(music_director.requested_mode(), 1);
  const int fade = frames_until_stopped(talk_stream, 200);
  EXPECT_GE(fade, 69);
  EXPECT_LE(fade, 71);
  update_audio();
  EXPECT_EQ(playing(), "map.wav");

  run_talk(&ev);
  update_audio();
  ASSERT_EQ(playing(), "talk.wav");
  run_talk(&ev);
  EXPECT_EQ(stream_manager.IsStopped(talk_stream), 1) << "the second return fades at once";
}

TEST_F(TalkSound, SilenceForgetsTheTalksHoldOnTheMusic) {
  MapRole& ev = start("talk_music 2 0 0 0 1; music_back 0; end");
  EXPECT_EQ(talk_music_mark, 1);
  EXPECT_EQ(read_music_id(11), 2) << "a map change keeps the talk's music";
  EXPECT_EQ(music_ids[0], map_stream);
  run_talk(&ev);
  EXPECT_EQ(talk_music_mark, 0);
  EXPECT_EQ(music_director.requested_mode(), 4);
  EXPECT_EQ(read_music_id(11), 1);
}

TEST_F(TalkSound, TheEndOfATalkLetsTheMapChangeTheMusicAgain) {
  MapRole& ev = start("talk_music 2 0 0 0 1; end");
  run_talk(&ev);
  EXPECT_EQ(talk_music_mark, 0);
}

TEST_F(TalkSound, AMusicNameChangesOnlyTheNameAndIsCutOnACharacter) {
  const MusicEntry before = music_director.entry(1, 0);
  start("music_name \"talk.wav\"; set_flag 600; end");
  EXPECT_STREQ(music_name, "talk.wav");
  EXPECT_EQ(music_director.entry(1, 0).name, before.name) << "nothing plays";
  EXPECT_EQ(playing(), "map.wav");
  EXPECT_TRUE(test_flag(600));

  clear_flag(600);
  std::string chars;
  for (int i = 0; i < 35; ++i) chars += "\xA4\x40";
  start("music_name \"" + chars + "\"; set_flag 600; end");
  EXPECT_EQ(std::string(music_name), chars.substr(0, 62));
  EXPECT_TRUE(test_flag(600)) << "the whole text was passed";
}

TEST_F(TalkSound, MapMusicRowsAreRewritten) {
  start("map_music 11 2 5 3 6; end");
  EXPECT_EQ(read_music_id(11), 1);
  EXPECT_EQ(music_ids[0], talk_stream);
  EXPECT_EQ(music_params[0], 5);
  EXPECT_EQ(music_ids[1], intro_stream);
  EXPECT_EQ(music_params[1], 6);
}

TEST_F(TalkSound, WaitingForTheMusicHoldsUntilNoStreamPlays) {
  MapRole& ev = start("wait_music; set_flag 600; end");
  EXPECT_EQ(at(ev), 0u);
  switch_music(4, 0, 0);
  update_audio();
  run_talk(&ev);
  EXPECT_EQ(at(ev), 2u);
  EXPECT_FALSE(test_flag(600));
}

TEST_F(TalkSound, EffectsPlayAndStopAndTheScriptGoesOn) {
  start("play_sfx 3; stop_sfx 3; set_flag 600; end");
  EXPECT_TRUE(test_flag(600));
}

}  // namespace
