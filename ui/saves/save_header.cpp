// The save header.
#include "ui/saves/save_header.h"

void save_header_to_image(const SaveHeader& header, std::span<std::uint8_t, save_header_size> out) {
  record_image::write_image(header, out);
}

void save_header_from_image(std::span<const std::uint8_t, save_header_size> in, SaveHeader& header) {
  record_image::read_image(in, header);
}
