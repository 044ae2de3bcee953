#include "script/msg_settings.h"

std::uint16_t msg_box_frame[2] = {};
std::uint16_t msg_text_colour = 0;
std::span<const std::uint8_t> talk_name_plate;
