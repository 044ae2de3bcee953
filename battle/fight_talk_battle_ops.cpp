// Fight-talk commands that set the battle's course: music, holds, rules, victory, the fade to
// the end and the chained battle.
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_talk_ops.h"
#include "data/maps_music.h"
#include "data/music_state.h"
#include "sound/music_director.h"
#include "ui/screen_fade.h"

namespace {
constexpr std::uint16_t default_battle_music = 2;
constexpr int music_mode_battle = 3, music_fade_frames = 15;

SliceResult victory(std::uint32_t more_bits) {
  fight_talk_hold = 0;
  fight_victory_wait = 0;
  fight_enemies_out = fight_enemy_count;
  fight_flags |= fight_turn_ended | more_bits;
  set_hud_visible(0);
  return SliceResult::EndSlice;
}
}  // namespace

SliceResult fight_talk_music(FightTalkRun&) {
  save_music_mode();
  const std::uint16_t id = fight_music_id ? fight_music_id : default_battle_music;
  music_ids[0] = id;
  if (read_maps_music(music_name, music_name_size, id))
    play_music(music_name, id, 0, music_params[0], music_mode_battle);
  switch_music(music_mode_battle, music_params[0], music_fade_frames);
  fight_talk_waiting = 0;
  return SliceResult::GoOn;
}

// The script stays here for good: the battle may now be won.
SliceResult fight_talk_allow_victory(FightTalkRun&) {
  fight_flags |= fight_victory_allowed;
  return SliceResult::Wait;
}

SliceResult fight_talk_hold_on(FightTalkRun&) {
  fight_talk_hold = 1;
  return SliceResult::GoOn;
}

SliceResult fight_talk_hold_off(FightTalkRun&) {
  fight_talk_hold = 0;
  return SliceResult::GoOn;
}

SliceResult fight_talk_no_escape(FightTalkRun&) {
  escape_forbidden = 1;
  return SliceResult::EndSlice;
}

SliceResult fight_talk_set_music(FightTalkRun& run) {
  const std::uint16_t music = run.cur.u16();
  if (run.cur.ok()) fight_music_id = music;
  return SliceResult::EndSlice;
}

SliceResult fight_talk_victory(FightTalkRun& run) {
  return victory(run.op == 151 ? fight_victory_pose_22 : 0);
}

SliceResult fight_talk_may_lose(FightTalkRun&) {
  fight_flags |= fight_may_lose;
  return SliceResult::EndSlice;
}

SliceResult fight_talk_fade_end(FightTalkRun&) {
  if (!fight_talk_waiting) {
    fight_talk_waiting = 1;
    fight_talk_hold = 1;
    start_fade(0, 255, 0, 0, 0, 10.0f);
    return SliceResult::Wait;
  }
  if (!is_fade_done()) return SliceResult::Wait;
  fight_talk_waiting = 0;
  // The battle ends here; the script with it.
  fight_talk_running = 0;
  fight_end();
  return SliceResult::EventGone;
}

SliceResult fight_talk_next_battle(FightTalkRun& run) {
  const std::uint16_t n = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  fight_next_battle(n);
  return SliceResult::EventGone;
}
