// The window and its message queue on the headless backend.
#include "platform/window.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/automation.h"

namespace {

using platform::InputEvent;
using platform::MessageId;

struct Received {
  MessageId id;
  std::uintptr_t wparam;
  std::intptr_t lparam;
};
std::vector<Received> received;

std::intptr_t recording_proc(platform::Window* window, MessageId id, std::uintptr_t wparam,
                             std::intptr_t lparam) {
  received.push_back({id, wparam, lparam});
  if (id == MessageId::Destroy) platform::post_quit_message(3);
  return platform::default_window_proc(window, id, wparam, lparam);
}

class HeadlessWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    received.clear();
    platform::reset_automation();
    window = platform::create_window({"QORV", recording_proc}, "QORV", 640, 480);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { platform::free_window(window); }

  // Dispatches the waiting messages; the Quit message's code, or -1 when none came.
  int pump() {
    platform::Message msg;
    while (platform::peek_message()) {
      if (!platform::get_message(msg)) return static_cast<int>(msg.wparam);
      platform::dispatch_message(msg);
    }
    return -1;
  }

  std::vector<MessageId> ids() const {
    std::vector<MessageId> out;
    for (const Received& r : received) out.push_back(r.id);
    return out;
  }

  platform::Window* window = nullptr;
};

TEST_F(HeadlessWindow, SendsCreateAndShowsA640By480Rect) {
  EXPECT_EQ(ids(), std::vector<MessageId>{MessageId::Create});
  platform::WindowRect r = platform::get_window_rect(window);
  EXPECT_EQ(r.right - r.left, 640);
  EXPECT_EQ(r.bottom - r.top, 480);
}

TEST_F(HeadlessWindow, DeliversTypedTextAsBig5Characters) {
  InputEvent text;
  text.kind = InputEvent::Kind::Text;
  text.text = "a\xe4\xb8\xad%";  // "a中%"
  platform::set_input_events({text});
  received.clear();
  pump();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].id, MessageId::Char);
  EXPECT_EQ(received[0].wparam, std::uintptr_t{'a'});
  EXPECT_EQ(received[1].id, MessageId::ImeChar);
  EXPECT_EQ(received[1].wparam, std::uintptr_t{0xA4A4});  // "中" in Big5
  EXPECT_EQ(received[2].id, MessageId::Char);
  EXPECT_EQ(received[2].wparam, std::uintptr_t{'%'});
}

TEST_F(HeadlessWindow, DeliversAFramesEventsOnceThatFrameIsNext) {
  InputEvent down;
  down.frame = 2;
  down.kind = InputEvent::Kind::Down;
  down.key = 13;
  platform::set_input_events({down});
  received.clear();
  pump();
  platform::count_frame();
  pump();
  EXPECT_TRUE(received.empty());
  platform::count_frame();
  pump();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].id, MessageId::KeyDown);
  EXPECT_EQ(received[0].wparam, 13u);
  pump();
  EXPECT_EQ(received.size(), 1u) << "delivered once";
}

// With Alt held keys arrive as system keys; Alt + F4 becomes the close command, then Close,
// and the default handling of Close destroys the window.
TEST_F(HeadlessWindow, AltF4ClosesTheWindowThroughTheDefaultHandling) {
  std::vector<InputEvent> events(3);
  events[0].kind = InputEvent::Kind::Down;
  events[0].key = 132;
  events[1].kind = InputEvent::Kind::Down;
  events[1].key = 141;
  events[2].kind = InputEvent::Kind::Up;
  events[2].key = 132;
  platform::set_input_events(events);
  received.clear();
  EXPECT_EQ(pump(), 3);
  ASSERT_GE(received.size(), 4u);
  EXPECT_EQ(received[0].id, MessageId::SysKeyDown);
  EXPECT_EQ(received[1].id, MessageId::SysKeyDown);
  EXPECT_EQ(received[1].wparam, 141u);
  EXPECT_NE(received[1].lparam & platform::KeyAltHeld, 0);
  EXPECT_EQ(received[2].id, MessageId::SysKeyUp);
  EXPECT_EQ(received[3].id, MessageId::SysCommand);
  EXPECT_EQ(received[4].id, MessageId::Close);
  EXPECT_EQ(received[5].id, MessageId::Destroy);
  EXPECT_TRUE(platform::window_destroyed(window));
}

TEST_F(HeadlessWindow, F4WithoutAltAndF10DoNotClose) {
  std::vector<InputEvent> events(2);
  events[0].kind = InputEvent::Kind::Down;
  events[0].key = 141;
  events[1].kind = InputEvent::Kind::Down;
  events[1].key = 147;
  platform::set_input_events(events);
  received.clear();
  EXPECT_EQ(pump(), -1);
  EXPECT_EQ(ids(), (std::vector<MessageId>{MessageId::KeyDown, MessageId::SysKeyDown}));
  EXPECT_FALSE(platform::window_destroyed(window));
}

TEST_F(HeadlessWindow, FrameLimitAsksTheWindowToClose) {
  platform::set_frame_limit(2);
  platform::count_frame();
  received.clear();
  EXPECT_EQ(pump(), -1);
  platform::count_frame();
  EXPECT_EQ(pump(), 3);
  EXPECT_EQ(ids(),
            (std::vector<MessageId>{MessageId::SysCommand, MessageId::Close, MessageId::Destroy}));
}

TEST_F(HeadlessWindow, ADestroyedWindowGetsNothingMore) {
  platform::post_message(window, MessageId::Command);
  platform::destroy_window(window);
  received.clear();
  platform::destroy_window(window);
  platform::post_message(window, MessageId::Command);
  EXPECT_EQ(platform::send_message(window, MessageId::Command), 0);
  EXPECT_EQ(pump(), 3) << "only the Quit of the first Destroy remains";
  EXPECT_TRUE(received.empty());
}

}  // namespace
