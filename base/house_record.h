#pragma once
// HouseRecord: one building of the settlement, a house the player built or a landmark the story
// placed. Save files hold houses as 680-byte images in the original 32-bit layout; the record
// is read and written field by field (house_to_image, house_from_image), its model's
// ActInstance through the animation player's own image functions.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/record_image.h"
#include "g3d/act_animation.h"
#include "g3d/g3d_math.h"

constexpr std::size_t house_record_size = 680;
constexpr std::size_t resident_slot_size = 4;
constexpr int house_slot_count = 10;
constexpr int footprint_size = 3;  // a footprint is 3 x 3 cells
constexpr int house_effect_slots = 5;
using HouseImage = std::array<std::uint8_t, house_record_size>;

// One resident place of a house.
struct ResidentSlot {
  std::uint16_t monster = 0;  // object id; 0 empty
  std::int8_t link = 0;       // the partner house's id (low byte); 0 none. In a formation house
                              // the link bytes of slots 5-9 hold the positions of members 0-4.
  std::uint8_t spare = 0;
};

struct HouseRecord {
  std::int32_t id = 0;             // houses: unique from 1; landmarks: order of creation
  G3dVector pos{};                 // the origin; the w component is carried along
  ActInstance act{};               // the model: ACT = the object id
  float rotation = 0;              // yaw in degrees
  std::int32_t kind = 0;           // HouseKind 1-17, or LandmarkKind 1-5 in the landmark list
  std::int32_t capacity = 0;       // usable resident slots
  std::int32_t resident_count = 0;
  ResidentSlot residents[house_slot_count]{};
  std::int32_t footprint[footprint_size * footprint_size]{};  // row-major, 1 where it stands
  std::int32_t footprint_cells = 0;
  std::int32_t grid_row = 0, grid_col = 0;  // BuildGrid cell of the footprint's top-left
  std::int32_t active = 0;         // 0 marks the record for removal
  std::int32_t placed = 0;         // 0 while the build page still moves it
  std::uint8_t level = 0;
  std::uint8_t pad_409[3]{};
  std::int32_t label = 0;          // houses: index into house_labels; landmarks: the keep flag
  std::int32_t skill_totals[4]{};  // a workshop's totals of 冶金, 整備, 製藥, 神技
  std::uint16_t countdown = 0;     // construction frames left; landmark 1: its bobbing phase
  std::uint8_t pad_434[2]{};
  std::int32_t effect_ids[house_effect_slots]{};  // workshop emitters, -1 none; kind 17: the fifth
                                                   // is the hall's floating phase
  std::uint16_t built = 0;         // 1 once paid
  std::uint16_t rotation_step = 0; // quarter turns 0-3; selects the footprint
  std::uint8_t reserved_460[212]{};
};

// Offset of the ActInstance in the image; the list links at 672 and 676 are written as 0.
constexpr std::size_t house_act_offset = 20;

template <>
struct record_image::Layout<G3dVector> {
  static constexpr std::size_t size = 16;
  static constexpr auto fields = std::tuple{
      field("x", 0, &G3dVector::x),
      field("y", 4, &G3dVector::y),
      field("z", 8, &G3dVector::z),
      field("w", 12, &G3dVector::w),
  };
};

template <>
struct record_image::Layout<ResidentSlot> {
  static constexpr std::size_t size = resident_slot_size;
  static constexpr auto fields = std::tuple{
      field("monster", 0, &ResidentSlot::monster),
      field("link", 2, &ResidentSlot::link),
      field("spare", 3, &ResidentSlot::spare),
  };
};

// Every field but the ActInstance at 20 (house_to_image writes that one).
template <>
struct record_image::Layout<HouseRecord> {
  static constexpr std::size_t size = house_record_size;
  static constexpr auto fields = std::tuple{
      field("id", 0, &HouseRecord::id),
      field("pos", 4, &HouseRecord::pos),
      field("rotation", 296, &HouseRecord::rotation),
      field("kind", 300, &HouseRecord::kind),
      field("capacity", 304, &HouseRecord::capacity),
      field("resident_count", 308, &HouseRecord::resident_count),
      field("residents", 312, &HouseRecord::residents),
      field("footprint", 352, &HouseRecord::footprint),
      field("footprint_cells", 388, &HouseRecord::footprint_cells),
      field("grid_row", 392, &HouseRecord::grid_row),
      field("grid_col", 396, &HouseRecord::grid_col),
      field("active", 400, &HouseRecord::active),
      field("placed", 404, &HouseRecord::placed),
      field("level", 408, &HouseRecord::level),
      field("pad_409", 409, &HouseRecord::pad_409),
      field("label", 412, &HouseRecord::label),
      field("skill_totals", 416, &HouseRecord::skill_totals),
      field("countdown", 432, &HouseRecord::countdown),
      field("pad_434", 434, &HouseRecord::pad_434),
      field("effect_ids", 436, &HouseRecord::effect_ids),
      field("built", 456, &HouseRecord::built),
      field("rotation_step", 458, &HouseRecord::rotation_step),
      field("reserved_460", 460, &HouseRecord::reserved_460),
  };
};

void house_to_image(const HouseRecord& house, std::span<std::uint8_t, house_record_size> out);
void house_from_image(std::span<const std::uint8_t, house_record_size> in, HouseRecord& house);
