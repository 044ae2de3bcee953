#include "data/item_node.h"

void item_node_to_image(const ItemNode& node, std::span<std::uint8_t, item_node_image_size> out) {
  record_image::write_image(node, out);
}

void item_node_from_image(std::span<const std::uint8_t, item_node_image_size> in, ItemNode& node) {
  record_image::read_image(in, node);
  node.next = nullptr;
}
