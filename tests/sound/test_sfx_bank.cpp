// The effect bank over an all.snd from the data kit: both storage types heard exactly, entries
// that cannot play, the wav_off flag, shared loads and their release, the handle pool.
#include <cstring>
#include <string>

#include "core/log.h"
#include "platform/message_box.h"

#include "tests/sound/sound_test.h"

namespace {

constexpr int tone_ms = 100;  // 4410 frames

std::vector<std::int16_t> tone(int frequency) {
  return kit::tone_samples(frequency, tone_ms, 44100, 2, 9000);
}

// Stored bytes of the older layout: the format block, four bytes that are no "data" mark,
// the samples, then four bytes the loader does not take.
kit::Bytes older_layout(const std::vector<std::int16_t>& samples) {
  kit::Bytes stored = kit::type0_bytes(kit::make_wav(samples, 2, 44100));
  stored.erase(stored.begin() + 16, stored.begin() + 24);  // "data" and its length
  kit::Bytes mark = {'x', 'y', 0, 0};
  stored.insert(stored.begin() + 16, mark.begin(), mark.end());
  stored.insert(stored.end(), {1, 2, 3, 4});
  return stored;
}

class SfxBankTest : public SoundTest {
 protected:
  void SetUp() override {
    std::vector<kit::SndEntry> entries = {
        {1, 0, kit::type0_bytes(kit::make_wav(tone(440), 2, 44100))},
        {2, 1, kit::make_wav(tone(660), 2, 44100)},
        {3, 0, older_layout(tone(880))},
        {4, 2, kit::type0_bytes(kit::make_wav(tone(440), 2, 44100))},
        {5, 0, kit::Bytes(10, 0)},
        {7, 1, kit::Bytes(300, 0x55)},  // no sound the library knows
        {302, 1, kit::make_tone_wav(1000, 30, 22050, 1, 8)},
        {3000, 1, kit::make_wav(tone(220), 2, 44100)},
    };
    write("ACT/all.snd", kit::make_all_snd(entries));
    ASSERT_TRUE(sfx_bank.OpenSfx(act_folder()));
  }

  // Plays n at full volume, centred, and returns what the device mixes of it.
  std::vector<std::int16_t> hear(int n, int frames = 4410) {
    sfx_bank.Play(nullptr, n, 127, 0, 1, 0);
    return pull(frames);
  }
};

TEST_F(SfxBankTest, BothStorageTypesPlayTheirSamplesExactly) {
  struct Case {
    int n, frequency;
  };
  for (Case c : {Case{1, 440}, Case{2, 660}, Case{3, 880}, Case{3000, 220}}) {
    auto heard = hear(c.n);
    EXPECT_EQ(heard, tone(c.frequency)) << "entry " << c.n;
    sfx_bank.Update();
  }
}

TEST_F(SfxBankTest, EntriesThatCannotPlayAreRefusedWithoutHarm) {
  for (int n : {0, -3, 4, 5, 6, 7, 3001, 100000}) {
    sfx_bank.Play(nullptr, n, 127, 0, 1, 0);
    EXPECT_EQ(sfx_bank.playing_count(), 0) << "entry " << n;
    if (const SfxEntry* e = sfx_bank.entry(n)) {
      EXPECT_TRUE(e->data.empty()) << "entry " << n;
      EXPECT_EQ(e->refs, 0) << "entry " << n;
    }
  }
  // Types 2 and 3 and a type-0 entry too short for its header are reported, once each.
  for (int again = 0; again < 3; ++again) sfx_bank.Play(nullptr, 4, 127, 0, 1, 0);
  // "SfxBank::Play(%d)錯誤  音效檔案損壞"
  auto line = [](int n) {
    return "SfxBank::Play(" + std::to_string(n) +
           ")\xBF\xF9\xBB\x7E  \xAD\xB5\xAE\xC4\xC0\xC9\xAE\xD7\xB7\x6C\xC3\x61 \r\n";
  };
  EXPECT_EQ(read("debug.txt"), line(4) + line(5));
}

TEST_F(SfxBankTest, ADamagedEntryOpensOneBoxInDebugMode) {
  set_error_log_switch(0);
  platform::clear_recorded_boxes();
  for (int step = 0; step < 5; ++step) sfx_bank.Play(nullptr, 5, 127, 0, 1, 0);
  EXPECT_EQ(platform::recorded_boxes().size(), 1u);
  set_error_log_switch(1);
}

TEST_F(SfxBankTest, PlaySfxUsesTheSoundVolumeAndObeysWavOff) {
  set_flag(flag_wav_off);
  play_sfx(302, 1);
  EXPECT_EQ(sfx_bank.playing_count(), 0);
  clear_flag(flag_wav_off);
  play_sfx(302, 1);
  EXPECT_EQ(sfx_bank.playing_count(), 1);
  play_sfx(0, 1);
  EXPECT_EQ(sfx_bank.playing_count(), 1);
}

TEST_F(SfxBankTest, OneLoadIsSharedAndFreedWithItsLastSample) {
  sfx_bank.Play(nullptr, 2, 127, 0, 1, 0);
  const std::uint8_t* first = sfx_bank.entry(2)->data.data();
  platform::advance_fake_clock(50);
  sfx_bank.Play(nullptr, 2, 127, 0, 1, 0);
  EXPECT_EQ(sfx_bank.entry(2)->refs, 2);
  EXPECT_EQ(sfx_bank.entry(2)->data.data(), first);
  sfx_bank.Stop(2);  // the second, started last
  EXPECT_EQ(sfx_bank.entry(2)->refs, 1);
  EXPECT_FALSE(sfx_bank.entry(2)->data.empty());
  // The first ends 100 ms after it started; the update then frees the copy.
  platform::advance_fake_clock(49);
  sfx_bank.Update();
  EXPECT_EQ(sfx_bank.entry(2)->refs, 1);
  platform::advance_fake_clock(2);
  sfx_bank.Update();
  EXPECT_EQ(sfx_bank.playing_count(), 0);
  EXPECT_EQ(sfx_bank.entry(2)->refs, 0);
  EXPECT_TRUE(sfx_bank.entry(2)->data.empty());
}

TEST_F(SfxBankTest, StopEndsTheSampleStartedLast) {
  sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);
  platform::advance_fake_clock(60);
  sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);
  sfx_bank.Stop(1);
  // The first goes on from its 60th millisecond: 2646 frames in.
  auto heard = pull(100);
  auto t = tone(440);
  EXPECT_TRUE(std::equal(heard.begin(), heard.end(), t.begin() + 2 * 2646));
}

TEST_F(SfxBankTest, PanFollowsTheLibrarysScale) {
  // Pan 0 is the centre (63); pan 80 is clamped to the far right (127).
  sfx_bank.Play(nullptr, 2, 127, 80, 1, 0);
  auto heard = pull(4410);
  auto t = tone(660);
  for (std::size_t i = 0; i < 4410; ++i) {
    ASSERT_EQ(heard[2 * i], 0);
    ASSERT_EQ(heard[2 * i + 1], t[2 * i + 1]);
  }
}

TEST_F(SfxBankTest, SixteenEffectsPlayAtOnceAndTheSeventeenthIsDropped) {
  EXPECT_EQ(sfx_bank.handle_count(), 16);
  for (int i = 0; i < 17; ++i) sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);
  EXPECT_EQ(sfx_bank.playing_count(), 16);
  EXPECT_EQ(sfx_bank.entry(1)->refs, 16);
  EXPECT_TRUE(sfx_bank.StopAll());
  EXPECT_EQ(sfx_bank.entry(1)->refs, 0);
  EXPECT_TRUE(sfx_bank.entry(1)->data.empty());
}

TEST_F(SfxBankTest, CallerDataPlaysWithoutBeingTakenOver) {
  auto wav = kit::make_wav(tone(330), 2, 44100);
  auto* data = new std::uint8_t[wav.size()];
  std::memcpy(data, wav.data(), wav.size());
  sfx_bank.Play(data, 2, 127, 0, 1, wav.size());
  EXPECT_TRUE(sfx_bank.entry(2)->data.empty());  // entry 2's own sound is not touched
  delete[] data;                                 // the caller's to free, at once
  EXPECT_EQ(pull(4410), tone(330));
  platform::advance_fake_clock(200);
  sfx_bank.Update();
  EXPECT_EQ(sfx_bank.entry(2)->refs, 0);
}

TEST_F(SfxBankTest, CloseReleasesEverythingAndLaterCallsDoNothing) {
  sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);
  EXPECT_TRUE(sfx_bank.CloseSfx());
  EXPECT_FALSE(sfx_bank.is_open());
  EXPECT_EQ(sfx_bank.GetDriver(), nullptr);
  EXPECT_FALSE(sfx_bank.StopAll());
  EXPECT_FALSE(sfx_bank.Update());
  sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);
  EXPECT_EQ(sfx_bank.playing_count(), 0);
  EXPECT_TRUE(sfx_bank.CloseSfx());
  EXPECT_TRUE(sfx_bank.OpenSfx(act_folder()));  // and it opens again
  EXPECT_EQ(sfx_bank.handle_count(), 16);
}

TEST_F(SoundTest, AMissingBankIsCreatedEmptyAndPlaysNothing) {
  std::filesystem::create_directories(folder_.path() / "ACT");
  ASSERT_TRUE(sfx_bank.OpenSfx(act_folder()));
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "ACT" / "all.snd"));
  sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);
  EXPECT_EQ(sfx_bank.playing_count(), 0);
}

TEST_F(SoundTest, ACutIndexKeepsTheRecordsItHolds) {
  kit::Bytes bank =
      kit::make_all_snd({{1, 1, kit::make_tone_wav(500, 20)}, {2000, 1, kit::make_tone_wav(500, 20)}});
  // Cut inside the index, after record 1 but before record 2000: then only the tail is gone.
  kit::Bytes cut(bank.begin(), bank.begin() + 28 + 44 * 1000);
  write("ACT/all.snd", cut);
  ASSERT_TRUE(sfx_bank.OpenSfx(act_folder()));
  EXPECT_NE(sfx_bank.entry(1)->offset, 0u);
  EXPECT_EQ(sfx_bank.entry(2000)->offset, 0u);
  sfx_bank.Play(nullptr, 1, 127, 0, 1, 0);  // its data lies beyond the cut: nothing plays
  EXPECT_EQ(sfx_bank.playing_count(), 0);
}

TEST_F(SoundTest, NoFolderNoBank) {
  EXPECT_FALSE(sfx_bank.OpenSfx(game_dir + "\\NOPE\\"));
  EXPECT_EQ(sfx_bank.error_text(), "SFX file connot open.");
  EXPECT_EQ(sfx_bank.GetDriver(), nullptr);
}

}  // namespace
