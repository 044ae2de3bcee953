#pragma once
// ItemNode: one entry of an item list (the bag, an art list, a menu's or shop's list). A list
// owner is a block of the same shape whose next field heads the list. Its stored image (592
// bytes) is the original 32-bit layout with the next pointer written as 0.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/item_data.h"

constexpr std::size_t item_node_image_size = 592;
constexpr std::uint16_t none_item_number = 65500;  // the empty entry "無"

struct ItemNode {
  std::uint16_t object;      // 0
  std::uint16_t mark;        // 2: the sort clears it
  std::uint16_t spare;       // 4
  std::int16_t count;        // 6: pieces held, 0-99
  std::int16_t new_count;    // 8: pieces gained and not yet merged, 0-99
  ItemData item;             // 10
  std::uint8_t unused_586[2];
  ItemNode* next;            // 588: a pointer slot, 0 in the image
};

template <class Node, class Visit>
void visit_item_node(Node& n, Visit&& v) {
  v(0, n.object);
  v(2, n.mark);
  v(4, n.spare);
  v(6, n.count);
  v(8, n.new_count);
  visit_item_data(n.item, [&](std::size_t off, auto& field) { v(10 + off, field); });
  v(586, n.unused_586);
}

void item_node_to_image(const ItemNode& node, std::span<std::uint8_t, item_node_image_size> out);
// The next field becomes null: lists are rebuilt, never restored from pointers.
void item_node_from_image(std::span<const std::uint8_t, item_node_image_size> in, ItemNode& node);
