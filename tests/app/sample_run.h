#pragma once
// The sample game played as a process by the tests that include this: an input script of
// tests/app/input/ replayed headless with shots, and what the run leaves behind read back. The
// including test target defines QORV_EXE (the program) and QORV_INPUT_DIR (the scripts' folder).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_image.h"

namespace sample_run {

// Runs the program in dir on the script, with the seed 1 and shots into dir/shots; the
// shell's status.
inline int run_script(const fixtures::TempFolder& dir, const char* script) {
  const std::string command = "cd '" + dir.str() + "' && QORV_BACKEND=headless QORV_SEED=1 QORV_SHOTS=shots QORV_INPUT='" +
                              std::string(QORV_INPUT_DIR) + "/" + script + "' '" QORV_EXE "' >qorv.out 2>&1";
  return std::system(command.c_str());
}

// The frame on screen at frame n of the run against a reference image.
inline void expect_frame(const fixtures::TempFolder& dir, int n, const std::string& reference) {
  SCOPED_TRACE(reference);
  const test_support::Frame565 frame = test_support::shot_on_screen((dir.path() / "shots").string(), n);
  ASSERT_EQ(frame.width, 640) << "no shot up to frame " << n;
  EXPECT_EQ(test_support::compare_with_reference(reference, frame), "");
}

// Slot 0 as the script saved it.
inline bool read_slot_zero(const fixtures::TempFolder& dir, SaveImage& image) {
  const std::string file = dir.read("Save/00.sav");
  const std::vector<std::uint8_t> packed(file.begin(), file.end());
  std::vector<std::uint8_t> bytes;
  return unpack_save_file(packed, bytes) == SaveUnpack::Ok && parse_save_image(bytes, image) == SaveParse::Ok;
}

// A fresh sample game in dir played through the script, and the slot it saved read into image;
// on failure, what failed with the run's output or trace.
inline ::testing::AssertionResult play_to_saved_slot(const fixtures::TempFolder& dir, const char* script,
                                                     SaveImage& image) {
  if (!fixtures::write_sample_game(dir.path())) return ::testing::AssertionFailure() << "no sample game written";
  if (run_script(dir, script) != 0) return ::testing::AssertionFailure() << dir.read("qorv.out");
  if (!read_slot_zero(dir, image)) return ::testing::AssertionFailure() << "no slot 0\n" << dir.read("debug.txt");
  return ::testing::AssertionSuccess();
}

// Object -> pieces (count and new count) of the saved bag.
inline std::map<int, int> bag_of(const SaveImage& image) {
  std::map<int, int> bag;
  for (const SaveBagEntry& e : image.bag) bag[e.object] += e.count + e.new_count;
  return bag;
}

}  // namespace sample_run
