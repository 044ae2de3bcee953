// The stream manager on music files of the data kit: fades frame by frame, streams closed when
// they end, the two-stream limit and the refusals.
#include "tests/sound/sound_test.h"

namespace {

class StreamTest : public SoundTest {
 protected:
  void SetUp() override {
    write("ACT/all.snd", kit::make_all_snd({}));
    ASSERT_TRUE(sfx_bank.OpenSfx(act_folder()));
    write("Music/one.wav", kit::make_tone_wav(220, 1000));
    write("Music/two.wav", kit::make_tone_wav(330, 500));
    write("Music/three.wav", kit::make_tone_wav(440, 500));
    ASSERT_TRUE(stream_manager.OpenStream(sfx_bank.GetDriver()));
  }
  std::string music(const char* name) { return game_dir + "\\Music\\" + name; }
};

TEST_F(StreamTest, AFadeOver35FramesClosesTheStreamInThe36thUpdate) {
  ASSERT_EQ(stream_manager.Play(music("one.wav").c_str(), 7, 80, 1), 7);
  EXPECT_EQ(stream_manager.volume16(7), 1280);
  EXPECT_EQ(stream_manager.FadeOut(7, 35), 7);
  for (int frame = 1; frame <= 35; ++frame) {
    stream_manager.Update();
    ASSERT_EQ(stream_manager.IsStopped(7), 0) << frame;
    ASSERT_EQ(stream_manager.volume16(7), 1280 - 36 * frame) << frame;
  }
  stream_manager.Update();
  EXPECT_EQ(stream_manager.IsStopped(7), 1);
  EXPECT_EQ(stream_manager.CurrentId(), 0);
}

TEST_F(StreamTest, TheFadeLowersWhatIsHeard) {
  ASSERT_EQ(stream_manager.Play(music("one.wav").c_str(), 1, 127, 1), 1);
  stream_manager.FadeOut(1, 4);  // 2032 in steps of 508: volumes 95, 63, 31, then closed
  const int volumes[] = {95, 63, 31};
  auto full = kit::tone_samples(220, 1000, 44100, 2, 8000);
  std::size_t at = 0;
  for (int v : volumes) {
    stream_manager.Update();
    auto heard = pull(1260);
    std::int32_t gain = std::int32_t(std::int64_t(v) * 32768 / 127);
    for (std::size_t i = 0; i < heard.size(); ++i)
      ASSERT_EQ(heard[i], std::int16_t((full[at + i] * gain) >> 15)) << "volume " << v << " at " << i;
    at += heard.size();
  }
  stream_manager.Update();
  EXPECT_EQ(stream_manager.IsStopped(1), 1);
  for (std::int16_t s : pull(100)) ASSERT_EQ(s, 0);
}

TEST_F(StreamTest, FadeOutOverNoFramesClosesAtOnce) {
  stream_manager.Play(music("one.wav").c_str(), 3, 80, 1);
  EXPECT_EQ(stream_manager.FadeOut(3, 0), 3);
  EXPECT_EQ(stream_manager.IsStopped(3), 1);
}

TEST_F(StreamTest, AnEndedStreamIsClosedByTheNextUpdate) {
  stream_manager.Play(music("two.wav").c_str(), 2, 80, 1);  // half a second
  platform::advance_fake_clock(499);
  stream_manager.Update();
  EXPECT_EQ(stream_manager.IsStopped(2), 0);
  platform::advance_fake_clock(30);
  EXPECT_EQ(stream_manager.IsStopped(2), 0);  // ended, but only the update closes it
  stream_manager.Update();
  EXPECT_EQ(stream_manager.IsStopped(2), 1);
}

TEST_F(StreamTest, TwoStreamsAtMostAndOneOfEachId) {
  EXPECT_EQ(stream_manager.Play(music("one.wav").c_str(), 1, 80, 1), 1);
  EXPECT_EQ(stream_manager.Play(music("two.wav").c_str(), 1, 80, 1), 0);  // the id plays already
  EXPECT_EQ(stream_manager.Play(music("two.wav").c_str(), 0, 80, 1), 0);
  EXPECT_EQ(stream_manager.Play(music("two.wav").c_str(), 2, 80, 1), 2);
  EXPECT_EQ(stream_manager.CurrentId(), 2);
  EXPECT_EQ(stream_manager.Play(music("three.wav").c_str(), 3, 80, 1), 0);
  stream_manager.FadeOut(2, 0);
  EXPECT_EQ(stream_manager.CurrentId(), 1);
  EXPECT_EQ(stream_manager.Play(music("three.wav").c_str(), 3, 80, 1), 3);
}

TEST_F(StreamTest, VolumesAreClampedAndReported) {
  stream_manager.Play(music("one.wav").c_str(), 4, 500, 1);
  EXPECT_EQ(stream_manager.volume16(4), 127 * 16);
  EXPECT_EQ(stream_manager.SetVolume(4, 64), 64);
  EXPECT_EQ(stream_manager.SetVolume(4, -9), 0);
  EXPECT_EQ(stream_manager.SetVolume(5, 64), -1);
}

TEST_F(StreamTest, AFileThatCannotBeOpenedPlaysNothing) {
  EXPECT_EQ(stream_manager.Play(music("none.wav").c_str(), 1, 80, 1), 0);
  EXPECT_FALSE(stream_manager.error_text().empty());
  write("Music/bad.wav", kit::Bytes(64, 0x11));
  EXPECT_EQ(stream_manager.Play(music("bad.wav").c_str(), 1, 80, 1), 0);
  EXPECT_EQ(stream_manager.Play(music("one.wav").c_str(), 1, 80, 1), 1);  // both nodes are still free
  EXPECT_EQ(stream_manager.Play(music("two.wav").c_str(), 2, 80, 1), 2);
}

TEST_F(StreamTest, ClosedOrNeverOpenedItRefusesEverything) {
  stream_manager.Play(music("one.wav").c_str(), 1, 80, 1);
  EXPECT_TRUE(stream_manager.CloseStream());
  EXPECT_FALSE(stream_manager.CloseStream());
  EXPECT_EQ(stream_manager.Play(music("one.wav").c_str(), 1, 80, 1), 0);
  EXPECT_EQ(stream_manager.SetVolume(1, 10), 0);
  EXPECT_EQ(stream_manager.FadeOut(1, 10), 0);
  EXPECT_EQ(stream_manager.IsStopped(1), 1);
}

TEST_F(SoundTest, WithoutADriverStreamsFailQuietly) {
  ASSERT_TRUE(stream_manager.OpenStream(nullptr));
  write("Music/one.wav", kit::make_tone_wav(220, 100));
  EXPECT_EQ(stream_manager.Play((game_dir + "\\Music\\one.wav").c_str(), 1, 80, 1), 0);
}

}  // namespace
