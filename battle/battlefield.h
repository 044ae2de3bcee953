#pragma once
// Battlefield records (ACT\Battlefield.dat) and the battlefield's ground: the record a battle
// is built from, the world it stands on, and the queries that drop units and effects onto the
// world's collision triangles.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "g3d/act_animation.h"
#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"
#include "g3d/renderer.h"

struct G3dWld;

constexpr int battlefield_enemy_slots = 10;
constexpr int battlefield_record_count = 1000;
constexpr std::size_t battlefield_record_size = 776;
constexpr std::size_t battlefield_header_size = 24;
constexpr std::size_t battlefield_block_size = 40000;
constexpr std::size_t battlefield_records_offset = battlefield_header_size + battlefield_block_size;

// One record, read field by field from its 776 bytes.
struct BattlefieldRecord {
  ChartRecord fog{};                            // 0: the fog block set_chart_map takes
  float spot[battlefield_enemy_slots][4] = {};  // 24: x, y, z, w of each enemy
  float yaw[battlefield_enemy_slots] = {};      // 536: degrees
  std::uint16_t world_act = 0;                  // 634: 0 = an empty record
  std::uint16_t world_qq = 0;                   // 636
  std::uint16_t deco_act = 0;                   // 638: 0 = no background model
  std::uint16_t deco_qq = 0;                    // 640
  std::uint16_t enemy_count = 0;                // 642: at most 10 once read
  std::uint16_t enemy[battlefield_enemy_slots] = {};  // 644: monster object numbers
};

// Record offsets within its 776 bytes.
namespace battlefield_offset {
constexpr std::size_t fog = 0, spot = 24, yaw = 536, world_act = 634, world_qq = 636, deco_act = 638,
                      deco_qq = 640, enemy_count = 642, enemy = 644;
}

// Decodes one record image (shorter images read as zero beyond their end).
BattlefieldRecord battlefield_from_image(std::span<const std::uint8_t> image);

// The file's path, built at start-up from the ACT folder.
extern std::string fight_field_path;
void init_fight_field(const char* directory);

// Reads record index into out: 1 read. An index beyond the file's 1000 records is refused with
// a report and leaves out unchanged; a record the file does not reach reads as zero.
int load_field(BattlefieldRecord* out, std::uint16_t index);

// The world the battle stands on (null: no ground anywhere).
extern G3dWld* fight_ground_world;

// Drops pt onto the highest ground crossed by a probe from (pt + (dx, dy, dz)) straight down;
// with ground, pt takes the hit point (w kept), out (when given) the ground quad of half size
// half, and the result is 1. Outside the grid or over no triangle: 0 and pt unchanged.
int fight_ground_height(G3dVector* pt, float dx, float dy, float dz, float half, G3dVertex* out);
// 1 when there is ground under (x, z) below y + 200.
int fight_ground_exists(float x, float y, float z);
