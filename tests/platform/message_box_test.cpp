#include "platform/message_box.h"

#include <gtest/gtest.h>

#include "platform/backend.h"

namespace {
using platform::BoxAnswer;
using platform::BoxButtons;

TEST(MessageBox, HeadlessRecordsEachBoxAndAnswersFromTheQueue) {
  ASSERT_EQ(platform::current_backend(), platform::Backend::Headless);  // the tests' environment
  platform::clear_recorded_boxes();
  // "錯誤"
  EXPECT_EQ(platform::message_box(nullptr, "text", "\xBF\xF9\xBB\x7E", BoxButtons::Ok), BoxAnswer::Ok);
  EXPECT_EQ(platform::message_box(nullptr, "ask", "c", BoxButtons::YesNo), BoxAnswer::Yes);  // first button
  platform::queue_box_answer(BoxAnswer::No);
  EXPECT_EQ(platform::message_box(nullptr, "ask again", "c", BoxButtons::YesNo), BoxAnswer::No);
  EXPECT_EQ(platform::message_box(nullptr, "and again", "c", BoxButtons::YesNo), BoxAnswer::Yes);
  const auto& boxes = platform::recorded_boxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].text, "text");
  EXPECT_EQ(boxes[0].caption, "\xBF\xF9\xBB\x7E");
  EXPECT_EQ(boxes[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(boxes[2].text, "ask again");
  EXPECT_EQ(boxes[2].buttons, BoxButtons::YesNo);
  platform::clear_recorded_boxes();
  EXPECT_TRUE(platform::recorded_boxes().empty());
}

}  // namespace
