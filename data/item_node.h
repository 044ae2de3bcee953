#pragma once
// ItemNode: one entry of an item list (the bag, an art list, a menu's or shop's list). A list
// owner is a block of the same shape whose next field heads the list. Its stored image (592
// bytes) is the original 32-bit layout: the ItemData at 12, on the 4-byte boundary its floats
// and ints need, and the next pointer at 588 written as 0.
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
  std::uint8_t unused_10[2]; // 10: ItemData is aligned to its 4-byte fields
  ItemData item;             // 12
  ItemNode* next;            // 588: a pointer slot, 0 in the image
};

// The stored layout: one row per field (name, offset, member); next has no row.
template <>
struct record_image::Layout<ItemNode> {
  static constexpr std::size_t size = item_node_image_size;
  static constexpr auto fields = std::tuple{
      field("object", 0, &ItemNode::object),
      field("mark", 2, &ItemNode::mark),
      field("spare", 4, &ItemNode::spare),
      field("count", 6, &ItemNode::count),
      field("new_count", 8, &ItemNode::new_count),
      field("unused_10", 10, &ItemNode::unused_10),
      field("item", 12, &ItemNode::item),
  };
};

void item_node_to_image(const ItemNode& node, std::span<std::uint8_t, item_node_image_size> out);
// The next field becomes null: lists are rebuilt, never restored from pointers.
void item_node_from_image(std::span<const std::uint8_t, item_node_image_size> in, ItemNode& node);
