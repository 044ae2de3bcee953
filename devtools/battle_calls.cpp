// Weak stand-ins of the battle's developer tools: a definition in battle/ takes their place at
// link time, so they need no removal when the battle's own land.
#include "devtools/battle_calls.h"

[[gnu::weak]] void fight_debug_atk(std::uint16_t, std::uint16_t) {}
[[gnu::weak]] void dump_fame() {}
