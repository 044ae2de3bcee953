#pragma once
// Inside the platform layer, FFmpeg builds only: decoding one audio stream of an open
// container into the mixer's format. Used by the music decoder and the video player.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include <string>

#include "platform/mixer.h"

namespace platform {

// Silences FFmpeg's own logging once (bad data is reported by our callers).
void quiet_ffmpeg();

// A decoder of one audio stream with its conversion to 16-bit stereo at 44.1 kHz.
class FfmpegAudio {
 public:
  ~FfmpegAudio();
  // Opens the decoder of stream index of the container; false with error set on failure.
  bool open(AVFormatContext* container, int index, std::string& error);
  int stream_index() const { return index_; }
  // Decodes a packet of the stream (null flushes the decoder at the end) and appends the
  // converted frames to out. False on a decoding error (the packet is skipped).
  bool decode(const AVPacket* packet, PcmFrames& out);
  void restart();  // after a seek: drops what the decoder and the converter hold

 private:
  bool convert(const AVFrame* frame, PcmFrames& out);

  AVCodecContext* codec_ = nullptr;
  SwrContext* swr_ = nullptr;
  AVFrame* frame_ = nullptr;
  int index_ = -1;
  int swr_rate_ = 0, swr_format_ = -1;
  AVChannelLayout swr_layout_{};
};

}  // namespace platform
