#pragma once
// The world map, game mode 11: a picture larger than the screen with the places the party can
// travel to, the party's marker, drifting clouds and an optional special marker. Choosing a
// place walks the marker there, fades out and queues the place's talk, which changes the map.
#include <cstdint>
#include <span>

#include "g3d/act_animation.h"

// Animations of the world map.
constexpr std::uint16_t game_map_picture_act = 17500;
constexpr std::uint16_t game_map_special_act = 17503;
constexpr std::uint16_t game_map_marker_act = 9135;
constexpr std::uint16_t game_map_cloud_act = 8500;
// The place the game starts at, and the special place (its flag also shows the special marker).
constexpr std::uint16_t game_map_start_place = 3818;
// The travel item: opening the world map from the bag may spend one.
constexpr std::uint16_t travel_item = 3075;

// One place of the map database's table 14. The list runs in the reverse of the table's order.
struct GameMapPlace {
  ActInstance anim;           // the place's picture
  ActInstance plate;          // its name plate: ACT + 1, QQ (+ 7 while highlighted)
  int x = 0, y = 0;           // map coordinates of the picture's top-left
  int width = 0, height = 0;  // the size of the place's first picture
  std::uint16_t flag = 0;     // the game flag that makes it selectable; also its identity
  std::uint16_t talk = 0;     // queued on arrival
  char name[24] = {};         // cut on a character boundary, always ended by a NUL
  GameMapPlace* next = nullptr;
};

struct GameMapCloud {
  ActInstance anim;
  float x = 0, y = 0;    // map coordinates
  float dx = 0, dy = 0;  // per frame
  GameMapCloud* next = nullptr;
};

enum GameMapStep : int { game_map_choosing = 0, game_map_asking = 1, game_map_walking = 2, game_map_fading = 3 };

// The world map's view and choice while it is shown.
struct GameMapView {
  int scroll_x = 0, scroll_y = 0;  // map point (mx, my) shows at (mx + scroll_x, my + scroll_y)
  int marker_x = 0, marker_y = 0;  // the party
  int target_x = 0, target_y = 0;  // where the marker walks
  int step = game_map_choosing;
  int keyboard_mode = 0;  // 1 after a key, 0 after a mouse move
  int dragging = 0;
  int drag_x = 0, drag_y = 0;  // the last mouse point of a drag
  int item_mode = 0;           // opened by the travel item
  int spend = 0;               // the travel item is spent on the journey
  int special_shown = 0;
  int bob = 0, bob_dir = 1, bob_frames = 0;
  std::uint16_t highlighted = 0;  // a place's flag; 0 none
  int highlight_x = 0, highlight_y = 0;
  GameMapPlace chosen;  // a copy of the chosen place; x and y the walk target
};
extern GameMapView game_map;
extern std::uint16_t game_map_place;  // the current place (a flag number); saved with the game

// The scroll range: the picture is 640 + 653 by 480 + 160 pixels.
constexpr int game_map_scroll_min_x = -653;
constexpr int game_map_scroll_min_y = -160;

// Builds the place list from table 14 of the map database; 1, or 0 when a record's name runs
// into the table's end or its picture cannot be played (loading stops there).
int read_game_map(std::span<const std::uint8_t> table);
void free_game_map();
const GameMapPlace* game_map_places();
GameMapPlace* game_map_places_mutable();

// Enters mode 11 centred on place (0 keeps game_map_place).
void enter_game_map(std::uint16_t place);
// The travel item's and the travel art's entry: 0 when the current place's flag is clear (no
// travel); else item mode with spend, and 1.
int set_game_map_item_mode(int spend);
// Frees the clouds, leaves item mode, back to the field.
void leave_game_map();

void input_game_map();
void update_game_map();
void draw_game_map();

// The view centred on a map point, kept inside the scroll range.
void centre_game_map_view(int px, int py);
// The first selectable place (list order) whose picture lies under the screen point becomes the
// highlighted one (none when there is none).
void pick_game_map_place(int x, int y);
// The selectable place nearest in x strictly left (or right) of the highlighted one; nothing
// changes when there is none.
void select_nearest_game_map_place(bool left);

void add_game_map_clouds(std::uint16_t act, std::uint16_t qq);
void add_game_map_cloud(std::uint16_t act, std::uint16_t qq);
// Draws the clouds (advancing their animations); stops at one that cannot be played.
void draw_game_map_clouds(int scroll_x, int scroll_y);
// One frame of drift: a cloud past -20 in x or y is replaced by a new one at the far corner.
void move_game_map_clouds();
int game_map_cloud_count();
void free_game_map_clouds();

void free_mark();
void free_game_map_buf();
