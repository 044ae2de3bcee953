#include "data/role_data.h"

void role_data_to_image(const RoleData& role, std::span<std::uint8_t, role_data_image_size> out) {
  record_image::write_image(role, out);
}

void role_data_from_image(std::span<const std::uint8_t, role_data_image_size> in, RoleData& role) {
  record_image::read_image(in, role);
  role.arts.next = nullptr;
  role.second_list.next = nullptr;
}
