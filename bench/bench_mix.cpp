// The mixer's cost against real time: one second of sound from 16 effect voices and 2 music
// streams decoded from WAV files, mixed in the device's 1024-frame pieces.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "bench/ratio.h"
#include "platform/mixer.h"
#include "platform/wav.h"
#include "tests/fixtures/sound_kit.h"

namespace {

constexpr int device_frames = 1024;

std::string write_music(const char* name, int rate) {
  auto path = std::filesystem::temp_directory_path() / name;
  kit::write_file(path.string(), kit::make_tone_wav(110, 3000, rate, 2, 16, 9000));
  return path.string();
}

void BM_MixOneSecond(benchmark::State& state) {
  platform::Mixer mixer;
  for (int v = 0; v < platform::sample_voice_count; ++v) {
    auto pcm = std::make_shared<platform::PcmFrames>();
    auto tone = kit::tone_samples(200 + 37 * v, 700 + 50 * v, 44100, 2, 3000);
    pcm->assign(tone.begin(), tone.end());
    mixer.set_sample(v, pcm);
    mixer.set_sample_volume(v, 40 + 5 * v);
    mixer.set_sample_pan(v, 8 * v);
    mixer.set_sample_loop_count(v, 0);
    mixer.start_sample(v);
  }
  // One stream at the device's rate, one that is converted.
  const std::string paths[] = {write_music("qorv_bench_music_44100.wav", 44100),
                               write_music("qorv_bench_music_22050.wav", 22050)};
  for (int s = 0; s < 2; ++s) {
    auto source = std::make_shared<platform::WavFileSource>();
    std::string error;
    if (!source->open(paths[s], error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    mixer.set_stream(s, source);
    mixer.set_stream_volume(s, 90);
    mixer.set_stream_loop_count(s, 0);
    mixer.start_stream(s);
  }
  platform::PcmFrames out(2 * device_frames);
  for (auto _ : state) {
    for (int done = 0; done < platform::mix_rate; done += device_frames) {
      mixer.mix(out.data(), std::min(device_frames, platform::mix_rate - done));
      benchmark::DoNotOptimize(out.data());
    }
  }
  for (const auto& p : paths) std::remove(p.c_str());
}
BENCHMARK(BM_MixOneSecond)->Unit(benchmark::kMillisecond);

// The baseline: one second of real time, the time the mixed sound lasts.
void BM_RealTimeOneSecond(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(1.0);
}
BENCHMARK(BM_RealTimeOneSecond)->UseManualTime()->Iterations(1);

}  // namespace

QORV_RATIO("mix_vs_realtime", "BM_MixOneSecond", "BM_RealTimeOneSecond/iterations:1/manual_time",
           bench::Rate::SecondsPerIteration);
