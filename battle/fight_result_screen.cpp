// The results screen's states: one row each, with what it does every frame and on the confirm
// key.
#include "battle/fight_result_screen.h"

#include <algorithm>
#include <cstdio>

#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_result.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "data/magic_study.h"
#include "data/maps_music.h"
#include "data/music_state.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/scripted_effects.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"

int result_counting = 0;
int result_levelup_effect = 0;
int result_fade_started = 0;
std::int16_t result_frames = 0;
int result_tick = 0;
ActInstance result_levelup_anim;
ActInstance result_prompt_anim;
Tween result_member_tweens[result_member_panels];
Tween result_title_tween;
Tween result_levelup_tweens[2];
int result_panel_effects[result_member_panels] = {-1, -1, -1};

namespace {
constexpr int sfx_counting = 44, sfx_message = 38, sfx_spoils = 502, sfx_banner = 210, sfx_banner_flight = 1021;
constexpr int panel_effect = 1101;
constexpr std::uint16_t levelup_act = 6500, banner_act = 7103;
constexpr int defeat_auto_frames = 60;
constexpr int music_silence = 4, music_battle = 3, defeat_music = 90, music_fade_frames = 10;
constexpr std::uint32_t message_duration = 100000;  // units of 10 ms
constexpr std::uint32_t message_user_value = 2;

// "法寶%s升級%%Q", "學到法術%s%%Q"
constexpr char treasure_rose_text[] = "\xAAk\xC4_%s\xA4\xC9\xAF\xC5%%Q";
constexpr char spell_learned_text[] = "\xBE\xC7\xA8\xEC\xAAk\xB3N%s%%Q";

// Where each member panel slides in from and to, and where its effect starts.
struct PanelRoute {
  int from_x, y, effect_x;
};
constexpr PanelRoute panel_routes[result_member_panels] = {{-640, 60, 0}, {640, 200, 640}, {-640, 340, 0}};

bool is_member(int k) {
  const FightMan& u = gmFightMan[k];
  return u.IsAlly() && !u.IsGuest() && u.GetRole();
}

void slide(Tween& t, int speed, int x0, int y0, int x1, int y1) {
  t.set_mode(3);
  t.set_speed(speed);
  t.set_move(x0, y0, x1, y1);
}

void message_box(int x, int y, const char* format, const char* name) {
  char text[96];
  std::snprintf(text, sizeof text, format, name);
  add_time_msg(x, y, 0, message_duration, text, message_user_value);
  play_sfx(sfx_message, 1);
}

void item_name(std::uint16_t id, char (&out)[32]) {
  ItemData rec{};
  out[0] = '\0';
  if (read_Item(id, &rec)) std::snprintf(out, sizeof out, "%.31s", rec.NAME);
}

// The battle is over: back to the field, the screen ready for the next battle.
void finish() {
  fight_end();
  result_frames = 0;
  result_wait = result_wait_start;
}

void start_panels() {
  int p = 0;
  for (int k = 0; k < fight_first_enemy && p < result_member_panels; ++k) {
    if (!is_member(k)) continue;
    const PanelRoute& r = panel_routes[p];
    slide(result_member_tweens[p], 6, r.from_x, r.y, 0, r.y);
    if (ParticleEmitter* e = fight_unit_effects.add(panel_effect, float(r.effect_x), float(r.y + 70), 0,
                                                    &result_panel_effects[p]))
      e->start();
    ++p;
  }
  slide(result_title_tween, 4, 0, -100, 0, 0);
}

// State 100: the victory poses, a fade to black, the set-up, a fade back onto the experience.
void victory_frame() {
  if (result_wait > 0) {
    result_wait -= 2;
    return;
  }
  if (!result_fade_started) {
    for (int k = 0; k < fight_first_enemy; ++k)
      if (gmFightMan[k].IsAlly()) gmFightMan[k].ClearEffectSlots();
    start_fade(0, 255, 0, 0, 0, 20);
    result_fade_started = 1;
    return;
  }
  if (!is_fade_done()) return;
  result_fade_started = 0;
  clear_flag(flag_battle);
  start_fade(255, 0, 0, 0, 0, 25);
  fight_menu_state = result_experience;
  start_panels();
  for (int k = 0; k < fight_first_enemy; ++k)
    if (is_member(k)) gmFightMan[k].RestoreStats();
  result_tick = 0;
  result_counting = 0;
}
void skip_wait() { result_wait = 0; }

// One frame of counting once the key started it; the counting sound every second frame while
// anything is left.
void count_step(int (*count)()) {
  if (!result_counting || !count()) return;
  result_tick ^= 1;
  if (result_tick) play_sfx(sfx_counting, 1);
}

void experience_frame() {
  result_divide_exp();
  count_step(result_count_exp);
  draw_result_background();
  draw_experience_screen();
}
void experience_confirm() {
  if (!result_counting) {
    result_messages();
    result_counting = 1;
  }
  if (battle_exp != 0) return;
  result_counting = 0;
  fight_menu_state = result_levelups;
  result_levelup_slot = -1;
  result_exp_done = 0;
  del_all_talkmsg();
  roll_monster_drops();
}

void show_next_level_up() {
  if (result_next_level_up() < 0) {
    result_levelup_effect = 0;
    fight_menu_state = result_spoils;
    if (fight_spoil_count > 0) play_sfx(sfx_spoils, 1);
    return;
  }
  slide(result_levelup_tweens[0], 4, -400, 50, 100, 50);
  slide(result_levelup_tweens[1], 4, 680, 55, 105, 55);
  result_levelup_effect = 1;
  result_levelup_anim = ActInstance{};
  result_levelup_anim.act = levelup_act;
}
void levelups_frame() {
  draw_result_background();
  if (result_levelup_slot == -1) show_next_level_up();
  if (fight_menu_state == result_levelups) draw_levelup_panel();
}
void levelups_confirm() {
  if (!result_levelup_tweens[0].is_done()) return;
  if (result_learned == 1) {
    start_learned_banner(0, 340);
    fight_menu_state = result_learned_banner;
  } else {
    result_levelup_slot = -1;
  }
}

void banner_frame() {
  draw_result_background();
  draw_levelup_panel();
  draw_learned_banner();
}
void banner_confirm() {
  result_learned = 0;
  fight_menu_state = result_levelups;
  result_levelup_slot = -1;
}

void spoils_frame() {
  count_step(result_count_money);
  draw_result_background();
  draw_spoils_screen();
}
void spoils_confirm() {
  if (!result_counting) result_counting = 1;
  if (battle_money != 0) return;
  start_fade(0, 255, 0, 0, 0, 20);
  result_counting = 0;
  fight_menu_state = result_leaving;
}

void leaving_frame() {
  draw_result_background();
  draw_spoils_screen();
  if (is_fade_done()) finish();
}
void nothing() {}

void defeat_confirm() {
  start_fade(0, 255, 0, 0, 0, 10);
  fight_menu_state = result_defeat_prompt;
  result_fade_started = 0;
  music_director.ChangeMode(music_silence, 1, 0);
}
void defeat_frame() {
  if (++result_frames >= defeat_auto_frames) defeat_confirm();
}

// The defeat's own music, when the map's music table has it.
void play_defeat_music() {
  music_director.ChangeMode(music_silence, 1, 0);
  if (read_maps_music(music_name, music_name_size, defeat_music)) play_music(music_name, defeat_music, 0, 1, music_battle);
  switch_music(music_battle, 2, music_fade_frames);
}
void prompt_frame() {
  if (result_fade_started) {
    draw_defeat_prompt();
    return;
  }
  result_prompt_anim = ActInstance{};
  if (!is_fade_done()) return;
  result_fade_started = 1;
  start_fade(255, 0, 0, 0, 0, 10);
  if (fight_flags & fight_may_lose) {
    finish();
    return;
  }
  play_defeat_music();
}
void prompt_confirm() {
  if (is_fade_done()) finish();
}

struct ResultStep {
  int state;
  void (*frame)();
  void (*confirm)();
};
constexpr ResultStep result_steps[] = {
    {result_victory, victory_frame, skip_wait},
    {result_experience, experience_frame, experience_confirm},
    {result_levelups, levelups_frame, levelups_confirm},
    {result_learned_banner, banner_frame, banner_confirm},
    {result_spoils, spoils_frame, spoils_confirm},
    {result_leaving, leaving_frame, nothing},
    {result_defeat, defeat_frame, defeat_confirm},
    {result_defeat_prompt, prompt_frame, prompt_confirm},
};

const ResultStep* step_of(int state) {
  for (const ResultStep& s : result_steps)
    if (s.state == state) return &s;
  return nullptr;
}
}  // namespace

void fight_result_update() {
  if (const ResultStep* s = step_of(fight_menu_state)) s->frame();
}

void fight_result_confirm() {
  if (const ResultStep* s = step_of(fight_menu_state)) s->confirm();
}

void fight_result_cancel() {
  if (fight_menu_state == result_victory) skip_wait();
}

void result_screen_reset() {
  result_reset();
  clear_spoils();
  result_counting = result_levelup_effect = result_fade_started = result_tick = 0;
  result_frames = 0;
  result_wait = result_wait_start;
  result_levelup_anim = result_prompt_anim = ActInstance{};
  for (int& id : result_panel_effects) id = -1;
}

void result_messages() {
  for (int k = 0; k < fight_first_enemy; ++k) {
    if (!is_member(k) || gmFightMan[k].IsDead()) continue;
    const RoleData& r = *gmFightMan[k].GetRole();
    for (int s = 0; s < 2; ++s) {
      FameNode* node = r.equip[4 + s] ? fame_find(r.equip[4 + s], fame_type_treasure) : nullptr;
      if (!node || !node->level_rose) continue;
      node->level_rose = 0;
      char name[32];
      item_name(node->id, name);
      message_box(520, 100 + 140 * k + 60 * s, treasure_rose_text, name);
    }
  }
  MagicStudy& study = current_study;
  if (!study.spell_id || !test_flag(flag_member_1) || (gmRoleData[1].flags & 1) || study.learned) return;
  study.progress = std::uint16_t(std::clamp(int(study.progress) + battle_exp / 10, 0, 65535));
  if (study.progress < study.goal) return;
  study.progress = study.goal;
  study.learned = 1;
  add_magic_study(&study);
  char name[32];
  item_name(study.spell_id, name);
  message_box(520, 240, spell_learned_text, name);
}

void start_learned_banner(int x, int y) {
  SpecialEffect e;
  e.instance.act = banner_act;
  e.instance.qq = 0;
  e.position = {float(x), float(y), 0, 1};
  e.target = {700, float(y), 0, 1};
  e.duration = 20;
  e.motion = special_motion_path;
  add_special_effect(&e, special_add_front);
  if (ParticleEmitter* fx = fight_unit_effects.get(result_panel_effects[0])) {
    fx->set_xyz(float(x), float(y), 0);
    fx->restart();
  } else if ((fx = fight_unit_effects.add(panel_effect, float(x), float(y), 0, &result_panel_effects[0]))) {
    fx->start();
  }
  play_sfx(sfx_banner, 1);
  play_sfx(sfx_banner_flight, 1);
}
