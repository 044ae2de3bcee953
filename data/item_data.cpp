#include "data/item_data.h"

void item_data_to_image(const ItemData& item, std::span<std::uint8_t, item_data_image_size> out) {
  record_image::write_image(item, out);
}

void item_data_from_image(std::span<const std::uint8_t, item_data_image_size> in, ItemData& item) {
  record_image::read_image(in, item);
}
