#include "platform/mixer.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr int chunk_frames = 1024;  // mix() works in chunks so its buffers never grow

int clamp127(int v) { return std::clamp(v, 0, 127); }

std::int32_t scaled(int volume, int num, int den) {
  return std::int32_t(std::int64_t(volume) * 32768 * num / (std::int64_t(127) * den));
}

// Adds gained frames into the accumulator.
void add_frames(std::int32_t* acc, const std::int16_t* src, int frames, VoiceGains g) {
  for (int i = 0; i < frames; ++i) {
    acc[2 * i] += (std::int32_t(src[2 * i]) * g.left) >> 15;
    acc[2 * i + 1] += (std::int32_t(src[2 * i + 1]) * g.right) >> 15;
  }
}

}  // namespace

VoiceGains voice_gains(int volume, int pan) {
  volume = clamp127(volume);
  pan = clamp127(pan);
  VoiceGains g;
  g.left = pan <= 63 ? scaled(volume, 1, 1) : scaled(volume, 127 - pan, 64);
  g.right = pan >= 63 ? scaled(volume, 1, 1) : scaled(volume, pan, 63);
  return g;
}

Mixer::Mixer() : acc_(2 * chunk_frames), pull_(2 * chunk_frames) {}

void Mixer::mix(std::int16_t* out, int frames) {
  while (frames > 0) {
    int n = std::min(frames, chunk_frames);
    std::fill(acc_.begin(), acc_.begin() + 2 * n, 0);
    for (auto& v : samples_)
      if (v.status == VoiceStatus::Playing) mix_sample(v, acc_.data(), n);
    for (auto& v : streams_)
      if (v.status == VoiceStatus::Playing) mix_stream(v, acc_.data(), n);
    for (int i = 0; i < 2 * n; ++i) out[i] = std::int16_t(std::clamp<std::int32_t>(acc_[i], -32768, 32767));
    out += 2 * n;
    frames -= n;
  }
}

void Mixer::mix_sample(SampleVoice& v, std::int32_t* acc, int frames) {
  const std::size_t length = v.sound ? v.sound->size() / 2 : 0;
  while (frames > 0) {
    if (v.position >= length) {
      // A loop count of 0 repeats for ever; an empty sound ends at once all the same.
      if (length > 0 && v.loops_left != 1) {
        if (v.loops_left > 1) --v.loops_left;
        v.position = 0;
      } else {
        v.status = VoiceStatus::Done;
        return;
      }
    }
    int n = int(std::min<std::size_t>(std::size_t(frames), length - v.position));
    add_frames(acc, v.sound->data() + 2 * v.position, n, v.gains);
    v.position += std::size_t(n);
    acc += 2 * n;
    frames -= n;
  }
}

void Mixer::mix_stream(StreamVoice& v, std::int32_t* acc, int frames) {
  if (!v.source) {
    v.status = VoiceStatus::Done;
    return;
  }
  bool just_rewound = false;
  while (frames > 0) {
    int n = std::clamp(v.source->read(pull_.data(), frames), 0, frames);
    add_frames(acc, pull_.data(), n, v.gains);
    acc += 2 * n;
    frames -= n;
    if (frames == 0) break;
    if (!v.source->at_end()) break;  // an underrun: silence for the rest of this call
    // A source that gives nothing right after a rewind is empty: looping it would never end.
    bool empty = just_rewound && n == 0;
    if (v.loops_left != 1 && !empty && v.source->rewind()) {
      if (v.loops_left > 1) --v.loops_left;
      just_rewound = true;
      continue;
    }
    v.status = VoiceStatus::Done;
    break;
  }
}

void Mixer::set_sample(int voice, std::shared_ptr<const PcmFrames> sound) {
  if (voice < 0 || voice >= sample_voice_count) return;
  auto& v = samples_[voice];
  v.sound = std::move(sound);
  v.position = 0;
  v.status = VoiceStatus::Done;
}

void Mixer::start_sample(int voice) {
  if (voice < 0 || voice >= sample_voice_count || !samples_[voice].sound) return;
  auto& v = samples_[voice];
  v.position = 0;
  v.status = VoiceStatus::Playing;
}

void Mixer::stop_sample(int voice) {
  if (voice < 0 || voice >= sample_voice_count) return;
  samples_[voice].status = VoiceStatus::Stopped;
}

void Mixer::release_sample(int voice) {
  if (voice < 0 || voice >= sample_voice_count) return;
  samples_[voice] = SampleVoice{};
}

void Mixer::set_sample_volume(int voice, int volume) {
  if (voice < 0 || voice >= sample_voice_count) return;
  auto& v = samples_[voice];
  v.volume = clamp127(volume);
  v.gains = voice_gains(v.volume, v.pan);
}

void Mixer::set_sample_pan(int voice, int pan) {
  if (voice < 0 || voice >= sample_voice_count) return;
  auto& v = samples_[voice];
  v.pan = clamp127(pan);
  v.gains = voice_gains(v.volume, v.pan);
}

void Mixer::set_sample_loop_count(int voice, int count) {
  if (voice < 0 || voice >= sample_voice_count) return;
  samples_[voice].loops_left = std::max(count, 0);
}

VoiceStatus Mixer::sample_status(int voice) const {
  if (voice < 0 || voice >= sample_voice_count) return VoiceStatus::Free;
  return samples_[voice].status;
}

int Mixer::sample_volume(int voice) const {
  if (voice < 0 || voice >= sample_voice_count) return 0;
  return samples_[voice].volume;
}

void Mixer::set_stream(int voice, std::shared_ptr<StreamSource> source) {
  if (voice < 0 || voice >= stream_voice_count) return;
  auto& v = streams_[voice];
  v.source = std::move(source);
  v.status = VoiceStatus::Done;
}

void Mixer::start_stream(int voice) {
  if (voice < 0 || voice >= stream_voice_count || !streams_[voice].source) return;
  streams_[voice].status = VoiceStatus::Playing;
}

void Mixer::stop_stream(int voice) {
  if (voice < 0 || voice >= stream_voice_count) return;
  streams_[voice].status = VoiceStatus::Stopped;
}

void Mixer::release_stream(int voice) {
  if (voice < 0 || voice >= stream_voice_count) return;
  streams_[voice] = StreamVoice{};
}

void Mixer::set_stream_volume(int voice, int volume) {
  if (voice < 0 || voice >= stream_voice_count) return;
  auto& v = streams_[voice];
  v.volume = clamp127(volume);
  v.gains = voice_gains(v.volume, v.pan);
}

void Mixer::set_stream_loop_count(int voice, int count) {
  if (voice < 0 || voice >= stream_voice_count) return;
  streams_[voice].loops_left = std::max(count, 0);
}

VoiceStatus Mixer::stream_status(int voice) const {
  if (voice < 0 || voice >= stream_voice_count) return VoiceStatus::Free;
  return streams_[voice].status;
}

int Mixer::stream_volume(int voice) const {
  if (voice < 0 || voice >= stream_voice_count) return 0;
  return streams_[voice].volume;
}

std::shared_ptr<StreamSource> Mixer::stream_source(int voice) const {
  if (voice < 0 || voice >= stream_voice_count) return nullptr;
  return streams_[voice].source;
}

}  // namespace platform
