#include "data/role_data.h"

#include <algorithm>

#include "data/record_image.h"

void role_data_to_image(const RoleData& role, std::span<std::uint8_t, role_data_image_size> out) {
  std::fill(out.begin(), out.end(), 0);
  visit_role_data(role, record_image::Writer{out});
}

void role_data_from_image(std::span<const std::uint8_t, role_data_image_size> in, RoleData& role) {
  visit_role_data(role, record_image::Reader{in});
  role.arts.next = nullptr;
  role.second_list.next = nullptr;
}
