#pragma once
// Shared set-up of the game-data tests: a fresh game directory as the current directory, a fresh
// debug.txt, and helpers to load data-kit files and read back the reported messages.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/paths.h"
#include "data/level_tables.h"
#include "data/maps_db.h"
#include "data/mission_name.h"
#include "data/object_db.h"
#include "tests/fixtures/data_file_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"

namespace data_test {

class DataTest : public ::testing::Test {
 protected:
  DataTest() {
    game_dir = dir.str();
    set_error_log_switch(1);
    // The new-game reset clears the party, roles and flags earlier tests left, the script reset
    // the music marks; the data files load once until closed, so each test closes them.
    fixtures::reset_game_state();
    close_maps_data();
    close_item_data();
    close_exp_data();
    close_mission_data();
    close_Name_data();
    reset_debug_log(nullptr);
  }

  void write(const std::string& name, const fixtures::Bytes& bytes) { dir.write(name, fixtures::as_string(bytes)); }

  // The lines reported so far, without the " \r\n" ends.
  std::vector<std::string> messages() const {
    std::vector<std::string> lines;
    std::istringstream in(dir.read("debug.txt"));
    for (std::string line; std::getline(in, line);) {
      if (line.size() >= 2 && line.compare(line.size() - 2, 2, " \r") == 0) line.resize(line.size() - 2);
      lines.push_back(line);
    }
    return lines;
  }
  void clear_messages() { reset_debug_log(nullptr); }

  fixtures::TempFolder dir{true};
};

}  // namespace data_test
