// Talk scripts: two events running a random body for dozens of frames on a fake clock, the
// player confirming buttons as the input's first bytes say. The high bits of the first two bytes
// also replace, drop or time out the events between calls, and let the screens a script opened
// close again.
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
  const bool replace = data[0] & 0x80, time_out = data[0] & 0x40, drop = data[1] & 0x80, leave = data[1] & 0x40;
  if (time_out) set_talk_timer(10 * (clock_step % 8), 6);
  for (int frame = 0; frame < 48; ++frame) {
    if (replace && frame == 16) {
      gmTmpTalk = MapRole{};
      gmTmpTalk.RoleID = 0xFF01;
      gmTmpTalk.TALK = 5;
      add_talks_proc(&gmTmpTalk);
    }
    if (drop && frame == 24) {
      gmTmpTalk = MapRole{};
      gmTmpTalk.RoleID = 1001;
      del_talk_event(&gmTmpTalk);
    }
    if (leave && frame == 32) {
      close_summon();
      GameMode = mode_field;
    }
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
