#pragma once
// The magic study list: every spell the party has studied, with its progress toward its goal and
// whether it is learned. Its records (48 bytes) are stored in saves; the next pointer is
// written as 0.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/record_image.h"

constexpr std::size_t magic_study_image_size = 48;

struct MagicStudy {
  MagicStudy* next;           // 0: a pointer slot, 0 in the image
  std::uint16_t spell_id;     // 4: the art's object number; 0 = none
  std::uint16_t progress;     // 6
  std::uint16_t goal;         // 8: the progress at which the spell is learned
  std::uint16_t unused_10;    // 10
  std::uint32_t learned;      // 12: 1 = learned
  std::uint8_t unused_16[32]; // 16
};

// The stored layout: one row per field (name, offset, member); next has no row.
template <>
struct record_image::Layout<MagicStudy> {
  static constexpr std::size_t size = magic_study_image_size;
  static constexpr auto fields = std::tuple{
      field("spell_id", 4, &MagicStudy::spell_id),
      field("progress", 6, &MagicStudy::progress),
      field("goal", 8, &MagicStudy::goal),
      field("unused_10", 10, &MagicStudy::unused_10),
      field("learned", 12, &MagicStudy::learned),
      field("unused_16", 16, &MagicStudy::unused_16),
  };
};

void magic_study_to_image(const MagicStudy& record, std::span<std::uint8_t, magic_study_image_size> out);
void magic_study_from_image(std::span<const std::uint8_t, magic_study_image_size> in, MagicStudy& record);

extern MagicStudy* gmMagicStudy;  // head of the list
extern int gmMagicStudyCount;
// The spell under study: a record of the same layout outside the list.
extern MagicStudy current_study;

// Adds or updates the record of rec's spell (spell, progress, goal, learned flag); null for
// spell 0 or when no memory is left.
MagicStudy* add_magic_study(const MagicStudy* rec);
int has_magic_study(std::uint16_t spell);
MagicStudy* find_magic_study(std::uint16_t spell);
// The spell of the n-th record from the head; 0 past the end.
std::uint16_t get_magic_study_id(int n);
void free_magic_study();
