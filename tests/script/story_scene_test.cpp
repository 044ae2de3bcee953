// The sample game's story scene, replayed headless as a player would: New game on the title,
// Space past the narrator, Down to the second answer, Enter. The question box and the second
// answer's box are compared with reference frames.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/png_reader.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"

namespace {

constexpr const char* input_file =
    "# the title's New game once its menu shows (the new game starts after the transition, in\n"
    "# frame 62), the narrator's box (closed once its least showing time is past), the second\n"
    "# answer once the question is typed\n"
    "20 down enter\n21 up enter\n122 down enter\n123 up enter\n202 down down\n203 up down\n"
    "222 down enter\n223 up enter\n312 close\n";

test_support::Frame565 shot(const std::filesystem::path& file) {
  test_support::Frame565 f;
  EXPECT_TRUE(platform::read_png_rgb565(file.string(), f.pixels, f.width, f.height)) << file;
  return f;
}

TEST(StoryScene, TheReplayedAnswerShowsTheQuestionAndTheSecondAnswersBox) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  dir.write("input.txt", input_file);
  const std::string command = "cd '" + dir.str() +
                              "' && QORV_BACKEND=headless QORV_INPUT=input.txt QORV_SHOTS=shots '" QORV_EXE
                              "' >qorv.out 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_EQ(log.find("Talk"), std::string::npos) << log;
  EXPECT_EQ(log.find("AI"), std::string::npos) << log;
  // Frame 202 took the Down key: the question box with its second answer highlighted. The last
  // frame that changed shows the second answer's box, typed out.
  const std::filesystem::path shots = dir.path() / "shots";
  std::filesystem::path last;
  for (const auto& entry : std::filesystem::directory_iterator(shots))
    if (last.empty() || entry.path().filename() > last.filename()) last = entry.path();
  EXPECT_EQ(test_support::compare_with_reference("story_question", shot(shots / "000202.png")), "");
  EXPECT_EQ(test_support::compare_with_reference("story_second_answer", shot(last)), "");
}

}  // namespace
