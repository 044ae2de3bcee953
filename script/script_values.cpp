#include "script/script_values.h"

std::int32_t script_values[script_value_count] = {};
