#pragma once
// Modal message boxes. Text and caption are Big5, as the game writes them; the SDL backend
// shows them as UTF-8, the headless backend records them and answers from a script.
#include <string>
#include <vector>

namespace platform {

struct Window;

enum class BoxButtons { Ok, YesNo };
enum class BoxIcon { None, Information, Error };
enum class BoxAnswer { Ok, Yes, No };

BoxAnswer message_box(Window* owner, const std::string& text_big5, const std::string& caption_big5,
                      BoxButtons buttons, BoxIcon icon = BoxIcon::None);

// Headless: every box shown, in order, and the answers to give (default: the first button).
struct RecordedBox {
  std::string text, caption;
  BoxButtons buttons;
};
const std::vector<RecordedBox>& recorded_boxes();
void clear_recorded_boxes();  // and the answers not given yet
void queue_box_answer(BoxAnswer answer);

}  // namespace platform
