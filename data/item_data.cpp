#include "data/item_data.h"

#include <algorithm>

#include "data/record_image.h"

void item_data_to_image(const ItemData& item, std::span<std::uint8_t, item_data_image_size> out) {
  std::fill(out.begin(), out.end(), 0);
  visit_item_data(item, record_image::Writer{out});
}

void item_data_from_image(std::span<const std::uint8_t, item_data_image_size> in, ItemData& item) {
  visit_item_data(item, record_image::Reader{in});
}
