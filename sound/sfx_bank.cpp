#include "sound/sfx_bank.h"

#include <algorithm>
#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/user_cfg.h"

SfxBank sfx_bank;

namespace {
constexpr int min_rate = 11025;
constexpr int preference_plain_output = 15;
// "SfxBank::Play(%d)錯誤  音效檔案損壞"
constexpr const char* damaged_entry_message =
    "SfxBank::Play(%d)\xBF\xF9\xBB\x7E  \xAD\xB5\xAE\xC4\xC0\xC9\xAE\xD7\xB7\x6C\xC3\x61";

bool is_riff(const void* sound, std::size_t size) { return size >= 4 && std::memcmp(sound, "RIFF", 4) == 0; }
}  // namespace

SfxBank::SfxBank() = default;
SfxBank::~SfxBank() { CloseSfx(); }

bool SfxBank::OpenSfx(const std::string& folder) {
  if (open_) return true;
  std::string path = folder + "all.snd";
  // Opened as the bank always was: a missing file is created empty and gives no entries.
  if (!file_.open(path, platform::File::Mode::OpenAlways) && !file_.open(path, platform::File::Mode::Read)) {
    error_text_ = "SFX file connot open.";
    return false;
  }
  entries_.assign(sfx_entry_count, SfxEntry{});
  refused_.assign(sfx_entry_count, false);
  std::vector<std::uint8_t> index(sfx_index_size);
  long long got = 0;
  if (file_.seek(sfx_index_offset, 0) == static_cast<long long>(sfx_index_offset))
    got = file_.read(index.data(), index.size());
  read_sfx_index(index.data(), std::size_t(std::max(got, 0LL)), entries_.data());
  if (open_driver()) return true;
  driver_ = nullptr;
  entries_.clear();
  refused_.clear();
  file_.close();
  return false;
}

// Tries the output formats in the bank's order: 44.1 kHz 16-bit, first on the default output
// and then on the plain one, then halving the rate, then the same at 8 bits; always stereo.
bool SfxBank::open_driver() {
  channels_ = 2;
  rate_ = 44100;
  bits_ = 16;
  int plain = 0;
  platform::AIL_set_preference(preference_plain_output, 0);
  while (rate_ >= min_rate) {
    platform::PcmFormat format;
    format.format_tag = 1;
    format.channels = channels_;
    format.rate = rate_;
    format.avg_bytes_per_second = bits_ / 8 * rate_ * channels_;
    format.block_align = bits_ / 8 * channels_;
    format.bits = bits_;
    if (platform::AIL_waveOutOpen(&driver_, nullptr, -1, &format) == 0) {
      platform::AIL_digital_configuration(driver_, nullptr, nullptr, driver_name_, sizeof driver_name_);
      if (!plain && std::strstr(driver_name_, "Emulated")) {
        platform::AIL_waveOutClose(driver_);
        plain = 1;
        platform::AIL_set_preference(preference_plain_output, 1);
        continue;
      }
      open_ = enabled_ = 1;
      allocate_handles();
      return true;
    }
    error_text_ = platform::AIL_last_error();
    if (!plain) {
      plain = 1;
      platform::AIL_set_preference(preference_plain_output, 1);
      continue;
    }
    rate_ /= 2;
    if (rate_ < min_rate && bits_ == 16) {
      rate_ = 44100;
      bits_ = 8;
    }
  }
  return false;
}

// A fixed pool: the driver's preference could leave none, and then nothing would ever play.
void SfxBank::allocate_handles() {
  handle_count_ = sfx_handle_count;
  for (int i = 0; i < handle_count_; ++i) {
    platform::AudioSample* h = platform::AIL_allocate_sample_handle(driver_);
    if (!h) {
      error_text_ = platform::AIL_last_error();
      break;
    }
    platform::AIL_init_sample(h);
    free_.push_back(h);
  }
}

bool SfxBank::CloseSfx() {
  if (!open_) return true;
  for (auto* list : {&in_use_, &free_}) {
    for (platform::AudioSample* h : *list) {
      platform::AIL_end_sample(h);
      platform::AIL_release_sample_handle(h);
    }
    list->clear();
  }
  entries_.clear();
  refused_.clear();
  file_.close();
  platform::AIL_waveOutClose(driver_);
  driver_ = nullptr;
  open_ = enabled_ = 0;
  return true;
}

const SfxEntry* SfxBank::entry(int n) const {
  if (n < 1 || n > int(entries_.size())) return nullptr;
  return &entries_[std::size_t(n - 1)];
}

const std::vector<std::uint8_t>* SfxBank::sound_of(int n, bool& loaded_now) {
  loaded_now = false;
  SfxEntry& e = entries_[std::size_t(n - 1)];
  if (!e.data.empty()) return &e.data;
  if (e.offset == 0 || refused_[std::size_t(n - 1)]) return nullptr;
  // Only the bytes the file holds are read, so a bad size cannot ask for more memory.
  long long file_size = file_.size();
  if (file_size <= 0 || e.offset >= std::uint64_t(file_size)) return nullptr;
  std::size_t want = std::min<std::uint64_t>(e.size(), std::uint64_t(file_size) - e.offset);
  std::vector<std::uint8_t> stored(want);
  long long got = 0;
  if (file_.seek(e.offset, 0) == static_cast<long long>(e.offset)) got = file_.read(stored.data(), want);
  std::string error;
  if (!build_sfx_sound(e.type(), stored.data(), std::size_t(std::max(got, 0LL)), e.data, error)) {
    // Reported once: a damaged footstep is asked for at every step.
    refused_[std::size_t(n - 1)] = true;
    report_error(damaged_entry_message, n);
    return nullptr;
  }
  loaded_now = true;
  return &e.data;
}

int SfxBank::Play(const void* data, int n, int volume, int pan, int loop_count, std::size_t size) {
  if (!open_ || !enabled_ || n < 1 || n > sfx_entry_count) return 0;
  SfxEntry& e = entries_[std::size_t(n - 1)];
  bool loaded_now = false;
  const void* sound = data;
  std::size_t sound_size = size;
  if (!data) {
    const std::vector<std::uint8_t>* own = sound_of(n, loaded_now);
    if (!own) return 0;
    sound = own->data();
    sound_size = own->size();
  }
  auto unload = [&] {
    if (loaded_now) e.data.clear();
  };
  if (free_.empty()) {
    unload();
    return 0;
  }
  platform::AudioSample* h = free_.back();
  free_.pop_back();
  platform::AIL_init_sample(h);
  int accepted = is_riff(sound, sound_size)
                     ? platform::AIL_set_sample_file(h, sound, sound_size, 0)
                     : platform::AIL_set_named_sample_file(h, ".mp3", sound, sound_size, 0);
  if (!accepted) {
    error_text_ = platform::AIL_last_error();
    unload();
    free_.push_back(h);
    return 0;
  }
  // The sample has its own decoded copy; a caller's bytes stay the caller's.
  e.refs += 1;
  platform::AIL_set_sample_user_data(h, 0, n);
  platform::AIL_set_sample_volume(h, std::clamp(volume, 0, 127));
  platform::AIL_set_sample_pan(h, std::clamp(pan + 63, 0, 127));
  platform::AIL_set_sample_loop_count(h, loop_count);
  platform::AIL_start_sample(h);
  in_use_.push_back(h);
  return 0;
}

void SfxBank::release(int n) {
  if (n < 1 || n > int(entries_.size())) return;
  SfxEntry& e = entries_[std::size_t(n - 1)];
  if (e.refs > 0) e.refs -= 1;
  if (e.refs == 0) e.data = std::vector<std::uint8_t>();
}

void SfxBank::recycle(platform::AudioSample* h) {
  release(int(platform::AIL_sample_user_data(h, 0)));
  free_.push_back(h);
}

int SfxBank::Stop(int n) {
  if (!open_ || !enabled_ || n == 0) return 0;
  // The most recently started sample of the entry.
  for (auto it = in_use_.rbegin(); it != in_use_.rend(); ++it) {
    if (platform::AIL_sample_user_data(*it, 0) != n) continue;
    platform::AudioSample* h = *it;
    in_use_.erase(std::next(it).base());
    platform::AIL_end_sample(h);
    recycle(h);
    break;
  }
  return 0;
}

bool SfxBank::StopAll() {
  if (!open_ || !enabled_) return false;
  for (auto it = in_use_.rbegin(); it != in_use_.rend(); ++it) {
    platform::AIL_end_sample(*it);
    recycle(*it);
  }
  in_use_.clear();
  return true;
}

bool SfxBank::Update() {
  if (!open_ || !enabled_) return false;
  for (std::size_t i = in_use_.size(); i-- > 0;) {
    platform::AudioSample* h = in_use_[i];
    int status = platform::AIL_sample_status(h);
    if (status != platform::SMP_FREE && status != platform::SMP_DONE) continue;
    in_use_.erase(in_use_.begin() + std::ptrdiff_t(i));
    platform::AIL_set_sample_volume(h, 0);
    platform::AIL_end_sample(h);
    recycle(h);
  }
  return true;
}

bool OpenSfx(const char* folder) { return folder && sfx_bank.OpenSfx(folder); }

bool CloseSfx() { return sfx_bank.CloseSfx(); }

void play_sfx(int n, int) {
  if (test_flag(flag_wav_off)) return;
  sfx_bank.Play(nullptr, n, sfx_volume, 0, 1, 0);
}

void stop_sfx(int n) { sfx_bank.Stop(n); }

void stop_all_sfx() { sfx_bank.StopAll(); }
