// The recipe rules of the production pages.
#include "base/recipe.h"

#include <cstdio>
#include <cstring>

#include "base/base_camp.h"
#include "base/houses.h"
#include "base/resources.h"
#include "data/item_data.h"
#include "data/item_list.h"
#include "data/party.h"
#include "ui/talk_msg.h"


int skill_ok[4] = {};
int resource_ok[4] = {};
int material_ok[recipe_material_entries] = {};
RecipeMaterial recipe_materials[recipe_material_entries] = {};
char recipe_message[128] = {};

namespace {

// Every distinct material of the piece with its pieces per unit, in the order of first slot.
struct MaterialCounts {
  RecipeMaterial entry[item_material_slots]{};
  int count = 0;
};

MaterialCounts count_materials(const ItemData& piece) {
  MaterialCounts m;
  for (int slot = 0; slot < item_material_slots; ++slot) {
    const std::uint16_t id = item_material(piece, slot);
    if (!id) continue;
    int j = 0;
    while (j < m.count && m.entry[j].object != id) ++j;
    if (j == m.count) m.entry[m.count++] = {id, 0};
    ++m.entry[j].per_unit;
  }
  return m;
}

std::int32_t* const resource_of[4] = {&party_metal, &party_wood, &party_coal, &party_money};

std::int64_t cost_of(const ItemData& piece, int r) {
  const std::uint16_t costs[4] = {piece.cost_metal, piece.cost_wood, piece.cost_coal, piece.cost_money};
  return costs[r];
}

bool material_enough(const RecipeMaterial& m, int n) {
  return get_item_num(&party_bag, m.object) >= std::int64_t(n) * m.per_unit;
}

void append(const char* text) {
  std::strncat(recipe_message, text, sizeof recipe_message - std::strlen(recipe_message) - 1);
}

void show_shortage(bool skills, bool resources, bool materials) {
  if (skills) append(" \xA5\xCD\xB2\xA3\xA7\xDE\xAF\xE0\xA4\xA3\xA8\xAC  ");     //  生產技能不足
  if (resources) append(" \xA5\xCD\xB2\xA3\xB8\xEA\xB7\xBD\xA4\xA3\xA8\xAC  ");  //  生產資源不足
  if (materials) append(" \xAF\x53\xAE\xED\xB8\xEA\xB7\xBD\xA4\xA3\xA8\xAC  ");  //  特殊資源不足
  append("%Q");
  const int h = 16 * int(std::strlen(recipe_message) / 8) + 35;
  add_txt_msg(224, 196, 210, h, 0, 0, recipe_message, 2);
}

}  // namespace

int check_recipe(const ItemData* piece, int n, int show) {
  const bool showing = (show & 0xFF) == 1;
  for (int& ok : skill_ok) ok = 1;
  for (int& ok : resource_ok) ok = 1;
  for (int& ok : material_ok) ok = 1;
  if (showing) recipe_message[0] = 0;
  // A workshop gone from under the page has no skills.
  const HouseRecord* shop = find_house(picked_house_id);
  bool skills = true, resources = true, materials = true;
  for (int k = 0; k < 4; ++k)
    if ((shop ? shop->skill_totals[k] : 0) < std::int32_t(piece->skill_need[k])) skill_ok[k] = 0, skills = false;
  for (int r = 0; r < 4; ++r)
    if (*resource_of[r] - std::int64_t(n) * cost_of(*piece, r) < 0) resource_ok[r] = 0, resources = false;
  const MaterialCounts m = count_materials(*piece);
  for (RecipeMaterial& shown : recipe_materials) shown = {};
  for (int j = 0; j < m.count; ++j) {
    const bool enough = material_enough(m.entry[j], n);
    materials = materials && enough;
    if (j >= recipe_material_entries) continue;  // checked, but not shown
    recipe_materials[j] = m.entry[j];
    material_ok[j] = enough ? 1 : 0;
  }
  const int ok = skills && resources && materials;
  if (!ok && showing) show_shortage(!skills, !resources, !materials);
  return ok;
}

int pay_recipe(const ItemData* piece, int n) {
  if (n <= 0) return 0;
  for (int r = 0; r < 4; ++r)
    if (*resource_of[r] < std::int64_t(n) * cost_of(*piece, r)) return 0;
  const MaterialCounts m = count_materials(*piece);
  for (int j = 0; j < m.count; ++j)
    if (!material_enough(m.entry[j], n)) return 0;
  for (int r = 0; r < 4; ++r) *resource_of[r] -= std::int32_t(n * cost_of(*piece, r));
  for (int j = 0; j < m.count; ++j) del_item(&party_bag, m.entry[j].object, std::uint16_t(n * m.entry[j].per_unit));
  return 1;
}

void refund_recipe(const ItemData* piece, int n) {
  for (int i = 0; i < n; ++i) {
    for (int r = 0; r < 4; ++r) *resource_of[r] += std::int32_t(cost_of(*piece, r));
    for (int slot = 0; slot < item_material_slots; ++slot)
      if (const std::uint16_t id = item_material(*piece, slot)) add_item(&party_bag, id, 1, 1);
  }
}
