#include "platform/ffmpeg_audio.h"

#include <mutex>

namespace platform {

void quiet_ffmpeg() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

FfmpegAudio::~FfmpegAudio() {
  av_frame_free(&frame_);
  swr_free(&swr_);
  avcodec_free_context(&codec_);
  av_channel_layout_uninit(&swr_layout_);
}

bool FfmpegAudio::open(AVFormatContext* container, int index, std::string& error) {
  quiet_ffmpeg();
  if (!container || index < 0 || unsigned(index) >= container->nb_streams) {
    error = "no audio stream";
    return false;
  }
  const AVCodecParameters* par = container->streams[index]->codecpar;
  const AVCodec* codec = avcodec_find_decoder(par->codec_id);
  if (!codec) {
    error = "no decoder for the audio";
    return false;
  }
  codec_ = avcodec_alloc_context3(codec);
  frame_ = av_frame_alloc();
  if (!codec_ || !frame_ || avcodec_parameters_to_context(codec_, par) < 0 ||
      avcodec_open2(codec_, codec, nullptr) < 0) {
    error = "cannot open the audio decoder";
    return false;
  }
  index_ = index;
  return true;
}

bool FfmpegAudio::convert(const AVFrame* frame, PcmFrames& out) {
  if (frame->sample_rate <= 0 || frame->ch_layout.nb_channels <= 0 || frame->nb_samples <= 0) return false;
  // The converter follows the decoder's output, which may change between frames.
  if (!swr_ || swr_rate_ != frame->sample_rate || swr_format_ != frame->format ||
      av_channel_layout_compare(&swr_layout_, &frame->ch_layout) != 0) {
    swr_free(&swr_);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    AVChannelLayout in_layout = frame->ch_layout;  // FFmpeg 5 takes it without const
    if (swr_alloc_set_opts2(&swr_, &stereo, AV_SAMPLE_FMT_S16, mix_rate, &in_layout,
                            AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr) < 0 ||
        swr_init(swr_) < 0) {
      swr_free(&swr_);
      return false;
    }
    swr_rate_ = frame->sample_rate;
    swr_format_ = frame->format;
    av_channel_layout_uninit(&swr_layout_);
    av_channel_layout_copy(&swr_layout_, &frame->ch_layout);
  }
  int room = swr_get_out_samples(swr_, frame->nb_samples);
  if (room <= 0) return true;
  std::size_t at = out.size();
  out.resize(at + 2 * std::size_t(room));
  std::uint8_t* dst = reinterpret_cast<std::uint8_t*>(out.data() + at);
  int got = swr_convert(swr_, &dst, room, const_cast<const std::uint8_t**>(frame->extended_data),
                        frame->nb_samples);
  out.resize(at + 2 * std::size_t(got > 0 ? got : 0));
  return got >= 0;
}

bool FfmpegAudio::decode(const AVPacket* packet, PcmFrames& out) {
  if (!codec_) return false;
  if (avcodec_send_packet(codec_, packet) < 0 && packet) return false;
  for (;;) {
    int r = avcodec_receive_frame(codec_, frame_);
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
    if (r < 0) return false;
    bool ok = convert(frame_, out);
    av_frame_unref(frame_);
    if (!ok) return false;
  }
}

void FfmpegAudio::restart() {
  if (codec_) avcodec_flush_buffers(codec_);
  swr_free(&swr_);
}

}  // namespace platform
