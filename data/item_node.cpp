#include "data/item_node.h"

#include <algorithm>

#include "data/record_image.h"

void item_node_to_image(const ItemNode& node, std::span<std::uint8_t, item_node_image_size> out) {
  std::fill(out.begin(), out.end(), 0);
  visit_item_node(node, record_image::Writer{out});
}

void item_node_from_image(std::span<const std::uint8_t, item_node_image_size> in, ItemNode& node) {
  visit_item_node(node, record_image::Reader{in});
  node.next = nullptr;
}
