// The map record.
#include "field/map_file.h"

MapRecord map_record;

void free_map(MapRecord*) {}
void free_map_tex() {}
