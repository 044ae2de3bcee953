#pragma once
// The base-building commands of talk scripts (opcodes 350-353).
#include <cstdint>

class ScriptCursor;

// Carries out a base-building talk command read at the cursor (on its opcode word): the
// opcode's size (4 or 6), 0 while it is not finished, 0xFFFF for a number it does not know.
std::uint16_t run_base_talk_cmd(std::uint16_t opcode, ScriptCursor& at);
