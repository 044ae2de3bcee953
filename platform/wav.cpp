#include "platform/wav.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

std::uint16_t get_u16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t get_u32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

constexpr std::size_t max_fmt_channels = 8;
constexpr int min_rate = 1000;
constexpr int max_rate = 384000;

// Reads one input sample of the PCM block at frame index i, channel c, as 16-bit.
std::int16_t pcm_sample(const WavInfo& info, const std::uint8_t* bytes, std::size_t i, int c) {
  const std::uint8_t* p =
      bytes + i * std::size_t(info.block_align) + std::size_t(c) * std::size_t(info.bits / 8);
  if (info.bits == 8) return std::int16_t((int(p[0]) - 128) * 256);
  return std::int16_t(get_u16(p));
}

}  // namespace

bool parse_wav(const std::uint8_t* data, std::size_t size, WavInfo& info, std::string& error) {
  info = WavInfo{};
  if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
    error = "not a RIFF WAVE file";
    return false;
  }
  bool have_fmt = false;
  std::size_t pos = 12;
  while (size - pos >= 8) {
    const std::uint8_t* chunk = data + pos;
    std::size_t length = get_u32(chunk + 4);
    std::size_t body = pos + 8;
    std::size_t room = size - body;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16 || length > room) {
        error = "bad fmt chunk";
        return false;
      }
      info.format_tag = get_u16(data + body);
      info.channels = get_u16(data + body + 2);
      info.rate = int(get_u32(data + body + 4));
      info.block_align = get_u16(data + body + 12);
      info.bits = get_u16(data + body + 14);
      // The extensible header names its real format in the first bytes of the sub-format.
      if (info.format_tag == 0xFFFE && length >= 40) info.format_tag = get_u16(data + body + 24);
      have_fmt = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!have_fmt) {
        error = "data chunk before fmt chunk";
        return false;
      }
      info.data_offset = body;
      info.data_size = std::min(length, room);  // a cut file plays what it holds
      if (info.channels < 1 || std::size_t(info.channels) > max_fmt_channels || info.rate < min_rate ||
          info.rate > max_rate) {
        error = "unsupported channel count or rate";
        return false;
      }
      return true;
    }
    if (length > room) break;
    pos = body + length + (length & 1);  // chunks are padded to even sizes
    if (pos > size) break;
  }
  error = have_fmt ? "no data chunk" : "no fmt chunk";
  return false;
}

bool is_plain_pcm(const WavInfo& info) {
  return info.format_tag == 1 && (info.bits == 8 || info.bits == 16) &&
         (info.channels == 1 || info.channels == 2) && info.block_align == info.channels * info.bits / 8 &&
         info.rate >= min_rate && info.rate <= max_rate;
}

namespace {
// Widens every frame to 16-bit stereo, keeping out's storage.
void widen_to_stereo(const WavInfo& info, const std::uint8_t* bytes, std::size_t count, PcmFrames& out) {
  out.resize(2 * count);
  for (std::size_t i = 0; i < count; ++i) {
    out[2 * i] = pcm_sample(info, bytes, i, 0);
    out[2 * i + 1] = info.channels == 2 ? pcm_sample(info, bytes, i, 1) : out[2 * i];
  }
}
}  // namespace

void convert_pcm(const WavInfo& info, const std::uint8_t* bytes, std::size_t size, PcmFrames& out) {
  out.clear();
  if (!is_plain_pcm(info) || !bytes) return;
  std::size_t count = size / std::size_t(info.block_align);
  if (info.rate == mix_rate) {
    widen_to_stereo(info, bytes, count, out);
    return;
  }
  PcmFrames stereo;
  widen_to_stereo(info, bytes, count, stereo);
  Resampler r;
  r.reset(info.rate);
  r.feed(stereo.data(), count, out);
}

void Resampler::reset(int rate) {
  rate_ = std::clamp(rate, min_rate, max_rate);
  step_ = (std::uint64_t(rate_) << 32) / std::uint64_t(mix_rate);
  phase_ = 0;
  primed_ = false;
}

void Resampler::feed(const std::int16_t* frames, std::size_t count, PcmFrames& out) {
  if (rate_ == mix_rate) {
    out.insert(out.end(), frames, frames + 2 * count);
    return;
  }
  constexpr std::uint64_t one = std::uint64_t(1) << 32;
  for (std::size_t i = 0; i < count; ++i) {
    const std::int16_t* next = frames + 2 * i;
    if (!primed_) {
      prev_[0] = next[0];
      prev_[1] = next[1];
      primed_ = true;
      continue;
    }
    // Output frames that fall between prev_ and next.
    while (phase_ < one) {
      std::int64_t f = std::int64_t(phase_ >> 16);  // 16-bit fraction
      for (int c = 0; c < 2; ++c)
        out.push_back(std::int16_t(prev_[c] + ((std::int64_t(next[c]) - prev_[c]) * f >> 16)));
      phase_ += step_;
    }
    phase_ -= one;
    prev_[0] = next[0];
    prev_[1] = next[1];
  }
}

WavFileSource::~WavFileSource() {
  if (file_) std::fclose(file_);
}

bool WavFileSource::open(const std::string& host_path, std::string& error) {
  file_ = std::fopen(host_path.c_str(), "rb");
  if (!file_) {
    error = "cannot open " + host_path;
    return false;
  }
  // The header sits within the first few kilobytes of any file we play.
  std::uint8_t head[4096];
  std::size_t n = std::fread(head, 1, sizeof head, file_);
  std::fseek(file_, 0, SEEK_END);
  long file_size = std::ftell(file_);
  if (!parse_wav(head, n, info_, error)) return false;
  if (!is_plain_pcm(info_)) {
    error = "not plain PCM";
    return false;
  }
  if (file_size > 0)
    info_.data_size = std::min<std::size_t>(get_u32(head + info_.data_offset - 4),
                                            std::size_t(file_size) - info_.data_offset);
  return rewind();
}

bool WavFileSource::rewind() {
  if (!file_ || std::fseek(file_, long(info_.data_offset), SEEK_SET) != 0) return false;
  read_bytes_ = 0;
  pending_.clear();
  taken_ = 0;
  resampler_.reset(info_.rate);
  ended_ = false;
  return true;
}

bool WavFileSource::refill() {
  pending_.clear();
  taken_ = 0;
  std::uint8_t bytes[8192];
  std::size_t want = std::min(sizeof bytes / std::size_t(info_.block_align) * std::size_t(info_.block_align),
                              info_.data_size - read_bytes_);
  std::size_t got = want ? std::fread(bytes, 1, want, file_) : 0;
  got -= got % std::size_t(info_.block_align);
  if (got == 0) {
    ended_ = true;
    return false;
  }
  read_bytes_ += got;
  WavInfo at_rate = info_;
  at_rate.rate = mix_rate;  // resampled below, keeping its place across pieces
  convert_pcm(at_rate, bytes, got, stereo_);
  resampler_.feed(stereo_.data(), stereo_.size() / 2, pending_);
  return true;
}

int WavFileSource::read(std::int16_t* out, int frames) {
  int done = 0;
  while (done < frames) {
    if (taken_ * 2 >= pending_.size() && (ended_ || !refill())) break;
    std::size_t avail = pending_.size() / 2 - taken_;
    std::size_t n = std::min<std::size_t>(avail, std::size_t(frames - done));
    std::memcpy(out + 2 * done, pending_.data() + 2 * taken_, n * 4);
    taken_ += n;
    done += int(n);
  }
  return done;
}

bool WavFileSource::at_end() const { return ended_ && taken_ * 2 >= pending_.size(); }

}  // namespace platform
