// FigTalk.GLL: a valid offset table over a random pool of commands, stepped in a fake battle of
// one party member and two enemies for a number of frames, the player's choices made by the
// input.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "battle/battlefield.h"
#include "battle/fight_globals.h"
#include "battle/fight_talk.h"
#include "core/frame_timer.h"
#include "fuzz/battle_fuzz.h"
#include "fuzz/data_fuzz.h"
#include "g3d/effects/scripted_effects.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
constexpr int scripts = 3;

// An empty Battlefield.dat, so that the battlefield commands read empty records.
void open_battlefields() {
  std::filesystem::create_directories("ACT");
  std::ofstream("ACT/Battlefield.dat", std::ios::binary | std::ios::app);
  init_fight_field((game_dir + "\\ACT").c_str());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  static RoleData role;
  fake_battle(role);
  open_battlefields();
  install_fight_talk_data(fuzz_script_pool(data, size, scripts));
  game_clock = 1000;
  fight_talk_start(size > 3 ? std::uint16_t(data[3] % (scripts + 2)) : 1);
  for (int frame = 0; frame < 40; ++frame) {
    tbutton_confirmed = frame % 3 == 0;
    tbutton_choice = size ? data[std::size_t(frame) % size] % 4 : 0;
    if (frame % 5 == 0) fight_turns_left = 0;
    fight_talk_step();
    game_clock += 100;
  }
  // A running script always stands on a command inside the pool.
  if (fight_talk_running && fight_talk_pc + 2 > gmfTalkHead.size()) __builtin_trap();
  del_all_talkmsg();
  del_all_tbutton();
  clear_special_effect_list(1);
  free_fight_talk_data();
  for (FightMan& u : gmFightMan) fight_unit_clear(u);
  return 0;
}
