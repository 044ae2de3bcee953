#pragma once
// The map's trigger boxes: walking into one queues its talk.
#include <cstdint>

struct MapRole;

// The event number when the last note of the list fired in this call, else 0.
int check_map_notes(MapRole* role);
// on != 0 clears map flag `event` and enables its notes; 0 sets the flag and disables them. 1.
int enable_map_note(std::uint16_t event, int on);
// Every note of that event enables itself again once the player is outside its box. 0.
int rearm_map_note(std::uint16_t event);
// The event of the nearest note whose box lies under the screen point, else 0.
int pick_map_note(int x, int y);
