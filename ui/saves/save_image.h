#pragma once
// The save image as a staging record, and the two pure halves of the format: writing a staging
// record as image bytes, and parsing image bytes into one. Parsing checks every block before the
// load changes anything live; the header is followed by ten blocks read in order.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/house_record.h"
#include "battle/fame.h"
#include "data/item_data.h"
#include "data/magic_study.h"
#include "data/music_state.h"
#include "data/party.h"
#include "data/role_data.h"
#include "data/role_rows.h"
#include "data/role_vars.h"
#include "ui/saves/save_header.h"

constexpr std::uint16_t save_end_mark = 0xFFFF;
constexpr std::uint16_t save_role_var_end = 0;
constexpr std::uint16_t save_trailer_mark = 0xA001;
constexpr int save_first_full_version = 6;  // blocks 7-9 are stored from this version on
// Thumbnails: a 256 x 256 picture whose top-left 160 x 120 hold the screen.
constexpr int thumbnail_width = 160, thumbnail_height = 120;
// The whole unpacked image may not be larger than this.
constexpr std::uint32_t save_image_cap = 16u << 20;
// More house images than the building grid can hold are no save of ours.
constexpr int save_house_cap = 13 * 14;

// One bag node: its object, count and new count, and two words the load does not use.
struct SaveBagEntry {
  std::uint16_t object = 0, count = 0, new_count = 0, word_6 = 0, word_8 = 0;
};
constexpr std::size_t save_bag_entry_size = 10;

using RoleDataImage = std::array<std::uint8_t, role_data_image_size>;
using ItemDataImage = std::array<std::uint8_t, item_data_image_size>;
using MagicStudyImage = std::array<std::uint8_t, magic_study_image_size>;

struct SaveImage {
  SaveHeader header;
  std::vector<std::uint8_t> thumbnail;           // block 1: an RleImage, or empty
  std::vector<SaveBagEntry> bag;                 // block 2
  std::vector<MapsRoleRow> role_rows;            // block 3
  std::array<RoleDataImage, party_record_count> roles{};        // block 4
  std::array<std::vector<std::uint16_t>, party_record_count> arts;
  std::array<std::int32_t, 182> build_grid{};    // block 5
  std::vector<HouseImage> houses;                // up to the end mark; the load checks each
  std::array<ItemDataImage, 2> escort{};
  MagicStudyImage study{};                       // block 6: the spell under study
  std::vector<std::uint8_t> party_magic = std::vector<std::uint8_t>(party_magic_image_size);
  std::vector<MagicStudyImage> studies;
  std::vector<FameImage> treasures;              // block 7 (version 6 on)
  std::vector<RoleVarRow> role_vars;             // block 8
  std::vector<MusicRow> music_rows;              // block 9
  bool has_trailer = true;                       // block 10
  std::array<std::uint32_t, 54> talk_words{};
};

// The image bytes: header (with the block offset table filled in), then the blocks. Blocks 7-9
// are written only when the header's version is 6 or later; the trailer only when has_trailer.
std::vector<std::uint8_t> write_save_image(const SaveImage& image);

enum class SaveParse {
  Ok,
  CutShort,        // a block or a record passes the end of the image
  BadMapName,      // the header's map name has no NUL
  BadThumbnail,    // not a 16-bit picture of at least 160 x 120
  Unended,         // a list ends before its end mark
  TooMany,         // more role-variable rows or houses than the game holds
  BadTrailer,      // the trailer mark without its 216 bytes
};
const char* save_parse_text(SaveParse result);

// Reads image bytes into a staging record; anything but Ok leaves out unspecified.
SaveParse parse_save_image(std::span<const std::uint8_t> bytes, SaveImage& out);
// The header alone (the slot lists read nothing more); false when the image is shorter.
bool parse_save_header(std::span<const std::uint8_t> bytes, SaveHeader& out);
// The thumbnail check: a 16-bit RleImage whose size holds at least 160 x 120.
bool thumbnail_is_valid(std::span<const std::uint8_t> picture);
