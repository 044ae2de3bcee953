// Start-up and shut-down order.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "app/pending.h"
#include "core/flags.h"
#include "core/game_mode.h"
#include "core/paths.h"
#include "core/random_r250.h"
#include "core/text_colours.h"
#include "core/text_input_field.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "g3d/texture_file_cache.h"
#include "platform/automation.h"
#include "platform/display.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/game_ini_writer.h"
#include "ui/title/title_screen.h"

namespace {

const std::string caption_error = "\xbf\xf9\xbb\x7e";  // "錯誤"

const std::vector<std::string> full_trace = {
    "------------Starting Init Game------------",
    "Grp3Ddraw -------------> ok",
    "Grp3Dput -------------> ok",
    "GrpInput -------------> ok",
    "Particle -------------> ok",
    "FightField -------------> ok",
    "PolyMemory -------------> ok",
    "ActMemory -------------> ok",
    "TswMemory -------------> ok",
    "Miles -------------> ok",
    "Stream -------------> ok",
    "bink   -------------> ok",
    "GDI-------------------> ok",
    "open_data -------------> ok",
    "------------End Init Game------------",
};

// The lines the shut-down's release of the map writes.
const std::vector<std::string> unload_trace = {"free_map",      "del_all_effect_list", "Act_Memoryer_Free",
                                               "FreePolyMemory", "Memoryer_Free",       "FreeMapMemory",
                                               "free_mark"};

// The trace up to and including the line that names a step.
std::vector<std::string> trace_through(const std::string& last) {
  std::vector<std::string> lines;
  for (const std::string& line : full_trace) {
    lines.push_back(line);
    if (line == last) break;
  }
  return lines;
}

TEST(InitGame, WritesEveryTraceLineInOrderIntoAFreshLog) {
  GameHarness game;
  game.dir().write("debug.txt", "a line of the last run \r\n");
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);

  std::vector<std::string> lines = game.log_lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Path:" + std::filesystem::current_path().string());
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), full_trace);
  EXPECT_EQ(GameMode, mode_title);
  EXPECT_TRUE(platform::recorded_boxes().empty());
  EXPECT_FALSE(platform::cursor_shown());
  EXPECT_GE(video_memory_budget, 0xA00000u);
  EXPECT_EQ(renderer.texture_budget(), video_memory_budget);
  EXPECT_EQ(g3d_texture_cache_size(), 2 * video_memory_budget);
  EXPECT_EQ(renderer.render_mode(), 6);
  EXPECT_EQ(g3d_texture_path(), game_dir + "\\TEX");
}

// The text colours in the screen's format: 0xRRGGBB cut to five bits a channel, then converted
// to the back buffer's layout.
TEST(InitGame, TextColoursFollowTheScreenLayout) {
  struct Case {
    platform::PixelMasks masks;
    std::uint16_t white, colour21, colour10;
  } cases[] = {
      {platform::masks_rgb565, 0xFFDF, 0xC28B, 0x041F},  // 21: 0xC05058, 10: 0x0080FF
      {platform::masks_rgb555, 0x7FFF, 0x614B, 0x021F},
  };
  for (const Case& c : cases) {
    platform::reset_display_config();
    platform::display_config().masks = c.masks;
    GameHarness game;
    ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
    EXPECT_EQ(text_colours[0], c.white);
    EXPECT_EQ(text_colours[21], c.colour21);
    EXPECT_EQ(text_colours[10], c.colour10);
    EXPECT_EQ(text_colours[39], 0);
    end_game();
  }
}

struct FailedStep {
  const char* missing_folder;
  const char* box_text;
  const char* last_ok_line;
  const char* loader_box = nullptr;  // the box the failing loader shows first, if any
};

class InitGameFailure : public ::testing::TestWithParam<FailedStep> {};

// A cache set-up that fails ends start-up with its box (after the loader's own, if it shows
// one) and the same line in the log; the shut-down that follows runs on the half-built state,
// twice without harm.
TEST_P(InitGameFailure, ShowsItsBoxLogsTheLineAndShutsDownHalfBuilt) {
  const FailedStep& step = GetParam();
  GameHarness game;
  std::filesystem::remove_all(game.dir().path() / step.missing_folder);

  ASSERT_EQ(game.start(), 0);

  const auto& boxes = platform::recorded_boxes();
  ASSERT_EQ(boxes.size(), step.loader_box ? 2u : 1u);
  if (step.loader_box) {
    EXPECT_EQ(boxes.front().text, step.loader_box);
  }
  EXPECT_EQ(boxes.back().text, step.box_text);
  EXPECT_EQ(boxes.back().caption, caption_error);
  std::vector<std::string> expected = trace_through(step.last_ok_line);
  expected.insert(expected.begin(), "Path:" + std::filesystem::current_path().string());
  expected.push_back(step.box_text);
  expected.insert(expected.end(), unload_trace.begin(), unload_trace.end());
  EXPECT_EQ(game.log_lines(), expected);
  EXPECT_TRUE(platform::window_destroyed(game.window()));
  EXPECT_TRUE(game.pump()) << "the destroyed window ends the message loop";
  EXPECT_TRUE(platform::cursor_shown());
  end_game();
  EXPECT_FALSE(game.has_file("User.cfg"));
}

INSTANTIATE_TEST_SUITE_P(
    CacheSetUps, InitGameFailure,
    ::testing::Values(
        // "InitPolyMemory 初始化失敗!!"
        // after "g3d_load_idx_ply(..)錯誤  找不到檔案"
        FailedStep{"MODEL", "InitPolyMemory \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!",
                   "FightField -------------> ok",
                   "g3d_load_idx_ply(..)\xbf\xf9\xbb\x7e  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7"},
        // "Init_3dAct 初始化失敗!!"
        FailedStep{"ACT", "Init_3dAct \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!",
                   "PolyMemory -------------> ok"},
        // "Init_Memoryer 初始化失敗!!"
        FailedStep{"ACT/all_sys.tsw", "Init_Memoryer \xaa\xec\xa9\x6c\xa4\xc6\xa5\xa2\xb1\xd1!!",
                   "ActMemory -------------> ok"}),
    [](const ::testing::TestParamInfo<FailedStep>& info) {
      std::string name = std::string("without_") + info.param.missing_folder;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

struct WindowQuestion {
  const char* window_switch;
  platform::BoxAnswer answer;
  int boxes;
  int exclusive;
};

class InitGameWindowQuestion : public ::testing::TestWithParam<WindowQuestion> {};

TEST_P(InitGameWindowQuestion, IsAskedOnlyWhenGameIniOffersIt) {
  const WindowQuestion& c = GetParam();
  GameHarness game(c.window_switch[0] == '1');
  platform::queue_box_answer(c.answer);
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  ASSERT_EQ(static_cast<int>(platform::recorded_boxes().size()), c.boxes);
  if (c.boxes) {
    EXPECT_EQ(
        platform::recorded_boxes()[0].text,
        "\xa8\xcf\xa5\xce\xb5\xf8\xb5\xa1\xbc\xd2\xa6\xa1\xb6\xdc?(y/n),");  // "使用視窗模式嗎?(y/n),"
    EXPECT_EQ(platform::recorded_boxes()[0].caption, "\xb4\xa3\xa5\xdc");  // "提示"
    EXPECT_EQ(platform::recorded_boxes()[0].buttons, platform::BoxButtons::YesNo);
  }
  EXPECT_EQ(display_device.is_exclusive(), c.exclusive);
  EXPECT_EQ(platform::window_fullscreen(game.window()), c.exclusive == 1);
  end_game();
  EXPECT_FALSE(platform::window_fullscreen(game.window())) << "the desktop is given back";
}

INSTANTIATE_TEST_SUITE_P(Answers, InitGameWindowQuestion,
                         ::testing::Values(WindowQuestion{"0", platform::BoxAnswer::Yes, 0, 1},
                                           WindowQuestion{"1", platform::BoxAnswer::Yes, 1, 0},
                                           WindowQuestion{"1", platform::BoxAnswer::No, 1, 1}),
                         [](const ::testing::TestParamInfo<WindowQuestion>& info) {
                           std::string name = std::string("window_") + info.param.window_switch;
                           if (info.param.boxes)
                             name += info.param.answer == platform::BoxAnswer::Yes ? "_yes" : "_no";
                           return name;
                         });

// QORV_SEED replaces the calendar time as the seed, so that a scripted run replays exactly.
TEST(InitGame, SeedsTheRandomNumbersFromTheAutomationSeed) {
  std::vector<unsigned> draws[2];
  for (auto& run : draws) {
    GameHarness game;
    platform::set_random_seed(4242);
    ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
    for (int i = 0; i < 8; ++i) run.push_back(rand_below(60000));
    end_game();
  }
  init_random(4242);
  std::vector<unsigned> expected;
  for (int i = 0; i < 8; ++i) expected.push_back(rand_below(60000));
  EXPECT_EQ(draws[0], expected);
  EXPECT_EQ(draws[1], expected);
}

// Several releases run twice within one shut-down, and shut-down itself can run twice (a second
// Destroy); every owned object is deleted once and forgotten.
TEST(EndGame, RunsTwiceAfterAFullStartWithoutHarm) {
  GameHarness game;
  ASSERT_EQ(init_game(game.window(), platform::program_instance()), 1);
  ASSERT_NE(global_effect, nullptr);
  title_name_field = new TextInputField("", 16, 0, 0);
  GameMode = mode_battle;

  end_game();
  EXPECT_EQ(global_effect, nullptr);
  EXPECT_EQ(title_name_field, nullptr);
  EXPECT_EQ(GameMode, mode_field) << "a running battle is left first";
  EXPECT_EQ(d3d_device.initialised(), 0);
  EXPECT_FALSE(platform::window_fullscreen(game.window())) << "the desktop is given back";
  end_game();
  EXPECT_TRUE(platform::cursor_shown());
}

TEST(EndGame, RunsOnNothingBuilt) {
  GameHarness game;
  end_game();
  end_game();
  EXPECT_EQ(global_effect, nullptr);
}

}  // namespace
