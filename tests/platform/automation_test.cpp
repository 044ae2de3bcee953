// The automation variables' input scripts and frame count.
#include "platform/automation.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "tests/fixtures/input_script_writer.h"

namespace {

using platform::InputEvent;

TEST(KeyCodeFromName, KnowsNamesCharactersAndNumbers) {
  struct Case {
    const char* name;
    int code;
  };
  for (const Case& c :
       {Case{"escape", 27},   Case{"ESC", 27},    Case{"Enter", 13}, Case{"f1", 138},
        Case{"F8", 145},      Case{"f12", 149},   Case{"left", 134}, Case{"down", 137},
        Case{"lshift", 128},  Case{"rctrl", 131}, Case{"alt", 132},  Case{"pagedown", 155},
        Case{"kp_plus", 159}, Case{"kp_0", 162},  Case{"kp_9", 171}, Case{"capslock", 173},
        Case{"p", 'p'},       Case{"Q", 'q'},     Case{"5", '5'},    Case{";", ';'},
        Case{"145", 145},     Case{"!", 0},       Case{"A1", 0},     Case{"276", 0},
        Case{"0x10", 0},      Case{"", 0},        Case{"nokey", 0}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(platform::key_code_from_name(c.name), c.code);
  }
}

TEST(ParseInputScript, ReadsEveryEventKindInFrameOrder) {
  std::vector<InputEvent> events;
  std::string error;
  ASSERT_TRUE(
      platform::parse_input_script("# a comment\r\n"
                                   "\n"
                                   "5 down f8\r\n"
                                   "2 text  two words\n"
                                   "5 UP F8\n"
                                   "3 mouse 320 -4\n"
                                   "3 click right\n"
                                   "9 close",
                                   events, error))
      << error;
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[0].frame, 2);
  EXPECT_EQ(events[0].kind, InputEvent::Kind::Text);
  EXPECT_EQ(events[0].text, " two words") << "the text after the one blank, kept whole";
  EXPECT_EQ(events[1].kind, InputEvent::Kind::Mouse);
  EXPECT_EQ(events[1].x, 320);
  EXPECT_EQ(events[1].y, -4);
  EXPECT_EQ(events[2].kind, InputEvent::Kind::Click);
  EXPECT_EQ(events[2].button, 2);
  EXPECT_EQ(events[3].kind, InputEvent::Kind::Down) << "a frame's events keep their file order";
  EXPECT_EQ(events[3].key, 145);
  EXPECT_EQ(events[4].kind, InputEvent::Kind::Up);
  EXPECT_EQ(events[5].frame, 9);
  EXPECT_EQ(events[5].kind, InputEvent::Kind::Close);
}

TEST(ParseInputScript, NamesTheFirstBadLine) {
  struct Case {
    const char* script;
    const char* error;
  };
  for (const Case& c : {
           Case{"1 down a\nx down a\n", "line 2: a frame number (0 or more) must start the line"},
           Case{"-1 close\n", "line 1: a frame number (0 or more) must start the line"},
           Case{"99999999999 close\n", "line 1: a frame number (0 or more) must start the line"},
           Case{"1 press a\n",
                "line 1: unknown event 'press' (down, up, text, mouse, click, wheel or close)"},
           Case{"1 wheel\n", "line 1: wheel needs a number of notches from -1000 to 1000"},
           Case{"1 wheel 1001\n", "line 1: wheel needs a number of notches from -1000 to 1000"},
           Case{"1 wheel 2 3\n", "line 1: unexpected text after the event"},
           Case{"1 down\n", "line 1: unknown key ''"},
           Case{"1 up shift2\n", "line 1: unknown key 'shift2'"},
           Case{"1 mouse 4\n", "line 1: mouse needs X and Y"},
           Case{"1 click 4\n", "line 1: click needs a button: 1, 2, 3, left, right or middle"},
           Case{"1 close now\n", "line 1: unexpected text after the event"},
       }) {
    SCOPED_TRACE(c.script);
    std::vector<InputEvent> events;
    std::string error;
    EXPECT_FALSE(platform::parse_input_script(c.script, events, error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(ParseInputScript, ReadsWhatTheDataKitWrites) {
  using namespace fixtures;
  const std::vector<InputEvent> written = {key_down(0, 27),     typed(1, "a b\xe4\xb8\xad"),
                                           mouse_to(1, 639, 0), click(2, 3),
                                           key_up(4, 145),      wheel(5, -3),
                                           close_window(30)};
  std::vector<InputEvent> events;
  std::string error;
  ASSERT_TRUE(platform::parse_input_script(input_script_text(written), events, error)) << error;
  ASSERT_EQ(events.size(), written.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(events[i].frame, written[i].frame);
    EXPECT_EQ(events[i].kind, written[i].kind);
    EXPECT_EQ(events[i].key, written[i].key);
    EXPECT_EQ(events[i].x, written[i].x);
    EXPECT_EQ(events[i].y, written[i].y);
    EXPECT_EQ(events[i].button, written[i].button);
    EXPECT_EQ(events[i].notches, written[i].notches);
    EXPECT_EQ(events[i].text, written[i].text);
  }
}

TEST(HeadlessInputEvents, GivesOneFramesEvents) {
  std::vector<InputEvent> events;
  std::string error;
  ASSERT_TRUE(platform::parse_input_script("1 down a\n2 down b\n1 up a\n", events, error));
  platform::set_input_events(events);
  std::vector<InputEvent> frame1 = platform::headless_input_events(1);
  ASSERT_EQ(frame1.size(), 2u);
  EXPECT_EQ(frame1[0].kind, InputEvent::Kind::Down);
  EXPECT_EQ(frame1[1].kind, InputEvent::Kind::Up);
  EXPECT_EQ(platform::headless_input_events(2).size(), 1u);
  EXPECT_TRUE(platform::headless_input_events(0).empty());
}

TEST(CountFrame, NumbersFramesFromZero) {
  platform::reset_automation();
  EXPECT_EQ(platform::current_frame(), -1);
  EXPECT_EQ(platform::count_frame(), 0);
  EXPECT_EQ(platform::count_frame(), 1);
  EXPECT_EQ(platform::current_frame(), 1);
  EXPECT_EQ(platform::frames_counted(), 2);
}

// The headless program's clock: the fake one, stepped 1 ms by each pass of the event pump and by
// nothing else, so frames come due after the same number of passes on any machine.
TEST(VirtualTime, StepsTheClockOnlyOnceInstalled) {
  platform::reset_automation();
  platform::use_fake_clock(500);
  platform::virtual_time_step();
  EXPECT_EQ(platform::time_ms(), 500u) << "a test's own fake clock is left alone";
  platform::use_virtual_time();
  const std::uint32_t start = platform::time_ms();
  for (int i = 0; i < 29; ++i) platform::virtual_time_step();
  EXPECT_EQ(platform::time_ms() - start, 29u);
  platform::reset_automation();
  platform::virtual_time_step();
  EXPECT_EQ(platform::time_ms() - start, 29u);
  platform::use_real_clock();
}

}  // namespace
