#pragma once
// The 2724-byte header at the start of every save image. Its layout below is the one offset
// table of the header: the writer, the reader and the tests all go through it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/record_image.h"

constexpr std::size_t save_header_size = 2724;
constexpr std::size_t save_map_name_size = 35;
constexpr int save_block_count = 16;       // entries of the block offset table
constexpr int save_party_size = 3;
constexpr std::uint16_t save_version_current = 0xFF06;
constexpr std::uint16_t save_version_old = 0xFF05;
constexpr int save_camera_words = 32;
// Words of the camera settings that hold the live camera at saving time.
constexpr int save_camera_mode_word = 6;   // 4 when the eye is set from outside, else 0
constexpr int save_camera_eye_word = 7;    // 7-9: the eye, only when the mode is 4

struct SaveHeader {
  std::uint16_t time[8] = {};                // year, month, day of week, day, hour, minute,
                                             // second, milliseconds (local time of saving)
  std::uint32_t play_time = 0;               // seconds
  std::uint32_t talk_box_state = 0;          // the message-box state word
  std::uint32_t block_offsets[save_block_count] = {};
  std::uint32_t camera[save_camera_words] = {};  // the field camera settings' image, as words
  float position[4] = {};                    // X, Y, Z, DIR of the controlled role
  std::int32_t resources[4] = {};            // money, wood, metal, coal
  std::uint16_t version = save_version_current;
  std::uint16_t map_number = 0;
  std::uint16_t queued_talk = 0;             // talk queued for RoleID 0xFF02; never read back
  std::uint16_t map_place = 0;               // game_map_place
  std::uint8_t cd_drive = 0;                 // never read back
  std::uint8_t global_flags[1024] = {};
  std::uint8_t map_flags[1024] = {};
  char map_name[save_map_name_size] = {};    // NUL-terminated
  std::uint32_t state_words[64] = {};        // game_state_words
  std::uint32_t tint = 0;                    // ARGB; 0xFFFFFFFF none
  std::uint32_t party_members[save_party_size] = {};  // i + 1 for a member present, else 0
  std::uint32_t party_levels[save_party_size] = {};
  float view_far = 0;
};

template <>
struct record_image::Layout<SaveHeader> {
  static constexpr std::size_t size = save_header_size;
  static constexpr auto fields = std::tuple{
      field("time", 0, &SaveHeader::time),
      field("play_time", 16, &SaveHeader::play_time),
      field("talk_box_state", 20, &SaveHeader::talk_box_state),
      field("block_offsets", 24, &SaveHeader::block_offsets),
      field("camera", 88, &SaveHeader::camera),
      field("position", 216, &SaveHeader::position),
      field("resources", 232, &SaveHeader::resources),
      field("version", 248, &SaveHeader::version),
      field("map_number", 250, &SaveHeader::map_number),
      field("queued_talk", 252, &SaveHeader::queued_talk),
      field("map_place", 254, &SaveHeader::map_place),
      field("cd_drive", 256, &SaveHeader::cd_drive),
      field("global_flags", 257, &SaveHeader::global_flags),
      field("map_flags", 1281, &SaveHeader::map_flags),
      field("map_name", 2305, &SaveHeader::map_name),
      field("state_words", 2340, &SaveHeader::state_words),
      field("tint", 2596, &SaveHeader::tint),
      field("party_members", 2600, &SaveHeader::party_members),
      field("party_levels", 2612, &SaveHeader::party_levels),
      field("view_far", 2624, &SaveHeader::view_far),
  };
};

// The offset of a header field by its name in the table (the tests and the data kit use it);
// a name the table does not hold is a compile-time error where it is evaluated as a constant.
constexpr std::size_t save_header_offset(std::string_view name) {
  std::size_t found = save_header_size;
  record_image::for_each_field<SaveHeader>([&](const auto& row) {
    if (row.name == name) found = row.offset;
  });
  if (found == save_header_size) throw "no such header field";
  return found;
}

void save_header_to_image(const SaveHeader& header, std::span<std::uint8_t, save_header_size> out);
void save_header_from_image(std::span<const std::uint8_t, save_header_size> in, SaveHeader& header);
// The low byte of the version word: the version the blocks are read as.
inline int save_version_of(std::uint16_t word) { return word & 0xFF; }
