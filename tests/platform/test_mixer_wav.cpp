// The WAVE reader that feeds the mixer: chunk walking, refusals of bad files, conversion of
// 8-bit, mono and other rates, and the streaming reader matching the whole-file conversion.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/wav.h"
#include "tests/fixtures/sound_kit.h"

using platform::PcmFrames;
using platform::WavInfo;

namespace {

bool parse(const kit::Bytes& b, WavInfo& info, std::string& error) {
  return platform::parse_wav(b.data(), b.size(), info, error);
}

PcmFrames convert_whole(const kit::Bytes& b) {
  WavInfo info;
  std::string error;
  PcmFrames out;
  if (parse(b, info, error)) platform::convert_pcm(info, b.data() + info.data_offset, info.data_size, out);
  return out;
}

TEST(Wav, StereoAt441IsTakenAsItIs) {
  auto samples = kit::tone_samples(440, 50, 44100, 2);
  PcmFrames out = convert_whole(kit::make_wav(samples, 2, 44100));
  EXPECT_EQ(out, PcmFrames(samples.begin(), samples.end()));
}

TEST(Wav, MonoIsCopiedToBothSidesAndEightBitIsWidened) {
  std::vector<std::int16_t> mono = {0, 256, -256, 32512, -32768};
  PcmFrames out = convert_whole(kit::make_wav(mono, 1, 44100, 16));
  ASSERT_EQ(out.size(), 10u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(out[2 * i], mono[i]);
    EXPECT_EQ(out[2 * i + 1], mono[i]);
  }
  out = convert_whole(kit::make_wav(mono, 1, 44100, 8));
  ASSERT_EQ(out.size(), 10u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(out[2 * i], std::int16_t(mono[i] & ~0xFF)) << i;
}

TEST(Wav, OtherRatesAreInterpolatedTo441) {
  // A ramp at 22050 Hz: every second output frame lies half-way between two input frames.
  std::vector<std::int16_t> ramp;
  for (int i = 0; i < 1000; ++i) ramp.push_back(std::int16_t(i * 20));
  PcmFrames out = convert_whole(kit::make_wav(ramp, 1, 22050));
  ASSERT_GE(out.size() / 2, 1996u);
  ASSERT_LE(out.size() / 2, 2000u);
  for (std::size_t i = 0; i + 1 < out.size() / 2; ++i) EXPECT_EQ(out[2 * i], std::int16_t(i * 10)) << i;
}

TEST(Wav, ChunksBeforeDataAreSkippedWithTheirPadding) {
  kit::Bytes wav = kit::make_tone_wav(1000, 10);
  // An odd-sized LIST chunk and its pad byte between fmt and data.
  kit::Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  wav.insert(wav.begin() + 36, list.begin(), list.end());
  WavInfo info;
  std::string error;
  ASSERT_TRUE(parse(wav, info, error)) << error;
  EXPECT_EQ(info.data_offset, 44u + list.size());
  EXPECT_EQ(info.rate, 44100);
  EXPECT_EQ(info.channels, 2);
}

TEST(Wav, ADataChunkLongerThanTheFileIsCut) {
  kit::Bytes wav = kit::make_tone_wav(1000, 10);
  wav[40] = wav[41] = wav[42] = 0xFF;
  wav[43] = 0x7F;
  WavInfo info;
  std::string error;
  ASSERT_TRUE(parse(wav, info, error));
  EXPECT_EQ(info.data_offset + info.data_size, wav.size());
}

struct BadCase {
  const char* name;
  void (*spoil)(kit::Bytes&);
};

TEST(Wav, BadFilesAreRefused) {
  const BadCase cases[] = {
      {"empty", [](kit::Bytes& b) { b.clear(); }},
      {"no RIFF", [](kit::Bytes& b) { b[0] = 'X'; }},
      {"no WAVE", [](kit::Bytes& b) { b[8] = 'X'; }},
      {"header only", [](kit::Bytes& b) { b.resize(12); }},
      {"fmt cut", [](kit::Bytes& b) { b.resize(30); }},
      {"fmt too short", [](kit::Bytes& b) { b[16] = 8; }},
      {"fmt longer than the file", [](kit::Bytes& b) { b[19] = 0x70; }},
      {"no data chunk", [](kit::Bytes& b) { std::memcpy(b.data() + 36, "junk", 4); }},
      {"data before fmt",
       [](kit::Bytes& b) {
         std::memcpy(b.data() + 12, "xxxx", 4);
         std::memcpy(b.data() + 36, "data", 4);
       }},
      {"no channels", [](kit::Bytes& b) { b[22] = 0; }},
      {"rate zero", [](kit::Bytes& b) { b[24] = b[25] = b[26] = b[27] = 0; }},
  };
  for (const auto& c : cases) {
    kit::Bytes wav = kit::make_tone_wav(500, 5);
    c.spoil(wav);
    WavInfo info;
    std::string error;
    EXPECT_FALSE(parse(wav, info, error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
}

TEST(Wav, CodecsOtherThanPlainPcmAreNotOurs) {
  kit::Bytes wav = kit::make_tone_wav(500, 5);
  wav[20] = 2;  // ADPCM
  WavInfo info;
  std::string error;
  ASSERT_TRUE(parse(wav, info, error));
  EXPECT_FALSE(platform::is_plain_pcm(info));
  PcmFrames out;
  platform::convert_pcm(info, wav.data() + info.data_offset, info.data_size, out);
  EXPECT_TRUE(out.empty());
}

TEST(Wav, TheStreamingReaderGivesTheWholeFileConversion) {
  auto dir = std::filesystem::temp_directory_path() / ("qorv_wav_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  struct Case {
    int rate, channels, bits;
  };
  for (Case c : {Case{44100, 2, 16}, Case{22050, 1, 16}, Case{11025, 2, 8}}) {
    kit::Bytes wav = kit::make_tone_wav(330, 700, c.rate, c.channels, c.bits);
    std::string path = (dir / "music.wav").string();
    ASSERT_TRUE(kit::write_file(path, wav));
    PcmFrames whole = convert_whole(wav);
    platform::WavFileSource source;
    std::string error;
    ASSERT_TRUE(source.open(path, error)) << error;
    PcmFrames streamed, piece(2 * 999);
    while (!source.at_end()) {
      int n = source.read(piece.data(), 999);
      streamed.insert(streamed.end(), piece.begin(), piece.begin() + 2 * n);
      if (n == 0) break;
    }
    EXPECT_TRUE(source.at_end());
    EXPECT_EQ(streamed, whole) << c.rate << " Hz";
    ASSERT_TRUE(source.rewind());
    EXPECT_EQ(source.read(piece.data(), 10), 10);
    EXPECT_EQ(piece[0], whole[0]);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
