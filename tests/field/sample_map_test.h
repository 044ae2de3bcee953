#pragma once
// Shared set-up of the map tests: the sample game in a fresh folder that is the game directory,
// its model, animation and sprite caches, map database and talks open, and debug.txt read back.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/paths.h"
#include "data/maps_db.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "g3d/act_archive.h"
#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_list.h"
#include "g3d/model_cache.h"
#include "gfx2d/memoryer.h"
#include "script/talk_files.h"
#include "tests/fixtures/data_file_writer.h"
#include "tests/fixtures/map_file_writer.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"

namespace field_test {

class SampleMapTest : public ::testing::Test {
 protected:
  SampleMapTest() {
    EXPECT_TRUE(fixtures::write_sample_game(dir.path()));
    game_dir = dir.str();
    set_error_log_switch(1);
    // What earlier tests left (flags, roles, map, camera, queue, script marks) goes first.
    fixtures::reset_game_state();
    SetPolyPath((game_dir + "\\MODEL").c_str());
    EXPECT_EQ(SFLB_InitPolyMemory(), 1);
    Set_3dActPath((game_dir + "\\ACT").c_str());
    EXPECT_EQ(Init_3dAct(), 1);
    Memoryer_SetPath((game_dir + "\\ACT").c_str());
    EXPECT_EQ(Init_Memoryer(), 1);
    set_effect_path((game_dir + "\\ACT").c_str());
    open_maps_data();
    open_talk_data();
    reset_debug_log(nullptr);
  }
  ~SampleMapTest() override {
    free_map(&map_record);
    del_all_effect_list();
    FreeMapMemory();
    clear_map_grid();
    close_maps_data();
    close_talk_data();
    Close_Memoryer();
    Close_3dAct();
    FreePolyMemory(255);
  }

  void write_map(const kit::MapFileSpec& desc) {
    dir.write(kit::map_file_name(desc.map), fixtures::as_string(kit::map_file(desc)));
  }

  // The lines of debug.txt, without their " \r\n" ends.
  std::vector<std::string> log_lines() const {
    std::vector<std::string> lines;
    std::istringstream in(dir.read("debug.txt"));
    for (std::string line; std::getline(in, line);) {
      if (line.size() >= 2 && line.compare(line.size() - 2, 2, " \r") == 0) line.resize(line.size() - 2);
      lines.push_back(line);
    }
    return lines;
  }
  bool logged(const std::string& text) const { return dir.read("debug.txt").find(text) != std::string::npos; }

  fixtures::TempFolder dir{true};
};

}  // namespace field_test
