#pragma once
// Shared set-up of the script tests: a fresh game directory and debug.txt, a fake game clock,
// roles on the map, and loaders that assemble scripts with the data kit.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/frame_timer.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/map_role.h"
#include "script/ai_file.h"
#include "script/talk_files.h"
#include "script/talk_queue.h"
#include "tests/fixtures/script_assembler.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"

namespace script_test {

class ScriptTest : public ::testing::Test {
 protected:
  ScriptTest() {
    game_dir = dir.str();
    set_error_log_switch(1);
    // The new-game reset clears what earlier tests left (flags, roles, queue, boxes); the map
    // database it reads again is missing here, so its report goes before the log is cleared.
    fixtures::reset_game_state();
    reset_debug_log(nullptr);
    game_clock = 1000;
  }
  ~ScriptTest() override {
    close_talk_data();
    close_AI_data();
  }

  // Puts a role on the map; its index.
  int add_role(std::uint16_t id, std::uint32_t state = 0) {
    int i = gmMapRoleCount++;
    gmMapRole[i] = MapRole{};
    gmMapRole[i].RoleID = id;
    gmMapRole[i].STATE = state;
    return i;
  }

  // Loads talk scripts (numbers of one file) given as bytes.
  void load_talks(const std::map<std::uint16_t, fixtures::Bytes>& scripts) {
    int slot = talk_slot(scripts.begin()->first);
    ASSERT_TRUE(install_talk_file(slot, fixtures::talk_file_image(slot, scripts)));
  }
  void load_talk(std::uint16_t n, const std::string& source) { load_talks({{n, fixtures::assemble_talk(source)}}); }
  void load_ai(const std::map<std::uint16_t, fixtures::Bytes>& scripts) {
    ASSERT_TRUE(install_AI_data(fixtures::ai_gll_image(scripts)));
  }

  // Queues talk n for the speaker; the queue slot's record.
  MapRole& queue(std::uint16_t n, std::uint16_t speaker = 0xFF01) {
    gmTmpTalk = MapRole{};
    gmTmpTalk.RoleID = speaker;
    gmTmpTalk.TALK = n;
    EXPECT_EQ(add_talks_proc(&gmTmpTalk), 1);
    for (MapRole& ev : TalkEventQueue)
      if (ev.RoleID == speaker) return ev;
    return TalkEventQueue[0];
  }

  // The lines reported so far, without their " \r\n" ends.
  std::vector<std::string> messages() const {
    std::vector<std::string> lines;
    std::istringstream in(dir.read("debug.txt"));
    for (std::string line; std::getline(in, line);) {
      if (line.size() >= 2 && line.compare(line.size() - 2, 2, " \r") == 0) line.resize(line.size() - 2);
      lines.push_back(line);
    }
    return lines;
  }

  fixtures::TempFolder dir{true};
};

}  // namespace script_test
