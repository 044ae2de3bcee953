// Fame records.
#include "battle/fame.h"

void free_fame() {}
