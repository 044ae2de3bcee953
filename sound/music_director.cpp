#include "sound/music_director.h"

#include <cstring>

#include "core/disc.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/user_cfg.h"
#include "sound/stream_manager.h"

MusicDirector music_director;
int saved_music_mode = 0;

namespace {


// The type is told by a case-sensitive look at the whole path.
int music_type(const char* path) {
  if (!path) return 0;
  if (std::strstr(path, "wav") || std::strstr(path, "mp3")) return 1;
  if (std::strstr(path, "xmi")) return 2;
  return 0;
}

bool valid_mode(int mode) { return mode >= 1 && mode <= 3; }

}  // namespace

int MusicDirector::SetEntry(const char* path, int stream_id, int slot, int mode, int loop_style,
                            int repeat_count) {
  if (stream_id <= 0 || (slot != 0 && slot != 1) || !valid_mode(mode)) return 0;
  MusicEntry& e = entries_[mode - 1][slot];
  e = MusicEntry{};
  e.type = music_type(path);
  if (e.type != 0)
    e.name = path;
  else if (path)
    log_trace("MusicDirector::SetEntry %s: no wav, mp3 or xmi in the name, passed over", path);
  e.stream_id = stream_id;
  e.loop_style = loop_style;
  e.repeat_count = repeat_count;
  return 0;
}

void MusicDirector::SetVolume(int volume) {
  volume_ = volume;
  if (stream_manager.enabled()) stream_manager.SetVolume(stream_manager.CurrentId(), volume);
}

void MusicDirector::ChangeMode(int mode, int, int fade_frames) {
  if (current_.type == 1) stream_manager.FadeOut(current_.stream_id, fade_frames);
  requested_mode_ = mode;
  if (valid_mode(mode)) {
    index_[mode - 1] = 0;
  } else {
    index_[0] = index_[1] = index_[2] = 0;
  }
}

void MusicDirector::Update() {
  if (current_.type == 1 && stream_manager.IsStopped(current_.stream_id) == 0) return;
  current_ = MusicEntry{};
  if (valid_mode(requested_mode_)) {
    current_mode_ = requested_mode_;
    requested_mode_ = 0;
    index_[current_mode_ - 1] = 0;
  } else if (requested_mode_ == 4) {
    current_mode_ = 0;
    requested_mode_ = 0;
  }
  if (!valid_mode(current_mode_)) return;
  int& index = index_[current_mode_ - 1];
  if (index != 0 && index != 1) return;
  MusicEntry& e = entries_[current_mode_ - 1][index];
  current_ = e;
  if (!e.name.empty() && e.type == 1) stream_manager.Play(e.name.c_str(), e.stream_id, volume_, 1);
  if (e.loop_style != 2) return;
  if (e.repeat_count != 0) {
    --e.repeat_count;
    if (e.repeat_count > 0) return;
  }
  index = (index + 1) % 2;
  const MusicEntry& next = entries_[current_mode_ - 1][index];
  if (next.loop_style == 2 && next.repeat_count == 0 && index == 0) index = 2;
}

int MusicDirector::IsStopped() const {
  return current_.type != 1 ? 1 : stream_manager.IsStopped(current_.stream_id);
}

void play_music(const char* file_name, int stream_id, int slot, int repeat, int mode) {
  if (test_flag(flag_music_off) || !file_name) return;
  std::string path = game_dir;
  append_path(path, "Music");
  append_path(path, file_name);
  if (file_exists(path) != 1) {
    // The disc's folder; with no disc the path stays relative to the current directory.
    path = cd_drive_letter ? std::string{cd_drive_letter, ':'} : std::string();
    append_path(path, "Music");
    append_path(path, file_name);
    if (file_exists(path) != 1) {
      // "play_music(...)錯誤!!,找不到%s檔案或正在撥放中!!"
      log_trace(
          "play_music(...)\xBF\xF9\xBB~!!,\xA7\xE4\xA4\xA3\xA8\xEC%s\xC0\xC9\xAE\xD7\xA9\xCE\xA5\xBF\xA6"
          "b\xBC\xB7\xA9\xF1\xA4\xA4!!",
          path.c_str());
      return;
    }
  }
  music_director.SetEntry(path.c_str(), stream_id, slot, mode, repeat != 0 ? 2 : 1, repeat);
  music_director.SetVolume(music_volume);
}

void switch_music(int mode, int loop_flag, int fade_frames) {
  music_director.ChangeMode(mode, loop_flag != 0 ? 2 : 1, fade_frames);
}

void save_music_mode() { saved_music_mode = music_director.current_mode(); }
