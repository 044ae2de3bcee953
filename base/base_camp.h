#pragma once
// The base camp, game mode 10: the settlement's 3D view on its own map with the top bar, the
// bottom tooltip bar and the pages that slide in over it. This is the frame that owns the mode:
// entering and leaving, the per-frame handlers the frame tick calls, the overview camera and
// picking, the base map with its build grid, the kind unlocks.
#include <cstdint>

#include "field/map_file.h"
#include "gfx2d/game_fonts.h"
#include "g3d/camera.h"
#include "g3d/g3d_math.h"
#include "g3d/wld_world.h"

class EffectManager;

// base_sub_mode values.
enum BaseSubMode : int {
  base_overview = 0, base_top_menu = 1, base_weapons = 2, base_armour = 3, base_items = 4, base_treasures = 5,
  base_formation_screen = 6, base_training_screen = 7, base_leave_confirm = 8,
};
// top_menu_page values.
enum TopMenuPage : int { page_none = 0, page_build = 1, page_residents = 2, page_houses = 3, page_leave = 4 };

// Point x, y, z, pitch, yaw, roll, look distance, distance.
struct BaseView {
  float x, y, z, pitch, yaw, roll, look_distance, distance;
};

extern int base_sub_mode;
extern int top_menu_page;
extern int top_menu_cursor;
extern Camera base_camera;
extern BaseView base_view, base_home_view, page_entry_view;
extern MapRecord base_map;
extern G3dWld base_world;
extern int kind_unlocked[17];
extern int dragging;
extern int drag_anchor[2];
extern int picked_house_id;
extern int base_debug_text, base_collision_wire;
// The default dwelling's position, the origin of the build grid's geometry.
constexpr float base_origin_x = 5700.0f, base_origin_z = 5700.0f;
constexpr std::uint16_t base_map_number = 14999;


// The seven base fonts (gfx2d/game_fonts.h) are bound while the mode runs.
EffectManager& workshop_effects();
EffectManager& build_effects();

// The caller makes mode 10 current (the menu before the call, the developer key after it).
void enter_base_camp();
void leave_base_camp();
void input_base_camp();
void run_base_camp_talks();
void draw_base_camp();

// Loads the base map and founds a settlement without houses (the new game calls it too).
void init_base_map();
void set_base_camera(const BaseView& view);
void update_kind_unlocks();
// Drops a point onto the base world's ground (the highest collision hit below point.y + dy):
// 1 and the point moved there, or 0 and the point unchanged.
int probe_base_ground(G3dVector* point, float dx, float dy, float dz);
void update_base_tooltip();
// Yaw turned by delta degrees, kept on the arc from 290 through 0 to 110.
float turn_base_yaw(float yaw, float delta);
// Queues the narrator's talk.
void queue_base_talk(std::uint16_t talk);
// The tutorial flag starts its talk once: 1 when it did.
int start_base_tutorial(int flag);
