#pragma once
// The text slots of talk scripts: short texts that later message boxes show through their
// text-slot markup while the slot's number is below text_slot_count. A slot's text ends with
// ".", which is the markup's end mark; a slot holds no zero byte.
#include <cstddef>

constexpr int text_slot_total = 10;
constexpr std::size_t text_slot_bytes = 20;  // at most 19 bytes of text and the "."
extern char text_slots[text_slot_total][text_slot_bytes];
extern int text_slot_count;
