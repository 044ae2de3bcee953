#pragma once
// The current map's record, what it owns, and the collision-grid parameters role movement reads.
// A map file (MAP\WLDnnnnn.MAP) is parsed into a checked image before anything live changes.
#include <cstdint>

#include "g3d/act_animation.h"
#include "g3d/g3d_math.h"
#include "g3d/renderer.h"

struct G3dWld;

// A trigger box of the map: the talk numbered `event` starts when the player walks into it.
struct MapNote {
  G3dBox box{};              // relative to the position
  float x = 0, y = 0, z = 0;
  std::uint32_t value = 0;   // kept, not used
  int event = 0;             // talk number; also the map flag that disables the note
  int disabled = 0;          // 1: not tested for contact
  int rearm = 0;             // 1: enables itself again once the player is outside its box
  std::uint32_t values[8] = {};
  MapNote* next = nullptr;
};

// Map flags of the map database's row.
constexpr std::uint16_t map_no_save = 0x10;  // the menu refuses to save here
constexpr std::uint16_t map_has_minimap = 0x40;
constexpr std::uint16_t map_outdoor = 0x80;
constexpr std::uint16_t map_eye_follows_height = 0x100;

// File flag bit 0: the camera uses the map's fixed eye.
constexpr std::uint32_t map_file_fixed_eye = 0x1;
// Display flag bit 1: the view shakes.
constexpr std::uint32_t map_display_shake = 0x2;
constexpr std::uint32_t map_tint_none = 0xFFFFFFFF;

struct MapRecord {
  std::uint16_t map_number = 0;
  std::uint16_t map_act = 0, map_qq = 0;  // the map model's animation
  std::uint16_t sky_act = 0, sky_qq = 0;  // the sky model's animation
  std::uint16_t map_flags = 0;            // from the map's MapIndex row
  std::uint16_t encounter_set = 0;        // from the same row; 0: no random battles
  std::uint16_t uv_set = 0;               // texture scroll set; 0: none
  std::uint16_t uv_tex[32] = {};          // scroll texture numbers, then world texture indices
  std::uint16_t sky_set = 0;
  std::uint16_t sky_tex = 0;
  int map_ready = 0;                      // 0 while a map change is in progress
  float uv_rate_u[32] = {};
  float uv_rate_v[32] = {};
  float sky_rate_u = 0.0f;
  float sky_rate_v = 0.0f;
  std::uint32_t grid_words[12] = {};      // cell size, origin, three more, cell counts
  ChartRecord fog{};
  std::uint32_t value_110 = 0;            // kept, not used
  std::uint8_t* cell_counts = nullptr;    // per-cell count block; never allocated here
  char name[32] = {};
  int note_count = 0;
  MapNote* notes = nullptr;               // last file note first
  ActInstance map_anim;
  ActInstance sky_anim;
  G3dVector fixed_eye{};
  std::uint32_t file_flags = 0;
  std::uint32_t display_flags = 0;        // set by talk scripts, read by field drawing
  std::uint32_t tint = map_tint_none;     // ARGB colour the world is drawn in
};
extern MapRecord map_record;

// Written by load_map from the loaded world's collision grid; read by role movement.
extern G3dWld* map_world;
extern float map_grid_cell[3];
extern float map_grid_origin[3];
extern int map_grid_count[3];

// Reads MAP\WLDnnnnn.MAP into the record, loads its world and sky, takes the map's database row
// and publishes the collision grid. A missing or damaged file is reported and changes nothing.
void load_map(MapRecord* record, std::uint16_t map);
// True when MAP\WLDnnnnn.MAP reads whole; otherwise reports as load_map does.
bool check_map_file(std::uint16_t map);
// No world: map_world null and every grid global 0, so floor moves are refused.
void clear_map_grid();
void free_map(MapRecord* record);  // frees the record's notes and buffers
void free_map_tex();
void add_map_note(MapRecord* record, const MapNote& note);
void free_map_notes(MapRecord* record);
// The count of the cell under a point is lowered: 1, or 0 without the count block.
int dec_map_cell_count(float x, float y, float z);
// A cell's count, or -1 without the count block or outside the grid.
int get_map_cell_count(int ix, int iy, int iz);
