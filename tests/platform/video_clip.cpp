#include "tests/platform/video_clip.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cmath>
#include <vector>

namespace test_clip {
namespace {

struct Writer {
  AVFormatContext* out = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* vs = nullptr;
  AVStream* as = nullptr;
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();

  ~Writer() {
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    av_packet_free(&packet);
    av_frame_free(&frame);
    if (out && out->pb) avio_closep(&out->pb);
    avformat_free_context(out);
  }

  bool drain(AVCodecContext* codec, AVStream* stream) {
    for (;;) {
      int r = avcodec_receive_packet(codec, packet);
      if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
      if (r < 0) return false;
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      if (av_interleaved_write_frame(out, packet) < 0) return false;
    }
  }
};

}  // namespace

std::uint16_t clip_colour(int k) {
  int r = (k * 7) & 31, g = (k * 13 + 5) & 63, b = (31 - k * 3) & 31;
  return std::uint16_t(r << 11 | g << 5 | b);
}

bool write_clip(const std::string& host_path, int width, int height, int frames, int fps, bool with_sound,
                std::string& error) {
  av_log_set_level(AV_LOG_QUIET);
  Writer w;
  if (avformat_alloc_output_context2(&w.out, nullptr, "avi", host_path.c_str()) < 0)
    return error = "no avi muxer", false;
  const AVCodec* vcodec = avcodec_find_encoder(AV_CODEC_ID_HUFFYUV);
  if (!vcodec) return error = "no huffyuv encoder", false;
  w.vs = avformat_new_stream(w.out, nullptr);
  w.video = avcodec_alloc_context3(vcodec);
  w.video->width = width;
  w.video->height = height;
  w.video->pix_fmt = AV_PIX_FMT_RGB24;
  w.video->time_base = AVRational{1, fps};
  w.vs->time_base = w.video->time_base;
  if (avcodec_open2(w.video, vcodec, nullptr) < 0) return error = "cannot open the video encoder", false;
  avcodec_parameters_from_context(w.vs->codecpar, w.video);
  if (with_sound) {
    const AVCodec* acodec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
    w.as = avformat_new_stream(w.out, nullptr);
    w.audio = avcodec_alloc_context3(acodec);
    w.audio->sample_fmt = AV_SAMPLE_FMT_S16;
    w.audio->sample_rate = 44100;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&w.audio->ch_layout, &stereo);
    w.audio->time_base = AVRational{1, 44100};
    w.as->time_base = w.audio->time_base;
    if (avcodec_open2(w.audio, acodec, nullptr) < 0) return error = "cannot open the audio encoder", false;
    avcodec_parameters_from_context(w.as->codecpar, w.audio);
  }
  if (avio_open(&w.out->pb, host_path.c_str(), AVIO_FLAG_WRITE) < 0)
    return error = "cannot write the clip", false;
  if (avformat_write_header(w.out, nullptr) < 0) return error = "cannot write the header", false;

  int samples_per_frame = 44100 / fps;
  for (int k = 1; k <= frames; ++k) {
    av_frame_unref(w.frame);
    w.frame->format = AV_PIX_FMT_RGB24;
    w.frame->width = width;
    w.frame->height = height;
    av_frame_get_buffer(w.frame, 0);
    std::uint16_t c = clip_colour(k);
    std::uint8_t r = std::uint8_t((c >> 11) << 3), g = std::uint8_t(((c >> 5) & 63) << 2),
                 b = std::uint8_t((c & 31) << 3);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = w.frame->data[0] + y * w.frame->linesize[0] + 3 * x;
        p[0] = r, p[1] = g, p[2] = b;
      }
    w.frame->pts = k - 1;
    if (avcodec_send_frame(w.video, w.frame) < 0 || !w.drain(w.video, w.vs))
      return error = "video encoding failed", false;
    if (w.audio) {
      av_frame_unref(w.frame);
      w.frame->format = AV_SAMPLE_FMT_S16;
      w.frame->sample_rate = 44100;
      AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
      av_channel_layout_copy(&w.frame->ch_layout, &stereo);
      w.frame->nb_samples = samples_per_frame;
      av_frame_get_buffer(w.frame, 0);
      auto* s = reinterpret_cast<std::int16_t*>(w.frame->data[0]);
      for (int i = 0; i < samples_per_frame; ++i) {
        int t = (k - 1) * samples_per_frame + i;
        s[2 * i] = s[2 * i + 1] = std::int16_t(6000 * std::sin(2 * M_PI * 440 * t / 44100.0));
      }
      w.frame->pts = std::int64_t(k - 1) * samples_per_frame;
      if (avcodec_send_frame(w.audio, w.frame) < 0 || !w.drain(w.audio, w.as))
        return error = "audio encoding failed", false;
    }
  }
  avcodec_send_frame(w.video, nullptr);
  w.drain(w.video, w.vs);
  if (w.audio) {
    avcodec_send_frame(w.audio, nullptr);
    w.drain(w.audio, w.as);
  }
  if (av_write_trailer(w.out) < 0) return error = "cannot finish the clip", false;
  return true;
}

}  // namespace test_clip
