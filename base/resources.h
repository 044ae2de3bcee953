#pragma once
// The base-building resources the party has gathered.
#include <cstdint>

extern std::int32_t party_wood;
extern std::int32_t party_metal;
extern std::int32_t party_coal;
