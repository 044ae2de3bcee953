// Display loss and restore.
#include "app/display_restore.h"

#include "app/win_main.h"
#include "core/log.h"

#include <array>

namespace {

constexpr std::uint8_t all_tags = 255;
constexpr int blit_format_textures = 2;

enum class WindowEvent : std::uint8_t { FocusLost, Activated };

// Events in the order they came; the oldest are dropped when more than fit arrive in one pass,
// which only a flood of focus changes within a frame can cause.
struct EventQueue {
  std::array<WindowEvent, 16> events{};
  int count = 0;
  void push(WindowEvent e) {
    if (count == int(events.size())) {
      for (int i = 1; i < count; ++i) events[i - 1] = events[i];
      --count;
    }
    events[count++] = e;
  }
};

EventQueue& pending() {
  static EventQueue queue;
  return queue;
}

template <class F, class... Args>
void call(F f, Args... args) {
  if (f) f(args...);
}

bool exclusive() {
  const DisplayStack& s = display_stack();
  return s.is_exclusive && s.is_exclusive();
}

void on_focus_lost(platform::Window* window) {
  if (!exclusive()) return;  // a window keeps running behind others
  call(display_stack().minimise_window, window);
  window_suspended = 1;
}

void on_activated(platform::Window* window) {
  if (!exclusive()) {
    call(display_stack().acquire_input);
    return;
  }
  if (!window_suspended) return;  // nothing was lost since the last rebuild
  call(display_stack().restore_window, window);
  release_display();
  // A display that cannot be built again stays suspended; the next activation tries again.
  if (restore_display()) window_suspended = 0;
}

}  // namespace

DisplayStack& display_stack() {
  static DisplayStack stack = engine_display_stack();
  return stack;
}

void release_display() {
  const DisplayStack& s = display_stack();
  call(s.flush_textures);
  call(s.free_models, all_tags);
  call(s.free_sprites, all_tags);
  call(s.free_animations, all_tags);
  call(s.release_fonts);
  call(s.release_renderer);
  call(s.release_device);
  call(s.release_display_device);
}

int restore_display() {
  const DisplayStack& s = display_stack();
  if (s.init_device && !s.init_device()) {
    report_error("restore_display(..) the display could not be built again");
    return 0;
  }
  call(s.init_renderer);
  call(s.set_viewport);
  call(s.select_blit_format, blit_format_textures);
  call(s.reset_input);
  call(s.init_fonts);
  return 1;
}

void note_focus_lost() { pending().push(WindowEvent::FocusLost); }

void note_app_activated() { pending().push(WindowEvent::Activated); }

void handle_display_events(platform::Window* window) {
  EventQueue& q = pending();
  // Taken out first: a handler may note new events, which wait for the next pass.
  EventQueue now = q;
  q.count = 0;
  for (int i = 0; i < now.count; ++i) {
    if (now.events[i] == WindowEvent::FocusLost)
      on_focus_lost(window);
    else
      on_activated(window);
  }
}

