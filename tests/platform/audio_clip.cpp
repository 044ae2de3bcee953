#include "tests/platform/audio_clip.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cmath>

namespace test_clip {
namespace {

struct Encoder {
  AVFormatContext* out = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  ~Encoder() {
    avcodec_free_context(&codec);
    av_packet_free(&packet);
    av_frame_free(&frame);
    if (out && out->pb) avio_closep(&out->pb);
    avformat_free_context(out);
  }
  bool drain() {
    for (;;) {
      int r = avcodec_receive_packet(codec, packet);
      if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
      if (r < 0) return false;
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = 0;
      if (av_interleaved_write_frame(out, packet) < 0) return false;
    }
  }
};

void put_sample(AVFrame* f, AVSampleFormat fmt, int i, double v) {
  for (int c = 0; c < 2; ++c) {
    switch (fmt) {
      case AV_SAMPLE_FMT_S16:
        reinterpret_cast<std::int16_t*>(f->data[0])[2 * i + c] = std::int16_t(v);
        break;
      case AV_SAMPLE_FMT_S16P:
        reinterpret_cast<std::int16_t*>(f->data[c])[i] = std::int16_t(v);
        break;
      case AV_SAMPLE_FMT_FLTP:
        reinterpret_cast<float*>(f->data[c])[i] = float(v / 32768);
        break;
      case AV_SAMPLE_FMT_FLT:
        reinterpret_cast<float*>(f->data[0])[2 * i + c] = float(v / 32768);
        break;
      default:
        break;
    }
  }
}

}  // namespace

bool write_tone(const std::string& host_path, AudioKind kind, int frequency, int ms, int amplitude,
                std::string& error) {
  av_log_set_level(AV_LOG_QUIET);
  Encoder e;
  const char* muxer = kind == AudioKind::Mp3 ? "mp3" : "wav";
  const AVCodec* codec = kind == AudioKind::Mp3 ? avcodec_find_encoder(AV_CODEC_ID_MP3)
                                                : avcodec_find_encoder(AV_CODEC_ID_ADPCM_MS);
  if (!codec && kind == AudioKind::Mp3) codec = avcodec_find_encoder(AV_CODEC_ID_MP2);
  if (!codec) return error = "no encoder", false;
  if (avformat_alloc_output_context2(&e.out, nullptr, muxer, host_path.c_str()) < 0)
    return error = "no muxer", false;
  e.stream = avformat_new_stream(e.out, nullptr);
  e.codec = avcodec_alloc_context3(codec);
  e.codec->sample_fmt = AV_SAMPLE_FMT_NONE;
  for (const AVSampleFormat* f = codec->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f)
    if (*f == AV_SAMPLE_FMT_S16 || *f == AV_SAMPLE_FMT_S16P || *f == AV_SAMPLE_FMT_FLTP ||
        *f == AV_SAMPLE_FMT_FLT) {
      e.codec->sample_fmt = *f;
      break;
    }
  if (e.codec->sample_fmt == AV_SAMPLE_FMT_NONE) return error = "no sample format this writer fills", false;
  e.codec->sample_rate = 44100;
  e.codec->bit_rate = 192000;
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  av_channel_layout_copy(&e.codec->ch_layout, &stereo);
  e.codec->time_base = AVRational{1, 44100};
  e.stream->time_base = e.codec->time_base;
  if (avcodec_open2(e.codec, codec, nullptr) < 0) return error = "cannot open the encoder", false;
  avcodec_parameters_from_context(e.stream->codecpar, e.codec);
  if (avio_open(&e.out->pb, host_path.c_str(), AVIO_FLAG_WRITE) < 0) return error = "cannot write", false;
  if (avformat_write_header(e.out, nullptr) < 0) return error = "cannot write the header", false;
  int frame_size = e.codec->frame_size > 0 ? e.codec->frame_size : 1024;
  int total = int(std::int64_t(44100) * ms / 1000);
  for (int at = 0; at < total; at += frame_size) {
    av_frame_unref(e.frame);
    e.frame->format = e.codec->sample_fmt;
    e.frame->sample_rate = 44100;
    av_channel_layout_copy(&e.frame->ch_layout, &stereo);
    e.frame->nb_samples = frame_size;  // the last frame is padded with silence
    av_frame_get_buffer(e.frame, 0);
    for (int i = 0; i < frame_size; ++i)
      put_sample(e.frame, e.codec->sample_fmt, i,
                 at + i < total ? amplitude * std::sin(2 * M_PI * frequency * (at + i) / 44100.0) : 0.0);
    e.frame->pts = at;
    if (avcodec_send_frame(e.codec, e.frame) < 0 || !e.drain()) return error = "encoding failed", false;
  }
  avcodec_send_frame(e.codec, nullptr);
  e.drain();
  if (av_write_trailer(e.out) < 0) return error = "cannot finish", false;
  return true;
}

}  // namespace test_clip
