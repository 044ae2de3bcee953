#include "core/log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/flags.h"
#include "core/game_ini.h"
#include "core/paths.h"
#include "platform/message_box.h"
#include "tests/fixtures/game_ini_writer.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using fixtures::TempFolder;

const std::string error_caption = "\xBF\xF9\xBB\x7E";  // "錯誤"

class Log : public ::testing::Test {
 protected:
  void SetUp() override {
    set_error_log_switch(1);
    platform::clear_recorded_boxes();
  }
  TempFolder dir{true};
};

TEST_F(Log, EachLineIsTheTextABlankAndCrLf) {
  reset_debug_log(nullptr);
  log_trace("Path:%s", "C:\\game");
  report_error("open_AI_data(..)%s", "\xBF\xF9\xBB\x7E");
  EXPECT_EQ(dir.read("debug.txt"), "Path:C:\\game \r\nopen_AI_data(..)\xBF\xF9\xBB\x7E \r\n");
  EXPECT_TRUE(platform::recorded_boxes().empty());
}

TEST_F(Log, EachStartBeginsAFreshLog) {
  reset_debug_log(nullptr);
  log_trace("first run");
  reset_debug_log(nullptr);
  log_trace("second run");
  EXPECT_EQ(dir.read("debug.txt"), "second run \r\n");
}

TEST_F(Log, MessagesAreCutAt255BytesOnABig5CharacterBoundary) {
  const std::string a253(253, 'a'), a254(254, 'a'), a255(255, 'a');
  struct Case {
    std::string message, written;
  };
  const Case cases[] = {
      {a255, a255},          // exactly 255: whole
      {a255 + "bcd", a255},  // longer: cut
      {a253 + "\xBF\xF9"
              "x",
       a253 + "\xBF\xF9"},                // the cut falls after a whole character
      {a254 + "\xBF\xF9", a254},          // the cut would split it: it goes whole
      {a254 + "\xA5\x5C\xA5\x5C", a254},  // a trail byte 0x5C changes nothing
      {a253 + "\xA5\x5C\xA5\x5C", a253 + "\xA5\x5C"},
  };
  for (const Case& c : cases) {
    reset_debug_log(nullptr);
    log_trace("%s", c.message.c_str());
    EXPECT_EQ(dir.read("debug.txt"), c.written + " \r\n") << c.message.size();
  }
}

TEST_F(Log, ALogThatCannotBeOpenedLosesTheMessageQuietly) {
  std::filesystem::create_directory(dir.path() / "debug.txt");  // in the way of the file
  log_trace("lost");
  report_error("lost too %d", 1);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "debug.txt"));
  EXPECT_TRUE(platform::recorded_boxes().empty());
}

TEST_F(Log, HotKeySendsErrorsToMessageBoxesButTracesStillToTheFile) {
  game_dir = dir.str();
  dir.write("game.ini", fixtures::game_ini_text({{"debug", {{"hot_key", "1"}}}}));
  reset_debug_log(nullptr);
  read_game_ini(nullptr, game_dir + "\\game.ini");
  EXPECT_EQ(error_log_switch, 0);
  log_trace("Grp3Ddraw -------------> ok");
  report_error("Talk[%d] bad opcode", 7);
  const auto& boxes = platform::recorded_boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Talk[7] bad opcode");
  EXPECT_EQ(boxes[0].caption, error_caption);
  EXPECT_EQ(boxes[0].buttons, platform::BoxButtons::Ok);
  EXPECT_EQ(dir.read("debug.txt"), "Grp3Ddraw -------------> ok \r\n");
}

}  // namespace
