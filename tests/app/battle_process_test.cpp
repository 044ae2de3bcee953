// The sample game's battle as a process: the opening leads onto the mountain path, a walk up the
// path meets its encounter area, Enter on each of the party's turns wins the battle, Enter through
// its results, and the party is back on the path. Frames of the battle's start, of a floating damage number and of the path
// after the battle are compared with reference images.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/sample_run.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"

namespace {

using sample_run::expect_frame;
using sample_run::run_script;

// " atk 指令錯誤": the ATK interpreter's report of a bad command.
constexpr char atk_command_error[] = " atk \xAB\xFC\xA5O\xBF\xF9\xBB~";

TEST(SampleBattleProcess, TheEncounterOnThePathIsWonAndThePartyIsBackOnThePath) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_script(dir, "sample_battle.txt"), 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_NE(log.find("Start Call Fight:"), std::string::npos) << "the walk met the encounter area\n" << log;
  EXPECT_EQ(log.find(atk_command_error), std::string::npos) << log;
  EXPECT_EQ(log.find("atk:"), std::string::npos) << "every ATK command found its unit\n" << log;
  // The battle's first frame: the party before the clearing, the monsters across it.
  expect_frame(dir, 854, "battle_first_frame");
  // The sword's damage floats over the boar it struck.
  expect_frame(dir, 966, "battle_damage_number");
  // Won and the results confirmed: the path again (a lost battle would end on the title).
  expect_frame(dir, 1480, "battle_back_on_path");
}

}  // namespace
