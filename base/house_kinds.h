#pragma once
// The table of house kinds (names, capacities, levels, objects, limits), the labels, the
// footprints by kind and quarter turn, and the landmarks.
#include <cstdint>

struct HouseRecord;

// HouseKind 1-17.
enum HouseKind : int {
  house_thatch = 1, house_timber = 2, house_brick = 3,               // dwellings
  house_weapons_1 = 4, house_weapons_2 = 5, house_weapons_3 = 6,
  house_armour_1 = 7, house_armour_2 = 8, house_armour_3 = 9,
  house_items_1 = 10, house_items_2 = 11, house_items_3 = 12,
  house_treasure_1 = 13, house_treasure_2 = 14, house_treasure_3 = 15,
  house_formation = 16, house_training = 17,
};
constexpr int house_kind_count = 17;
// LandmarkKind 1-5.
constexpr int landmark_kind_count = 5;
constexpr int house_label_count = 22;

constexpr bool is_house_kind(int kind) { return kind >= 1 && kind <= house_kind_count; }
constexpr bool is_dwelling_kind(int kind) { return kind < 4; }
constexpr int formation_max_level = 5, training_max_level = 2;

struct HouseKindRow {
  std::uint16_t object;   // the object (and model) when built
  int capacity;           // resident slots when built
  int level;              // level when built
  int limit;              // most houses of the kind
};
// Row k for kind k; row 0 is empty.
const HouseKindRow& house_kind_row(int kind);

// Big5 names, row 0 empty.
extern const char house_kind_names[house_kind_count + 1][32];
extern const char house_labels[house_label_count][3];
extern const char landmark_names[landmark_kind_count + 1][32];
// The names of a kind, a label and a landmark; "" outside the tables.
const char* house_kind_name(int kind);
const char* house_label_text(int label);
const char* landmark_name(int kind);

// The object record of a kind at a level: 9915 + level for kind 16, 9921 + level for kind 17,
// 9900 + kind otherwise.
std::uint16_t house_level_object(int kind, int level);
// The object a kind's build cost and refund are read from: its level-1 record.
std::uint16_t house_cost_object(int kind);
// The most resident slots a house of the kind can have (kind 16: its top level).
int house_kind_max_capacity(int kind);

// Clears the nine cells and sets them and footprint_cells from kind and rotation_step; a step
// outside 0-3 leaves the cells clear and the count unchanged.
void compute_house_footprint(HouseRecord* house);

struct LandmarkRow {
  std::uint16_t act, qq;
  float x, y, z;
  float rotation;
  int add_flag;           // added at entry while this game flag is set
  int keep_flag;          // dropped once this game flag is clear
  bool map_excluded;      // not added when the base was entered from one of the excluded maps
  std::uint16_t countdown;
};
// Row k for kind k (1-5).
const LandmarkRow& landmark_row(int kind);
