// Sounds that are no plain PCM WAV (MP3, compressed WAV), decoded by FFmpeg: whole from
// memory for effects, a piece at a time from disk for music.
#include <algorithm>
#include <cstring>

#include "platform/audio_device.h"
#include "platform/ffmpeg_audio.h"

namespace platform {
namespace {

constexpr std::size_t max_sound_frames = std::size_t(mix_rate) * 600;  // ten minutes of an effect is bad data
constexpr int io_buffer_size = 16384;

struct MemoryFile {
  const std::uint8_t* data;
  std::size_t size, pos;
};

int memory_read(void* opaque, std::uint8_t* buf, int len) {
  auto* m = static_cast<MemoryFile*>(opaque);
  std::size_t n = std::min(std::size_t(len > 0 ? len : 0), m->size - m->pos);
  if (n == 0) return AVERROR_EOF;
  std::memcpy(buf, m->data + m->pos, n);
  m->pos += n;
  return int(n);
}

std::int64_t memory_seek(void* opaque, std::int64_t offset, int whence) {
  auto* m = static_cast<MemoryFile*>(opaque);
  if (whence & AVSEEK_SIZE) return std::int64_t(m->size);
  std::int64_t base = (whence & 3) == SEEK_CUR   ? std::int64_t(m->pos)
                      : (whence & 3) == SEEK_END ? std::int64_t(m->size)
                                                 : 0;
  std::int64_t to = base + offset;
  if (to < 0 || to > std::int64_t(m->size)) return -1;
  m->pos = std::size_t(to);
  return to;
}

// An open container with its best audio stream's decoder.
class AudioFile {
 public:
  ~AudioFile() {
    avformat_close_input(&container_);
    if (io_) {
      av_freep(&io_->buffer);
      avio_context_free(&io_);
    }
    av_packet_free(&packet_);
  }

  bool open_memory(const std::uint8_t* data, std::size_t size, std::string& error) {
    memory_ = MemoryFile{data, size, 0};
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(io_buffer_size));
    io_ = buffer ? avio_alloc_context(buffer, io_buffer_size, 0, &memory_, memory_read, nullptr, memory_seek)
                 : nullptr;
    if (!io_) {
      av_free(buffer);
      error = "out of memory";
      return false;
    }
    container_ = avformat_alloc_context();
    if (!container_) return false;
    container_->pb = io_;
    return finish_open(nullptr, error);
  }

  bool open_path(const std::string& path, std::string& error) { return finish_open(path.c_str(), error); }

  // Appends the next decoded frames to out; false at the end of the file.
  bool decode_more(PcmFrames& out) {
    for (;;) {
      int r = av_read_frame(container_, packet_);
      if (r < 0) {
        if (!flushed_) audio_.decode(nullptr, out);
        flushed_ = true;
        return false;
      }
      bool ours = packet_->stream_index == audio_.stream_index();
      if (ours) audio_.decode(packet_, out);
      av_packet_unref(packet_);
      if (ours) return true;
    }
  }

  bool rewind() {
    if (av_seek_frame(container_, audio_.stream_index(), 0, AVSEEK_FLAG_BACKWARD) < 0 &&
        avformat_seek_file(container_, -1, INT64_MIN, 0, INT64_MAX, 0) < 0)
      return false;
    audio_.restart();
    flushed_ = false;
    return true;
  }

 private:
  bool finish_open(const char* path, std::string& error) {
    quiet_ffmpeg();
    packet_ = av_packet_alloc();
    if (!packet_ || avformat_open_input(&container_, path, nullptr, nullptr) < 0) {
      // On failure FFmpeg has freed the context (our AVIO context stays ours).
      container_ = nullptr;
      error = "cannot read the sound's container";
      return false;
    }
    if (avformat_find_stream_info(container_, nullptr) < 0) {
      error = "cannot read the sound's streams";
      return false;
    }
    int index = av_find_best_stream(container_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    return audio_.open(container_, index, error);
  }

  MemoryFile memory_{};
  AVIOContext* io_ = nullptr;
  AVFormatContext* container_ = nullptr;
  AVPacket* packet_ = nullptr;
  FfmpegAudio audio_;
  bool flushed_ = false;
};

class FfmpegStreamSource : public StreamSource {
 public:
  bool open(const std::string& host_path, std::string& error) { return file_.open_path(host_path, error); }

  int read(std::int16_t* out, int frames) override {
    while (pending_.size() / 2 - taken_ < std::size_t(frames) && !ended_) {
      compact();
      if (!file_.decode_more(pending_)) ended_ = true;
    }
    std::size_t n = std::min(pending_.size() / 2 - taken_, std::size_t(frames));
    std::memcpy(out, pending_.data() + 2 * taken_, n * 4);
    taken_ += n;
    return int(n);
  }

  bool at_end() const override { return ended_ && taken_ * 2 >= pending_.size(); }

  bool rewind() override {
    pending_.clear();
    taken_ = 0;
    ended_ = !file_.rewind();
    return !ended_;
  }

 private:
  void compact() {
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(2 * taken_));
    taken_ = 0;
  }

  AudioFile file_;
  PcmFrames pending_;
  std::size_t taken_ = 0;
  bool ended_ = false;
};

}  // namespace

bool ffmpeg_decode_sound(const std::uint8_t* data, std::size_t size, PcmFrames& out, std::string& error) {
  out.clear();
  if (!data || size == 0) {
    error = "no sound data";
    return false;
  }
  AudioFile file;
  if (!file.open_memory(data, size, error)) return false;
  while (file.decode_more(out))
    if (out.size() / 2 > max_sound_frames) {
      error = "sound too long";
      out.clear();
      return false;
    }
  return true;
}

std::shared_ptr<StreamSource> ffmpeg_open_stream(const std::string& host_path, std::string& error) {
  auto source = std::make_shared<FfmpegStreamSource>();
  if (!source->open(host_path, error)) return nullptr;
  return source;
}

}  // namespace platform
