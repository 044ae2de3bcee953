#pragma once
// The menu's equipment page (menu page 2): a member, one of six equipment slots, then a fitting
// piece from the bag with a preview of the member's changed values. While a slot is chosen for,
// the fitting pieces wait in the page's candidate list; they go back into the bag when the slot
// choice ends, the page closes or the menu is left. The entry points are in ui/menu/menu_pages.h.
#include "data/party.h"  // member_class_bits
#include <cstdint>

#include "data/item_node.h"
#include "data/role_data.h"

constexpr int equip_page_slots = 6;
// The object type that fits each slot: weapon, armour, two accessories, two magic treasures.
inline constexpr std::uint16_t equip_slot_types[equip_page_slots] = {202, 203, 204, 204, 206, 206};
constexpr std::uint16_t equip_type_treasure = 206;

// The piece's class mask: which members may wear it.
std::uint8_t piece_class_mask(const ItemData& item);

enum EquipState : int { equip_closed = 0, equip_choosing_slot = 1, equip_choosing_piece = 2 };

// The page's state. The chosen piece is kept as the cursor row and the object the draw showed
// there; the input step finds the node again (a row past the candidates is "none").
struct EquipPage {
  int state = equip_closed;
  int member = 0;  // index into menu_party
  int slot = 0;
  int cursor_row = 0, top_row = 0, row_count = 1;
  std::uint16_t shown_object = 0;  // the object under the cursor at the last draw; 0 on "none"
};
extern EquipPage equip_page;
extern ItemNode equip_candidates;  // owner of the pieces taken out of the bag

// Moves every node of the bag with that object type whose class mask meets the class bit to
// the end of the candidate list, keeping their order; how many moved.
int take_candidates(ItemNode* bag, ItemNode* candidates, std::uint16_t type, std::uint8_t class_bit);
// Appends the candidates after the bag's last node, empties the candidate list and sorts the
// bag; nothing with no candidates.
void return_candidates(ItemNode* bag, ItemNode* candidates);
// The equip rule on party slot s, equipment slot k with the chosen candidate (null: "none").
// 1 when the member's equipment changed; 0 when nothing changed (the weapon cannot be taken off:
// refused with its message and sound).
int equip_piece(int party_slot, int slot, ItemNode* choice);
// The candidate of a cursor row (null on the "none" row or past it).
ItemNode* equip_candidate_at(int row);

// The member's values as the preview shows them: attack, defence, speed, magic attack, magic
// defence, then maximum HP, MP and SP.
struct EquipValues {
  int v[8];
};
EquipValues equip_values(const RoleData& role);
// The values the member would have with `object` (0: none) in the slot instead of its piece.
EquipValues equip_preview(const RoleData& role, int slot, std::uint16_t object);
