#pragma once
// Inside the platform layer: what the sound library (audio.cpp) needs of an output device and
// of the decoders, and what the video player needs of the sound library.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/frame_fifo.h"
#include "platform/mixer.h"

namespace platform {

// The mixer and the lock that the device's thread and the game thread share.
struct AudioCore {
  std::mutex lock;
  Mixer mixer;
  // Sources that the decoding service keeps filled (SDL only). Guarded by lock.
  std::vector<std::shared_ptr<BufferedSource>> buffered;
};

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  virtual bool open(std::string& error) = 0;
  virtual void close() = 0;
  virtual std::string name() const = 0;
  // Called with the core locked before the game reads or changes voices: the headless device
  // moves the voices on by the time that has passed here.
  virtual void catch_up() {}
  // True when stream sources must be decoded ahead on another thread.
  virtual bool decodes_ahead() const = 0;
  // Tests: mixes the next frames into out directly (headless only).
  virtual bool pull(std::int16_t* out, int frames) = 0;
};

std::unique_ptr<AudioDevice> make_sdl_audio_device(AudioCore& core);
std::unique_ptr<AudioDevice> make_headless_audio_device(AudioCore& core);

// Decoders. A whole sound in memory: a plain PCM WAV is ours, anything else (compressed WAV,
// MP3) goes through FFmpeg when the build has it.
bool decode_sound(const std::uint8_t* data, std::size_t size, PcmFrames& out, std::string& error);
bool ffmpeg_decode_sound(const std::uint8_t* data, std::size_t size, PcmFrames& out, std::string& error);
// A music file on disk (host path), decoded as it plays.
std::shared_ptr<StreamSource> open_stream_source(const std::string& host_path, std::string& error);
std::shared_ptr<StreamSource> ffmpeg_open_stream(const std::string& host_path, std::string& error);

// For the video player: a stream voice of the driver playing frames the player pushes.
// Null when there is no driver or no voice; closed with AIL_close_stream.
AudioStream* open_pushed_stream(AudioDriver* driver, std::shared_ptr<StreamSource> source);

}  // namespace platform
