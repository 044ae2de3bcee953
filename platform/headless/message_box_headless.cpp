#include "platform/headless/message_box_headless.h"

#include <deque>

namespace platform {
namespace {

struct BoxScript {
  std::vector<RecordedBox> shown;
  std::deque<BoxAnswer> answers;
};

BoxScript& script() {
  static BoxScript s;
  return s;
}

BoxAnswer first_button(BoxButtons buttons) {
  return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
}

}  // namespace

const std::vector<RecordedBox>& recorded_boxes() { return script().shown; }
void clear_recorded_boxes() { script().shown.clear(); }
void queue_box_answer(BoxAnswer answer) { script().answers.push_back(answer); }

namespace headless {

BoxAnswer message_box(Window*, const std::string& text_big5, const std::string& caption_big5,
                      BoxButtons buttons, BoxIcon) {
  script().shown.push_back(RecordedBox{text_big5, caption_big5, buttons});
  if (script().answers.empty()) return first_button(buttons);
  BoxAnswer answer = script().answers.front();
  script().answers.pop_front();
  return answer;
}

}  // namespace headless
}  // namespace platform
