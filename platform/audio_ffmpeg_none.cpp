// Builds without FFmpeg: only plain PCM WAV sounds and music play.
#include "platform/audio_device.h"

namespace platform {

bool ffmpeg_decode_sound(const std::uint8_t*, std::size_t, PcmFrames& out, std::string& error) {
  out.clear();
  error = "this build reads no compressed sound";
  return false;
}

std::shared_ptr<StreamSource> ffmpeg_open_stream(const std::string&, std::string& error) {
  error = "this build reads no compressed sound";
  return nullptr;
}

}  // namespace platform
