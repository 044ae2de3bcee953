// Talk opcodes of sound effects and music.
#include "data/maps_music.h"
#include "data/music_state.h"
#include "script/talk_ops.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "ui/talk_text.h"

int music_fade_frames = 0;

namespace {
constexpr int map_music_mode = 1;
constexpr int talk_music_mode = 2;
constexpr int silence_mode = 4;
constexpr int talk_music_entry = 2;  // entries 2 and 3 of music_ids and music_params
constexpr int music_back_to_map = 1;
}  // namespace

SliceResult talk_music_name(TalkRun& run) {
  const std::span<const std::uint8_t> text = run.cur.text();
  if (!run.cur.ok()) return SliceResult::GoOn;
  // The name is cut on a character boundary to what the buffer holds; the whole text is passed.
  if (read_script_str(reinterpret_cast<const char*>(text.data()), text.size(), music_name, music_name_size) < 0)
    run.cur.fail();
  return SliceResult::GoOn;
}

SliceResult talk_play_sfx(TalkRun& run) {
  const std::uint16_t sound = run.cur.u16();
  if (run.cur.ok()) play_sfx(sound, 1);
  return SliceResult::GoOn;
}

SliceResult talk_stop_sfx(TalkRun& run) {
  const std::uint16_t sound = run.cur.u16();
  if (run.cur.ok()) stop_sfx(sound);
  return SliceResult::GoOn;
}

SliceResult talk_music(TalkRun& run) {
  std::uint16_t w[5];
  for (std::uint16_t& v : w) v = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  for (int k = 0; k < 2; ++k) {
    music_ids[talk_music_entry + k] = w[2 * k];
    music_params[talk_music_entry + k] = w[2 * k + 1];
  }
  talk_music_mark = w[4];
  for (int k = 0; k < 2; ++k) {
    const int id = music_ids[talk_music_entry + k];
    if (read_maps_music(music_name, music_name_size, id))
      play_music(music_name, id, k, music_params[talk_music_entry + k], talk_music_mode);
  }
  switch_music(talk_music_mode, w[1], music_fade_frames);
  return SliceResult::EndSlice;
}

SliceResult talk_map_music(TalkRun& run) {
  std::uint16_t w[5];
  for (std::uint16_t& v : w) v = run.cur.u16();
  if (run.cur.ok()) set_music_id(w[0], w[1], w[2], w[3], w[4]);
  return SliceResult::EndSlice;
}

SliceResult talk_music_back(TalkRun& run) {
  const std::uint16_t which = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (which == music_back_to_map) {
    switch_music(map_music_mode, music_params[0], music_fade_frames);
  } else {
    music_director.ChangeMode(silence_mode, 1, music_fade_frames);
    talk_music_mark = 0;
  }
  music_fade_frames = 0;
  return SliceResult::EndSlice;
}

SliceResult talk_music_fade(TalkRun& run) {
  const std::uint16_t frames = run.cur.u16();
  if (run.cur.ok()) music_fade_frames = frames;
  return SliceResult::EndSlice;
}

SliceResult talk_wait_music(TalkRun&) {
  return music_director.IsStopped() ? SliceResult::EndSlice : SliceResult::Wait;
}
