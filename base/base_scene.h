#pragma once
// The settlement drawn in 3D: the house models with their construction, the landmarks (one of
// them bobbing), the workshop emitters that show which workshops are staffed, short-lived
// effect objects such as the upgrade, and the developer overlays.
#include <cstdint>
#include <memory>
#include <vector>

#include "g3d/act_animation.h"
#include "g3d/g3d_math.h"

struct HouseRecord;

struct BaseEffect {
  int type = 0;
  G3dVector pos{};
  ActInstance act{};
  float rotation = 0;
  int alive = 0;
};
extern std::vector<std::unique_ptr<BaseEffect>> base_effect_list;
extern int base_box_wire;

// The model matrix of a record by the placement rule: yaw by its rotation, then the point
// (x + a - 750, y, z + b) with (a, b) from the model box by the rotation.
void house_model_matrix(const HouseRecord* h, G3dMatrix* out);
void draw_houses();
void draw_landmarks();
void shake_house(HouseRecord* h, int countdown);
void draw_house_box(const HouseRecord* h);
void draw_base_collision();
void draw_base_debug_text();
BaseEffect* add_base_effect(int type, float x, float y, float z, float w, const ActInstance* act, float rotation);
int draw_base_effects();
int has_base_effect(int type);
void start_workshop_effects(HouseRecord* h);
void update_workshop_effects(HouseRecord* h);
void suppress_house_effects(HouseRecord* h);
void stop_house_effects(HouseRecord* h);
