// The base-building talk commands on arbitrary bytes: the first word is the opcode, the rest
// its operands; a command that waits runs again, frame after frame, until it is done.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/base_talk.h"
#include "core/key_mapping.h"
#include "script/script_cursor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::vector<std::uint8_t> script(data, data + size);
  grp_input.set_mouse_rect(0, 0, 640, 480);
  mouse_x = script[0] % 640, mouse_y = script[1] % 480;
  const std::uint16_t opcode = std::uint16_t(script[0] | script[1] << 8);
  // A glide takes at most one frame per pixel of the longer way.
  for (int frame = 0; frame < 1000; ++frame) {
    ScriptCursor at(script.data(), script.size(), 0, 0);
    const std::uint16_t advance = run_base_talk_cmd(opcode, at);
    if (advance != 0) return 0;
  }
  __builtin_trap();  // a command that never finished
}
