// An ACT archive entry on arbitrary bytes: the animation block's QQ table, and every script it
// names played by the ACT player for a number of ticks, restarted now and then, with the owner's
// control bits taken from the first byte.
#include <cstddef>
#include <cstdint>

#include "g3d/act_animation.h"

namespace {

const std::uint8_t* g_block = nullptr;
std::size_t g_size = 0;

ActScript from_input(ActId, std::uint16_t qq) { return act_block_script(g_block, g_size, qq); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  g_block = data;
  g_size = size;
  const std::uint32_t control = size ? (data[0] & 0x7) : 0;
  for (std::uint16_t qq = 0; qq < 4; ++qq) {
    ActInstance a;
    a.act = 1;
    a.qq = qq;
    a.control = control;
    for (int tick = 0; tick < 300; ++tick) {
      if (tick % 97 == 96) a.state |= act_state_restart;
      if (act_tick_from(&a, from_input) == 0) break;
      a.events = 0;
      a.sound = 0;
    }
  }
  return 0;
}
