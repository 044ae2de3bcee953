#pragma once
// The battle HUD: one status panel per party member (name, HP, MP and SP bars, rage, statuses),
// the active-time strip, the side list of allied guests, the auto-battle mark, and the talisman
// gauge: up to three talismans of one element that one side builds up with talisman actions.
#include <cstdint>

#include "ui/tween.h"

extern int hud_visible;  // the party panels are drawn only while it is 1
extern int hud_refresh;

void set_hud_visible(int on);
void fight_hud_draw(int x, int y);
// A battle starts: panels shown, pulses at rest, the talisman gauge empty.
void fight_hud_reset();

constexpr int hud_hp_bar = 82, hud_mp_bar = 84, hud_sp_bar = 84;
// The drawn length of a party panel's bar (row 0 HP, 1 MP, 2 SP): empty for a maximum of 0.
int hud_bar_width(int row, int value, int maximum);
// The rage fill blinks once its bar is longer than this.
constexpr float rage_blink_length = 32.0f;

// The talisman gauge.
struct TalismanSlot {
  std::int16_t x = 0, y = 0;
  std::uint16_t element = 0;
};
struct TalismanGauge {
  std::uint8_t side = 0;  // the owning side word: 1 the party, 2 the enemies, 0 none
  std::uint8_t spill_count = 0, spill_element = 0;
  int replace = 0, animating = 0, clear_after = 0;
  TalismanSlot slots[3];
  Tween flight;
};
extern TalismanGauge talisman_gauge;
extern std::uint8_t& talisman_count;    // talismans on the gauge, 0-3
extern std::uint8_t& talisman_element;  // their element, 0 none
constexpr int talisman_slots = 3;

// A talisman action landed: count talismans of element for side, flying from (x, y).
void talisman_gain(std::uint16_t side, std::uint8_t element, std::uint8_t count, int x = 320, int y = 240);
// The battle is decided: a burst where the talismans were, and the whole gauge zeroed.
void talisman_clear();
// The flight's step and landing, and the gauge's pictures; every frame.
void draw_talisman_gauge();
// The landing of the flying talisman (the gauge settles); draw_talisman_gauge calls it when
// the flight arrives.
void talisman_land();
