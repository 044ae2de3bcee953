// An effect stored whole as MP3 (type 1 without a RIFF header) plays through the named path.
#include <fstream>
#include <iterator>

#include "tests/platform/audio_clip.h"
#include "tests/sound/sound_test.h"

namespace {

TEST_F(SoundTest, AnMp3EffectPlays) {
  std::string mp3 = (folder_.path() / "tone.mp3").string();
  std::string error;
  ASSERT_TRUE(test_clip::write_tone(mp3, test_clip::AudioKind::Mp3, 600, 300, 10000, error)) << error;
  std::ifstream in(mp3, std::ios::binary);
  kit::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  write("ACT/all.snd", kit::make_all_snd({{40, 1, bytes}}));
  ASSERT_TRUE(sfx_bank.OpenSfx(act_folder()));
  sfx_bank.Play(nullptr, 40, 127, 0, 1, 0);
  ASSERT_EQ(sfx_bank.playing_count(), 1) << sfx_bank.error_text();
  auto out = pull(44100);
  int loud = int(std::count_if(out.begin(), out.end(), [](std::int16_t s) { return std::abs(s) > 5000; }));
  EXPECT_GT(loud, 2 * 13230 / 4);  // a good part of 300 ms of a 10000-peak tone on both sides
  platform::advance_fake_clock(400);
  sfx_bank.Update();
  EXPECT_EQ(sfx_bank.playing_count(), 0);
}

}  // namespace
