// House kinds, labels, footprints and landmarks.
#include "base/house_kinds.h"

#include "base/house_record.h"
#include "core/game_flags.h"

namespace {

constexpr HouseKindRow kind_rows[house_kind_count + 1] = {
    {0, 0, 0, 0},
    {9901, 3, 1, 22}, {9902, 6, 2, 22}, {9903, 10, 3, 22},
    {9904, 5, 1, 1}, {9905, 5, 2, 1}, {9906, 5, 3, 1},
    {9907, 5, 1, 1}, {9908, 5, 2, 1}, {9909, 5, 3, 1},
    {9910, 5, 1, 1}, {9911, 5, 2, 1}, {9912, 5, 3, 1},
    {9913, 5, 1, 1}, {9914, 5, 2, 1}, {9915, 5, 3, 1},
    {9916, 1, 1, 2}, {9922, 1, 1, 1},
};

// Footprints as three 3-digit rows, top to bottom, per quarter turn.
constexpr int footprint_rows[house_kind_count + 1][4][3] = {
    {},
    {{110, 0, 0}, {100, 100, 0}, {110, 0, 0}, {100, 100, 0}},              // 1
    {{110, 100, 0}, {100, 110, 0}, {10, 110, 0}, {110, 10, 0}},            // 2
    {{110, 110, 0}, {110, 110, 0}, {110, 110, 0}, {110, 110, 0}},          // 3
    {{110, 110, 0}, {110, 110, 0}, {110, 110, 0}, {110, 110, 0}},          // 4
    {{11, 110, 0}, {100, 110, 10}, {11, 110, 0}, {100, 110, 10}},          // 5
    {{1, 111, 100}, {110, 10, 11}, {1, 111, 100}, {110, 10, 11}},          // 6
    {{110, 110, 0}, {110, 110, 0}, {110, 110, 0}, {110, 110, 0}},          // 7
    {{110, 11, 0}, {10, 110, 100}, {110, 11, 0}, {10, 110, 100}},          // 8
    {{100, 111, 1}, {11, 10, 110}, {100, 111, 1}, {11, 10, 110}},          // 9
    {{110, 100, 0}, {100, 110, 0}, {10, 110, 0}, {110, 10, 0}},            // 10
    {{110, 110, 0}, {110, 110, 0}, {110, 110, 0}, {110, 110, 0}},          // 11
    {{111, 10, 0}, {100, 110, 100}, {10, 111, 0}, {10, 110, 10}},          // 12
    {{101, 10, 0}, {100, 10, 100}, {10, 101, 0}, {10, 100, 10}},           // 13
    {{10, 101, 10}, {10, 101, 10}, {10, 101, 10}, {10, 101, 10}},          // 14
    {{10, 111, 10}, {10, 111, 10}, {10, 111, 10}, {10, 111, 10}},          // 15
    {{101, 10, 101}, {101, 10, 101}, {101, 10, 101}, {101, 10, 101}},      // 16
    {{101, 111, 101}, {111, 10, 111}, {101, 111, 101}, {111, 10, 111}},    // 17
};

constexpr LandmarkRow landmark_rows[landmark_kind_count + 1] = {
    {},
    {9927, 0, 3900, 150, 7000, -60, flag_landmark_kite, flag_mechanism_0, false, 200},
    {9928, 0, 8500, 200, 5400, 0, flag_mechanism_1, flag_mechanism_1, false, 0},
    {9929, 0, 3400, 200, 5500, 0, flag_mechanism_2, flag_mechanism_2, false, 0},
    {9921, 3, 5900, 880, 7750, 0, flag_landmark_cottage, flag_landmark_cottage, true, 0},
    {9921, 1, 7900, 770, 7300, 0, flag_game_cleared, flag_game_cleared, true, 0},
};

}  // namespace

// 茅草屋 木造屋 磚瓦屋, 農兵 武器 神兵, 織縷 鎧裝 天衣 (工房), 雜貨鋪 藥材鋪 煉丹房, 魯班園 奇物館
// 天工寶塔, 鬼神陣, 仙術道場.
const char house_kind_names[house_kind_count + 1][32] = {
    "",
    "\xAD\x54\xAF\xF3\xAB\xCE",
    "\xA4\xEC\xB3\x79\xAB\xCE",
    "\xBF\x6A\xA5\xCB\xAB\xCE",
    "\xB9\x41\xA7\x4C\xA4\x75\xA9\xD0",
    "\xAA\x5A\xBE\xB9\xA4\x75\xA9\xD0",
    "\xAF\xAB\xA7\x4C\xA4\x75\xA9\xD0",
    "\xC2\xB4\xC1\x5C\xA4\x75\xA9\xD0",
    "\xF1\x5A\xB8\xCB\xA4\x75\xA9\xD0",
    "\xA4\xD1\xA6\xE7\xA4\x75\xA9\xD0",
    "\xC2\xF8\xB3\x66\xBE\x51",
    "\xC3\xC4\xA7\xF7\xBE\x51",
    "\xB7\xD2\xA4\xA6\xA9\xD0",
    "\xBE\x7C\xAF\x5A\xB6\xE9",
    "\xA9\x5F\xAA\xAB\xC0\x5D",
    "\xA4\xD1\xA4\x75\xC4\x5F\xB6\xF0",
    "\xB0\xAD\xAF\xAB\xB0\x7D",
    "\xA5\x50\xB3\x4E\xB9\x44\xB3\xF5",
};

// 甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥, each with its NUL.
const char house_labels[house_label_count][3] = {
    "\xA5\xD2", "\xA4\x41", "\xA4\xFE", "\xA4\x42", "\xA5\xB3", "\xA4\x76", "\xA9\xB0", "\xA8\xAF", "\xA4\xD0", "\xAC\xD1", "\xA4\x6C", "\xA4\xA1", "\xB1\x47", "\xA5\x66", "\xA8\xB0", "\xA4\x78", "\xA4\xC8", "\xA5\xBC", "\xA5\xD3", "\xA8\xBB", "\xA6\xA6", "\xA5\xE8",
};

// 機關鳶 機關屋 紫雲塔 PIKU小屋 玄冥宮.
const char landmark_names[landmark_kind_count + 1][32] = {
    "",
    "\xBE\xF7\xC3\xF6\xBB\xF0",
    "\xBE\xF7\xC3\xF6\xAB\xCE",
    "\xB5\xB5\xB6\xB3\xB6\xF0",
    "PIKU\xA4\x70\xAB\xCE",
    "\xA5\xC8\xAD\xDF\xAE\x63",
};

const HouseKindRow& house_kind_row(int kind) { return kind_rows[is_house_kind(kind) ? kind : 0]; }

std::uint16_t house_level_object(int kind, int level) {
  if (kind == house_formation) return std::uint16_t(9915 + level);
  if (kind == house_training) return std::uint16_t(9921 + level);
  return std::uint16_t(9900 + kind);
}

std::uint16_t house_cost_object(int kind) { return house_level_object(kind, 1); }

int house_kind_max_capacity(int kind) {
  return kind == house_formation ? formation_max_level : house_kind_row(kind).capacity;
}

void compute_house_footprint(HouseRecord* house) {
  for (std::int32_t& cell : house->footprint) cell = 0;
  const int step = house->rotation_step;
  if (step > 3 || !is_house_kind(house->kind)) return;
  int count = 0;
  for (int row = 0; row < footprint_size; ++row) {
    int digits = footprint_rows[house->kind][step][row];
    for (int col = footprint_size - 1; col >= 0; --col, digits /= 10) {
      house->footprint[row * footprint_size + col] = digits % 10;
      count += digits % 10;
    }
  }
  house->footprint_cells = count;
}

const LandmarkRow& landmark_row(int kind) { return landmark_rows[kind >= 1 && kind <= landmark_kind_count ? kind : 0]; }

const char* house_kind_name(int kind) { return house_kind_names[is_house_kind(kind) ? kind : 0]; }
const char* house_label_text(int label) { return label >= 0 && label < house_label_count ? house_labels[label] : ""; }
const char* landmark_name(int kind) { return landmark_names[kind >= 1 && kind <= landmark_kind_count ? kind : 0]; }
