#include "script/text_slots.h"

char text_slots[text_slot_total][text_slot_bytes] = {};
int text_slot_count = 0;
