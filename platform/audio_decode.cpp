// Picks the decoder for a sound: plain PCM WAV is read here, everything else by FFmpeg.
#include <cstring>

#include "platform/audio_device.h"
#include "platform/wav.h"

namespace platform {

bool decode_sound(const std::uint8_t* data, std::size_t size, PcmFrames& out, std::string& error) {
  WavInfo info;
  std::string wav_error;
  if (parse_wav(data, size, info, wav_error) && is_plain_pcm(info)) {
    convert_pcm(info, data + info.data_offset, info.data_size, out);
    return true;
  }
  if (ffmpeg_decode_sound(data, size, out, error)) return true;
  if (error.empty()) error = wav_error;
  return false;
}

std::shared_ptr<StreamSource> open_stream_source(const std::string& host_path, std::string& error) {
  auto wav = std::make_shared<WavFileSource>();
  std::string wav_error;
  if (wav->open(host_path, wav_error)) return wav;
  auto other = ffmpeg_open_stream(host_path, error);
  if (!other && error.empty()) error = wav_error;
  return other;
}

}  // namespace platform
