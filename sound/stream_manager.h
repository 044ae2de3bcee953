#pragma once
// Music streams: at most two files played from disk at once, each known by the caller's id,
// with a volume kept in sixteenths so that a fade over some frames can take off fractions.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"

class StreamManager {
 public:
  StreamManager() = default;
  ~StreamManager();
  StreamManager(const StreamManager&) = delete;
  StreamManager& operator=(const StreamManager&) = delete;

  bool OpenStream(platform::AudioDriver* driver);
  bool CloseStream();
  // id, or 0 when nothing was started.
  int Play(const char* file_name, int id, int volume, int loop_count);
  // 0 when not enabled, -1 when no stream has the id, else the volume now set.
  int SetVolume(int id, int volume);
  // id, or 0 when nothing fades. 0 frames closes the stream at once.
  int FadeOut(int id, int frames);
  // Once a frame: fades go on; streams that ended or faded out are closed.
  void Update();
  int IsStopped(int id) const;
  int CurrentId() const;  // the newest playing stream's id, 0 when none

  bool enabled() const { return enabled_ != 0; }
  const std::string& error_text() const { return error_text_; }
  // Volume x 16 of the stream with the id (tests), -1 when none.
  int volume16(int id) const;

 private:
  static constexpr std::uint32_t fading = 0x80000000u;
  struct StreamNode {
    platform::AudioStream* handle = nullptr;
    std::string name;
    int fade_step = 0;
    int volume16 = 0;
    std::uint32_t flags = 0;
  };
  StreamNode* find(int id);
  const StreamNode* find(int id) const;

  platform::AudioDriver* driver_ = nullptr;
  int enabled_ = 0, fades_allowed_ = 0;
  std::string error_text_;
  std::vector<StreamNode> playing_;  // newest first
  std::vector<StreamNode> free_;
};

extern StreamManager stream_manager;

// Start-up and shut-down open and close the one stream manager.
bool OpenStream(platform::AudioDriver* driver);
bool CloseStream();
