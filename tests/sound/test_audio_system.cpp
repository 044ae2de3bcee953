// Start-up and shut-down of the audio objects with their trace lines, the frame service, and
// effects and music mixed together into the reference.
#include "sound/music_director.h"
#include "tests/sound/sound_test.h"

namespace {

TEST_F(SoundTest, StartUpOpensTheBankTheStreamsAndTheVideoSound) {
  write("ACT/all.snd", kit::make_all_snd({{302, 1, kit::make_tone_wav(1000, 20)}}));
  start_audio();
  EXPECT_TRUE(sfx_bank.is_open());
  EXPECT_NE(sfx_bank.GetDriver(), nullptr);
  EXPECT_TRUE(stream_manager.enabled());
  play_sfx(302, 1);
  EXPECT_EQ(sfx_bank.playing_count(), 1);
}

TEST_F(SoundTest, AFailedBankLeavesTheGameSilentButRunning) {
  start_audio();  // no ACT folder: all.snd cannot even be created
  EXPECT_FALSE(sfx_bank.is_open());
  EXPECT_EQ(sfx_bank.GetDriver(), nullptr);
  EXPECT_TRUE(stream_manager.enabled());  // given no driver, every stream open fails quietly
  write("Music/map.wav", kit::make_tone_wav(220, 100));
  play_music("map.wav", 1, 0, 0, 1);
  switch_music(1, 0, 0);
  for (int i = 0; i < 3; ++i) update_audio();
  EXPECT_EQ(stream_manager.CurrentId(), 0);
  play_sfx(302, 1);
  EXPECT_EQ(sfx_bank.playing_count(), 0);
}

TEST_F(SoundTest, ShutDownClosesEverythingAndMayRunAgain) {
  write("ACT/all.snd", kit::make_all_snd({{1, 1, kit::make_tone_wav(1000, 500)}}));
  write("Music/map.wav", kit::make_tone_wav(220, 1000));
  start_audio();
  sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);
  ASSERT_EQ(stream_manager.Play((game_dir + "\\Music\\map.wav").c_str(), 1, 80, 1), 1);
  close_audio();
  EXPECT_FALSE(sfx_bank.is_open());
  EXPECT_FALSE(stream_manager.enabled());
  std::vector<std::int16_t> out(20);
  EXPECT_FALSE(platform::headless_audio_pull(out.data(), 10));  // the driver is closed
  close_audio();                                                // as the static destructors do at exit
  start_audio();                                                // and the library opens again
  EXPECT_TRUE(sfx_bank.is_open());
}

TEST_F(SoundTest, TheFrameServiceReapsEndedEffects) {
  write("ACT/all.snd", kit::make_all_snd({{5, 1, kit::make_tone_wav(1000, 50)}}));
  start_audio();
  sfx_bank.Play(nullptr, 5, 100, 0, 1, 0);
  platform::advance_fake_clock(40);
  update_audio();
  EXPECT_EQ(sfx_bank.playing_count(), 1);
  platform::advance_fake_clock(20);
  update_audio();
  EXPECT_EQ(sfx_bank.playing_count(), 0);
  EXPECT_TRUE(sfx_bank.entry(5)->data.empty());
}

TEST_F(SoundTest, EffectsAndMusicMixIntoTheReference) {
  auto a = kit::tone_samples(440, 200, 44100, 2, 7000);
  auto b = kit::tone_samples(1250, 100, 44100, 2, 12000);
  auto m = kit::tone_samples(110, 500, 44100, 2, 15000);
  write("ACT/all.snd", kit::make_all_snd({{10, 0, kit::type0_bytes(kit::make_wav(a, 2, 44100))},
                                          {11, 1, kit::make_wav(b, 2, 44100)}}));
  write("Music/theme.wav", kit::make_wav(m, 2, 44100));
  start_audio();
  play_music("theme.wav", 1, 0, 0, 1);
  music_director.SetVolume(100);
  switch_music(1, 0, 0);
  update_audio();
  sfx_bank.Play(nullptr, 10, 90, -30, 1, 0);  // pan 33
  sfx_bank.Play(nullptr, 11, 127, 20, 1, 0);  // pan 83
  auto out = pull(10000);
  auto gain = [](int volume, int pan, bool left) {
    std::int64_t num = 1, den = 1;
    if (left && pan > 63) num = 127 - pan, den = 64;
    if (!left && pan < 63) num = pan, den = 63;
    return std::int32_t(std::int64_t(volume) * 32768 * num / (127 * den));
  };
  for (std::size_t i = 0; i < 10000; ++i)
    for (int c = 0; c < 2; ++c) {
      bool left = c == 0;
      std::size_t k = 2 * i + std::size_t(c);
      std::int32_t sum = (m[k] * gain(100, 63, left)) >> 15;
      if (k < a.size()) sum += (a[k] * gain(90, 33, left)) >> 15;
      if (k < b.size()) sum += (b[k] * gain(127, 83, left)) >> 15;
      ASSERT_EQ(out[k], std::int16_t(std::clamp(sum, -32768, 32767))) << "frame " << i << " channel " << c;
    }
}

}  // namespace
