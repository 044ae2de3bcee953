// Videos through FFmpeg: the demuxer and decoders read the file, swscale turns pictures into
// RGB565, and the sound is pushed to a stream voice of the sound library's driver.
extern "C" {
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <vector>

#include "platform/audio_device.h"
#include "platform/clock.h"
#include "platform/ffmpeg_audio.h"
#include "platform/files.h"
#include "platform/video.h"

namespace platform {
namespace {
AudioDriver* sound_driver = nullptr;
constexpr int max_side = 4096;
constexpr double fallback_rate = 15.0;
}  // namespace

void set_video_sound_driver(AudioDriver* driver) { sound_driver = driver; }

struct Video::Impl {
  AVFormatContext* container = nullptr;
  AVCodecContext* codec = nullptr;
  SwsContext* sws = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  int index = -1;
  int width = 0, height = 0, frame_count = 1, current = 1;
  double rate = fallback_rate;
  std::uint32_t start_ms = 0;
  std::vector<std::uint16_t> picture;  // the last decoded frame, RGB565
  bool ended = false;                  // no more packets in the file

  FfmpegAudio audio;
  bool has_audio = false;
  PcmFrames audio_frames;
  std::shared_ptr<PushedSource> sound;
  AudioStream* sound_stream = nullptr;

  ~Impl() {
    if (sound) sound->finish();
    AIL_close_stream(sound_stream);
    sws_freeContext(sws);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&container);
  }

  bool open(const std::string& path) {
    quiet_ffmpeg();
    packet = av_packet_alloc();
    frame = av_frame_alloc();
    if (!packet || !frame || avformat_open_input(&container, path.c_str(), nullptr, nullptr) < 0)
      return false;
    if (avformat_find_stream_info(container, nullptr) < 0) return false;
    index = av_find_best_stream(container, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) return false;
    AVStream* stream = container->streams[index];
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder) return false;
    codec = avcodec_alloc_context3(decoder);
    if (!codec || avcodec_parameters_to_context(codec, stream->codecpar) < 0 ||
        avcodec_open2(codec, decoder, nullptr) < 0)
      return false;
    width = codec->width;
    height = codec->height;
    if (width <= 0 || height <= 0 || width > max_side || height > max_side) return false;
    picture.assign(std::size_t(width) * std::size_t(height), 0);
    AVRational r = av_guess_frame_rate(container, stream, nullptr);
    if (r.num > 0 && r.den > 0) rate = av_q2d(r);
    frame_count = count_frames(stream);
    open_sound();
    start_ms = time_ms();
    return true;
  }

  int count_frames(const AVStream* stream) const {
    if (stream->nb_frames > 0) return int(std::min<std::int64_t>(stream->nb_frames, INT32_MAX));
    double seconds = stream->duration > 0      ? double(stream->duration) * av_q2d(stream->time_base)
                     : container->duration > 0 ? double(container->duration) / AV_TIME_BASE
                                               : 0;
    int n = int(seconds * rate + 0.5);
    return n > 0 ? n : INT32_MAX;  // unknown: the end of the file ends it
  }

  void open_sound() {
    int a = av_find_best_stream(container, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    std::string error;
    if (a < 0 || !sound_driver || !audio.open(container, a, error)) return;
    has_audio = true;
    sound = std::make_shared<PushedSource>();
    sound_stream = open_pushed_stream(sound_driver, sound);
    if (sound_stream) AIL_start_stream(sound_stream);
  }

  void push_sound(const AVPacket* p) {
    audio_frames.clear();
    audio.decode(p, audio_frames);
    if (sound && !audio_frames.empty()) sound->push(audio_frames.data(), int(audio_frames.size() / 2));
  }

  bool receive_picture() {
    if (avcodec_receive_frame(codec, frame) < 0) return false;
    convert_picture();
    av_frame_unref(frame);
    return true;
  }

  // Reads packets until the decoder gives the next picture; false when the file has none left.
  bool decode_next() {
    for (;;) {
      if (receive_picture()) return true;
      if (ended) return false;
      if (av_read_frame(container, packet) < 0) {
        ended = true;
        avcodec_send_packet(codec, nullptr);  // drain the pictures the decoder holds
        if (has_audio) push_sound(nullptr);
        if (sound) sound->finish();
        continue;
      }
      if (packet->stream_index == index)
        avcodec_send_packet(codec, packet);
      else if (has_audio && packet->stream_index == audio.stream_index())
        push_sound(packet);
      av_packet_unref(packet);
    }
  }

  void convert_picture() {
    if (frame->width != width || frame->height != height) return;  // a size change mid-file is not shown
    sws = sws_getCachedContext(sws, width, height, AVPixelFormat(frame->format), width, height,
                               AV_PIX_FMT_RGB565, SWS_POINT, nullptr, nullptr, nullptr);
    if (!sws) return;
    std::uint8_t* dst[4] = {reinterpret_cast<std::uint8_t*>(picture.data()), nullptr, nullptr, nullptr};
    int dst_stride[4] = {width * 2, 0, 0, 0};
    sws_scale(sws, frame->data, frame->linesize, 0, height, dst, dst_stride);
  }

  std::uint32_t due_offset_ms() const { return std::uint32_t(double(current - 1) * 1000.0 / rate); }
};

Video::Video(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Video::~Video() = default;

std::unique_ptr<Video> Video::open(const std::string& game_path) {
  auto impl = std::make_unique<Impl>();
  if (!impl->open(host_path(game_path))) return nullptr;
  return std::unique_ptr<Video>(new Video(std::move(impl)));
}

int Video::width() const { return impl_->width; }
int Video::height() const { return impl_->height; }
int Video::frame_count() const { return impl_->frame_count; }
int Video::current_frame() const { return impl_->current; }

std::uint32_t Video::ms_until_due() const {
  std::uint32_t elapsed = time_ms() - impl_->start_ms;
  std::uint32_t due = impl_->due_offset_ms();
  return elapsed >= due ? 0 : due - elapsed;
}

bool Video::wait() const { return ms_until_due() > 0; }

void Video::do_frame() {
  if (!impl_->decode_next()) impl_->frame_count = impl_->current;
}

void Video::copy_to(std::uint16_t* pixels, int pitch_bytes, int width, int height) const {
  copy_centred_rgb565(impl_->picture.data(), impl_->width, impl_->width, impl_->height, pixels, pitch_bytes,
                      width, height);
}

void Video::next_frame() {
  if (impl_->current < impl_->frame_count) ++impl_->current;
}

}  // namespace platform
