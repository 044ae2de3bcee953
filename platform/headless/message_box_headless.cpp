#include "platform/headless/message_box_headless.h"

#include <chrono>
#include <deque>
#include <thread>

#include "platform/automation.h"
#include "platform/termination.h"

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
void clear_recorded_boxes() {
  script().shown.clear();
  script().answers.clear();
}
void queue_box_answer(BoxAnswer answer) { script().answers.push_back(answer); }

namespace headless {

BoxAnswer message_box(Window*, const std::string& text_big5, const std::string& caption_big5,
                      BoxButtons buttons, BoxIcon) {
  script().shown.push_back(RecordedBox{text_big5, caption_big5, buttons});
  // QORV_BOX_WAIT keeps the box open a while, as a user who has not answered yet; Ctrl+C or a
  // termination signal closes it at once with the Escape answer.
  const BoxAnswer escape = buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
  // Real time, not the game clock: a test's fake clock stands still.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(box_wait_seconds());
  while (termination_signal() == 0 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (termination_signal() != 0) return escape;
  if (script().answers.empty()) return first_button(buttons);
  BoxAnswer answer = script().answers.front();
  script().answers.pop_front();
  return answer;
}

}  // namespace headless
}  // namespace platform
