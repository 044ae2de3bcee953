// Map change.
#include "field/map_change.h"

void unload_map() {}
void free_btl_area_table() {}
