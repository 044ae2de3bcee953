#pragma once
// The sound-effect bank: the one output driver of the game, a pool of sample handles, and
// the effects of all.snd played and stopped by number. An entry is loaded when first played
// and freed when the last of its samples ends.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/files.h"
#include "sound/sfx_index.h"

constexpr int sfx_handle_count = 16;

class SfxBank {
 public:
  SfxBank();
  ~SfxBank();
  SfxBank(const SfxBank&) = delete;
  SfxBank& operator=(const SfxBank&) = delete;

  // folder ends with a backslash; "all.snd" is appended to it.
  bool OpenSfx(const std::string& folder);
  bool CloseSfx();
  // Plays data (size bytes) when given, else entry n. Always 0.
  int Play(const void* data, int n, int volume, int pan, int loop_count, std::size_t size);
  int Stop(int n);
  bool StopAll();
  // Once a frame: frees the handles of samples that have ended.
  bool Update();
  platform::AudioDriver* GetDriver() const { return driver_; }

  bool is_open() const { return open_ != 0; }
  int handle_count() const { return handle_count_; }
  int playing_count() const { return int(in_use_.size()); }
  const SfxEntry* entry(int n) const;
  const std::string& error_text() const { return error_text_; }
  const char* driver_name() const { return driver_name_; }

 private:
  bool open_driver();
  void allocate_handles();
  // The loaded sound of entry n, loading it when needed; null when it has none.
  const std::vector<std::uint8_t>* sound_of(int n, bool& loaded_now);
  void release(int n);
  void recycle(platform::AudioSample* handle);

  platform::File file_;  // all.snd, open while the bank is
  platform::AudioDriver* driver_ = nullptr;
  int open_ = 0, enabled_ = 0;
  int handle_count_ = 0;
  int rate_ = 0, bits_ = 0, channels_ = 0;
  char driver_name_[512] = {};
  std::string error_text_;
  std::vector<platform::AudioSample*> in_use_;  // newest last
  std::vector<platform::AudioSample*> free_;
  std::vector<SfxEntry> entries_;
  std::vector<bool> refused_;  // entries whose stored bytes make no sound, reported once
};

extern SfxBank sfx_bank;

// Start-up and shut-down open and close the one bank.
bool OpenSfx(const char* folder);
bool CloseSfx();

// Plays effect n at the sound volume option, unless game flag 21 (wav_off) is set. The second
// argument is not read.
void play_sfx(int n, int unused);
void stop_sfx(int n);
void stop_all_sfx();
