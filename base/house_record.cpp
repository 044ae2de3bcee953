// HouseRecord's stored image.
#include "base/house_record.h"

#include "g3d/act_image.h"

void house_to_image(const HouseRecord& house, std::span<std::uint8_t, house_record_size> out) {
  record_image::write_image(house, out);
  act_instance_to_image(house.act, out.subspan<house_act_offset, act_image_size>());
}

void house_from_image(std::span<const std::uint8_t, house_record_size> in, HouseRecord& house) {
  house = HouseRecord{};
  record_image::read_image(in, house);
  act_instance_from_image(in.subspan<house_act_offset, act_image_size>(), house.act);
}
