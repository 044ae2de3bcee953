// Talk scripts: two events running a random body for dozens of frames on a fake clock, the
// player confirming buttons as the input's first bytes say.
#include <cstdint>

#include "fuzz/script_fuzz.h"
#include "script/talk_interpreter.h"
#include "tests/fixtures/script_assembler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  ScriptFuzzInput input;
  const std::uint8_t confirm_every = data[0], choice = data[1], clock_step = data[2];
  const fixtures::Bytes body(data + 3, data + size);
  install_talk_file(0, fixtures::talk_file_image(0, {{5, body}, {6, body}}));
  ScriptFuzzInput::place_roles();
  for (std::uint16_t talk : {5, 6}) {
    gmTmpTalk = MapRole{};
    gmTmpTalk.RoleID = talk == 5 ? 0xFF01 : 1001;
    gmTmpTalk.TALK = talk;
    add_talks_proc(&gmTmpTalk);
  }
  for (int frame = 0; frame < 48; ++frame) {
    if (confirm_every && frame % (confirm_every % 8 + 1) == 0) {
      tbutton_choice = choice % 4;
      tbutton_confirmed = 1;
    }
    run_talk_queue();
    tick_talk_timer();
    run_role_paths();
    game_clock += clock_step * 10u;
  }
  return 0;
}
