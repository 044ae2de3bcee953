// The music director through play_music, switch_music and the frame service: mode changes
// and fades frame by frame, playlists of counted and looping entries, the file look-up.
#include "core/disc.h"
#include "platform/drives.h"
#include "sound/music_director.h"
#include "tests/sound/sound_test.h"

namespace {

class MusicTest : public SoundTest {
 protected:
  void SetUp() override {
    write("ACT/all.snd", kit::make_all_snd({}));
    start_audio();
    ASSERT_TRUE(stream_manager.enabled());
    for (const char* name : {"map.wav", "talk.wav"})
      write(std::string("Music/") + name, kit::make_tone_wav(220, 2000));
    write("Music/intro.wav", kit::make_tone_wav(330, 100));
    write("Music/loop.wav", kit::make_tone_wav(440, 100));
  }
  // The file name of the current entry, without its folder.
  std::string playing() const {
    const std::string& name = music_director.current().name;
    return name.substr(name.find_last_of('\\') + 1);
  }
  // Lets the current (short) stream end and the frame service notice it.
  void let_it_end() {
    platform::advance_fake_clock(150);
    update_audio();
  }
};

TEST_F(MusicTest, ASwitchFadesTheOldStreamAndTheNewModeStartsTheFrameAfter) {
  play_music("talk.wav", 2, 0, 0, 2);
  play_music("map.wav", 1, 0, 0, 1);
  switch_music(2, 0, 0);
  update_audio();
  EXPECT_EQ(playing(), "talk.wav");
  EXPECT_EQ(stream_manager.IsStopped(2), 0);

  switch_music(1, 0, 15);  // 1280 sixteenths in steps of 85: silent after 15 updates
  for (int frame = 1; frame <= 15; ++frame) {
    EXPECT_EQ(stream_manager.IsStopped(2), 0) << frame;
    update_audio();
    EXPECT_EQ(stream_manager.IsStopped(1), 1) << frame;
  }
  EXPECT_EQ(stream_manager.IsStopped(2), 1);
  update_audio();
  EXPECT_EQ(music_director.current_mode(), 1);
  EXPECT_EQ(playing(), "map.wav");
  EXPECT_EQ(stream_manager.IsStopped(1), 0);
}

TEST_F(MusicTest, WithoutFadeFramesTheNewModeStartsInTheSameUpdate) {
  play_music("talk.wav", 2, 0, 0, 2);
  play_music("map.wav", 1, 0, 0, 1);
  switch_music(2, 0, 0);
  update_audio();
  switch_music(1, 0, 0);
  EXPECT_EQ(stream_manager.IsStopped(2), 1);  // closed at once
  update_audio();
  EXPECT_EQ(playing(), "map.wav");
}

TEST_F(MusicTest, ModeFourIsSilenceUntilAnotherModeIsAsked) {
  play_music("map.wav", 1, 0, 0, 1);
  switch_music(1, 0, 0);
  update_audio();
  switch_music(4, 0, 0);
  EXPECT_EQ(stream_manager.IsStopped(1), 1);
  for (int i = 0; i < 5; ++i) update_audio();
  EXPECT_EQ(music_director.current_mode(), 0);
  EXPECT_EQ(stream_manager.CurrentId(), 0);
  EXPECT_EQ(music_director.IsStopped(), 1);
  switch_music(1, 0, 0);
  update_audio();
  EXPECT_EQ(playing(), "map.wav");
}

TEST_F(MusicTest, AnIntroPlaysItsCountThenTheLoopForEver) {
  play_music("intro.wav", 1, 0, 2, 1);
  play_music("loop.wav", 2, 1, 0, 1);
  switch_music(1, 0, 0);
  // Each row: what starts, the mode's index and the intro's count left after the update.
  struct Row {
    const char* file;
    int index, intro_count;
  };
  const Row rows[] = {
      {"intro.wav", 0, 1}, {"intro.wav", 1, 0}, {"loop.wav", 1, 0}, {"loop.wav", 1, 0}, {"loop.wav", 1, 0}};
  update_audio();
  for (const Row& row : rows) {
    EXPECT_EQ(playing(), row.file);
    EXPECT_EQ(music_director.index(1), row.index);
    EXPECT_EQ(music_director.entry(1, 0).repeat_count, row.intro_count);
    EXPECT_EQ(music_director.IsStopped(), 0);
    let_it_end();    // the stream manager closes the ended stream
    update_audio();  // the director starts the next
  }
}

TEST_F(MusicTest, TwoCountedEntriesPlayBothAndThenStop) {
  play_music("intro.wav", 1, 0, 1, 3);
  play_music("loop.wav", 2, 1, 1, 3);
  switch_music(3, 0, 0);
  update_audio();
  EXPECT_EQ(playing(), "intro.wav");
  let_it_end();
  update_audio();
  EXPECT_EQ(playing(), "loop.wav");
  EXPECT_EQ(music_director.index(3), 2);  // the intro's count is used up: the playlist stops
  let_it_end();
  for (int i = 0; i < 3; ++i) update_audio();
  EXPECT_EQ(stream_manager.CurrentId(), 0);
  EXPECT_TRUE(music_director.current().name.empty());
}

TEST_F(MusicTest, SetEntryRefusesBadIdsSlotsAndModes) {
  music_director.SetEntry("x.wav", 5, 0, 2, 1, 0);
  for (auto [id, slot, mode] :
       {std::tuple{0, 0, 2}, {-1, 0, 2}, {5, 2, 2}, {5, -1, 2}, {5, 0, 0}, {5, 0, 4}}) {
    music_director.SetEntry("y.wav", id, slot, mode, 1, 0);
    EXPECT_EQ(music_director.entry(2, 0).name, "x.wav");
  }
}

TEST_F(MusicTest, TheTypeComesFromTheNameAsWritten) {
  struct Case {
    const char* path;
    int type;
    bool named;
  };
  const Case cases[] = {{"a.wav", 1, true},  {"a.mp3", 1, true},  {"a.xmi", 2, true},
                        {"A.WAV", 0, false}, {"a.ogg", 0, false}, {"wavy\\a.ogg", 1, true}};
  for (const Case& c : cases) {
    music_director.SetEntry(c.path, 3, 1, 1, 1, 0);
    EXPECT_EQ(music_director.entry(1, 1).type, c.type) << c.path;
    EXPECT_EQ(!music_director.entry(1, 1).name.empty(), c.named) << c.path;
  }
  EXPECT_NE(read("debug.txt").find("A.WAV"), std::string::npos);  // a name passed over is logged
}

TEST_F(MusicTest, EntriesThatCannotPlayArePassedOver) {
  music_director.SetEntry("theme.xmi", 1, 0, 1, 1, 0);
  music_director.SetEntry("theme.ogg", 2, 1, 1, 1, 0);
  switch_music(1, 0, 0);
  for (int i = 0; i < 4; ++i) update_audio();
  EXPECT_EQ(stream_manager.CurrentId(), 0);
  EXPECT_EQ(music_director.IsStopped(), 1);
}

TEST_F(MusicTest, MusicOffAndMissingFilesLeaveTheSlot) {
  play_music("map.wav", 1, 0, 0, 1);
  set_flag(flag_music_off);
  play_music("talk.wav", 1, 0, 0, 1);
  EXPECT_EQ(playing(), "");
  EXPECT_NE(music_director.entry(1, 0).name.find("map.wav"), std::string::npos);
  clear_flag(flag_music_off);
  play_music("gone.wav", 1, 0, 0, 1);
  EXPECT_NE(music_director.entry(1, 0).name.find("map.wav"), std::string::npos);
  // "play_music(...)錯誤!!,找不到" ... "gone.wav"
  std::string log = read("debug.txt");
  EXPECT_NE(log.find("play_music(...)\xBF\xF9\xBB~!!,\xA7\xE4\xA4\xA3\xA8\xEC"), std::string::npos);
  EXPECT_NE(log.find("Music\\gone.wav"), std::string::npos);
}

TEST_F(MusicTest, TheDiscIsTheFallbackAndWithoutOneThePathIsRelative) {
  fixtures::TempFolder disc;
  disc.write("MUSIC/disc.wav", std::string(10, 'x'));
  platform::map_drive('E', disc.str());
  cd_drive_letter = 'E';
  play_music("disc.wav", 1, 0, 0, 1);
  EXPECT_EQ(music_director.entry(1, 0).name, "E:\\Music\\disc.wav");

  // No disc: the folder Music of the current directory.
  cd_drive_letter = 0;
  std::string real_dir = game_dir;
  game_dir = disc.str();
  play_music("loop.wav", 1, 1, 0, 1);
  EXPECT_EQ(music_director.entry(1, 1).name, "Music\\loop.wav");
  game_dir = real_dir;
  platform::clear_drive_mappings();
}

TEST_F(MusicTest, TheVolumeOptionReachesThePlayingStream) {
  play_music("map.wav", 1, 0, 0, 1);
  switch_music(1, 0, 0);
  update_audio();
  EXPECT_EQ(stream_manager.volume16(1), 80 * 16);
  music_director.SetVolume(40);
  EXPECT_EQ(stream_manager.volume16(1), 40 * 16);
  save_music_mode();
  EXPECT_EQ(saved_music_mode, 1);
}

}  // namespace
