#pragma once
// The settlement's two lists of HouseRecords and the rules on them: the houses in id order
// (built, loaded, removed) and the landmarks the story places, newest first; ids, labels,
// grid marking, levels, and the saving and loading of houses.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/house_record.h"

using HouseList = std::vector<std::unique_ptr<HouseRecord>>;
extern HouseList house_list;     // ascending id order
extern HouseList landmark_list;  // newest first

// The default dwelling of a new settlement: id 1, kind 1 (whatever the object), at (x, y,
// z - 50, w), anchored on row 5, column 5, built and placed, capacity 3. At the head of the list.
HouseRecord* add_default_house(std::uint16_t object, float x, float y, float z, float w);
// A new unplaced house of the kind at the lowest free id, linked in id order.
HouseRecord* add_house(int kind, float x, float y, float z, float w);
// A landmark of the kind unless one is in the list; null when there is one.
HouseRecord* add_landmark(int kind, float x, float y, float z, float w);
// Rebuilds the landmark list from the game flags; entry_map is the field map the base was
// entered from (two landmarks stay away from four maps).
void spawn_landmarks(std::uint16_t entry_map);

// Appends a saved house's image at the end of the list and marks its cells. An image that does
// not describe a house of ours (kind, capacity, residents, turn, label, id order, footprint
// off the grid) is reported and dropped: 0. Emitter ids are reset (a training hall keeps its
// phase).
int add_saved_house(std::span<const std::uint8_t, house_record_size> image);
// After the last saved house: clears every resident link that names no house or whose partner
// slot does not link back.
void clear_broken_house_links();
// The n-th active house (n from 1), or null.
HouseRecord* get_house_at(int n);
void free_all_houses();

// Removes the first inactive house (refunding half its cost when it was paid); 1 when one went.
int remove_inactive_house();
// Drops the first landmark whose keep flag is clear; 1 when one went.
int drop_landmark();

HouseRecord* find_house(int id);
// The house the build page is placing: the first with placed 0, or null.
HouseRecord* unplaced_house();
int count_houses_of_kind(int kind);
// 1 when more than one dwelling exists.
int has_spare_dwelling(const HouseRecord* house);
// Kind 16: level, capacity and model up one; kind 17: level and model up one; 1. Else 0.
int upgrade_house_level(HouseRecord* house);
// The label a new house of the kind gets.
int next_house_label(int kind);
void mark_house_cells(HouseRecord* house);
void unmark_house_cells(HouseRecord* house);
