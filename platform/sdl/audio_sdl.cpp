// The real output: an SDL audio device whose callback runs the mixer, and a decoding thread
// that keeps the music streams' buffers filled.
#include <SDL.h>

#include <atomic>
#include <thread>

#include "platform/audio_device.h"

namespace platform {
namespace {

constexpr int decode_interval_ms = 10;

class SdlAudioDevice : public AudioDevice {
 public:
  explicit SdlAudioDevice(AudioCore& core) : core_(core) {}
  ~SdlAudioDevice() override { close(); }

  bool open(std::string& error) override {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error = SDL_GetError();
      return false;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = mix_rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SdlAudioDevice::callback;
    want.userdata = this;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);  // SDL converts to what the device takes
    if (device_ == 0) {
      error = SDL_GetError();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    name_ = std::string("SDL ") + (driver ? driver : "audio");
    running_ = true;
    decoder_ = std::thread([this] { decode_loop(); });
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  void close() override {
    if (device_ == 0) return;
    running_ = false;
    if (decoder_.joinable()) decoder_.join();
    SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  std::string name() const override { return name_; }
  bool decodes_ahead() const override { return true; }
  bool pull(std::int16_t*, int) override { return false; }

 private:
  static void callback(void* self, Uint8* stream, int len) {
    auto* d = static_cast<SdlAudioDevice*>(self);
    std::lock_guard<std::mutex> g(d->core_.lock);
    d->core_.mixer.mix(reinterpret_cast<std::int16_t*>(stream), len / 4);
  }

  // Fills the buffered streams outside the lock, so the callback never waits for a decoder.
  void decode_loop() {
    std::vector<std::shared_ptr<BufferedSource>> sources;
    while (running_) {
      {
        std::lock_guard<std::mutex> g(core_.lock);
        sources = core_.buffered;
      }
      for (auto& s : sources) s->fill();
      sources.clear();
      SDL_Delay(decode_interval_ms);
    }
  }

  AudioCore& core_;
  SDL_AudioDeviceID device_ = 0;
  std::string name_;
  std::atomic<bool> running_{false};
  std::thread decoder_;
};

}  // namespace

std::unique_ptr<AudioDevice> make_sdl_audio_device(AudioCore& core) {
  return std::make_unique<SdlAudioDevice>(core);
}

}  // namespace platform
