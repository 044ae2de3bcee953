#include "base/resources.h"

std::int32_t party_wood = 0;
std::int32_t party_metal = 0;
std::int32_t party_coal = 0;
