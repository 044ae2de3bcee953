#pragma once
// The music director: three playlists (modes 1 map, 2 talk, 3 battle; 4 silence) of two
// entries each, typically an introduction played a counted number of times and a loop. A mode
// change fades the current stream out; the new mode starts once it has stopped.
#include <string>

struct MusicEntry {
  std::string name;  // empty when none or when the file type is not recognised
  int stream_id = 0;
  int type = 0;        // 1 a stream file ("wav", "mp3" in its name), 2 "xmi", 0 anything else
  int loop_style = 0;  // 1 again and again, 2 repeat_count times, then go on
  int repeat_count = 0;
  int spare = 0;
};

class MusicDirector {
 public:
  // 0, also when refused (stream id <= 0, slot not 0 or 1, mode not 1-3).
  int SetEntry(const char* path, int stream_id, int slot, int mode, int loop_style, int repeat_count);
  void SetVolume(int volume);
  void ChangeMode(int mode, int loop_style, int fade_frames);
  // Once a frame: idles while the current stream plays, else starts what comes next.
  void Update();
  int IsStopped() const;

  int current_mode() const { return current_mode_; }
  int requested_mode() const { return requested_mode_; }
  int index(int mode) const { return index_[mode - 1]; }  // mode 1-3
  const MusicEntry& entry(int mode, int slot) const { return entries_[mode - 1][slot]; }
  const MusicEntry& current() const { return current_; }
  int volume() const { return volume_; }

 private:
  int current_mode_ = 4;      // 0 = none once the first update has run
  int requested_mode_ = 4;    // 0 = no request
  int index_[3] = {0, 0, 0};  // of modes 1-3; 2 = the playlist has stopped
  int volume_ = 127;
  MusicEntry current_;
  MusicEntry entries_[3][2];
};

extern MusicDirector music_director;
extern int saved_music_mode;

// Fills slot of mode with a file of the folder Music (or of the disc's), played repeat times
// then going on (0: for ever). Nothing while game flag 20 (music_off) is set.
void play_music(const char* file_name, int stream_id, int slot, int repeat, int mode);
// Fades the current music out over fade_frames and asks for mode. The loop flag is not used.
void switch_music(int mode, int loop_flag, int fade_frames);
void save_music_mode();
