#pragma once
// The shop's equipment comparison: what a member's five combat values would become with a piece
// in place of the one worn in its slot, drawn in the party panel.
#include <cstdint>

struct ItemData;
struct RoleData;

constexpr int shop_compare_lines = 5;  // attack, defence, speed, magic attack, magic defence

// The slot a piece of this kind goes into (0 for 202, 1 for 203, 2 for 204), or -1.
int shop_equip_slot(std::uint16_t kind);
// The change of each value with the piece worn instead of the slot's present piece. False when
// the member already wears this very object there (nothing to compare) or the kind has no slot.
bool shop_compare_equipment(const RoleData& member, const ItemData& piece, int out[shop_compare_lines]);
// The comparison at (x, y): "裝備中" when worn, else the five lines.
void draw_shop_compare(const RoleData& member, int x, int y, const ItemData& piece);
