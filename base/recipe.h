#pragma once
// A produced piece's recipe against what the base has: the workshop's four skill totals, the
// party's four resources and the special materials in the bag. The production pages check an
// order with it, pay one piece at a time and refund what an order took.
#include <cstdint>

struct ItemData;

constexpr int recipe_material_entries = 3;  // distinct materials a recipe shows
struct RecipeMaterial {
  std::uint16_t object;    // 0 ends the table
  std::uint16_t per_unit;  // pieces of it one produced piece takes
};

// Filled by check_recipe: skills in the order 冶金 整備 製藥 神技; resources metal, wood, coal,
// money; one flag per shown material. 1 = enough.
extern int skill_ok[4];
extern int resource_ok[4];
extern int material_ok[recipe_material_entries];
extern RecipeMaterial recipe_materials[recipe_material_entries];
extern char recipe_message[128];

// 1 when the workshop (the house picked_house_id names), the party's resources and the bag
// suffice for n pieces. Every material slot is checked, also a fourth distinct material the
// table does not show. With show (low byte 1) a failure opens the shortage message.
int check_recipe(const ItemData* piece, int n, int show);
// Takes n pieces' costs and materials: 1, or 0 and nothing taken when anything is short.
int pay_recipe(const ItemData* piece, int n);
// Gives back n pieces' costs and materials (the materials as new pieces).
void refund_recipe(const ItemData* piece, int n);
