#pragma once
// The message-box settings that the talk and AI scripts' box opcodes share: set by one opcode,
// used by every later box of any script. The box colour and the two spacings are the message
// boxes' own (talk_box_colour, talk_char_spacing in ui/talk_msg.h).
#include <cstdint>
#include <span>

extern std::uint16_t msg_box_frame[2];  // the frame the AI scripts' boxes take, and a second word
extern std::uint16_t msg_text_colour;   // index into text_colours
// A speaker name pending for the next talk box (a text ending "%Q" inside a loaded pool), or
// empty.
extern std::span<const std::uint8_t> talk_name_plate;
