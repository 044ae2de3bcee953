#pragma once
// The new-game start list of the map database (table 1): money, the bag, the party's equipment
// and arts.

// Runs the start list.
void read_maps_init();
