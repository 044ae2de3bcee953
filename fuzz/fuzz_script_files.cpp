// The talk files and AI.gll: every slot loaded from the input, every talk and AI number looked
// up, and the talks that can start run once.
#include <cstdint>
#include <span>

#include "fuzz/script_fuzz.h"
#include "script/role_ai.h"
#include "script/talk_interpreter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ScriptFuzzInput input;
  const std::span<const std::uint8_t> file(data, size);
  for (int slot = 0; slot < talk_file_count; ++slot) install_talk_file(slot, file);
  install_AI_data(file);
  ScriptFuzzInput::place_roles();
  int runs = 0;
  for (std::uint32_t n = 0; n <= last_talk_number + 1; ++n) {
    const auto talk = static_cast<std::uint16_t>(n);
    const std::uint32_t start = talk_script_start(talk);
    if (start != 0 && !talk_cursor(talk_slot(talk), start).ok()) __builtin_trap();
    if (start == 0 || runs >= 16) continue;
    ++runs;
    gmTmpTalk = MapRole{};
    gmTmpTalk.RoleID = 0xFF01;
    gmTmpTalk.TALK = talk;
    add_talks_proc(&gmTmpTalk);
    run_talk_queue();
    clear_talks_proc();
  }
  const std::size_t ais = ai_table_length();
  for (std::size_t n = 0; n <= ais + 1 && n <= 0xFFFF; ++n) {
    const std::uint32_t start = ai_script_start(static_cast<std::uint16_t>(n));
    if (start != 0 && !ai_cursor(start).ok()) __builtin_trap();
  }
  for (int i = 2; i < gmMapRoleCount; ++i) {
    gmMapRole[i].AI = static_cast<std::uint16_t>(i - 1);
    run_role_ai(&gmMapRole[i]);
  }
  return 0;
}
