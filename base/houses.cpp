// House and landmark records.
#include "base/houses.h"

void free_all_houses() {}
