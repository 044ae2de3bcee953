#pragma once
// Fame records: the collection entries of monsters obtained, objects found, maps visited and the
// growth of every magic treasure worn. Types 0, 2 and 3 live in fame.dat (shared by all saved
// games); the treasure records (type 1) travel inside each save file as whole 96-byte images.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "data/record_image.h"

constexpr std::size_t fame_node_image_size = 96;
using FameImage = std::array<std::uint8_t, fame_node_image_size>;

constexpr std::uint16_t fame_type_monster = 0, fame_type_treasure = 1, fame_type_object = 2, fame_type_map = 3;

// One collection entry; the field order is the stored order (offsets in the layout below).
struct FameNode {
  std::int32_t maxed = 0;          // 4: 1 once the treasure is at level 10 (or cannot grow)
  std::int32_t level_rose = 0;     // 8: set when the level rises; the results screen clears it
  std::uint16_t id = 0;            // 12: object number (types 0-2) or map number (type 3)
  std::uint16_t type = 0;          // 14
  std::uint16_t points = 0;        // 16: type 1 growth points; type 0 times obtained; else 1
  std::uint16_t level = 0;         // 18: type 1, 1-10
  std::uint16_t exp = 0;           // 22: type 1 experience toward the next level
  std::int16_t bonus[8] = {};      // 26: bonuses given so far: HP, MP, SP, attack, defence,
                                   //     speed, magic attack, magic defence
  std::int16_t pending = 0;        // 42: bonus earned, not yet handed over
  std::int16_t cap = 0;            // 44: highest value of the code's bonus entry
  std::uint16_t rate = 0;          // 46: growth points per conversion
  std::uint16_t code = 0;          // 48: the treasure's code
  std::uint32_t level_exp = 0;     // 52: experience of one level
  std::int16_t total = 0;          // 56: pending amounts settled so far
};

// The stored layout. Bytes 0-3, 20, 24, 50, 58-91 are 0 and the list link at 92 is a pointer
// slot: none has a row.
template <>
struct record_image::Layout<FameNode> {
  static constexpr std::size_t size = fame_node_image_size;
  static constexpr auto fields = std::tuple{
      field("maxed", 4, &FameNode::maxed),
      field("level_rose", 8, &FameNode::level_rose),
      field("id", 12, &FameNode::id),
      field("type", 14, &FameNode::type),
      field("points", 16, &FameNode::points),
      field("level", 18, &FameNode::level),
      field("exp", 22, &FameNode::exp),
      field("bonus", 26, &FameNode::bonus),
      field("pending", 42, &FameNode::pending),
      field("cap", 44, &FameNode::cap),
      field("rate", 46, &FameNode::rate),
      field("code", 48, &FameNode::code),
      field("level_exp", 52, &FameNode::level_exp),
      field("total", 56, &FameNode::total),
  };
};

// The block stored whole at the end of fame.dat.
struct FameBlock {
  std::uint16_t mark = 0;     // 0xA001 before every write
  std::uint16_t cleared = 0;  // 1 once the game has been cleared
  std::uint8_t reserved[512] = {};
};
constexpr std::size_t fame_block_size = 516;
constexpr std::uint16_t fame_block_mark = 0xA001;
extern FameBlock fame_block;

// fame.dat: the list of (id, type) pairs packed into 4096 bytes, which hold at most 1023 pairs.
constexpr std::uint32_t fame_list_size = 4096;
constexpr int fame_pairs_cap = 1023;
extern const char fame_file_name[];  // "fame.dat"

// Adds or updates the entry of (id, type): type 0 counts one more, type 1 takes growth points
// and experience (a new treasure entry starts at level 1 and converts nothing yet), types 2
// and 3 are entered once. 0 when the object cannot be read (nothing added).
int fame_add(std::uint16_t id, int exp, int growth, std::uint16_t type);
// The entry of that id and type (newest first), or null.
FameNode* fame_find(std::uint16_t id, std::uint16_t type);
// The n-th entry of a type in list order, or null.
FameNode* fame_find_nth(std::uint16_t type, std::uint16_t n);
void free_fame();
// One trace line "Type:%d Id:%5d" per record, newest first.
void dump_fame();

// Treasure events: what feeds the growth of the treasures the present party wears.
enum class TreasureEvent : std::uint16_t {
  talk = 1, capture = 2, play_time = 3, escape = 4, purchase = 5, monster_defeated = 6, discard = 8,
};
// Gives growth points to the equipped treasures the event feeds (event 6: level is the
// monster's level, compared with the wearer's).
void treasure_event(std::uint16_t event, std::uint16_t amount, std::uint16_t level);
// Hands every pending treasure bonus of the present party to the wearers.
void treasure_apply();
// The growth code an event feeds for a wearer of that level (0: none).
std::uint16_t treasure_event_code(std::uint16_t event, std::uint16_t monster_level, std::uint16_t wearer_level);

// Appends the 96-byte image of every treasure record (type 1), in list order; the caller writes
// the end mark.
void fame_save_treasures(std::vector<std::uint8_t>& out);
// Pushes a record for each image (newest last, so the order reverses), its level experience,
// cap and rate refreshed from the object.
void fame_load_treasures(std::span<const FameImage> images);
// Level experience, cap and rate from the treasure's object; the level kept within 1-10.
void fame_refresh_treasure(FameNode* node);
// A new record with the image's contents, pushed at the head.
int fame_push_copy(const FameImage& image);

// fame.dat in game_dir, written through a temporary file: 1 when written, 0 (reported) when not.
int save_fame();
// Replaces the list of types 0, 2 and 3 and fame_block with fame.dat's: 1 when the file was
// read; 0 for a missing or damaged file, which leaves the list empty and fame_block unchanged.
int load_fame();

// The pure halves of the file: the file image of the current list, and the reading of an image
// (list replaced, fame_block restored) with the same result as load_fame.
std::vector<std::uint8_t> fame_file_image();
int load_fame_image(std::span<const std::uint8_t> file);
