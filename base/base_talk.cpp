// Base-building talk commands in their least form: each is known by its size and done at once.
#include "base/base_talk.h"

std::uint16_t run_base_talk_cmd(std::uint16_t opcode, ScriptCursor&) {
  switch (opcode) {
    case 350: return 4;
    case 351: case 352: case 353: return 6;
    default: return 0xFFFF;
  }
}
