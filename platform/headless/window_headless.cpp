// The headless window: no display; the replayed input (automation.h) becomes its messages.
#include <cstdint>

#include "platform/automation.h"
#include "platform/window_backend.h"

namespace platform {

namespace {

class HeadlessWindowHost : public WindowHost {
 public:
  bool open(const std::string&, int width, int height, std::string&) override {
    width_ = width;
    height_ = height;
    return true;
  }
  void close() override {}

  void pump(Window* window, std::deque<Message>& queue) override {
    virtual_time_step();
    // Events of frame F are delivered once F frames have run, before frame F itself runs.
    while (next_frame_ <= frames_counted()) {
      for (const InputEvent& ev : headless_input_events(next_frame_)) deliver(window, ev, queue);
      ++next_frame_;
    }
  }

  // Virtual time moves only with the pump, so a wait here would stop nothing and change the
  // frames: the headless window never waits.
  void wait_event(std::uint32_t) override {}

  void show(ShowCommand) override {}
  void set_client_size(int width, int height) override {
    width_ = width;
    height_ = height;
  }
  void set_fullscreen(bool) override {}
  WindowRect rect() const override { return {0, 0, width_, height_}; }
  WindowMetrics metrics() const override { return {}; }
  void show_cursor(bool) override {}

 private:
  void deliver(Window* window, const InputEvent& ev, std::deque<Message>& queue) {
    switch (ev.kind) {
      case InputEvent::Kind::Down:
      case InputEvent::Kind::Up:
        key_message(window, ev.key, ev.kind == InputEvent::Kind::Down, queue);
        break;
      case InputEvent::Kind::Text:
        queue_typed_text(window, ev.text, queue);
        break;
      case InputEvent::Kind::Close:
        queue.push_back(
            {window, MessageId::SysCommand, static_cast<std::uintptr_t>(SysCommand::Close), 0});
        break;
      case InputEvent::Kind::Mouse:
      case InputEvent::Kind::Click:
      case InputEvent::Kind::Wheel:
        break;  // the headless mouse reads these itself
    }
  }

  void key_message(Window* window, int key, bool down, std::deque<Message>& queue) {
    if (key == KeyAltLeft) alt_left_ = down;
    if (key == KeyAltRight) alt_right_ = down;
    queue_key_message(window, key, down, alt_left_ || alt_right_, queue);
  }

  int width_ = 0, height_ = 0;
  int next_frame_ = 0;
  bool alt_left_ = false, alt_right_ = false;
};

}  // namespace

std::unique_ptr<WindowHost> make_headless_window_host() {
  return std::make_unique<HeadlessWindowHost>();
}

}  // namespace platform
