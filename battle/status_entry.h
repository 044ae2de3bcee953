#pragma once
// A battle unit's timed entries: abnormal statuses, moods, stat changes and yin/yang stances
// and marks, with the yin/yang part that the rules copy out as one record.
#include <cstdint>

#include "g3d/act_animation.h"

// Low status bits (the action's status_low) and moods (status_high << 16).
constexpr std::uint32_t status_poison = 0x1, status_paralysis = 0x2, status_sleep = 0x4, status_weakness = 0x8,
                        status_death = 0x10, status_confusion = 0x20, status_dodge = 0x40, status_plain = 0x80,
                        status_excitement = 0x10000, status_fury = 0x20000, status_sadness = 0x40000,
                        status_madness = 0x80000, status_moods = 0xF0000;
// Keys of yin/yang entries and of weakness.
constexpr std::uint32_t key_yin_stance = 1, key_yang_stance = 2, key_yin_mark = 4, key_yang_mark = 8,
                        key_stances = 3, key_yin_yang = 0xF, key_weakness = 256;
constexpr std::uint16_t status_icon_act = 9139, stat_icon_act = 9142;

// The seven stats an entry changes, in entry order: attack, defence, hit, speed (the unit's
// gauge speed for a stat change, stat word 11 for a mood), magic attack, magic defence, magic hit.
constexpr int entry_stat_count = 7;

struct YinYangRecord {
  // A stat change's amounts; for a mood the difference its scaling made to each stat.
  std::int32_t amounts[entry_stat_count] = {};
  std::int32_t power = 0;
  std::int16_t yin = 0;
  std::int16_t yang = 0;
  std::uint8_t side = 0;
  std::uint8_t mark_side = 0;
  std::uint8_t level = 0;
  std::uint8_t stance_turns = 0;
};

struct StatusEntry {
  ActInstance icon{};
  YinYangRecord yy{};  // the amounts and the yin/yang fields
  std::uint32_t status_low = 0;
  std::uint32_t status_high = 0;
  std::uint32_t key = 0;
  std::int16_t value = 0;
  std::uint16_t tick = 0;
  std::int16_t turns = 0;
  std::int16_t turns_left = 0;
  std::int16_t action_power = 0;
  std::uint8_t cancelled = 0;
  char name[67] = {};
};
